#include "device/information_page.h"

#include <string>

#include "context_help.h"
#include "document_items.h"
#include "host/call_barrier.h"
#include "module_state.h"
#include "page_set.h"
#include "platform/dialogs.h"
#include "settings/record_ops.h"
#include "version_strings.h"

namespace kx::ui {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

enum ControlId : int {
  kVersionLine = 1202,
  kHiddenStatic1 = 1203,
  kRightsLabel = 1204,
  kHiddenStatic2 = 1205,
  kRightsNotice = 1206,
  kWebPageButton = 1207,  // never shown
  kDriverReset = 1208,
  kWebShopButton = 1164,  // never shown
};

constexpr ControlSpec kControls[] = {
    {.id = kVersionLine, .kind = ControlKind::Static, .caption = "버전", .x = 14, .y = 20,
     .width = 224, .height = 10, .style = SS_LEFT | SS_NOPREFIX},
    {.id = kHiddenStatic1, .kind = ControlKind::Static, .x = 14, .y = 150, .width = 224,
     .height = 10, .hidden = true},
    {.id = kRightsLabel, .kind = ControlKind::Static, .caption = "저작권:", .x = 14, .y = 40,
     .width = 224, .height = 10},
    {.id = kHiddenStatic2, .kind = ControlKind::Static, .x = 14, .y = 165, .width = 224,
     .height = 10, .hidden = true},
    // The module's own rights notice, filled in when the page opens.
    {.id = kRightsNotice, .kind = ControlKind::Static, .x = 14, .y = 52, .width = 224,
     .height = 20, .style = SS_LEFT | SS_NOPREFIX},
    {.id = kWebPageButton, .kind = ControlKind::Button, .caption = "웹 페이지", .x = 14,
     .y = 180, .width = 80, .height = 14, .style = BS_PUSHBUTTON | WS_TABSTOP, .hidden = true},
    {.id = kDriverReset, .kind = ControlKind::Button, .caption = "드라이버 초기화", .x = 14,
     .y = 88, .width = 80, .height = 14, .style = BS_PUSHBUTTON | WS_TABSTOP},
    {.id = kWebShopButton, .kind = ControlKind::Button, .caption = "웹 상점", .x = 100,
     .y = 180, .width = 80, .height = 14, .style = BS_PUSHBUTTON | WS_TABSTOP, .hidden = true},
};

constexpr platform::DialogSpec kSpec = {
    .templateId = kInformationPageId,
    .caption = "정보",
    .width = 252,
    .height = 218,
    .style = WS_CHILD | WS_CAPTION | DS_CONTROL,
    .controls = kControls,
};

constexpr HelpTopic kHelpTopics[] = {
    {.controlId = kWebPageButton, .topicId = kWebPageButton},
    {.controlId = kWebShopButton, .topicId = kWebShopButton},
    {.controlId = kDriverReset, .topicId = kDriverReset},
    {},
};
constexpr DialogHelp kHelp = {.templateId = kInformationPageId, .topics = kHelpTopics};

PageSetContext* ContextOf(HWND page) {
  return reinterpret_cast<PageSetContext*>(platform::GetWindowLongPtr(page, GWLP_USERDATA));
}

// The template's "버전" followed by the product version (the line keeps its text when the
// version cannot be read), and the rights notice of the module's version resource.
void ShowVersion(HWND page) {
  const std::unique_ptr<platform::VersionResource> resource = ReadModuleVersion();
  if (resource == nullptr) return;
  std::u16string text;
  if (ReadVersionString(*resource, u"ProductVersion", &text)) {
    const std::u16string line = platform::GetDlgItemText(page, kVersionLine);
    platform::SetDlgItemText(page, kVersionLine, line + u" " + text);
  }
  if (ReadVersionString(*resource, u"LegalCopyright", &text)) {
    platform::SetDlgItemText(page, kRightsNotice, text);
  }
}

void OnInit(HWND page, LPARAM init) {
  platform::SetWindowLongPtr(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ContextOfPage(init)));
  platform::ApplyControlLimits(page, kSpec);
  ShowVersion(page);
}

// The job settings go back to their defaults; the printer's device options are the
// printer's, not the job's, and stay.
void ResetDriver(HWND page) {
  PageSetContext* context = ContextOf(page);
  settings::PrivateRecord* record = RecordOfContext(context);
  if (record == nullptr) return;
  const platform::PrinterHandle printer = context->commonUi->hPrinter;
  const settings::DeviceOptions kept = record->devOpts;
  settings::SetRecordDefaults(record, printer);
  record->devOpts = kept;
  settings::WriteStoredDeviceOptions(printer, kept);
  platform::SendMessage(platform::GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
  Module().hostColourModel = static_cast<HostColourModel>(record->colorMode);
  ResynchroniseHostItems(*context);
}

INT_PTR OnApply(HWND page) {
  if (const PageSetContext* context = ContextOf(page); context != nullptr && context->addPage) {
    context->addPage(context->propertySheet, CPSFUNC_SET_RESULT,
                     static_cast<LPARAM>(context->firstPage), static_cast<LPARAM>(CPSUI_OK));
  }
  platform::SendMessage(platform::GetParent(page), PSM_UNCHANGED, reinterpret_cast<WPARAM>(page),
                        0);
  platform::SetWindowLongPtr(page, DWLP_MSGRESULT, PSNRET_NOERROR);
  return 1;
}

INT_PTR OnNotify(HWND page, const NMHDR* header) {
  if (header != nullptr && header->code == PSN_APPLY) return OnApply(page);
  return 0;
}

}  // namespace

const platform::DialogSpec& InformationPageSpec() { return kSpec; }

INT_PTR KX_STDCALL InformationPageProcedure(HWND page, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  return DialogBarrier([&]() -> INT_PTR {
    if (AnswerHelpRequest(page, message, wParam, lParam, kHelp)) return 1;
    switch (message) {
      case WM_INITDIALOG:
        OnInit(page, lParam);
        return 1;
      case WM_COMMAND:
        if (LoWord(wParam) == kDriverReset && HiWord(wParam) == BN_CLICKED) ResetDriver(page);
        return 0;
      case WM_NOTIFY:
        return OnNotify(page, reinterpret_cast<const NMHDR*>(lParam));
      default:
        return 0;
    }
  });
}

}  // namespace kx::ui
