#include "colour/advanced_colour_layout.h"

#include "colour/advanced_colour_dialog.h"

namespace kx::ui {
namespace advanced_colour {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr int kUnnamed = -1;

constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kSummaryStyle = SS_LEFT | SS_NOPREFIX;

constexpr int16_t kSummaryTop = 56;
constexpr int16_t kRowHeight = 14;
constexpr int16_t kLabelX = 16;
constexpr int16_t kLabelWidth = 86;
constexpr int16_t kValueX = 106;
constexpr int16_t kValueWidth = 146;
constexpr int16_t kBottomRowY = 174;

constexpr ControlSpec Label(const char* caption, int16_t x, int16_t y, int16_t width) {
  return {.id = kUnnamed, .kind = ControlKind::Static, .caption = caption, .x = x, .y = y,
          .width = width, .height = 8};
}
constexpr ControlSpec Button(int id, const char* caption, int16_t x, int16_t y, int16_t width,
                             DWORD style = kButtonStyle) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = x, .y = y,
          .width = width, .height = 14, .style = style};
}
// One line of the summary: its label and the text the dialog fills in.
constexpr int16_t RowY(int row) { return static_cast<int16_t>(kSummaryTop + row * kRowHeight); }
constexpr ControlSpec RowLabel(const char* caption, int row) {
  return Label(caption, kLabelX, RowY(row), kLabelWidth);
}
constexpr ControlSpec RowValue(int id, int row) {
  return {.id = id, .kind = ControlKind::Static, .x = kValueX, .y = RowY(row),
          .width = kValueWidth, .height = 8, .style = kSummaryStyle};
}

constexpr ControlSpec kControls[] = {
    Label("컬러 설정:", 7, 9, 100),
    {.id = kSetList, .kind = ControlKind::ComboBox, .x = 7, .y = 20, .width = 150, .height = 100,
     .style = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
     .limit = kSetNameLimit},
    Button(kSaveButton, "저장", 162, 20, 46),
    Button(kDeleteButton, "삭제", 212, 20, 46),

    {.id = kUnnamed, .kind = ControlKind::Button, .caption = "현재의 컬러 설정", .x = 7, .y = 42,
     .width = 251, .height = 98, .style = BS_GROUPBOX},
    RowLabel("컬러 모델:", 0),
    RowValue(kModelText, 0),
    RowLabel("하프톤:", 1),
    RowValue(kHalftoneText, 1),
    RowLabel("RGB 소스 프로필:", 2),
    RowValue(kRgbSourceText, 2),
    RowLabel("RGB 회색 처리:", 3),
    RowValue(kGrayText, 3),
    RowLabel("시뮬레이션 프로필:", 4),
    RowValue(kSimulationText, 4),
    RowLabel("대상 프로필:", 5),
    RowValue(kDestinationText, 5),

    Button(kChangeButton, "현재 설정 변경", 7, 148, 90),

    Button(IDOK, "확인", 100, kBottomRowY, 50, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP),
    Button(IDCANCEL, "취소", 154, kBottomRowY, 50),
    Button(kHelpButton, "도움말", 208, kBottomRowY, 50),
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kAdvancedColourDialogId,
    .caption = "고급 컬러 옵션",
    .width = 265,
    .height = 195,
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
    .controls = kControls,
};

constexpr HelpTopic Topic(int id) { return {.controlId = id, .topicId = id}; }

constexpr HelpTopic kHelpTopics[] = {
    Topic(kSetList), Topic(kSaveButton), Topic(kDeleteButton), Topic(kChangeButton),
    Topic(kHelpButton), {},
};
constexpr DialogHelp kHelp = {.templateId = kAdvancedColourDialogId, .topics = kHelpTopics};

}  // namespace

const DialogHelp& AdvancedColourHelp() { return kHelp; }

}  // namespace advanced_colour

const platform::DialogSpec& AdvancedColourDialogSpec() { return advanced_colour::kSpec; }

}  // namespace kx::ui
