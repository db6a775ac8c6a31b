// Drives a modal dialog of the platform's dialog services the way a user's actions reach
// it: typing into a box and leaving it (so that EN_KILLFOCUS arrives), clicks, choices
// in a list; and reads back what the user would see. Works over the headless services
// and over user32 and comctl32 alike.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/window.h"
#include "platform/dialogs.h"
#include "tips.h"

namespace kx::test {

class DialogDriver {
 public:
  // `restId`: a control whose taking the focus does nothing (a push button, say), where
  // the focus goes when a box is left.
  DialogDriver(host::HWND dialog, int restId) : dialog_(dialog), restId_(restId) {}

  host::HWND dialog() const { return dialog_; }
  host::HWND Control(int id) const { return platform::GetDlgItem(dialog_, id); }
  // Open: not ended (an ended dialog is hidden until its modal loop returns).
  bool Open() const { return platform::IsWindowVisible(dialog_); }

  void Focus(int id) const { platform::SetFocus(Control(id)); }
  // Focuses the box, selects its whole text, deletes it and types `text` one character
  // at a time, so that entry limits and digits-only boxes apply as to a user's typing.
  void Type(int id, std::u16string_view text) const {
    constexpr char16_t kBackspace = 8;
    const host::HWND box = Control(id);
    platform::SetFocus(box);
    platform::SendMessage(box, host::EM_SETSEL, 0, -1);
    platform::SendMessage(box, host::WM_CHAR, kBackspace, 1);
    for (const char16_t c : text) platform::SendMessage(box, host::WM_CHAR, c, 1);
  }
  // Types into the box and leaves it.
  void Enter(int id, std::u16string_view text) const {
    Type(id, text);
    Leave();
  }
  // Moves the focus to the rest control: the control that had it is left.
  void Leave() const { Focus(restId_); }
  // Focuses a control and leaves it again.
  void Visit(int id) const {
    Focus(id);
    Leave();
  }
  void Click(int id) const { platform::SendMessage(Control(id), host::BM_CLICK, 0, 0); }
  // A command the dialog gets without a control of its own (IDCANCEL from Escape).
  void Command(int id) const {
    platform::SendMessage(dialog_, host::WM_COMMAND,
                          host::MakeWParam(static_cast<host::WORD>(id), host::BN_CLICKED), 0);
  }

  // Selects item `index` of a combo box and tells the dialog, as a user's choice does.
  bool Choose(int id, int index) const {
    const host::HWND list = Control(id);
    if (index < 0 || platform::SendMessage(list, host::CB_SETCURSEL,
                                           static_cast<host::WPARAM>(index), 0) != index) {
      return false;
    }
    platform::SendMessage(
        dialog_, host::WM_COMMAND,
        host::MakeWParam(static_cast<host::WORD>(id), static_cast<host::WORD>(host::CBN_SELCHANGE)),
        reinterpret_cast<host::LPARAM>(list));
    return true;
  }
  // The same for the item whose item data is `data`.
  bool ChooseData(int id, host::LRESULT data) const {
    const std::vector<host::LRESULT> all = ItemData(id);
    const auto found = std::find(all.begin(), all.end(), data);
    return found != all.end() && Choose(id, static_cast<int>(found - all.begin()));
  }

