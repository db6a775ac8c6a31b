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

namespace {

constexpr UINT kGb18030 = 54936;

// UTF-8 and GB 18030 take only the invalid-characters flags and never a default character.
// Windows refuses everything else as documented; Wine lets it through, so the rules are
// kept here, where they cost nothing on Windows.
bool TakesOnlyErrorFlags(uint32_t codePage) { return codePage == CP_UTF8 || codePage == kGb18030; }

bool Refuse(DWORD error) {
  ::SetLastError(error);
  return true;
}

bool RefusedToWide(uint32_t codePage, uint32_t flags) {
  return TakesOnlyErrorFlags(codePage) && (flags & ~DWORD{MB_ERR_INVALID_CHARS}) != 0 &&
         Refuse(ERROR_INVALID_FLAGS);
}

bool RefusedToBytes(uint32_t codePage, uint32_t flags, const char* defaultChar,
                    const bool* usedDefault) {
  if (TakesOnlyErrorFlags(codePage)) {
    if ((flags & ~DWORD{WC_ERR_INVALID_CHARS}) != 0) return Refuse(ERROR_INVALID_FLAGS);
    if (codePage == CP_UTF8 && (defaultChar != nullptr || usedDefault != nullptr)) {
      return Refuse(ERROR_INVALID_PARAMETER);
    }
    return false;
  }
  return (flags & WC_ERR_INVALID_CHARS) != 0 && Refuse(ERROR_INVALID_FLAGS);
}

}  // namespace

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
  if (RefusedToWide(codePage, flags)) return 0;
  return ::MultiByteToWideChar(codePage, flags, source, sourceLength, win32::Wide(destination),
                               destinationSize);
}

int WideCharToMultiByte(uint32_t codePage, uint32_t flags, const char16_t* source,
                        int sourceLength, char* destination, int destinationSize,
                        const char* defaultChar, bool* usedDefault) {
  if (RefusedToBytes(codePage, flags, defaultChar, usedDefault)) return 0;
  BOOL used = FALSE;
  const int result =
      ::WideCharToMultiByte(codePage, flags, win32::Wide(source), sourceLength, destination,
                            destinationSize, defaultChar, usedDefault != nullptr ? &used : nullptr);
  if (usedDefault != nullptr) *usedDefault = used != FALSE;
  return result;
}

}  // namespace kx::platform
