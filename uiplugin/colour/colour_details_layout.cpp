#include "colour/colour_details_layout.h"

#include "colour/colour_details_dialog.h"

namespace kx::ui {
namespace details {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr int kUnnamed = -1;

constexpr DWORD kListStyle = CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kRadioStyle = BS_AUTORADIOBUTTON;

// The two columns: text and graphics, then images; a profile list spans both, with its
// management button beside it.
constexpr int16_t kLabelX = 14;
constexpr int16_t kLabelWidth = 92;
constexpr int16_t kGraphicsX = 110;
constexpr int16_t kImageX = 216;
constexpr int16_t kColumnWidth = 100;
// The management buttons are as wide as their longest caption ("시뮬레이션 프로파일
// 관리") needs.
constexpr int16_t kProfileWidth = 120;
constexpr int16_t kManageX = 234;
constexpr int16_t kManageWidth = 89;

constexpr int16_t kHalftoneRow = 52;
constexpr int16_t kIntentRow = 70;
constexpr int16_t kRgbSourceRow = 88;
constexpr int16_t kGrayRow = 106;
constexpr int16_t kSimulationRow = 124;
constexpr int16_t kDestinationRow = 142;
constexpr int16_t kButtonRow = 186;

constexpr ControlSpec Label(const char* caption, int16_t x, int16_t y, int16_t width) {
  return {.id = kUnnamed, .kind = ControlKind::Static, .caption = caption, .x = x,
          .y = static_cast<int16_t>(y + 2), .width = width, .height = 8};
}
constexpr ControlSpec List(int id, int16_t x, int16_t y, int16_t width) {
  return {.id = id, .kind = ControlKind::ComboBox, .x = x, .y = y, .width = width,
          .height = 100, .style = kListStyle};
}
constexpr ControlSpec Radio(int id, const char* caption, int16_t x, int16_t y, int16_t width,
                            DWORD style) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = x,
          .y = static_cast<int16_t>(y + 2), .width = width, .height = 10, .style = style};
}
constexpr ControlSpec Button(int id, const char* caption, int16_t x, int16_t y, int16_t width,
                             DWORD style = kButtonStyle) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = x, .y = y,
          .width = width, .height = 14, .style = style};
}

// Tab order is table order. WS_GROUP starts each radio group and the control after it.
constexpr ControlSpec kControls[] = {
    {.id = kUnnamed, .kind = ControlKind::Button, .caption = "색상 모델", .x = 7, .y = 7,
     .width = 316, .height = 28, .style = BS_GROUPBOX},
    Radio(kGrayRadio, "그레이", kLabelX, 16, 60, kRadioStyle | WS_GROUP | WS_TABSTOP),
    Radio(kColourRadio, "컬러", 80, 16, 60, kRadioStyle),

    Label("문자/그래픽", kGraphicsX, 40, kColumnWidth),
    Label("이미지", kImageX, 40, kColumnWidth),

    Label("하프톤:", kLabelX, kHalftoneRow, kLabelWidth),
    List(kGraphicsHalftoneList, kGraphicsX, kHalftoneRow, kColumnWidth),
    List(kImageHalftoneList, kImageX, kHalftoneRow, kColumnWidth),

    Radio(kIntentsRadio, "미리 정의된 항목:", kLabelX, kIntentRow, kLabelWidth,
          kRadioStyle | WS_GROUP | WS_TABSTOP),
    Radio(kProfileRadio, "사용자:", kLabelX, kRgbSourceRow, kLabelWidth, kRadioStyle),
    {.id = kGraphicsIntentList, .kind = ControlKind::ComboBox, .x = kGraphicsX, .y = kIntentRow,
     .width = kColumnWidth, .height = 100, .style = kListStyle | WS_GROUP},
    List(kImageIntentList, kImageX, kIntentRow, kColumnWidth),
    List(kRgbSourceList, kGraphicsX, kRgbSourceRow, kProfileWidth),
    Button(kRgbSourceButton, "프로파일 관리", kManageX, kRgbSourceRow, kManageWidth),

    Label("회색 처리:", kLabelX, kGrayRow, kLabelWidth),
    List(kGraphicsGrayList, kGraphicsX, kGrayRow, kColumnWidth),
    List(kImageGrayList, kImageX, kGrayRow, kColumnWidth),

    Label("시뮬레이션 프로필:", kLabelX, kSimulationRow, kLabelWidth),
    List(kSimulationList, kGraphicsX, kSimulationRow, kProfileWidth),
    Button(kSimulationButton, "시뮬레이션 프로파일 관리", kManageX, kSimulationRow, kManageWidth),

    Label("대상 프로필:", kLabelX, kDestinationRow, kLabelWidth),
    List(kDestinationList, kGraphicsX, kDestinationRow, kProfileWidth),
    Button(kDestinationButton, "대상 프로파일 관리", kManageX, kDestinationRow, kManageWidth),

    Button(kDownloadButton, "다운로드 관리자", 7, 164, 80),

    Button(kOkButton, "확인", 163, kButtonRow, 50, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP),
    Button(kCancelButton, "취소", 217, kButtonRow, 50),
    Button(kHelpButton, "도움말", 271, kButtonRow, 50),
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kColourDetailsDialogId,
    .caption = "색상 설정 세부사항",
    .width = 330,
    .height = 207,
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
    .controls = kControls,
};

constexpr HelpTopic Topic(int id) { return {.controlId = id, .topicId = id}; }

constexpr HelpTopic kHelpTopics[] = {
    Topic(kGraphicsHalftoneList), Topic(kImageHalftoneList), Topic(kGraphicsIntentList),
    Topic(kImageIntentList),      Topic(kGraphicsGrayList),  Topic(kImageGrayList),
    Topic(kRgbSourceList),        Topic(kRgbSourceButton),   Topic(kSimulationList),
    Topic(kSimulationButton),     Topic(kDestinationButton), Topic(kDownloadButton),
    Topic(kHelpButton),           {},
};
constexpr DialogHelp kHelp = {.templateId = kColourDetailsDialogId, .topics = kHelpTopics};

}  // namespace

const DialogHelp& DetailsHelp() { return kHelp; }

}  // namespace details

const platform::DialogSpec& ColourDetailsDialogSpec() { return details::kSpec; }

}  // namespace kx::ui
