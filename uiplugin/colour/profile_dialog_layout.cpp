#include "colour/profile_dialog.h"
#include "colour/profile_dialog_layout.h"

namespace kx::ui {
namespace profiles {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr int kUnnamed = -1;
// The description is the stored value's name and the record's description field: what
// the field holds whole with its terminator.
constexpr int kDescriptionLimit = 63;
constexpr int kFileNameLimit = 32;

constexpr int16_t kFieldX = 80;
constexpr int16_t kFieldWidth = 150;
constexpr int16_t kButtonWidth = 50;

constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

constexpr ControlSpec Label(const char* caption, int16_t y) {
  return {.id = kUnnamed, .kind = ControlKind::Static, .caption = caption, .x = 7,
          .y = static_cast<int16_t>(y + 2), .width = 70, .height = 8};
}
constexpr ControlSpec Button(int id, const char* caption, int16_t x, int16_t y,
                             DWORD style = kButtonStyle) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = x, .y = y,
          .width = kButtonWidth, .height = 14, .style = style};
}

// Tab order is table order.
constexpr ControlSpec kControls[] = {
    Label("설명:", 7),
    {.id = kDescriptionCombo, .kind = ControlKind::ComboBox, .x = kFieldX, .y = 7,
     .width = kFieldWidth, .height = 90,
     .style = CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
     .limit = kDescriptionLimit},
    Label("다운로드된 파일명:", 25),
    {.id = kFileNameBox, .kind = ControlKind::Edit, .x = kFieldX, .y = 25, .width = kFieldWidth,
     .height = 14, .style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, .limit = kFileNameLimit},
    Button(kAddButton, "추가", kFieldX, 45),
    Button(kDeleteButton, "삭제", kFieldX + kButtonWidth + 4, 45),
    {.id = kStatusLine, .kind = ControlKind::Static, .x = 7, .y = 66, .width = 223, .height = 10,
     .style = SS_NOPREFIX},
    Button(kDoneButton, "완료", 126, 84, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP),
    Button(kHelpButton, "도움말", 180, 84),
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kProfileDialogId,
    .caption = "프린터 프로필 관리",
    .width = 237,
    .height = 105,
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
    .controls = kControls,
};

constexpr HelpTopic Topic(int id) { return {.controlId = id, .topicId = id}; }

constexpr HelpTopic kHelpTopics[] = {
    Topic(kDescriptionCombo), Topic(kFileNameBox), Topic(kAddButton),
    Topic(kDeleteButton),     Topic(kDoneButton),  Topic(kHelpButton),
    {},
};
constexpr DialogHelp kHelp = {.templateId = kProfileDialogId, .topics = kHelpTopics};

}  // namespace

const DialogHelp& ProfileHelp() { return kHelp; }

}  // namespace profiles

const platform::DialogSpec& ProfileDialogSpec() { return profiles::kSpec; }

}  // namespace kx::ui
