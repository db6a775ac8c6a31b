#include "platform/module.h"

#include <dlfcn.h>

#include "platform/last_error.h"
#include "platform/win32_errors.h"

namespace kx::platform {

ModuleHandle LoadModule(const std::string& path, std::string* error) {
  // dlopen of an empty name would hand back the program itself.
  if (path.empty()) {
    if (error != nullptr) *error = "empty module path";
    SetLastErrorCode(kErrorModNotFound);
    return nullptr;
  }
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    if (error != nullptr) {
      const char* message = ::dlerror();
      *error = message != nullptr ? message : "cannot load " + path;
    }
    SetLastErrorCode(kErrorModNotFound);
  }
  return module;
}

void* FindExport(ModuleHandle module, const char* name) {
  if (module == nullptr || name == nullptr) {
    SetLastErrorCode(kErrorInvalidHandle);
    return nullptr;
  }
  void* symbol = ::dlsym(module, name);
  if (symbol == nullptr) SetLastErrorCode(kErrorProcNotFound);
  return symbol;
}

void UnloadModule(ModuleHandle module) {
  if (module != nullptr) ::dlclose(module);
}

}  // namespace kx::platform

namespace kx::platform {

// POSIX systems have no system directory; module paths there are always absolute.
std::u16string SystemDirectory() { return {}; }

}  // namespace kx::platform
