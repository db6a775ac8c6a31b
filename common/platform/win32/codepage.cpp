#include "platform/codepage.h"

#include <cstddef>
#include <cstring>

#include "windows_support.h"

namespace kx::platform {

static_assert(sizeof(CPINFOEXW) == sizeof(CodePageInfoEx));
static_assert(offsetof(CPINFOEXW, MaxCharSize) == offsetof(CodePageInfoEx, maxCharSize));
static_assert(offsetof(CPINFOEXW, DefaultChar) == offsetof(CodePageInfoEx, defaultChar));
static_assert(offsetof(CPINFOEXW, LeadByte) == offsetof(CodePageInfoEx, leadByte));
static_assert(offsetof(CPINFOEXW, UnicodeDefaultChar) ==
              offsetof(CodePageInfoEx, unicodeDefaultChar));
static_assert(offsetof(CPINFOEXW, CodePage) == offsetof(CodePageInfoEx, codePage));
static_assert(offsetof(CPINFOEXW, CodePageName) == offsetof(CodePageInfoEx, codePageName));

uint32_t AnsiCodePage() { return ::GetACP(); }

uint32_t OemCodePage() { return ::GetOEMCP(); }

bool GetCodePageInfoEx(uint32_t codePage, CodePageInfoEx* info) {
  if (info == nullptr) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  CPINFOEXW system{};
  if (!::GetCPInfoExW(codePage, 0, &system)) return false;
  std::memcpy(info, &system, sizeof system);
  return true;
}

int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* source, int sourceLength,
                        char16_t* destination, int destinationSize) {
  return ::MultiByteToWideChar(codePage, flags, source, sourceLength, win32::Wide(destination),
                               destinationSize);
}

int WideCharToMultiByte(uint32_t codePage, uint32_t flags, const char16_t* source,
                        int sourceLength, char* destination, int destinationSize,
                        const char* defaultChar, bool* usedDefault) {
  BOOL used = FALSE;
  const int result =
      ::WideCharToMultiByte(codePage, flags, win32::Wide(source), sourceLength, destination,
                            destinationSize, defaultChar, usedDefault != nullptr ? &used : nullptr);
  if (usedDefault != nullptr) *usedDefault = used != FALSE;
  return result;
}

}  // namespace kx::platform
