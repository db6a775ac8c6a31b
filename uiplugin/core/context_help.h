// Context help and the About-box menu, the same in every dialog and page: WM_HELP and
// WM_CONTEXTMENU on a control open that control's help page, WM_CONTEXTMENU on the
// dialog itself offers the About box, and PSN_HELP or the Help button open the dialog's
// own page.
#pragma once

#include <span>

#include "host/window.h"

namespace kx::ui {

// The Help button of a modal dialog (IDHELP).
inline constexpr int kHelpButtonId = 9;
// The one item of the dialog's context menu.
inline constexpr host::UINT kAboutCommand = 40005;

// One control's topic; a table ends with {0, 0}.
struct HelpTopic {
  int controlId = 0;
  int topicId = 0;
};

struct DialogHelp {
  int templateId = 0;                    // the dialog's own topic
  std::span<const HelpTopic> topics;
};

// Answers the message when it is a help request; true when it was one.
bool AnswerHelpRequest(host::HWND dialog, host::UINT message, host::WPARAM wParam,
                       host::LPARAM lParam, const DialogHelp& help);

}  // namespace kx::ui
