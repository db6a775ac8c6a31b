#include "installed_job.h"

#include <vector>

#include "hostsim/document_copier.h"
#include "hostsim/host_device.h"
#include "hostsim/plugin_module.h"
#include "hostsim/render_session.h"
#include "platform/last_error.h"
#include "platform/spooler.h"

namespace kx::package {

bool ReadInstalledDriver(const std::u16string& printer, InstalledDriver* driver,
                         std::string* error) {
  const platform::OpenedPrinter opened(printer);
  if (opened.handle() == nullptr) {
    *error = "OpenPrinter failed: error " + std::to_string(platform::GetLastErrorCode());
    return false;
  }
  uint32_t needed = 0;
  platform::GetPrinterDriver(opened.handle(), 3, nullptr, 0, &needed);
  std::vector<uint8_t> buffer(needed);
  if (needed < sizeof(platform::DriverInfo3) ||
      !platform::GetPrinterDriver(opened.handle(), 3, buffer.data(), needed, &needed)) {
    *error = "GetPrinterDriver failed: error " + std::to_string(platform::GetLastErrorCode());
    return false;
  }
  const auto* info = reinterpret_cast<const platform::DriverInfo3*>(buffer.data());
  driver->dataFile = info->dataFile != nullptr ? info->dataFile : u"";
  driver->dependentFiles.clear();
  for (const char16_t* file = info->dependentFiles; file != nullptr && *file != 0;
       file += std::char_traits<char16_t>::length(file) + 1) {
    driver->dependentFiles.push_back(file);
  }
  return true;
}

std::string RenderSampleJob(const std::string& pluginPath, const std::u16string& printer,
                            std::string* error) {
  const platform::OpenedPrinter opened(printer);
  if (opened.handle() == nullptr) {
    *error = "OpenPrinter failed: error " + std::to_string(platform::GetLastErrorCode());
    return {};
  }
  auto module = hostsim::PluginModule::Load(pluginPath, error);
  if (module == nullptr) return {};
  auto session = hostsim::RenderSession::Create(*module, error);
  if (session == nullptr) return {};
  hostsim::HostDevice device(*session, opened.handle(), {});
  if (!device.PrepareRecord(nullptr, error) || !device.Enable(error) ||
      !hostsim::CopyDocument(device, hostsim::SampleDocument(1), error)) {
    return {};
  }
  return device.spool().bytes;
}

}  // namespace kx::package
