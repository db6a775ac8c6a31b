#include "watermarks/editor_layout.h"

#include "watermarks/watermark_editor.h"

namespace kx::ui {
namespace editor {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr int kUnnamed = -1;

constexpr int kNameLimit = 31;       // characters of the record's name field
constexpr int kTextLimit = 63;       // characters of the record's text field
constexpr int kNumberLimit = 3;      // size, angle, shade
constexpr int kOffsetLimit = 4;      // a sign and three digits

constexpr DWORD kTextBoxStyle = ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER;
constexpr DWORD kNumberBoxStyle = ES_NUMBER | WS_TABSTOP | WS_BORDER;
// The offsets are signed, so their boxes take any character.
constexpr DWORD kOffsetBoxStyle = ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER;
constexpr DWORD kSpinStyle =
    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD kListStyle = CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kCheckStyle = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

constexpr int16_t kLabelWidth = 34;
constexpr int16_t kFieldX = 52;
constexpr int16_t kSpinWidth = 10;

constexpr ControlSpec Label(int id, const char* caption, int16_t x, int16_t y, int16_t width,
                            DWORD style = 0) {
  return {.id = id, .kind = ControlKind::Static, .caption = caption, .x = x,
          .y = static_cast<int16_t>(y + 2), .width = width, .height = 8, .style = style};
}
constexpr ControlSpec GroupBox(const char* caption, int16_t x, int16_t y, int16_t width,
                               int16_t height) {
  return {.id = kUnnamed, .kind = ControlKind::Button, .caption = caption, .x = x, .y = y,
          .width = width, .height = height, .style = BS_GROUPBOX};
}
constexpr ControlSpec Box(int id, int16_t x, int16_t y, int16_t width, DWORD style, int limit) {
  return {.id = id, .kind = ControlKind::Edit, .x = x, .y = y, .width = width, .height = 14,
          .style = style, .limit = limit};
}
// Against the right end of the box made just before it, which it writes its value into.
constexpr ControlSpec Spin(int id, const ControlSpec& box, int minimum, int maximum) {
  return {.id = id, .kind = ControlKind::UpDown,
          .x = static_cast<int16_t>(box.x + box.width - kSpinWidth), .y = box.y,
          .width = kSpinWidth, .height = box.height, .style = kSpinStyle, .spinMin = minimum,
          .spinMax = maximum};
}
constexpr ControlSpec List(int id, int16_t y, int16_t width) {
  return {.id = id, .kind = ControlKind::ComboBox, .x = kFieldX, .y = y, .width = width,
          .height = 100, .style = kListStyle};
}
constexpr ControlSpec Check(int id, const char* caption, int16_t x, int16_t y, int16_t width,
                            DWORD style) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = x, .y = y,
          .width = width, .height = 10, .style = style};
}
constexpr ControlSpec Button(int id, const char* caption, int16_t x, DWORD style) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = x, .y = 192,
          .width = 50, .height = 14, .style = style};
}

constexpr ControlSpec kSize = Box(kSizeBox, kFieldX, 76, 48, kNumberBoxStyle, kNumberLimit);
constexpr ControlSpec kAngle = Box(kAngleBox, 158, 76, 48, kNumberBoxStyle, kNumberLimit);
constexpr ControlSpec kShade = Box(kShadeBox, kFieldX, 136, 48, kNumberBoxStyle, kNumberLimit);
constexpr ControlSpec kX = Box(kXBox, 162, 150, 36, kOffsetBoxStyle, kOffsetLimit);
constexpr ControlSpec kY = Box(kYBox, 220, 150, 36, kOffsetBoxStyle, kOffsetLimit);

// Tab order is table order; every spin follows its box.
constexpr ControlSpec kControls[] = {
    Label(kUnnamed, "이름:", 7, 7, 40),
    Box(kNameBox, kFieldX, 7, 150, kTextBoxStyle, kNameLimit),

    GroupBox("워터마크 텍스트", 7, 26, 262, 72),
    Label(kUnnamed, "텍스트:", 14, 38, kLabelWidth),
    Box(kTextBox, kFieldX, 38, 210, kTextBoxStyle, kTextLimit),
    Label(kUnnamed, "글꼴:", 14, 56, kLabelWidth),
    List(kFontList, 56, 210),
    Label(kUnnamed, "크기:", 14, 76, kLabelWidth),
    kSize,
    Spin(kSizeSpin, kSize, 4, 350),
    Label(kUnnamed, "각도:", 120, 76, kLabelWidth),
    kAngle,
    Spin(kAngleSpin, kAngle, 0, 360),

    GroupBox("텍스트 속성", 7, 104, 122, 82),
    Label(kUnnamed, "색:", 14, 118, kLabelWidth),
    List(kColourList, 118, 70),
    Label(kUnnamed, "명암도:", 14, 136, kLabelWidth),
    kShade,
    Spin(kShadeSpin, kShade, 0, 100),
    Check(kBackgroundCheck, "배경", 14, 156, 108, kCheckStyle),
    Check(kOutlineCheck, "아웃라인만 사용", 14, 170, 108, kCheckStyle),

    GroupBox("위치", 135, 104, 134, 82),
    Check(kCentreRadio, "중앙", 142, 118, 120, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP),
    Check(kRelativeRadio, "중앙을 기준으로 하는 위치", 142, 132, 124, BS_AUTORADIOBUTTON),
    // WS_GROUP ends the radio buttons' group.
    Label(kXLabel, "x:", 150, 150, 10, WS_GROUP),
    kX,
    Spin(kXSpin, kX, -306, 306),
    Label(kYLabel, "y:", 208, 150, 10),
    kY,
    Spin(kYSpin, kY, -396, 396),

    Button(kSaveButton, "저장", 7, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP),
    Button(kCancelButton, "취소", 61, kButtonStyle),
    Button(kHelpButton, "도움말", 115, kButtonStyle),
    Button(kDefaultsButton, "기본값", 219, kButtonStyle),
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kWatermarkEditorId,
    .caption = "워터마크",
    .width = 276,
    .height = 213,
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
    .controls = kControls,
};

constexpr HelpTopic Topic(int id) { return {.controlId = id, .topicId = id}; }

constexpr HelpTopic kHelpTopics[] = {
    Topic(kNameBox),       Topic(kTextBox),         Topic(kFontList),      Topic(kSizeBox),
    Topic(kSizeSpin),      Topic(kAngleBox),        Topic(kAngleSpin),     Topic(kColourList),
    Topic(kShadeBox),      Topic(kShadeSpin),       Topic(kBackgroundCheck),
    Topic(kOutlineCheck),  Topic(kCentreRadio),     Topic(kRelativeRadio), Topic(kXBox),
    Topic(kXSpin),         Topic(kYBox),            Topic(kYSpin),         Topic(kSaveButton),
    Topic(kCancelButton),  Topic(kHelpButton),      Topic(kDefaultsButton),
    {},
};
constexpr DialogHelp kHelp = {.templateId = kWatermarkEditorId, .topics = kHelpTopics};

}  // namespace

const DialogHelp& EditorHelp() { return kHelp; }

}  // namespace editor

const platform::DialogSpec& WatermarkEditorSpec() { return editor::kSpec; }

}  // namespace kx::ui
