// Up-down (spin) controls: a range, a position kept inside it, and a buddy window whose
// text shows the position (UDS_SETBUDDYINT).
#include <algorithm>
#include <optional>

#include "dialogs_internal.h"
#include "platform/dialogs.h"

namespace kx::platform::detail {
namespace {

// The range of a new up-down control runs from 100 down to 0, as on Windows.
constexpr int kDefaultMinimum = 100;
constexpr int kDefaultMaximum = 0;
constexpr char16_t kThousandsSeparator = u',';

struct UpDownState : ControlState {
  int minimum = kDefaultMinimum;
  int maximum = kDefaultMaximum;
  int position = 0;
  HWND buddy = nullptr;
};

UpDownState& StateOf(HWND window) { return static_cast<UpDownState&>(*window->state); }

int Clamp(const UpDownState& state, int value) {
  const int low = std::min(state.minimum, state.maximum);
  const int high = std::max(state.minimum, state.maximum);
  return std::clamp(value, low, high);
}

std::u16string FormatPosition(int value, bool thousands) {
  const std::string digits = std::to_string(value < 0 ? -static_cast<long>(value) : value);
  std::u16string text;
  if (value < 0) text.push_back(u'-');
  for (size_t i = 0; i < digits.size(); ++i) {
    if (thousands && i != 0 && (digits.size() - i) % 3 == 0) text.push_back(kThousandsSeparator);
    text.push_back(static_cast<char16_t>(digits[i]));
  }
  return text;
}

// The buddy's text as a number; separators between digit groups are allowed.
std::optional<int> ParsePosition(const std::u16string& text) {
  long value = 0;
  bool negative = false;
  bool anyDigit = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'-' && i == 0) {
      negative = true;
    } else if (c >= u'0' && c <= u'9') {
      value = value * 10 + (c - u'0');
      if (value > 0x7FFF + 1) return std::nullopt;
      anyDigit = true;
    } else if (c != kThousandsSeparator) {
      return std::nullopt;
    }
  }
  if (!anyDigit) return std::nullopt;
  return static_cast<int>(negative ? -value : value);
}

bool SetsBuddyText(HWND window, const UpDownState& state) {
  return (window->style & host::UDS_SETBUDDYINT) != 0 && Live(state.buddy) != nullptr;
}

LRESULT GetPosition(HWND window, UpDownState& state) {
  constexpr host::WORD kError = 1;
  if (SetsBuddyText(window, state)) {
    const std::optional<int> value = ParsePosition(state.buddy->text);
    if (!value || Clamp(state, *value) != *value) {
      return host::MakeLParam(static_cast<host::WORD>(state.position), kError);
    }
    state.position = *value;
  }
  return host::MakeLParam(static_cast<host::WORD>(state.position), 0);
}

LRESULT SetPosition(HWND window, UpDownState& state, int value) {
  const int previous = state.position;
  state.position = Clamp(state, value);
  if (SetsBuddyText(window, state)) {
    SetWindowText(state.buddy,
                  FormatPosition(state.position, (window->style & host::UDS_NOTHOUSANDS) == 0));
  }
  return previous;
}

}  // namespace

std::unique_ptr<ControlState> MakeUpDownState() { return std::make_unique<UpDownState>(); }

void AttachUpDownBuddy(HWND upDown) {
  if ((upDown->style & host::UDS_AUTOBUDDY) == 0 || upDown->parent == nullptr) return;
  // The buddy is the control made just before the up-down control.
  const std::vector<HWND>& siblings = upDown->parent->children;
  const auto at = std::find(siblings.begin(), siblings.end(), upDown);
  if (at != siblings.begin() && at != siblings.end()) StateOf(upDown).buddy = *(at - 1);
}

LRESULT UpDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  UpDownState& state = StateOf(window);
  switch (message) {
    case host::UDM_SETRANGE:
      state.maximum = static_cast<int16_t>(host::LoWord(static_cast<uintptr_t>(lParam)));
      state.minimum = static_cast<int16_t>(host::HiWord(static_cast<uintptr_t>(lParam)));
      return 0;
    case host::UDM_GETRANGE:
      return host::MakeLParam(static_cast<host::WORD>(state.maximum),
                              static_cast<host::WORD>(state.minimum));
    case host::UDM_SETPOS:
      return SetPosition(window, state,
                         static_cast<int16_t>(host::LoWord(static_cast<uintptr_t>(lParam))));
    case host::UDM_GETPOS:
      return GetPosition(window, state);
    case host::UDM_SETBUDDY: {
      HWND previous = state.buddy;
      state.buddy = Live(reinterpret_cast<HWND>(wParam));
      return reinterpret_cast<LRESULT>(previous);
    }
    case host::UDM_GETBUDDY:
      return reinterpret_cast<LRESULT>(Live(state.buddy));
    default:
      return DefaultProcedure(window, message, wParam, lParam);
  }
}

}  // namespace kx::platform::detail
