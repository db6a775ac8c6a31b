#include "ui_plugin.h"

#include "color_profile.h"
#include "document_items.h"
#include "get_info.h"
#include "host/call_barrier.h"
#include "module_state.h"
#include "platform/last_error.h"
#include "platform/win32_errors.h"
#include "printer_items.h"
#include "printer_setup.h"
#include "property_sheets.h"
#include "settings/devmode_request.h"
#include "sheet_pages.h"

namespace kx::ui {

using namespace host;

UiPlugin::UiPlugin() { ++Module().counts.liveObjects; }

UiPlugin::~UiPlugin() {
  // A sheet the host never destroyed still holds its PPD.
  for (PageSetContext* context : {&printer_, &document_}) {
    if (context->ppd != nullptr) ppd::PpdClose(context->ppd);
  }
  if (driverInterface_ != nullptr) driverInterface_->Release();
  --Module().counts.liveObjects;
}

HRESULT UiPlugin::QueryInterface(const IID& iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPrintOemUI) {
    *object = static_cast<IPrintOemUI*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG UiPlugin::AddRef() { return static_cast<ULONG>(++references_); }

ULONG UiPlugin::Release() {
  const int32_t remaining = --references_;
  if (remaining == 0) delete this;
  return static_cast<ULONG>(remaining);
}

HRESULT UiPlugin::GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) {
  return CallBarrier([&] { return AnswerGetInfo(mode, buffer, size, needed); });
}

HRESULT UiPlugin::DevMode(DWORD mode, OEMDMPARAM* param) {
  return CallBarrier([&] { return settings::AnswerDevModeRequest(mode, param); });
}

HRESULT UiPlugin::PublishDriverInterface(IUnknown* driverInterface) {
  return CallBarrier([&]() -> HRESULT {
    if (driverInterface_ != nullptr) return S_OK;
    if (driverInterface == nullptr) return E_FAIL;
    void* answer = nullptr;
    if (driverInterface->QueryInterface(IID_IPrintOemDriverUI, &answer) != S_OK ||
        answer == nullptr) {
      return E_FAIL;
    }
    driverInterface_ = static_cast<IPrintOemDriverUI*>(answer);
    return S_OK;
  });
}

HRESULT UiPlugin::CommonUIProp(DWORD mode, OEMCUIPPARAM* param) {
  return CallBarrier([&]() -> HRESULT {
    // Every page of either sheet works on the printer and record given here.
    document_.commonUi = param;
    printer_.commonUi = param;
    switch (mode) {
      case OEMCUIP_DOCPROP:
        document_.driverInterface = driverInterface_;
        return BuildDocumentItems(param, &document_);
      case OEMCUIP_PRNPROP:
        return BuildPrinterItems(param);
      default:
        platform::SetLastErrorCode(platform::kErrorInvalidParameter);
        return E_FAIL;
    }
  });
}

HRESULT UiPlugin::DocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
  return CallBarrier([&] {
    document_.driverInterface = driverInterface_;
    return RunPropertySheets(SheetKind::Document, document_, DocumentPages(), info, lParam);
  });
}

HRESULT UiPlugin::DevicePropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam) {
  return CallBarrier([&] {
    printer_.driverInterface = driverInterface_;
    return RunPropertySheets(SheetKind::Printer, printer_, PrinterPages(), info, lParam);
  });
}

HRESULT UiPlugin::DevQueryPrintEx(PVOID, PVOID, DEVMODEW*, PVOID) { return E_NOTIMPL; }

HRESULT UiPlugin::DeviceCapabilities(PVOID, HANDLE, PWSTR, WORD, PVOID, DEVMODEW*, PVOID, DWORD,
                                     DWORD*) {
  return E_NOTIMPL;
}

HRESULT UiPlugin::UpgradePrinter(DWORD, BYTE*) { return E_NOTIMPL; }

HRESULT UiPlugin::PrinterEvent(PWSTR printerName, INT event, DWORD flags, LPARAM lParam) {
  return CallBarrier([&] { return SetUpPrinter(printerName, event, flags, lParam); });
}

HRESULT UiPlugin::DriverEvent(DWORD, DWORD, BYTE*, LPARAM) { return E_NOTIMPL; }

HRESULT UiPlugin::QueryColorProfile(HANDLE, PVOID, DEVMODEW*, PVOID, ULONG queryMode,
                                    PVOID profileData, ULONG* profileDataSize,
                                    FLONG* profileFlags) {
  return CallBarrier([&] {
    return AnswerColorProfileQuery(queryMode, profileData, profileDataSize, profileFlags);
  });
}

HRESULT UiPlugin::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) { return E_NOTIMPL; }

HRESULT UiPlugin::UpdateExternalFonts(HANDLE, HANDLE, PWSTR) { return E_NOTIMPL; }

}  // namespace kx::ui
