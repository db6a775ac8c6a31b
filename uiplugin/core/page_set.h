// What a property sheet of the plug-in shares with its pages: the host's sheet and
// callback, the common-UI parameters (printer handle and private settings record), the
// host's driver interface and the printer's PPD image. A page reaches it through its
// lParam.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/oemui.h"
#include "platform/dialog_template.h"
#include "ppd/ppd.h"
#include "settings/record.h"

namespace kx::ui {

// A handle the host has not given yet.
inline constexpr host::LONG_PTR kNoPageHandle = -1;

struct PageSetContext {
  host::HANDLE propertySheet = reinterpret_cast<host::HANDLE>(kNoPageHandle);
  host::LONG_PTR firstPage = kNoPageHandle;
  host::LONG_PTR secondPage = kNoPageHandle;  // printer sheet only
  host::PFNCOMPROPSHEET addPage = nullptr;
  host::OEMCUIPPARAM* commonUi = nullptr;     // the last CommonUIProp parameters
  host::IPrintOemDriverUI* driverInterface = nullptr;  // not owned
  const ppd::PpdImage* ppd = nullptr;         // owned from INIT to DESTROY
  // The in-memory templates of the pages added, alive as long as the pages.
  std::vector<std::vector<uint32_t>> templates;
};

// One page a sheet adds: its template id, its procedure and its control table.
struct PageEntry {
  int templateId = 0;
  host::DLGPROC procedure = nullptr;
  const platform::DialogSpec* spec = nullptr;
};
using PageList = std::span<const PageEntry>;

enum class SheetKind { Document, Printer };

// The sheet's private settings record; null when the host gave none.
inline settings::PrivateRecord* RecordOfContext(const PageSetContext* context) {
  if (context == nullptr || context->commonUi == nullptr) return nullptr;
  return static_cast<settings::PrivateRecord*>(context->commonUi->pOEMDM);
}

// The printer the sheet is for, which names its per-user stores; empty when not given.
inline std::u16string PrinterNameOfContext(const PageSetContext& context) {
  const host::PWSTR name = context.commonUi != nullptr ? context.commonUi->pPrinterName : nullptr;
  return name != nullptr ? std::u16string(name) : std::u16string();
}

// The context a page procedure was given at WM_INITDIALOG (its PROPSHEETPAGEW's lParam).
inline PageSetContext* ContextOfPage(host::LPARAM initParam) {
  const auto* page = reinterpret_cast<const host::PROPSHEETPAGEW*>(initParam);
  return page != nullptr ? reinterpret_cast<PageSetContext*>(page->lParam) : nullptr;
}

}  // namespace kx::ui
