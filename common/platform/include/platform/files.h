// Reading files. Paths are UTF-16, as the plug-ins receive them from the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kx::platform {

// Reads the whole file; false with the last error set (2 when it does not exist).
bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>* contents);

// An allocator whose vectors leave the elements they add uninitialised (rather than
// zeroed), for buffers that a read is about to fill.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = UninitialisedAllocator<U>;
  };
  template <typename U, typename... Args>
  void construct(U* at, Args&&... args) {
    if constexpr (sizeof...(Args) == 0) {
      ::new (static_cast<void*>(at)) U;
    } else {
      ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
  }
};

// A whole file's bytes.
using FileBytes = std::vector<uint8_t, UninitialisedAllocator<uint8_t>>;

// The last error of ReadRegularFile for a file over its limit (ERROR_FILE_TOO_LARGE).
inline constexpr uint32_t kErrorFileTooLarge = 223;

// Reads a whole regular file of at most `limit` bytes. What is not a regular file (a
// folder, a device, a pipe) is refused as "access denied" without waiting on it, and a
// file over the limit as "file too large" before anything is read. The file is read as
// it was when opened: no further than the size it had then (a file cut short meanwhile
// gives what it has). Only a file that claimed no bytes is read to its end, and refused
// when that passes the limit, so the read never goes on without end.
// False with the last error set; `contents` is then untouched.
bool ReadRegularFile(std::u16string_view path, uint64_t limit, FileBytes* contents);

// Writes the whole file, replacing it; false with the last error set.
bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& contents);

// What tells one version of a file from another: a file replaced or rewritten gets a
// different identity.
struct FileIdentity {
  uint64_t volume = 0;
  uint64_t fileId = 0;
  uint64_t size = 0;
  int64_t lastWriteTime = 0;  // nanoseconds on POSIX, 100 ns units on Windows

  bool operator==(const FileIdentity&) const = default;
};

// False with the last error set when the file does not exist.
bool GetFileIdentity(const std::u16string& path, FileIdentity* identity);

// A file open for reading; others may read it at the same time. Closes itself.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // Bytes read (0 at the end), or -1 with the last error set.
  virtual int64_t Read(void* buffer, size_t size) = 0;
};

// Null with the last error set when the file does not exist or cannot be opened. Only
// regular files open: a folder, a device or a pipe is refused ("access denied") without
// waiting on it, so that a path given by a user never holds up its reader.
std::unique_ptr<ReadableFile> OpenForSharedReading(const std::u16string& path);

// Whether the path names an existing regular file (not a folder, a device or a pipe).
bool IsRegularFile(const std::u16string& path);

}  // namespace kx::platform
