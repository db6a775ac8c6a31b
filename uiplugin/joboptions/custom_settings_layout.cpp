#include "joboptions/custom_settings_dialog.h"
#include "joboptions/custom_settings_layout.h"

namespace kx::ui {
namespace custom_settings {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr int kUnnamed = -1;

constexpr int16_t kButtonWidth = 50;
constexpr int16_t kButtonHeight = 14;
constexpr int16_t kComboX = 52;
constexpr int16_t kComboWidth = 110;
constexpr int16_t kSideX = kComboX + kComboWidth + 7;
constexpr int16_t kBottomY = 50;

constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

constexpr ControlSpec Button(int id, const char* caption, int16_t x, int16_t y,
                             DWORD style = kButtonStyle) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = x, .y = y,
          .width = kButtonWidth, .height = kButtonHeight, .style = style};
}

// Tab order is table order. The box takes longer names than a setting keeps: the first
// characters are used, as many as a stored name holds.
constexpr ControlSpec kControls[] = {
    {.id = kUnnamed, .kind = ControlKind::Static, .caption = "설정 이름:", .x = 7, .y = 9,
     .width = 43, .height = 8},
    {.id = kNameCombo, .kind = ControlKind::ComboBox, .x = kComboX, .y = 7,
     .width = kComboWidth, .height = 90,
     .style = CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP},
    Button(kSaveButton, "저장", kSideX, 7),
    Button(kDeleteButton, "삭제", kSideX, 25),
    Button(IDOK, "확인", 58, kBottomY, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP),
    Button(IDCANCEL, "취소", 58 + kButtonWidth + 4, kBottomY),
    Button(kHelpButton, "도움말", kSideX, kBottomY),
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kCustomSettingsDialogId,
    .caption = "사용자 정의 문서 설정",
    .width = kSideX + kButtonWidth + 7,
    .height = kBottomY + kButtonHeight + 7,
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
    .controls = kControls,
};

constexpr HelpTopic Topic(int id) { return {.controlId = id, .topicId = id}; }

constexpr HelpTopic kHelpTopics[] = {
    Topic(kNameCombo), Topic(kSaveButton), Topic(kDeleteButton), Topic(kHelpButton), {},
};
constexpr DialogHelp kHelp = {.templateId = kCustomSettingsDialogId, .topics = kHelpTopics};

}  // namespace

const DialogHelp& CustomSettingsHelp() { return kHelp; }

}  // namespace custom_settings

const platform::DialogSpec& CustomSettingsDialogSpec() { return custom_settings::kSpec; }

}  // namespace kx::ui
