// A module file's version resource, as GetFileVersionInfoW and VerQueryValueW read it.
// On Windows it is the file's own version resource. Elsewhere a module carries the same
// values as data in a section of its own (see KX_VERSION_SECTION), read from the file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kx::platform {

class VersionResource {
 public:
  // Null with the last error set when the file cannot be read or has no version resource.
  static std::unique_ptr<VersionResource> Read(const std::u16string& modulePath);
  virtual ~VersionResource() = default;

  // The first entry of "\VarFileInfo\Translation".
  virtual bool FirstTranslation(uint16_t* language, uint16_t* codePage) const = 0;
  // A string value by its full sub-block path, for example
  // "\StringFileInfo\040904b0\ProductVersion".
  virtual bool QueryString(const std::u16string& subBlock, std::u16string* value) const = 0;
};

// The path of the module (shared library or executable) that contains `address`; empty
// when it cannot be found.
std::u16string ModulePathOf(const void* address);

}  // namespace kx::platform

// On systems without version resources, the section of a module that holds its version
// values: lines of UTF-8 text, "<sub-block path>=<value>\n", the translation as
// "\VarFileInfo\Translation=<language hex>,<code page hex>".
#define KX_VERSION_SECTION ".kx_version"
