#include "window_picture.h"  // before <windows.h>: host/window.h has names it defines

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform/files.h"

namespace kx::hostsim {
namespace {

// The display driver sends what a window drew to the screen a moment after it drew it,
// while the thread waits for messages.
constexpr unsigned kDrawingTimeMs = 500;
constexpr DWORD kPollMs = 20;
constexpr WORD kBitsPerPixel = 32;  // blue, green, red, unused

::HWND Native(host::HWND window) { return reinterpret_cast<::HWND>(window); }

// A device context and a top-down 32-bit bitmap selected into it, released together.
class ScreenCopy {
 public:
  ScreenCopy(int width, int height) : screen_(::GetDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    if (screen_ == nullptr) return;
    memory_ = ::CreateCompatibleDC(screen_);
    bitmap_ = ::CreateDIBSection(screen_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (memory_ != nullptr && bitmap_ != nullptr) previous_ = ::SelectObject(memory_, bitmap_);
  }
  ~ScreenCopy() {
    if (previous_ != nullptr) ::SelectObject(memory_, previous_);
    if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
    if (memory_ != nullptr) ::DeleteDC(memory_);
    if (screen_ != nullptr) ::ReleaseDC(nullptr, screen_);
  }
  ScreenCopy(const ScreenCopy&) = delete;
  ScreenCopy& operator=(const ScreenCopy&) = delete;

  // The pixels of the screen's rectangle, blue-green-red-unused each.
  const uint8_t* Copy(const RECT& area) {
    if (previous_ == nullptr) return nullptr;
    const bool copied = ::BitBlt(memory_, 0, 0, area.right - area.left, area.bottom - area.top,
                                 screen_, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    return copied ? static_cast<const uint8_t*>(bits_) : nullptr;
  }

 private:
  HDC screen_ = nullptr;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
};

}  // namespace

void HandleMessagesFor(unsigned durationMs) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < durationMs) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
  }
}

void DrawOnScreen(host::HWND window) {
  ::ShowWindow(Native(window), SW_SHOW);
  ::RedrawWindow(Native(window), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HandleMessagesFor(kDrawingTimeMs);
}

RgbImage TakePicture(host::HWND window) {
  RECT area{};
  if (!::GetWindowRect(Native(window), &area) || area.right <= area.left ||
      area.bottom <= area.top) {
    return {};
  }
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  ScreenCopy copy(width, height);
  const uint8_t* bits = copy.Copy(area);
  if (bits == nullptr) return {};
  RgbImage picture{.width = static_cast<uint32_t>(width),
                   .height = static_cast<uint32_t>(height),
                   .pixels = {}};
  picture.pixels.reserve(size_t{picture.width} * picture.height * 3);
  for (size_t pixel = 0; pixel < size_t{picture.width} * picture.height; ++pixel) {
    const uint8_t* bgrx = bits + pixel * 4;
    picture.pixels.insert(picture.pixels.end(), {bgrx[2], bgrx[1], bgrx[0]});
  }
  return picture;
}

bool SavePicture(const RgbImage& picture, const std::u16string& path, std::string* error) {
  if (!picture.valid()) {
    *error = "the screen could not be read";
    return false;
  }
  if (picture.ColourCount() <= 1) {
    *error = "the picture is blank (one colour)";
    return false;
  }
  if (!platform::WriteWholeFile(path, EncodePng(picture))) {
    *error = "the picture file cannot be written";
    return false;
  }
  return true;
}

}  // namespace kx::hostsim
