#include "context_help.h"

#include <string>
#include <vector>

#include "about_box.h"
#include "help_path.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "version_strings.h"

namespace kx::ui {
namespace {

using namespace host;

constexpr char16_t kAboutItem[] = u"정보...";
// WM_CONTEXTMENU from the keyboard carries no pointer position.
constexpr LPARAM kNoPosition = -1;

void OpenTopic(int topicId) { platform::OpenPage(TopicPage(Module().HelpRoot(), topicId)); }

// The control's topic, 0 when the table has none.
int TopicOf(const DialogHelp& help, int controlId) {
  for (const HelpTopic& topic : help.topics) {
    if (topic.controlId == 0 && topic.topicId == 0) break;
    if (topic.controlId == controlId) return topic.topicId;
  }
  return 0;
}

void OpenControlTopic(const DialogHelp& help, int controlId) {
  if (controlId == 0) return;
  if (const int topic = TopicOf(help, controlId)) OpenTopic(topic);
}

POINT PointerOf(LPARAM lParam) {
  POINT point{};
  if (lParam == kNoPosition) {
    platform::GetCursorPos(&point);
  } else {
    point.x = static_cast<int16_t>(LoWord(static_cast<uintptr_t>(lParam)));
    point.y = static_cast<int16_t>(HiWord(static_cast<uintptr_t>(lParam)));
  }
  return point;
}

void OfferAboutBox(HWND dialog, LPARAM position) {
  const POINT at = PointerOf(position);
  const std::vector<platform::MenuItem> items = {{kAboutCommand, kAboutItem}};
  if (platform::TrackPopupMenu(dialog, items, at.x, at.y) == kAboutCommand) {
    ShowAboutBox(dialog, ReadModuleVersion().get());
  }
}

void OnContextMenu(HWND dialog, HWND window, LPARAM position, const DialogHelp& help) {
  if (window == dialog) {
    OfferAboutBox(dialog, position);
  } else {
    OpenControlTopic(help, platform::GetDlgCtrlID(window));
  }
}

}  // namespace

bool AnswerHelpRequest(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                       const DialogHelp& help) {
  switch (message) {
    case WM_HELP:
      if (const auto* info = reinterpret_cast<const HELPINFO*>(lParam)) {
        OpenControlTopic(help, info->iCtrlId);
      }
      return true;
    case WM_CONTEXTMENU:
      OnContextMenu(dialog, reinterpret_cast<HWND>(wParam), lParam, help);
      return true;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header == nullptr || header->code != PSN_HELP) return false;
      OpenTopic(help.templateId);
      return true;
    }
    case WM_COMMAND:
      if (LoWord(wParam) != kHelpButtonId) return false;
      OpenTopic(help.templateId);
      return true;
    default:
      return false;
  }
}

}  // namespace kx::ui
