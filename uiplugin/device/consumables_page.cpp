#include "device/consumables_page.h"

#include <array>
#include <memory>

#include "context_help.h"
#include "device/consumables_layout.h"
#include "device/consumables_state.h"
#include "host/call_barrier.h"
#include "page_set.h"
#include "page_state.h"
#include "platform/dialogs.h"

namespace kx::ui {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr int16_t kMargin = 7;
constexpr int16_t kInnerWidth = 238;
constexpr int16_t kLineHeight = 9;
constexpr int16_t kFirstRowY = 34;
constexpr int16_t kRowPitch = 11;
constexpr int16_t kNameWidth = 118;
constexpr int16_t kNumberX = 130;  // the state word takes the place of the bar and its text
constexpr int16_t kNumberWidth = 115;
constexpr int16_t kBarX = 130;
constexpr int16_t kBarWidth = 75;
constexpr int16_t kBarHeight = 8;
constexpr int16_t kUnitsX = 210;
constexpr int16_t kUnitsWidth = 35;
constexpr int16_t kButtonY = 199;
constexpr int16_t kButtonHeight = 14;
constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;  // printer names and descriptions may hold '&'

constexpr size_t kFixedControlCount = 7;
constexpr size_t kControlCount = kFixedControlCount + kSupplyRowCount * kControlsPerRow;

// The number label is hidden until a state word needs it; the message line takes the rows'
// place only while they are hidden.
constexpr std::array<ControlSpec, kControlCount> MakeControls() {
  std::array<ControlSpec, kControlCount> controls{};
  size_t at = 0;
  controls[at++] = {.id = kConsumablesTitle, .kind = ControlKind::Static, .x = kMargin, .y = 7,
                    .width = kInnerWidth, .height = kLineHeight, .style = kLabel};
  controls[at++] = {.id = kGroupLabel, .kind = ControlKind::Static, .x = kMargin, .y = 21,
                    .width = kNameWidth, .height = kLineHeight, .style = kLabel};
  controls[at++] = {.id = kColumnHeading, .kind = ControlKind::Static, .caption = "남아있는 양",
                    .x = kBarX, .y = 21, .width = kNumberWidth, .height = kLineHeight,
                    .style = kLabel};
  controls[at++] = {.id = kConsumablesMessage, .kind = ControlKind::Static, .x = kMargin,
                    .y = kFirstRowY, .width = kInnerWidth, .height = kLineHeight,
                    .style = kLabel, .hidden = true};
  for (size_t row = 0; row < kSupplyRowCount; ++row) {
    const SupplyRowControls ids = SupplyRow(row);
    const auto y = static_cast<int16_t>(kFirstRowY + kRowPitch * static_cast<int>(row));
    controls[at++] = {.id = ids.name, .kind = ControlKind::Static, .x = kMargin, .y = y,
                      .width = kNameWidth, .height = kLineHeight, .style = kLabel};
    controls[at++] = {.id = ids.number, .kind = ControlKind::Static, .x = kNumberX, .y = y,
                      .width = kNumberWidth, .height = kLineHeight, .style = kLabel,
                      .hidden = true};
    controls[at++] = {.id = ids.bar, .kind = ControlKind::Progress, .x = kBarX, .y = y,
                      .width = kBarWidth, .height = kBarHeight};
    controls[at++] = {.id = ids.units, .kind = ControlKind::Static, .x = kUnitsX, .y = y,
                      .width = kUnitsWidth, .height = kLineHeight, .style = kLabel};
  }
  controls[at++] = {.id = kRefreshButton, .kind = ControlKind::Button, .caption = "재생",
                    .x = kMargin, .y = kButtonY, .width = 60, .height = kButtonHeight,
                    .style = kPushButton};
  controls[at++] = {.id = kBrowserButton, .kind = ControlKind::Button,
                    .caption = "Setting on Browser", .x = 72, .y = kButtonY, .width = 90,
                    .height = kButtonHeight, .style = kPushButton | WS_DISABLED};
  controls[at++] = {.id = kShopButton, .kind = ControlKind::Button, .caption = "웹 상점",
                    .x = 167, .y = kButtonY, .width = 78, .height = kButtonHeight,
                    .style = kPushButton | WS_DISABLED, .hidden = true};
  return controls;
}

constexpr std::array<ControlSpec, kControlCount> kControls = MakeControls();

constexpr platform::DialogSpec kSpec = {
    .templateId = kConsumablesPageId,
    .caption = "소모품",
    .width = 252,
    .height = 218,
    .style = WS_CHILD | WS_CAPTION | DS_CONTROL,
    .controls = kControls,
};

// Each row's bar, then the buttons.
constexpr std::array<HelpTopic, kSupplyRowCount + 4> MakeHelpTopics() {
  std::array<HelpTopic, kSupplyRowCount + 4> topics{};
  size_t at = 0;
  for (size_t row = 0; row < kSupplyRowCount; ++row) {
    const int bar = SupplyRow(row).bar;
    topics[at++] = {.controlId = bar, .topicId = bar};
  }
  for (const int button : {kBrowserButton, kShopButton, kRefreshButton}) {
    topics[at++] = {.controlId = button, .topicId = button};
  }
  return topics;  // the last one stays {0, 0}
}

constexpr std::array<HelpTopic, kSupplyRowCount + 4> kHelpTopics = MakeHelpTopics();
constexpr DialogHelp kHelp = {.templateId = kConsumablesPageId, .topics = kHelpTopics};

ConsumablesPage* StateOf(HWND page) { return PageStateOf<ConsumablesPage>(page); }

INT_PTR OnNotify(HWND page, ConsumablesPage* state, const NMHDR& header) {
  if (header.code != PSN_SETACTIVE) return 0;
  state->OnSetActive();
  platform::SetWindowLongPtr(page, DWLP_MSGRESULT, 0);  // the page may be shown
  return 1;
}

INT_PTR Dispatch(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    CreateContextPageState<ConsumablesPage>(page, lParam);
    return 1;
  }
  ConsumablesPage* state = StateOf(page);
  if (state == nullptr) return 0;
  switch (message) {
    case WM_DESTROY:
      DestroyPageState<ConsumablesPage>(page);
      return 0;
    case WM_COMMAND:
      state->OnCommand(LoWord(wParam), HiWord(wParam));
      return 0;
    case WM_NOTIFY:
      if (lParam == 0) return 0;
      return OnNotify(page, state, *reinterpret_cast<const NMHDR*>(lParam));
    default:
      return 0;
  }
}

}  // namespace

const platform::DialogSpec& ConsumablesPageSpec() { return kSpec; }

INT_PTR KX_STDCALL ConsumablesPageProcedure(HWND page, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  return DialogBarrier([&]() -> INT_PTR {
    if (AnswerHelpRequest(page, message, wParam, lParam, kHelp)) return 1;
    return Dispatch(page, message, wParam, lParam);
  });
}

}  // namespace kx::ui
