// Loading a shared library by path and finding its exported functions.
#pragma once

#include <string>

namespace kx::platform {

using ModuleHandle = void*;

// Null on failure; *error (when given) then says why.
ModuleHandle LoadModule(const std::string& path, std::string* error);
void* FindExport(ModuleHandle module, const char* name);
void UnloadModule(ModuleHandle module);

// The system directory (GetSystemDirectoryW), under which the printer drivers' folders
// lie. Empty on systems that have none.
std::u16string SystemDirectory();

}  // namespace kx::platform
