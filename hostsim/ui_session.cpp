#include "hostsim/ui_session.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

#include "host/com.h"

namespace kx::hostsim {

using namespace host;

namespace {

// The common property-sheet function reaches the session through the sheet handle the
// plug-in passes back: a plain function cannot carry the session itself. Handles are
// small numbers, so that a plug-in that keeps them in 32 bits keeps them whole.
class SheetHandles {
 public:
  struct Entry {
    UISession* session = nullptr;
    SheetKind sheet = SheetKind::Document;
  };

  static SheetHandles& Instance() {
    static SheetHandles handles;
    return handles;
  }

  HANDLE Add(UISession* session, SheetKind sheet) {
    std::lock_guard lock(mutex_);
    const uintptr_t handle = next_++;
    entries_[handle] = {session, sheet};
    return reinterpret_cast<HANDLE>(handle);
  }

  bool Find(HANDLE handle, Entry* entry) {
    std::lock_guard lock(mutex_);
    const auto found = entries_.find(reinterpret_cast<uintptr_t>(handle));
    if (found == entries_.end()) return false;
    *entry = found->second;
    return true;
  }

  void Remove(UISession* session) {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [session](const auto& item) { return item.second.session == session; });
  }

 private:
  std::mutex mutex_;
  std::map<uintptr_t, Entry> entries_;
  uintptr_t next_ = 0x5C00;
};

// Page handles count up from here within a session; never 0, which means failure.
constexpr uintptr_t kFirstPageHandle = 0x7E00;
// What the common property-sheet function answers for a call it cannot do.
constexpr LONG_PTR kComPropSheetFailed = -1;

}  // namespace

std::unique_ptr<UISession> UISession::Create(const PluginModule& module, const Setup& setup,
                                             std::string* error) {
  std::unique_ptr<UISession> session(new UISession());
  session->printer_ = setup.printer;
  session->printerName_ = setup.printerName;
  if (!module.CreateObject(CLSID_OEMUI, IID_IPrintOemUI,
                           reinterpret_cast<void**>(&session->plugin_), error)) {
    return nullptr;
  }
  const HRESULT result = session->plugin_->PublishDriverInterface(&session->driverInterface_);
  if (result != S_OK) {
    *error = "PublishDriverInterface failed: " + HresultText(result);
    return nullptr;
  }
  if (!session->PrepareRecord(setup.printer, setup.stored, error)) return nullptr;
  for (const SheetKind sheet : {SheetKind::Document, SheetKind::Printer}) {
    session->sheetHandles_[Index(sheet)] = SheetHandles::Instance().Add(session.get(), sheet);
    PROPSHEETUI_INFO& info = session->infos_[Index(sheet)];
    info.cbSize = sizeof(PROPSHEETUI_INFO);
    info.hComPropSheet = session->sheetHandles_[Index(sheet)];
    info.pfnComPropSheet = &UISession::ComPropSheet;
  }
  return session;
}

UISession::~UISession() {
  SheetHandles::Instance().Remove(this);
  if (plugin_ != nullptr) plugin_->Release();
}

settings::PrivateRecord& UISession::privateRecord() {
  return *reinterpret_cast<settings::PrivateRecord*>(record_.data());
}

// As the host does for every device mode it makes: the size, a buffer of that size with
// the defaults, then the stored record merged over them.
bool UISession::PrepareRecord(const platform::PrinterHandle printer,
                              const std::vector<uint8_t>* stored, std::string* error) {
  const size_t nameLength = std::min(printerName_.size(), std::size(devMode_.dmDeviceName) - 1);
  std::copy_n(printerName_.begin(), nameLength, devMode_.dmDeviceName);
  devMode_.dmSpecVersion = DM_SPECVERSION;
  devMode_.dmSize = sizeof(DEVMODEW);

  OEMDMPARAM param{};
  param.cbSize = sizeof(param);
  param.pdriverobj = &uiObject_;
  param.hPrinter = printer;
  param.pPublicDMIn = &devMode_;
  param.pPublicDMOut = &devMode_;
  if (plugin_->DevMode(OEMDM_SIZE, &param) != S_OK ||
      param.cbBufSize < sizeof(settings::PrivateRecord)) {
    *error = "DevMode(OEMDM_SIZE) gave no usable record size";
    return false;
  }
  record_.assign(param.cbBufSize, 0);
  param.pOEMDMOut = record_.data();
  if (plugin_->DevMode(OEMDM_DEFAULT, &param) != S_OK) {
    *error = "DevMode(OEMDM_DEFAULT) failed";
    return false;
  }
  std::vector<uint8_t> input = stored != nullptr ? *stored : record_;
  input.resize(record_.size(), 0);
  param.pOEMDMIn = input.data();
  if (plugin_->DevMode(OEMDM_MERGE, &param) != S_OK) {
    *error = "DevMode(OEMDM_MERGE) failed";
    return false;
  }
  devMode_.dmDriverExtra = static_cast<WORD>(record_.size());
  return true;
}

