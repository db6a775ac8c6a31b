#include "tips.h"

#include "platform/dialogs.h"

namespace kx::ui {
namespace {

using namespace host;

constexpr WPARAM kMaxTipWidth = 300;  // pixels

LPARAM ScreenPoint(LONG x, LONG y) {
  return MakeLParam(static_cast<WORD>(x & 0xFFFF), static_cast<WORD>(y & 0xFFFF));
}

}  // namespace

void Tips::Create(HWND dialog, std::span<const int> controlIds, std::u16string_view fixedText) {
  dialog_ = dialog;
  shown_ = 0;
  fixedText_.assign(fixedText);
  tip_ = platform::CreateTooltipWindow(dialog, TTS_NOPREFIX | TTS_BALLOON);
  platform::SendMessage(tip_, TTM_ACTIVATE, 1, 0);
  platform::SendMessage(tip_, TTM_SETMAXTIPWIDTH, 0, static_cast<LPARAM>(kMaxTipWidth));
  tool_ = TOOLINFOW{};
  tool_.cbSize = sizeof(TOOLINFOW);
  tool_.uFlags = TTF_IDISHWND | TTF_TRACK;
  tool_.hwnd = dialog;
  tool_.lpszText = fixedText_.empty() ? LPSTR_TEXTCALLBACKW : fixedText_.data();
  for (const int id : controlIds) {
    tool_.uId = reinterpret_cast<UINT_PTR>(platform::GetDlgItem(dialog, id));
    platform::SendMessage(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_));
  }
}

void Tips::ShowAt(int controlId) {
  HWND control = platform::GetDlgItem(dialog_, controlId);
  RECT rect{};
  if (tip_ == nullptr || control == nullptr || !platform::GetWindowRect(control, &rect)) return;
  platform::SendMessage(tip_, TTM_TRACKPOSITION, 0, ScreenPoint(rect.right, rect.top));
  tool_.uId = reinterpret_cast<UINT_PTR>(control);
  platform::SendMessage(tip_, TTM_TRACKACTIVATE, 1, reinterpret_cast<LPARAM>(&tool_));
  shown_ = controlId;
}

void Tips::Hide(UINT eventCode, int controlId) {
  if (eventCode == WM_MOUSEMOVE) {
    Deactivate();
    return;
  }
  if (shown_ == 0) return;
  const bool other = shown_ != controlId;
  if (rule_ == TipHideRule::OtherControl ? other : !other) Deactivate();
}

void Tips::Deactivate() {
  if (tip_ != nullptr) {
    platform::SendMessage(tip_, TTM_TRACKACTIVATE, 0, reinterpret_cast<LPARAM>(&tool_));
  }
  shown_ = 0;
}

}  // namespace kx::ui
