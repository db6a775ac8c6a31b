#include "property_sheets.h"

#include <string>

#include "installable_options.h"
#include "platform/last_error.h"
#include "platform/spooler.h"
#include "platform/win32_errors.h"
#include "settings/printer_defaults.h"
#include "settings/record_ops.h"
#include "settings/record.h"

namespace kx::ui {
namespace {

using namespace host;

constexpr ULONG_PTR kReasonDone = 1;

platform::PrinterHandle PrinterOf(const PageSetContext& context) {
  return context.commonUi != nullptr ? context.commonUi->hPrinter : nullptr;
}

void ClosePpd(PageSetContext& context) {
  if (context.ppd != nullptr) ppd::PpdClose(context.ppd);
  context.ppd = nullptr;
}

// The PPD named by the driver's data file; a printer without one leaves the sheet
// without a PPD, and the pages fall back to empty or disabled lists.
void OpenPrinterPpd(PageSetContext& context) {
  ClosePpd(context);
  context.ppd = settings::OpenPrinterPpd(PrinterOf(context)).release();
}

// The document pages work on the printer's stored device options.
void LoadDeviceOptions(const PageSetContext& context) {
  if (context.commonUi == nullptr || context.commonUi->pOEMDM == nullptr) return;
  auto* record = static_cast<settings::PrivateRecord*>(context.commonUi->pOEMDM);
  if (!settings::ReadStoredDeviceOptions(PrinterOf(context), &record->devOpts)) {
    DefaultDeviceOptions(&record->devOpts, context.ppd);
  }
}

void AddPages(PageSetContext& context, PageList pages, SheetKind kind, PROPSHEETUI_INFO& info) {
  if (context.addPage == nullptr) return;
  for (size_t index = 0; index < pages.size(); ++index) {
    const PageEntry& entry = pages[index];
    if (entry.spec == nullptr) continue;
    context.templates.push_back(platform::BuildDialogTemplate(*entry.spec));
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(PROPSHEETPAGEW);
    page.dwFlags = PSP_DLGINDIRECT | PSP_HASHELP;
    page.pResource = context.templates.back().data();
    page.pfnDlgProc = entry.procedure;
    page.lParam = reinterpret_cast<LPARAM>(&context);
    const LONG_PTR handle = context.addPage(context.propertySheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                            reinterpret_cast<LPARAM>(&page), 0);
    if (index == 0) context.firstPage = handle;
    if (index == 1 && kind == SheetKind::Printer) context.secondPage = handle;
    info.Result = static_cast<ULONG_PTR>(handle);
  }
}

void Initialise(SheetKind kind, PageSetContext& context, PageList pages, PROPSHEETUI_INFO& info) {
  context.propertySheet = info.hComPropSheet;
  context.addPage = info.pfnComPropSheet;
  OpenPrinterPpd(context);
  if (kind == SheetKind::Document) LoadDeviceOptions(context);
  AddPages(context, pages, kind, info);
}

}  // namespace

HRESULT RunPropertySheets(SheetKind kind, PageSetContext& context, PageList pages,
                          PROPSHEETUI_INFO* info, LPARAM lParam) {
  if (info == nullptr || info->Version != PROPSHEETUI_INFO_VERSION) {
    platform::SetLastErrorCode(platform::kErrorInvalidParameter);
    return E_FAIL;
  }
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
      Initialise(kind, context, pages, *info);
      break;
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
      if (auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam)) {
        // The host only reads the title.
        header->pTitle = const_cast<LPWSTR>(kSheetTitle);
      }
      info->Result = kReasonDone;
      break;
    case PROPSHEETUI_REASON_DESTROY:
      ClosePpd(context);
      context.templates.clear();
      info->Result = kReasonDone;
      break;
    case PROPSHEETUI_REASON_SET_RESULT:
      if (const auto* result = reinterpret_cast<const SETRESULT_INFO*>(lParam)) {
        info->Result = static_cast<ULONG_PTR>(result->Result);
      }
      break;
    case PROPSHEETUI_REASON_GET_ICON:
      info->Result = 0;
      break;
    default:
      break;
  }
  return S_OK;
}

}  // namespace kx::ui
