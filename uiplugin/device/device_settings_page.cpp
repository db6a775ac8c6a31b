#include "device/device_settings_page.h"

#include <memory>

#include "context_help.h"
#include "device/device_settings_state.h"
#include "host/call_barrier.h"
#include "page_set.h"
#include "page_state.h"
#include "platform/dialogs.h"

namespace kx::ui {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr int kUnnamed = -1;
constexpr DWORD kTextBox = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
// Unsorted: the options keep the PPD's order, and a moved option goes to the end.
constexpr DWORD kOptionList = LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP;

constexpr int16_t kLabelX = 16;
constexpr int16_t kLabelWidth = 60;
constexpr int16_t kFieldX = 80;
constexpr int16_t kFieldWidth = 156;
constexpr int16_t kListWidth = 95;
constexpr int16_t kListY = 134;
constexpr int16_t kListHeight = 77;

constexpr ControlSpec Label(const char* caption, int16_t y) {
  return {.id = kUnnamed, .kind = ControlKind::Static, .caption = caption, .x = kLabelX,
          .y = static_cast<int16_t>(y + 2), .width = kLabelWidth, .height = 8};
}
constexpr ControlSpec TextBox(int id, int16_t y, DWORD style, int limit) {
  return {.id = id, .kind = ControlKind::Edit, .x = kFieldX, .y = y, .width = kFieldWidth,
          .height = 12, .style = kTextBox | style, .limit = limit};
}
constexpr ControlSpec OptionList(int id, int16_t x) {
  return {.id = id, .kind = ControlKind::ListBox, .x = x, .y = kListY, .width = kListWidth,
          .height = kListHeight, .style = kOptionList};
}
constexpr ControlSpec Button(int id, const char* caption, int16_t y) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = 107, .y = y,
          .width = 38, .height = 14, .style = BS_PUSHBUTTON | WS_TABSTOP};
}

// Tab order is table order.
constexpr ControlSpec kControls[] = {
    {.id = kUnnamed, .kind = ControlKind::Button, .caption = "사용 정보", .x = 7, .y = 7,
     .width = 238, .height = 60, .style = BS_GROUPBOX},
    Label("작성자", 20),
    TextBox(kUserNameEdit, 20, ES_READONLY, 0),
    Label("호스트", 34),
    TextBox(kHostNameEdit, 34, 0, 15),
    Label("충전 회수", 48),
    TextBox(kChargeNumberEdit, 48, ES_NUMBER, 7),
    {.id = kUnnamed, .kind = ControlKind::Button, .caption = "프린터 통신", .x = 7, .y = 72,
     .width = 238, .height = 46, .style = BS_GROUPBOX},
    Label("포트", 85),
    TextBox(kPrinterAddressEdit, 85, 0, 15),
    {.id = kCommunicationStatus, .kind = ControlKind::Static, .x = kLabelX, .y = 102,
     .width = 220, .height = 10, .style = SS_LEFT | SS_NOPREFIX},
    {.id = kUnnamed, .kind = ControlKind::Static, .caption = "사용 가능한 옵션", .x = 7,
     .y = 124, .width = kListWidth, .height = 8},
    OptionList(kAvailableOptionsList, 7),
    Button(kAddOptionButton, "추가", 150),
    Button(kRemoveOptionButton, "제거", 170),
    {.id = kUnnamed, .kind = ControlKind::Static, .caption = "설치된 옵션", .x = 150, .y = 124,
     .width = kListWidth, .height = 8},
    OptionList(kInstalledOptionsList, 150),
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kDeviceSettingsPageId,
    .caption = "설정",
    .width = 252,
    .height = 218,
    .style = WS_CHILD | WS_CAPTION | DS_CONTROL,
    .controls = kControls,
};

constexpr HelpTopic Topic(int id) { return {.controlId = id, .topicId = id}; }

constexpr HelpTopic kHelpTopics[] = {
    Topic(kAvailableOptionsList), Topic(kAddOptionButton),    Topic(kRemoveOptionButton),
    Topic(kInstalledOptionsList), Topic(kPrinterAddressEdit), Topic(kUserNameEdit),
    Topic(kHostNameEdit),         Topic(kChargeNumberEdit),   {},
};
constexpr DialogHelp kHelp = {.templateId = kDeviceSettingsPageId, .topics = kHelpTopics};

INT_PTR Dispatch(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchPageMessage<DeviceSettingsPage>(page, message, wParam, lParam,
                                                 CreateContextPageState<DeviceSettingsPage>);
}

}  // namespace

const platform::DialogSpec& DeviceSettingsPageSpec() { return kSpec; }

INT_PTR KX_STDCALL DeviceSettingsPageProcedure(HWND page, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  return DialogBarrier([&]() -> INT_PTR {
    if (AnswerHelpRequest(page, message, wParam, lParam, kHelp)) return 1;
    return Dispatch(page, message, wParam, lParam);
  });
}

}  // namespace kx::ui
