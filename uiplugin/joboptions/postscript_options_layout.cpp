#include "joboptions/postscript_options_dialog.h"
#include "joboptions/postscript_options_layout.h"

namespace kx::ui {
namespace postscript_options {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr int kUnnamed = -1;

constexpr int16_t kGroupX = 7;
constexpr int16_t kGroupWidth = 220;
constexpr int16_t kInsideX = 14;
constexpr int16_t kInsideWidth = 206;
constexpr int16_t kButtonX = 234;
constexpr int16_t kButtonWidth = 50;

constexpr DWORD kCheckStyle = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

constexpr ControlSpec Group(int id, const char* caption, int16_t y, int16_t height) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = kGroupX, .y = y,
          .width = kGroupWidth, .height = height, .style = BS_GROUPBOX};
}
constexpr ControlSpec Check(int id, const char* caption, int16_t y, bool hidden = false) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = kInsideX, .y = y,
          .width = kInsideWidth, .height = 10, .style = kCheckStyle, .hidden = hidden};
}
constexpr ControlSpec Button(int id, const char* caption, int16_t x, int16_t y,
                             DWORD style = kButtonStyle) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = x, .y = y,
          .width = kButtonWidth, .height = 14, .style = style};
}

// Tab order is table order. Applications' own PostScript is always allowed: its box is
// never shown, and shares its place with the error page box. The header path and Browse
// start disabled, as the header box starts clear.
constexpr ControlSpec kControls[] = {
    Group(kUnnamed, "포스트 스크립트 옵션", 7, 28),
    Check(kAppPostScriptBox, "응용프로그램에서 포스트 스크립트 사용 허용", 19, true),
    Check(kErrorPageBox, "포스트 스크립트 오류 정보 인쇄", 19),
    Group(kUnnamed, "작업 시간초과", 40, 30),
    {.id = kTimeoutBox, .kind = ControlKind::Edit, .x = kInsideX, .y = 51, .width = 40,
     .height = 14, .style = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
     .limit = kTimeoutEntryLimit},
    {.id = kUnnamed, .kind = ControlKind::Static, .caption = "초", .x = 58, .y = 54, .width = 30,
     .height = 8},
    Group(kHeaderGroup, "사용자 포스트 스크립트 외부 헤더", 75, 48),
    Check(kExternalHeaderBox, "외부 헤더 파일을 사용하십시오", 87),
    {.id = kHeaderPathBox, .kind = ControlKind::Edit, .x = kInsideX, .y = 101, .width = 152,
     .height = 14, .style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_DISABLED,
     .limit = kHeaderPathEntryLimit},
    Button(kBrowseButton, "브라우즈", 170, 101, kButtonStyle | WS_DISABLED),
    Button(IDOK, "확인", kButtonX, 7, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP),
    Button(IDCANCEL, "취소", kButtonX, 25),
    Button(kHelpButton, "도움말", kButtonX, 43),
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kPostScriptOptionsDialogId,
    .caption = "포스트 스크립트 옵션",
    .width = 291,
    .height = 130,
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
    .controls = kControls,
};

constexpr HelpTopic Topic(int id) { return {.controlId = id, .topicId = id}; }

constexpr HelpTopic kHelpTopics[] = {
    Topic(kAppPostScriptBox), Topic(kErrorPageBox),  Topic(kExternalHeaderBox),
    Topic(kHeaderPathBox),    Topic(kBrowseButton),  Topic(kTimeoutBox),
    Topic(kHelpButton),       {},
};
constexpr DialogHelp kHelp = {.templateId = kPostScriptOptionsDialogId, .topics = kHelpTopics};

}  // namespace

const DialogHelp& PostScriptOptionsHelp() { return kHelp; }

}  // namespace postscript_options

const platform::DialogSpec& PostScriptOptionsDialogSpec() { return postscript_options::kSpec; }

}  // namespace kx::ui
