// One UI plug-in object as the host driver holds it while it shows printer or document
// settings: created through the module's class object, given the host's service
// interface, asked for its settings record, then given the host's items (CommonUIProp)
// and called in its sheet slots. The pages the plug-in adds through the host's add-page
// function are kept, as copies of their descriptions, for HostSheet to create.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/oemui.h"
#include "hostsim/driver_ui_interface.h"
#include "hostsim/host_items.h"
#include "hostsim/plugin_module.h"
#include "platform/spooler.h"
#include "settings/record.h"

namespace kx::hostsim {

enum class SheetKind { Document, Printer };

// A page the plug-in added with CPSFUNC_ADD_PROPSHEETPAGEW.
struct AddedPage {
  SheetKind sheet = SheetKind::Document;
  host::HANDLE handle = nullptr;  // what the add-page function returned
  host::PROPSHEETPAGEW page{};    // the plug-in's description, copied at the call
};

// A CPSFUNC_SET_RESULT call. The host passes the result on to the sheet's own function
// (reason SET_RESULT), as the common property-sheet service does.
struct PageResult {
  host::HANDLE page = nullptr;
  host::LRESULT result = 0;
};

// What the host passes as the OEMUIOBJ (poemuiobj): the plug-in hands it back with
// every driver-interface call.
struct HostUiObject {
  host::DWORD cbSize = sizeof(HostUiObject);
  void* procs = nullptr;
};

class UISession {
 public:
  struct Setup {
    platform::PrinterHandle printer = nullptr;
    std::u16string printerName;
    // The record the host kept for the printer or document, merged after the defaults;
    // null merges the defaults themselves.
    const std::vector<uint8_t>* stored = nullptr;
  };

  // DllGetClassObject, CreateInstance, PublishDriverInterface, then the device-mode
  // sequence (size, defaults, merge). Null with *error set when a step fails.
  static std::unique_ptr<UISession> Create(const PluginModule& module, const Setup& setup,
                                           std::string* error);
  // Releases the plug-in object.
  ~UISession();
  UISession(const UISession&) = delete;
  UISession& operator=(const UISession&) = delete;

  host::IPrintOemUI* plugin() const { return plugin_; }
  DriverUIInterface& driverInterface() { return driverInterface_; }
  const HostUiObject* uiObject() const { return &uiObject_; }
  std::vector<uint8_t>& record() { return record_; }
  settings::PrivateRecord& privateRecord();
  host::DEVMODEW& publicDevMode() { return devMode_; }

  // CommonUIProp with a parameter block of its own per sheet (OEMCUIP_PRNPROP: the
  // printer sheet's, any other mode: the document sheet's) that lists `items` (null:
  // none). The block stays valid for the session, as the plug-in keeps its address.
  host::HRESULT CommonUIProp(host::DWORD mode, HostItems* items);
  host::OEMCUIPPARAM& commonUiParam(SheetKind sheet) { return params_[Index(sheet)]; }

  // The host's page calling the callback that the plug-in installed in the sheet's
  // parameter block (OEMCUIPCallback, after CommonUIProp) for `reason`, with the sheet's
  // items; the result field starts at kUntouchedResult.
  struct ItemsCallbackAnswer {
    bool installed = false;  // false: no callback was called
    host::LONG action = 0;
    host::ULONG_PTR result = 0;
  };
  static constexpr host::ULONG_PTR kUntouchedResult = 0xDEADBEEF;
  ItemsCallbackAnswer ItemsCallback(SheetKind sheet, host::WORD reason);

  // The spooler's PrinterEvent for the session's printer.
  host::HRESULT PrinterEvent(host::INT event, host::DWORD flags = 0);

  // The sheet slot (DocumentPropertySheets or DevicePropertySheets) for `reason` with
  // `lParam`, through the sheet's PROPSHEETUI_INFO, which lives as long as the session as
  // the host's does; `version` goes into it for this call.
  host::HRESULT Sheet(SheetKind sheet, host::WORD reason, host::LPARAM lParam,
                      host::WORD version = host::PROPSHEETUI_INFO_VERSION);
  host::HRESULT InitSheet(SheetKind sheet, host::WORD version = host::PROPSHEETUI_INFO_VERSION);
  host::HRESULT GetInfoHeader(SheetKind sheet, host::PROPSHEETUI_INFO_HEADER* header);
  host::HRESULT SetResult(SheetKind sheet, host::HANDLE page, host::LRESULT result);
  host::HRESULT DestroySheet(SheetKind sheet);
  host::HRESULT GetIcon(SheetKind sheet);
  host::PROPSHEETUI_INFO& sheetInfo(SheetKind sheet) { return infos_[Index(sheet)]; }
  host::HANDLE sheetHandle(SheetKind sheet) const { return sheetHandles_[Index(sheet)]; }

  const std::vector<AddedPage>& pages() const { return pages_; }
  // The descriptions of one sheet's pages, in the order they were added.
  std::vector<host::PROPSHEETPAGEW> PagesOf(SheetKind sheet) const;
  const std::vector<PageResult>& results() const { return results_; }

 private:
  UISession() = default;
  static size_t Index(SheetKind sheet) { return sheet == SheetKind::Document ? 0 : 1; }
  bool PrepareRecord(const platform::PrinterHandle printer, const std::vector<uint8_t>* stored,
                     std::string* error);
  // The host's common property-sheet function that the plug-in's pages are added with.
  static host::LONG_PTR KX_STDCALL ComPropSheet(host::HANDLE sheet, host::UINT function,
                                                host::LPARAM lParam1, host::LPARAM lParam2);
  host::LONG_PTR AddPage(SheetKind sheet, const host::PROPSHEETPAGEW* page);
  host::LONG_PTR RecordResult(SheetKind sheet, host::HANDLE page, host::LRESULT result);

  host::IPrintOemUI* plugin_ = nullptr;
  DriverUIInterface driverInterface_;
  HostUiObject uiObject_;
  platform::PrinterHandle printer_ = nullptr;
  std::u16string printerName_;
  host::DEVMODEW devMode_{};
  std::vector<uint8_t> record_;
  host::OEMCUIPPARAM params_[2]{};
  host::PROPSHEETUI_INFO infos_[2]{};
  host::HANDLE sheetHandles_[2]{};
  std::vector<AddedPage> pages_;
  std::vector<PageResult> results_;
};

}  // namespace kx::hostsim