HRESULT UISession::CommonUIProp(DWORD mode, HostItems* items) {
  OEMCUIPPARAM& param =
      params_[Index(mode == OEMCUIP_PRNPROP ? SheetKind::Printer : SheetKind::Document)];
  param = {};
  param.cbSize = sizeof(OEMCUIPPARAM);
  param.poemuiobj = &uiObject_;
  param.hPrinter = printer_;
  param.pPrinterName = printerName_.data();
  param.pPublicDM = &devMode_;
  param.pOEMDM = record_.data();
  if (items != nullptr) {
    param.pDrvOptItems = items->data();
    param.cDrvOptItems = items->count();
  }
  return plugin_->CommonUIProp(mode, &param);
}

UISession::ItemsCallbackAnswer UISession::ItemsCallback(SheetKind sheet, WORD reason) {
  OEMCUIPPARAM& param = params_[Index(sheet)];
  if (param.OEMCUIPCallback == nullptr) return {};
  CPSUICBPARAM callback{};
  callback.cbSize = sizeof(CPSUICBPARAM);
  callback.Reason = reason;
  callback.pOptItem = param.pDrvOptItems;
  callback.cOptItem = static_cast<WORD>(param.cDrvOptItems);
  callback.pCurItem = param.pDrvOptItems;
  callback.Result = kUntouchedResult;
  const LONG action = param.OEMCUIPCallback(&callback, &param);
  return {.installed = true, .action = action, .result = callback.Result};
}

HRESULT UISession::PrinterEvent(INT event, DWORD flags) {
  return plugin_->PrinterEvent(printerName_.data(), event, flags, 0);
}

HRESULT UISession::Sheet(SheetKind sheet, WORD reason, LPARAM lParam, WORD version) {
  PROPSHEETUI_INFO& info = infos_[Index(sheet)];
  info.Version = version;
  info.Reason = reason;
  return sheet == SheetKind::Document ? plugin_->DocumentPropertySheets(&info, lParam)
                                      : plugin_->DevicePropertySheets(&info, lParam);
}

HRESULT UISession::InitSheet(SheetKind sheet, WORD version) {
  return Sheet(sheet, PROPSHEETUI_REASON_INIT, infos_[Index(sheet)].lParamInit, version);
}

HRESULT UISession::GetInfoHeader(SheetKind sheet, PROPSHEETUI_INFO_HEADER* header) {
  return Sheet(sheet, PROPSHEETUI_REASON_GET_INFO_HEADER, reinterpret_cast<LPARAM>(header));
}

HRESULT UISession::SetResult(SheetKind sheet, HANDLE page, LRESULT result) {
  SETRESULT_INFO info{};
  info.cbSize = sizeof(info);
  info.hSetResult = page;
  info.Result = result;
  return Sheet(sheet, PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&info));
}

HRESULT UISession::DestroySheet(SheetKind sheet) {
  return Sheet(sheet, PROPSHEETUI_REASON_DESTROY, 0);
}

HRESULT UISession::GetIcon(SheetKind sheet) { return Sheet(sheet, PROPSHEETUI_REASON_GET_ICON, 0); }

std::vector<PROPSHEETPAGEW> UISession::PagesOf(SheetKind sheet) const {
  std::vector<PROPSHEETPAGEW> descriptions;
  for (const AddedPage& added : pages_) {
    if (added.sheet == sheet) descriptions.push_back(added.page);
  }
  return descriptions;
}

LONG_PTR UISession::ComPropSheet(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM lParam2) {
  SheetHandles::Entry entry;
  if (!SheetHandles::Instance().Find(sheet, &entry)) return kComPropSheetFailed;
  switch (function) {
    case CPSFUNC_ADD_PROPSHEETPAGEW:
      return entry.session->AddPage(entry.sheet, reinterpret_cast<const PROPSHEETPAGEW*>(lParam1));
    case CPSFUNC_SET_RESULT:
      return entry.session->RecordResult(entry.sheet, reinterpret_cast<HANDLE>(lParam1), lParam2);
    default:
      return kComPropSheetFailed;
  }
}

// The description is copied as far as its dwSize says and the structure reaches; the
// host keeps its copy, so the plug-in's may be temporary. Returns the page's handle, 0
// for no description.
LONG_PTR UISession::AddPage(SheetKind sheet, const PROPSHEETPAGEW* page) {
  if (page == nullptr) return 0;
  AddedPage added;
  added.sheet = sheet;
  added.handle = reinterpret_cast<HANDLE>(kFirstPageHandle + pages_.size());
  std::memcpy(&added.page, page, std::min<size_t>(page->dwSize, sizeof(PROPSHEETPAGEW)));
  pages_.push_back(added);
  return reinterpret_cast<LONG_PTR>(added.handle);
}

// The host passes a result on to the sheet functions of the page's sheet, as a
// SET_RESULT call; a null page stands for the sheet itself. Returns how many sheet
// functions were called, or -1 for a handle the host does not know.
LONG_PTR UISession::RecordResult(SheetKind sheet, HANDLE page, LRESULT result) {
  const bool known = page == nullptr || page == sheetHandles_[Index(sheet)] ||
                     std::any_of(pages_.begin(), pages_.end(),
                                 [page](const AddedPage& added) { return added.handle == page; });
  if (!known) return kComPropSheetFailed;
  results_.push_back({page, result});
  SetResult(sheet, page != nullptr ? page : sheetHandles_[Index(sheet)], result);
  return 1;
}

}  // namespace kx::hostsim
