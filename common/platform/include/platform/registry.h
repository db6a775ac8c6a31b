// The registry: hierarchical keys holding typed values, in two hives (the machine's and
// the current user's). Results are Win32 error codes (kErrorSuccess on success), as the
// advapi32 calls return them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kx::platform {

enum class Hive { kLocalMachine, kCurrentUser };

inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;

struct RegistryValue {
  std::u16string name;
  uint32_t type = 0;
  std::vector<uint8_t> data;
};

// An open key; closes itself.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  // Size query first: `data` null or `*size` too small gives kErrorMoreData with *size
  // set to the value's size (kErrorSuccess with a null `data`, as RegQueryValueExW).
  virtual uint32_t QueryValue(const std::u16string& name, uint32_t* type, uint8_t* data,
                              uint32_t* size) const = 0;
  virtual uint32_t SetValue(const std::u16string& name, uint32_t type, const uint8_t* data,
                            uint32_t size) = 0;
  virtual uint32_t DeleteValue(const std::u16string& name) = 0;
  // Enumeration ends with kErrorNoMoreItems past the last. Windows promises no order (Wine
  // sorts by name); the POSIX store gives the order in which values were first written
  // and sub-keys created. Callers must not rely on either.
  virtual uint32_t EnumValue(uint32_t index, RegistryValue* value) const = 0;
  virtual uint32_t EnumSubKey(uint32_t index, std::u16string* name) const = 0;
};

// `path` uses backslashes, is relative to the hive and case-insensitive.
uint32_t OpenRegistryKey(Hive hive, const std::u16string& path,
                         std::unique_ptr<RegistryKey>* key);
// Creates the key and its missing parents; *created says whether it was new.
uint32_t CreateRegistryKey(Hive hive, const std::u16string& path,
                           std::unique_ptr<RegistryKey>* key, bool* created);
// Deletes the key with everything below it. The hive's root (an empty path) cannot be
// deleted (kErrorInvalidParameter); keys still open on a deleted key then report
// kErrorKeyDeleted.
uint32_t DeleteRegistryTree(Hive hive, const std::u16string& path);

}  // namespace kx::platform