  std::u16string Text(int id) const { return platform::GetDlgItemText(dialog_, id); }
  bool Checked(int id) const {
    return platform::SendMessage(Control(id), host::BM_GETCHECK, 0, 0) ==
           static_cast<host::LRESULT>(host::BST_CHECKED);
  }
  bool Enabled(int id) const { return platform::IsWindowEnabled(Control(id)); }
  int Selection(int id) const {
    return static_cast<int>(platform::SendMessage(Control(id), host::CB_GETCURSEL, 0, 0));
  }
  std::vector<std::u16string> Items(int id) const {
    std::vector<std::u16string> texts;
    const host::HWND list = Control(id);
    const host::LRESULT count = platform::SendMessage(list, host::CB_GETCOUNT, 0, 0);
    for (host::LRESULT i = 0; i < count; ++i) {
      const auto at = static_cast<host::WPARAM>(i);
      const host::LRESULT length = platform::SendMessage(list, host::CB_GETLBTEXTLEN, at, 0);
      std::u16string text(static_cast<size_t>(std::max<host::LRESULT>(length, 0)) + 1, u'\0');
      platform::SendMessage(list, host::CB_GETLBTEXT, at, reinterpret_cast<host::LPARAM>(text.data()));
      text.resize(static_cast<size_t>(std::max<host::LRESULT>(length, 0)));
      texts.push_back(std::move(text));
    }
    return texts;
  }
  std::vector<host::LRESULT> ItemData(int id) const {
    std::vector<host::LRESULT> data;
    const host::HWND list = Control(id);
    const host::LRESULT count = platform::SendMessage(list, host::CB_GETCOUNT, 0, 0);
    for (host::LRESULT i = 0; i < count; ++i) {
      data.push_back(
          platform::SendMessage(list, host::CB_GETITEMDATA, static_cast<host::WPARAM>(i), 0));
    }
    return data;
  }
  std::u16string SelectedText(int id) const {
    const int selected = Selection(id);
    const std::vector<std::u16string> items = Items(id);
    return selected >= 0 && static_cast<size_t>(selected) < items.size() ? items[selected] : u"";
  }

 private:
  host::HWND dialog_;
  int restId_;
};

// Runs `script` on each modal dialog opened while it lives, as the user of that dialog.
// A script that leaves the dialog open has it ended with kLeftOpen, so that a test never
// waits on a dialog nobody closes.
class ModalScript {
 public:
  static constexpr host::INT_PTR kLeftOpen = -2;
  using Script = std::function<void(DialogDriver&)>;

  ModalScript(int restId, Script script) : restId_(restId), script_(std::move(script)) {
    platform::SetModalDialogResponder(&ModalScript::Respond, this);
  }
  ~ModalScript() { platform::SetModalDialogResponder(nullptr, nullptr); }
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  int runs() const { return runs_; }

 private:
  static void Respond(void* context, host::HWND dialog) {
    auto* self = static_cast<ModalScript*>(context);
    ++self->runs_;
    // The system's modal loop shows the dialog only once it has nothing else to do; a
    // user acts on a dialog that is shown.
    if (!platform::IsWindowVisible(dialog)) platform::ShowWindow(dialog, host::SW_SHOW);
    DialogDriver driver(dialog, self->restId_);
    self->script_(driver);
    if (driver.Open()) platform::EndDialog(dialog, kLeftOpen);
  }

  int restId_;
  Script script_;
  int runs_ = 0;
};

// The message boxes shown while it lives, each answered with its first button.
class MessageBoxLog {
 public:
  struct Box {
    std::u16string text;
    std::u16string caption;
    host::UINT type = 0;
  };

  MessageBoxLog() { platform::SetMessageBoxResponder(&MessageBoxLog::Take, this); }
  ~MessageBoxLog() { platform::SetMessageBoxResponder(nullptr, nullptr); }
  MessageBoxLog(const MessageBoxLog&) = delete;
  MessageBoxLog& operator=(const MessageBoxLog&) = delete;

  const std::vector<Box>& boxes() const { return boxes_; }

 private:
  static int Take(void* context, const std::u16string& text, const std::u16string& caption,
                  host::UINT type) {
    static_cast<MessageBoxLog*>(context)->boxes_.push_back({text, caption, type});
    return host::IDOK;
  }
  std::vector<Box> boxes_;
};

// What a dialog's balloon shows: the control it points at (0: none shown) and its text.
struct ShownBalloon {
  int at = 0;
  std::u16string text;
};
inline ShownBalloon BalloonShown(const ui::TipState& tip) {
  if (tip.window == nullptr || tip.shownAt == 0 || !platform::IsWindowVisible(tip.window)) {
    return {};
  }
  return {tip.shownAt, platform::GetWindowText(tip.window)};
}

}  // namespace kx::test
