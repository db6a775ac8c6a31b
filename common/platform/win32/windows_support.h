// The one place the Win32 implementation includes <windows.h>: the system headers with
// the macros that would rename this layer's own functions removed, conversions between
// the layer's char16_t text and the system's wchar_t text, and handles that close
// themselves. Private to the Win32 implementation.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>

// winspool.h maps these names to their A or W forms, which would rename the layer's
// functions of the same names.
#undef OpenPrinter
#undef GetPrinterDriver
#undef GetPrinterData
#undef SetPrinterData

// user32 maps these names to their A or W forms; the dialog services have functions of the
// same names. (A file that includes both platform/dialogs.h and this header includes
// platform/dialogs.h first: the message and style values of host/window.h have the names
// of <windows.h>'s macros.)
#undef SendMessage
#undef SendDlgItemMessage
#undef SetWindowText
#undef GetWindowText
#undef SetDlgItemText
#undef GetDlgItemText
#undef MessageBox
#undef CreateDialogIndirectParam
#undef DialogBoxIndirectParam
#undef GetClassName
#undef SetWindowLongPtr
#undef GetWindowLongPtr

#include <string>

namespace kx::platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is wchar_t on Windows");

inline const wchar_t* Wide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* Wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
inline const wchar_t* Wide(const std::u16string& text) { return Wide(text.c_str()); }
// For calls that take a non-const string they do not change.
inline wchar_t* MutableWide(const std::u16string& text) {
  return const_cast<wchar_t*>(Wide(text.c_str()));
}

// A window's text (GetWindowTextW); empty for no window.
inline std::u16string WindowText(::HWND window) {
  if (window == nullptr) return {};
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const int copied = ::GetWindowTextW(window, Wide(text.data()), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

// A registry key handle that closes itself.
class UniqueRegistryKey {
 public:
  UniqueRegistryKey() = default;
  explicit UniqueRegistryKey(HKEY key) : key_(key) {}
  ~UniqueRegistryKey() { reset(); }
  UniqueRegistryKey(UniqueRegistryKey&& other) noexcept : key_(other.key_) {
    other.key_ = nullptr;
  }
  UniqueRegistryKey& operator=(UniqueRegistryKey&& other) noexcept {
    if (this != &other) {
      reset();
      key_ = other.key_;
      other.key_ = nullptr;
    }
    return *this;
  }
  UniqueRegistryKey(const UniqueRegistryKey&) = delete;
  UniqueRegistryKey& operator=(const UniqueRegistryKey&) = delete;

  HKEY get() const { return key_; }
  void reset() {
    if (key_ != nullptr) ::RegCloseKey(key_);
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
};

// A kernel object handle that closes itself.
class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueHandle() {
    if (valid()) ::CloseHandle(handle_);
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  // Closes now, so that a failing close can be reported.
  bool close() {
    const BOOL closed = ::CloseHandle(handle_);
    handle_ = nullptr;
    return closed != FALSE;
  }

 private:
  HANDLE handle_;
};

}  // namespace kx::platform::win32
