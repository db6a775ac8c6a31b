#include "hostsim/host_device.h"

#include <cstring>

namespace kx::hostsim {

using namespace host;

namespace {

// The host's own start of a document, which the plug-in's hook passes the call on to.
BOOL KX_STDCALL HostStartDoc(SURFOBJ* surface, PWSTR documentName, DWORD) {
  auto* devobj = static_cast<DEVOBJ*>(surface->dhpdev);
  auto* sink = static_cast<SpoolSink*>(devobj->hEngine);
  ++sink->startDocCalls;
  sink->startDocName = documentName != nullptr ? documentName : u"";
  return 1;
}

// The host's function table: only the start of a document is of interest.
DRVFN kHostFunctions[] = {
    {INDEX_DrvStartDoc, reinterpret_cast<PFN>(&HostStartDoc)},
};

}  // namespace

HostDevice::HostDevice(RenderSession& session, platform::PrinterHandle printer,
                       const DeviceModeSettings& deviceMode)
    : session_(session), printer_(printer) {
  std::memcpy(devMode_.dmDeviceName, u"KX48T7", sizeof(u"KX48T7"));
  devMode_.dmSpecVersion = DM_SPECVERSION;
  devMode_.dmSize = sizeof(DEVMODEW);
  devMode_.dmFields = DM_ORIENTATION | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES |
                      DM_DEFAULTSOURCE | DM_DUPLEX | DM_MEDIATYPE;
  devMode_.dmOrientation = deviceMode.orientation;
  devMode_.dmPaperWidth = deviceMode.paperWidth;
  devMode_.dmPaperLength = deviceMode.paperLength;
  devMode_.dmCopies = deviceMode.copies;
  devMode_.dmDefaultSource = deviceMode.defaultSource;
  devMode_.dmDuplex = deviceMode.duplex;
  devMode_.dmMediaType = deviceMode.mediaType;

  devobj_.dwSize = sizeof(DEVOBJ);
  devobj_.hEngine = &sink_;
  devobj_.hPrinter = printer_;
  devobj_.pPublicDM = &devMode_;
}

HostDevice::~HostDevice() {
  if (enabled_) session_.plugin()->DisablePDEV(&devobj_);
}

bool HostDevice::PrepareRecord(const std::vector<uint8_t>* stored, std::string* error) {
  OEMDMPARAM param{};
  param.cbSize = sizeof(param);
  param.hPrinter = printer_;
  param.pPublicDMIn = &devMode_;
  param.pPublicDMOut = &devMode_;
  if (session_.plugin()->DevMode(OEMDM_SIZE, &param) != S_OK ||
      param.cbBufSize < sizeof(settings::PrivateRecord)) {
    *error = "DevMode(OEMDM_SIZE) gave no usable record size";
    return false;
  }
  record_.assign(param.cbBufSize, 0);
  param.pOEMDMOut = record_.data();
  if (session_.plugin()->DevMode(OEMDM_DEFAULT, &param) != S_OK) {
    *error = "DevMode(OEMDM_DEFAULT) failed";
    return false;
  }
  std::vector<uint8_t> input = stored != nullptr ? *stored : record_;
  input.resize(record_.size(), 0);
  param.pOEMDMIn = input.data();
  if (session_.plugin()->DevMode(OEMDM_MERGE, &param) != S_OK) {
    *error = "DevMode(OEMDM_MERGE) failed";
    return false;
  }
  devMode_.dmDriverExtra = static_cast<WORD>(record_.size());
  devobj_.pOEMDM = record_.data();
  return true;
}

bool HostDevice::Enable(std::string* error) {
  DRVENABLEDATA hostTable{PRINTER_OEMINTF_VERSION, 1, kHostFunctions};
  PDEVOEM state = nullptr;
  const HRESULT result = session_.plugin()->EnablePDEV(
      &devobj_, const_cast<PWSTR>(u"KX48T7"), 0, nullptr, 0, nullptr, 0, nullptr, &hostTable,
      &state);
  if (result != S_OK) {
    *error = "EnablePDEV failed";
    return false;
  }
  devobj_.pdevOEM = state;
  enabled_ = true;
  return true;
}

bool HostDevice::StartDoc(const char16_t* documentName) {
  SURFOBJ surface{};
  surface.dhpdev = &devobj_;
  auto hook = reinterpret_cast<DrvStartDocFn>(session_.HookedFunction(INDEX_DrvStartDoc));
  std::u16string name = documentName != nullptr ? documentName : u"";
  PWSTR argument = documentName != nullptr ? name.data() : nullptr;
  if (hook == nullptr) return HostStartDoc(&surface, argument, 1) != 0;
  return hook(&surface, argument, 1) != 0;
}

HRESULT HostDevice::Command(DWORD index, DWORD* result) {
  DWORD value = 0xDEADBEEF;
  const HRESULT answer = session_.plugin()->Command(&devobj_, index, nullptr, 0, &value);
  if (result != nullptr) *result = value;
  return answer;
}

settings::PrivateRecord& HostDevice::record() {
  return *reinterpret_cast<settings::PrivateRecord*>(record_.data());
}

}  // namespace kx::hostsim
