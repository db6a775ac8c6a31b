#include "installable_options.h"

#include "settings/record_ops.h"

namespace kx::ui {

const std::span<const InstallableOption> kInstallableOptions;
void DefaultDeviceOptions(settings::DeviceOptions* options, const ppd::PpdImage*) {
  settings::SetDeviceOptionsDefaults(options);
}
bool IsInstalledOption(std::string_view) { return false; }
const InstallableOption* InstallableOptionOf(std::string_view) { return nullptr; }
void FillOptionLists(host::HWND, const ppd::PpdImage*, settings::DeviceOptions*) {}
void PutInstalledFlagsIntoHostItems(const PageSetContext&, const ppd::PpdImage*,
                                    const InstalledFlags&) {}

}  // namespace kx::ui
