#include "colour/graphics_options_dialog.h"
#include "colour/graphics_options_layout.h"

namespace kx::ui {
namespace graphics_options {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr int kUnnamed = -1;

constexpr int16_t kGroupX = 7;
constexpr int16_t kGroupWidth = 200;
constexpr int16_t kBoxX = 14;
constexpr int16_t kBoxWidth = 186;
constexpr int16_t kRadioWidth = 40;
constexpr int16_t kButtonX = 214;
constexpr int16_t kButtonWidth = 50;

constexpr DWORD kCheckStyle = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

constexpr ControlSpec Group(const char* caption, int16_t y, int16_t height) {
  return {.id = kUnnamed, .kind = ControlKind::Button, .caption = caption, .x = kGroupX, .y = y,
          .width = kGroupWidth, .height = height, .style = BS_GROUPBOX};
}
constexpr ControlSpec Check(int id, const char* caption, int16_t y) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = kBoxX, .y = y,
          .width = kBoxWidth, .height = 10, .style = kCheckStyle};
}
constexpr ControlSpec Radio(int id, const char* caption, int16_t column, DWORD extra = 0) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption,
          .x = static_cast<int16_t>(kBoxX + column * (kRadioWidth + 6)), .y = 109,
          .width = kRadioWidth, .height = 10, .style = BS_AUTORADIOBUTTON | extra};
}
constexpr ControlSpec Button(int id, const char* caption, int16_t y, DWORD style = kButtonStyle) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = kButtonX, .y = y,
          .width = kButtonWidth, .height = 14, .style = style};
}

// Tab order is table order. The rotation buttons are one radio group; OK starts the next.
constexpr ControlSpec kControls[] = {
    Group("개선사항", 7, 40),
    Check(kTonerSaveBox, "토너 절약 모드를 사용하십시오", 19),
    Check(kSmoothingBox, "스무딩", 31),
    Group("효과", 52, 40),
    Check(kNegativeImageBox, "네거티브 이미지", 64),
    Check(kMirrorImageBox, "미러 이미지", 76),
    Group("회전", 97, 28),
    Radio(kRotate0Radio, "0°", 0, WS_GROUP | WS_TABSTOP),
    Radio(kRotate90Radio, "90°", 1),
    Radio(kRotate180Radio, "180°", 2),
    Radio(kRotate270Radio, "270°", 3),
    Button(IDOK, "확인", 7, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP),
    Button(IDCANCEL, "취소", 25),
    Button(kHelpButton, "도움말", 43),
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kGraphicsOptionsDialogId,
    .caption = "고급 그래픽 옵션",
    .width = 271,
    .height = 132,
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
    .controls = kControls,
};

constexpr HelpTopic Topic(int id) { return {.controlId = id, .topicId = id}; }

constexpr HelpTopic kHelpTopics[] = {
    Topic(kTonerSaveBox),   Topic(kSmoothingBox),   Topic(kNegativeImageBox),
    Topic(kMirrorImageBox), Topic(kRotate0Radio),   Topic(kRotate90Radio),
    Topic(kRotate180Radio), Topic(kRotate270Radio), Topic(kHelpButton),
    {},
};
constexpr DialogHelp kHelp = {.templateId = kGraphicsOptionsDialogId, .topics = kHelpTopics};

}  // namespace

const DialogHelp& GraphicsOptionsHelp() { return kHelp; }

}  // namespace graphics_options

const platform::DialogSpec& GraphicsOptionsDialogSpec() { return graphics_options::kSpec; }

}  // namespace kx::ui
