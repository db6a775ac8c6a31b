// Win32 error codes and flags that the plug-ins keep in their results on every system.
#pragma once

#include <cstdint>

namespace kx::platform {

inline constexpr uint32_t kErrorSuccess = 0;
inline constexpr uint32_t kErrorFileNotFound = 2;
inline constexpr uint32_t kErrorPathNotFound = 3;
inline constexpr uint32_t kErrorAccessDenied = 5;
inline constexpr uint32_t kErrorInvalidHandle = 6;
inline constexpr uint32_t kErrorNotEnoughMemory = 8;
inline constexpr uint32_t kErrorInvalidData = 13;
inline constexpr uint32_t kErrorGenFailure = 31;
inline constexpr uint32_t kErrorNotSupported = 50;
inline constexpr uint32_t kErrorInvalidParameter = 87;
inline constexpr uint32_t kErrorInsufficientBuffer = 122;
inline constexpr uint32_t kErrorInvalidName = 123;
inline constexpr uint32_t kErrorInvalidLevel = 124;
inline constexpr uint32_t kErrorModNotFound = 126;
inline constexpr uint32_t kErrorProcNotFound = 127;
inline constexpr uint32_t kErrorBadPathname = 161;
inline constexpr uint32_t kErrorMoreData = 234;
inline constexpr uint32_t kErrorNoMoreItems = 259;
inline constexpr uint32_t kErrorResourceTypeNotFound = 1813;
inline constexpr uint32_t kErrorInvalidFlags = 1004;
inline constexpr uint32_t kErrorBadDatabase = 1009;
inline constexpr uint32_t kErrorRegistryIoFailed = 1016;
inline constexpr uint32_t kErrorKeyDeleted = 1018;
inline constexpr uint32_t kErrorNoUnicodeTranslation = 1113;
inline constexpr uint32_t kErrorInvalidPrinterName = 1801;

}  // namespace kx::platform
