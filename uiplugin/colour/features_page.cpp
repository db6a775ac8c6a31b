#include "colour/features_page.h"

#include <memory>

#include "colour/features_page_state.h"
#include "context_help.h"
#include "host/call_barrier.h"
#include "page_set.h"
#include "page_state.h"
#include "platform/dialogs.h"

namespace kx::ui {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP;
// Neither list is sorted: the resolutions keep the PPD's order, the colour sets the
// predefined ones first and then the store's.
constexpr DWORD kDropDownList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr int kUnnamed = -1;

constexpr int16_t kLabelX = 16;
constexpr int16_t kLabelWidth = 70;
constexpr int16_t kFieldX = 92;
constexpr int16_t kFieldWidth = 140;
constexpr int16_t kButtonHeight = 14;
constexpr int16_t kListHeight = 100;  // with its drop-down part

constexpr ControlSpec Button(int id, const char* caption, int16_t y) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = kFieldX, .y = y,
          .width = kFieldWidth, .height = kButtonHeight, .style = kPushButton};
}
constexpr ControlSpec Label(int id, const char* caption, int16_t y) {
  return {.id = id, .kind = ControlKind::Static, .caption = caption, .x = kLabelX,
          .y = static_cast<int16_t>(y + 2), .width = kLabelWidth, .height = 8};
}
constexpr ControlSpec List(int id, int16_t y) {
  return {.id = id, .kind = ControlKind::ComboBox, .x = kFieldX, .y = y, .width = kFieldWidth,
          .height = kListHeight, .style = kDropDownList};
}

// Tab order is table order.
constexpr ControlSpec kControls[] = {
    {.id = kFeaturesFrame, .kind = ControlKind::Button, .x = 7, .y = 7, .width = 238,
     .height = 204, .style = BS_GROUPBOX},
    Label(kResolutionLabel, "해상도(DPI)", 22),
    List(kResolutionList, 22),
    Button(kGraphicsOptionsButton, "고급 그래픽 옵션", 42),
    {.id = kQuickColourGroup, .kind = ControlKind::Button, .caption = "빠른 색상 구성", .x = 12,
     .y = 66, .width = 228, .height = 58, .style = BS_GROUPBOX},
    Label(kQuickColourLabel, "색상 구성:", 82),
    List(kQuickColourList, 82),
    Button(kAdvancedColourButton, "고급 컬러 옵션", 102),
    Button(kPostScriptOptionsButton, "포스트 스크립트 옵션", 136),
    Button(kEmailNotificationButton, "이메일 알림", 156),
    Button(kCustomSettingsButton, "사용자 정의 설정", 176),
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kFeaturesPageId,
    .caption = "기능",
    .width = 252,
    .height = 218,
    .style = WS_CHILD | WS_CAPTION | DS_CONTROL,
    .controls = kControls,
};

constexpr HelpTopic Topic(int id) { return {.controlId = id, .topicId = id}; }

constexpr HelpTopic kHelpTopics[] = {
    Topic(kResolutionList),          Topic(kGraphicsOptionsButton),
    Topic(kQuickColourList),         Topic(kAdvancedColourButton),
    Topic(kPostScriptOptionsButton), Topic(kEmailNotificationButton),
    Topic(kCustomSettingsButton),    {},
};
constexpr DialogHelp kHelp = {.templateId = kFeaturesPageId, .topics = kHelpTopics};

void OnOtherMessage(FeaturesPage& state, UINT message, WPARAM) {
  if (message == WM_SHOWWINDOW) state.OnShowOrHide();
}

INT_PTR Dispatch(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchPageMessage<FeaturesPage>(page, message, wParam, lParam,
                                           CreatePageState<FeaturesPage>, OnOtherMessage);
}

}  // namespace

const platform::DialogSpec& FeaturesPageSpec() { return kSpec; }

INT_PTR KX_STDCALL FeaturesPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return DialogBarrier([&]() -> INT_PTR {
    if (AnswerHelpRequest(page, message, wParam, lParam, kHelp)) return 1;
    return Dispatch(page, message, wParam, lParam);
  });
}

}  // namespace kx::ui
