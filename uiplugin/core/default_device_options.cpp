#include "default_device_options.h"

#include "settings/record_ops.h"

namespace kx::ui {

// The PPD's installed-option defaults are not applied yet: every installed flag starts
// at 0, as in a record's own defaults.
void DefaultDeviceOptions(settings::DeviceOptions* options, const ppd::PpdImage*) {
  settings::SetDeviceOptionsDefaults(options);
}

}  // namespace kx::ui
