// The UI plug-in object: the host sizes and defaults the settings record through it,
// lets it take part in the common settings UI, and has it add its pages to the document
// and printer sheets.
#pragma once

#include <atomic>

#include "host/oemui.h"
#include "page_set.h"

namespace kx::ui {

class UiPlugin final : public host::IPrintOemUI {
 public:
  UiPlugin();
  UiPlugin(const UiPlugin&) = delete;
  UiPlugin& operator=(const UiPlugin&) = delete;

  host::HRESULT KX_STDCALL QueryInterface(const host::IID& iid, void** object) override;
  host::ULONG KX_STDCALL AddRef() override;
  host::ULONG KX_STDCALL Release() override;
  host::HRESULT KX_STDCALL GetInfo(host::DWORD mode, host::PVOID buffer, host::DWORD size,
                                   host::PDWORD needed) override;
  host::HRESULT KX_STDCALL DevMode(host::DWORD mode, host::OEMDMPARAM* param) override;
  host::HRESULT KX_STDCALL PublishDriverInterface(host::IUnknown* driverInterface) override;
  host::HRESULT KX_STDCALL CommonUIProp(host::DWORD mode, host::OEMCUIPPARAM* param) override;
  host::HRESULT KX_STDCALL DocumentPropertySheets(host::PROPSHEETUI_INFO* info,
                                                  host::LPARAM lParam) override;
  host::HRESULT KX_STDCALL DevicePropertySheets(host::PROPSHEETUI_INFO* info,
                                                host::LPARAM lParam) override;
  host::HRESULT KX_STDCALL DevQueryPrintEx(host::PVOID uiObject, host::PVOID queryInfo,
                                           host::DEVMODEW* publicDevMode,
                                           host::PVOID privateRecord) override;
  host::HRESULT KX_STDCALL DeviceCapabilities(host::PVOID uiObject, host::HANDLE printer,
                                              host::PWSTR deviceName, host::WORD capability,
                                              host::PVOID output, host::DEVMODEW* publicDevMode,
                                              host::PVOID privateRecord, host::DWORD old,
                                              host::DWORD* result) override;
  host::HRESULT KX_STDCALL UpgradePrinter(host::DWORD level, host::BYTE* upgradeInfo) override;
  host::HRESULT KX_STDCALL PrinterEvent(host::PWSTR printerName, host::INT event,
                                        host::DWORD flags, host::LPARAM lParam) override;
  host::HRESULT KX_STDCALL DriverEvent(host::DWORD event, host::DWORD level,
                                       host::BYTE* driverInfo, host::LPARAM lParam) override;
  host::HRESULT KX_STDCALL QueryColorProfile(host::HANDLE printer, host::PVOID uiObject,
                                             host::DEVMODEW* publicDevMode,
                                             host::PVOID privateRecord, host::ULONG queryMode,
                                             host::PVOID profileData,
                                             host::ULONG* profileDataSize,
                                             host::FLONG* profileFlags) override;
  host::HRESULT KX_STDCALL FontInstallerDlgProc(host::HWND window, host::UINT message,
                                                host::WPARAM wParam,
                                                host::LPARAM lParam) override;
  host::HRESULT KX_STDCALL UpdateExternalFonts(host::HANDLE printer, host::HANDLE heap,
                                               host::PWSTR cartridges) override;

  // The contexts the sheets' pages work on.
  const PageSetContext& documentContext() const { return document_; }
  const PageSetContext& printerContext() const { return printer_; }

 private:
  ~UiPlugin();

  std::atomic<int32_t> references_{1};
  host::IPrintOemDriverUI* driverInterface_ = nullptr;
  PageSetContext printer_;
  PageSetContext document_;
};

}  // namespace kx::ui
