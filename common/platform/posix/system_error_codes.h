// Translation of errno values into the Win32 error codes the interfaces report.
// Private to the POSIX implementation.
#pragma once

#include <cerrno>
#include <cstdint>

#include "platform/win32_errors.h"

namespace kx::platform::detail {

inline uint32_t Win32ErrorFromErrno(int error) {
  switch (error) {
    case 0: return kErrorSuccess;
    case ENOENT: return kErrorFileNotFound;
    case ENOTDIR: return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return kErrorAccessDenied;
    case EBADF: return kErrorInvalidHandle;
    case ENOMEM: return kErrorNotEnoughMemory;
    case EINVAL: return kErrorInvalidParameter;
    case ENAMETOOLONG: return 206;  // ERROR_FILENAME_EXCED_RANGE
    case EMFILE:
    case ENFILE: return 4;  // ERROR_TOO_MANY_OPEN_FILES
    case EEXIST: return 80;  // ERROR_FILE_EXISTS
    case ENOSPC: return 112;  // ERROR_DISK_FULL
    case EBUSY: return 170;  // ERROR_BUSY
    case ELOOP: return 1921;  // ERROR_CANT_RESOLVE_FILENAME
    default: return 1117;  // ERROR_IO_DEVICE
  }
}

}  // namespace kx::platform::detail
