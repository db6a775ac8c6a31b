#include "watermarks/overlay_page.h"

#include <memory>

#include "context_help.h"
#include "host/call_barrier.h"
#include "page_set.h"
#include "page_state.h"
#include "platform/dialogs.h"
#include "watermarks/overlay_page_state.h"

namespace kx::ui {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

constexpr int kUnnamed = -1;
constexpr int kOverlayNameLimit = 12;  // characters of an 8.3 name
constexpr int kCompositeNumberLimit = 2;
constexpr int kCompositeNumberMin = 1;
constexpr int kCompositeNumberMax = 99;

constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kNameBox = ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER;
// A single-line box that does not scroll refuses a keystroke whose text would not fit its
// width, and the spin beside it takes part of that width: the numbers scroll instead.
constexpr DWORD kNumberBox = ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER;
constexpr DWORD kSpin =
    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

// Rows of the overlay group: a check box and its name box.
constexpr int16_t kCheckX = 14;
constexpr int16_t kCheckWidth = 72;
constexpr int16_t kNameX = 90;
constexpr int16_t kNameWidth = 64;
constexpr int16_t kNumberBoxWidth = 30;
constexpr int16_t RowY(int row) { return static_cast<int16_t>(98 + 16 * row); }

constexpr ControlSpec CheckRow(int id, const char* caption, int row) {
  return {.id = id, .kind = ControlKind::Button, .caption = caption, .x = kCheckX,
          .y = static_cast<int16_t>(RowY(row) + 1), .width = kCheckWidth, .height = 10,
          .style = kCheckBox};
}
constexpr ControlSpec NameRow(int id, int row) {
  return {.id = id, .kind = ControlKind::Edit, .x = kNameX, .y = RowY(row), .width = kNameWidth,
          .height = 12, .style = kNameBox, .limit = kOverlayNameLimit};
}

constexpr ControlSpec kControls[] = {
    // The job's watermark.
    {.id = kWatermarkGroup, .kind = ControlKind::Button, .caption = "워터마크", .x = 7, .y = 7,
     .width = 238, .height = 70, .style = BS_GROUPBOX},
    {.id = kWatermarkList, .kind = ControlKind::ComboBox, .x = 14, .y = 20, .width = 150,
     .height = 100, .style = CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP},
    {.id = kFirstPageOnly, .kind = ControlKind::Button, .caption = "첫번째 페이지만", .x = 14,
     .y = 40, .width = 150, .height = 10, .style = kCheckBox},
    {.id = kEditWatermark, .kind = ControlKind::Button, .caption = "편집", .x = 174, .y = 19,
     .width = 64, .height = 14, .style = kPushButton},
    {.id = kAddWatermark, .kind = ControlKind::Button, .caption = "추가", .x = 174, .y = 37,
     .width = 64, .height = 14, .style = kPushButton},
    {.id = kDeleteWatermark, .kind = ControlKind::Button, .caption = "삭제", .x = 174, .y = 55,
     .width = 64, .height = 14, .style = kPushButton},
    // The overlays, in the order the page shows them.
    {.id = kOverlayGroup, .kind = ControlKind::Button, .caption = "오버레이", .x = 7, .y = 84,
     .width = 238, .height = 127, .style = BS_GROUPBOX},
    CheckRow(kAllPagesCheck, "모든 페이지", 0),
    NameRow(kAllPagesName, 0),
    CheckRow(kFirstPageCheck, "첫번째 페이지", 1),
    NameRow(kFirstPageName, 1),
    CheckRow(kEvenPagesCheck, "짝수 페이지", 2),
    NameRow(kEvenPagesName, 2),
    CheckRow(kOddPagesCheck, "홀수 페이지", 3),
    NameRow(kOddPagesName, 3),
    CheckRow(kCompositeCheck, "복합", 4),
    NameRow(kCompositeName, 4),
    // The composite overlay's first page and period, under its name.
    // Each spin moves itself inside the right edge of its box; what is left of the box
    // still shows two digits.
    {.id = kCompositeFirstLabel, .kind = ControlKind::Static, .caption = "첫번째", .x = 26,
     .y = 182, .width = 30, .height = 8},
    {.id = kCompositeFirst, .kind = ControlKind::Edit, .x = 58, .y = 180,
     .width = kNumberBoxWidth, .height = 12, .style = kNumberBox, .limit = kCompositeNumberLimit},
    {.id = kCompositeFirstSpin, .kind = ControlKind::UpDown, .x = 88, .y = 180, .width = 10,
     .height = 12, .style = kSpin, .spinMin = kCompositeNumberMin,
     .spinMax = kCompositeNumberMax},
    {.id = kCompositePeriodLabel, .kind = ControlKind::Static, .caption = "주기", .x = 106,
     .y = 182, .width = 24, .height = 8},
    {.id = kCompositePeriod, .kind = ControlKind::Edit, .x = 132, .y = 180,
     .width = kNumberBoxWidth, .height = 12, .style = kNumberBox, .limit = kCompositeNumberLimit},
    {.id = kCompositePeriodSpin, .kind = ControlKind::UpDown, .x = 162, .y = 180, .width = 10,
     .height = 12, .style = kSpin, .spinMin = kCompositeNumberMin,
     .spinMax = kCompositeNumberMax},
    {.id = kDownloadManager, .kind = ControlKind::Button, .caption = "다운로드 관리자",
     .x = 164, .y = 97, .width = 74, .height = 14, .style = kPushButton},
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kOverlayPageId,
    .caption = "오버레이",
    .width = 252,
    .height = 218,
    .style = WS_CHILD | WS_CAPTION | DS_CONTROL,
    .controls = kControls,
};

// Every control a user may ask about has a page of its own.
constexpr HelpTopic kHelpTopics[] = {
    {kAllPagesCheck, kAllPagesCheck},     {kAllPagesName, kAllPagesName},
    {kFirstPageCheck, kFirstPageCheck},   {kFirstPageName, kFirstPageName},
    {kOddPagesCheck, kOddPagesCheck},     {kOddPagesName, kOddPagesName},
    {kEvenPagesCheck, kEvenPagesCheck},   {kEvenPagesName, kEvenPagesName},
    {kCompositeCheck, kCompositeCheck},   {kCompositeName, kCompositeName},
    {kCompositeFirst, kCompositeFirst},   {kCompositeFirstSpin, kCompositeFirstSpin},
    {kCompositePeriod, kCompositePeriod}, {kCompositePeriodSpin, kCompositePeriodSpin},
    {kWatermarkList, kWatermarkList},     {kFirstPageOnly, kFirstPageOnly},
    {kEditWatermark, kEditWatermark},     {kAddWatermark, kAddWatermark},
    {kDeleteWatermark, kDeleteWatermark}, {kDownloadManager, kDownloadManager},
    {},
};
constexpr DialogHelp kHelp = {.templateId = kOverlayPageId, .topics = kHelpTopics};

OverlayPage* StateOf(HWND page) { return PageStateOf<OverlayPage>(page); }

// The About box opens from the page's own context menu; while it is open the page is away.
bool AnswerHelp(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  OverlayPage* state = StateOf(page);
  const bool aboutMenu = message == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == page;
  if (state != nullptr && aboutMenu) state->SetAway(true);
  const bool answered = AnswerHelpRequest(page, message, wParam, lParam, kHelp);
  if (state != nullptr && aboutMenu) state->SetAway(false);
  return answered;
}

void OnOtherMessage(OverlayPage& state, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      state.OnShowOrHide();
      break;
    case WM_ACTIVATEAPP:
      state.SetAway(wParam == 0);
      break;
    case WM_MOUSEMOVE:
      state.OnMouseMove();
      break;
    default:
      break;
  }
}

INT_PTR Dispatch(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchPageMessage<OverlayPage>(page, message, wParam, lParam,
                                          CreatePageState<OverlayPage>, OnOtherMessage);
}

}  // namespace

const platform::DialogSpec& OverlayPageSpec() { return kSpec; }

TipState BalloonOfOverlayPage(HWND page) {
  const OverlayPage* state = StateOf(page);
  if (state == nullptr) return {};
  return state->balloon().state();
}

INT_PTR KX_STDCALL OverlayPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return DialogBarrier([&]() -> INT_PTR {
    if (AnswerHelp(page, message, wParam, lParam)) return 1;
    return Dispatch(page, message, wParam, lParam);
  });
}

}  // namespace kx::ui
