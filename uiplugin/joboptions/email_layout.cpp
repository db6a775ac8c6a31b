#include "joboptions/email_dialog.h"
#include "joboptions/email_layout.h"

namespace kx::ui {
namespace email {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr int kUnnamed = -1;
constexpr int16_t kButtonWidth = 50;
constexpr int16_t kButtonHeight = 14;
constexpr int16_t kButtonY = 64;

constexpr ControlSpec Button(int id, const char* caption, int16_t x, DWORD style) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = x, .y = kButtonY,
          .width = kButtonWidth, .height = kButtonHeight, .style = style};
}

// Tab order is table order.
constexpr ControlSpec kControls[] = {
    {.id = kNotifyCheck, .kind = ControlKind::Button, .caption = "이메일 알림", .x = 7, .y = 7,
     .width = 150, .height = 10, .style = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP},
    {.id = kUnnamed, .kind = ControlKind::Static, .caption = "이메일 주소", .x = 7, .y = 26,
     .width = 60, .height = 8},
    {.id = kAddressBox, .kind = ControlKind::Edit, .x = 70, .y = 24, .width = 150,
     .height = 14, .style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, .limit = kAddressLimit},
    Button(IDOK, "확인", 61, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP),
    Button(IDCANCEL, "취소", 115, BS_PUSHBUTTON | WS_TABSTOP),
    Button(kHelpButton, "도움말", 169, BS_PUSHBUTTON | WS_TABSTOP),
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kEmailDialogId,
    .caption = "이메일 알림",
    .width = 227,
    .height = 85,
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
    .controls = kControls,
};

constexpr HelpTopic Topic(int id) { return {.controlId = id, .topicId = id}; }

constexpr HelpTopic kHelpTopics[] = {Topic(kNotifyCheck), Topic(kAddressBox), Topic(kHelpButton),
                                     {}};
constexpr DialogHelp kHelp = {.templateId = kEmailDialogId, .topics = kHelpTopics};

}  // namespace

const DialogHelp& EmailHelp() { return kHelp; }

}  // namespace email

const platform::DialogSpec& EmailDialogSpec() { return email::kSpec; }

}  // namespace kx::ui
