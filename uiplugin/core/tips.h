// Balloon tips at a control, for the messages of dialogs that check their entries: one
// tracked tip per dialog, shown at the right top corner of the offending control and
// hidden again on the events the dialog chooses.
#pragma once

#include <span>
#include <string>

#include "host/window.h"

namespace kx::ui {

// Where a dialog's tip stands: its window, and the control it is shown at (0: none).
struct TipState {
  host::HWND window = nullptr;
  int shownAt = 0;
};

// When Hide, for an event other than mouse movement, takes the tip down: when it belongs
// to another control than the one named, or only when it belongs to that very control.
enum class TipHideRule { OtherControl, SameControl };

// The tip state of one kind of dialog; the dialog that owns it keeps one module-wide.
class Tips {
 public:
  explicit Tips(TipHideRule rule) : rule_(rule) {}
  Tips(const Tips&) = delete;
  Tips& operator=(const Tips&) = delete;

  // At the dialog's initialisation: the tip window and one tool per control. Without a
  // fixed text the dialog supplies the text when asked (TTN_GETDISPINFOW).
  void Create(host::HWND dialog, std::span<const int> controlIds,
              std::u16string_view fixedText = {});
  // Shows the tip at the control; the text is the dialog's (or the fixed one).
  void ShowAt(int controlId);
  // Mouse movement (WM_MOUSEMOVE) always hides the tip; any other event as the rule says.
  void Hide(host::UINT eventCode, int controlId);

  // The control whose tip is shown, 0 when none.
  int shownControl() const { return shown_; }
  host::HWND window() const { return tip_; }
  TipState state() const { return {.window = tip_, .shownAt = shown_}; }

 private:
  void Deactivate();

  TipHideRule rule_;
  host::HWND dialog_ = nullptr;
  host::HWND tip_ = nullptr;
  host::TOOLINFOW tool_{};
  std::u16string fixedText_;
  int shown_ = 0;
};

}  // namespace kx::ui
