// Code pages: the system's ANSI and OEM code pages and conversions between them and
// UTF-16, with the meaning (arguments, results, last error) of the Win32 calls
// MultiByteToWideChar, WideCharToMultiByte, GetACP, GetOEMCP and GetCPInfoExW.
#pragma once

#include <cstdint>

namespace kx::platform {

inline constexpr uint32_t kCpAcp = 0;
inline constexpr uint32_t kCpOemCp = 1;
inline constexpr uint32_t kCpUtf8 = 65001;

// Flags of the conversion calls that the plug-ins use.
inline constexpr uint32_t kMbPrecomposed = 0x01;
inline constexpr uint32_t kMbErrInvalidChars = 0x08;
inline constexpr uint32_t kWcCompositeCheck = 0x200;
inline constexpr uint32_t kWcDefaultChar = 0x40;
inline constexpr uint32_t kWcErrInvalidChars = 0x80;
inline constexpr uint32_t kWcNoBestFitChars = 0x400;
inline constexpr uint32_t kWcSepChars = 0x20;

// Same layout as CPINFOEXW.
struct CodePageInfoEx {
  uint32_t maxCharSize;
  uint8_t defaultChar[2];
  uint8_t leadByte[12];
  char16_t unicodeDefaultChar;
  uint32_t codePage;
  char16_t codePageName[260];
};
static_assert(sizeof(CodePageInfoEx) == 544);

uint32_t AnsiCodePage();
uint32_t OemCodePage();

// `codePage` may be kCpAcp or kCpOemCp. Fails (last error 87) for a code page the
// system does not know.
bool GetCodePageInfoEx(uint32_t codePage, CodePageInfoEx* info);

// Win32 semantics: a source length of -1 means NUL-terminated, the NUL included in the
// result; a destination size of 0 asks for the needed size; 0 is failure, with last
// error 122 (buffer too small), 87 (bad argument), 1004 (flags the code page does not
// take; UTF-8 takes only kMbErrInvalidChars) or 1113 (invalid input with
// kMbErrInvalidChars).
int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* source, int sourceLength,
                        char16_t* destination, int destinationSize);

// Characters the code page cannot represent become `defaultChar` (the code page's own
// default character when null) and set *usedDefault when given. For UTF-8 both must be
// null (87), and kWcErrInvalidChars turns an unpaired surrogate into failure (1113).
int WideCharToMultiByte(uint32_t codePage, uint32_t flags, const char16_t* source,
                        int sourceLength, char* destination, int destinationSize,
                        const char* defaultChar, bool* usedDefault);

}  // namespace kx::platform
