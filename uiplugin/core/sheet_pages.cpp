#include "sheet_pages.h"

#include "colour/features_page.h"
#include "device/consumables_page.h"
#include "device/device_settings_page.h"
#include "device/information_page.h"
#include "watermarks/overlay_page.h"

namespace kx::ui {
namespace {

// In the order the sheet shows them.
const PageEntry kDocumentPages[] = {
    {.templateId = kFeaturesPageId, .procedure = FeaturesPageProcedure, .spec = &FeaturesPageSpec()},
    {.templateId = kOverlayPageId, .procedure = OverlayPageProcedure, .spec = &OverlayPageSpec()},
    {.templateId = kInformationPageId, .procedure = InformationPageProcedure,
     .spec = &InformationPageSpec()},
};

const PageEntry kPrinterPages[] = {
    {.templateId = kDeviceSettingsPageId, .procedure = DeviceSettingsPageProcedure,
     .spec = &DeviceSettingsPageSpec()},
    {.templateId = kConsumablesPageId, .procedure = ConsumablesPageProcedure,
     .spec = &ConsumablesPageSpec()},
};

}  // namespace

PageList DocumentPages() { return kDocumentPages; }

PageList PrinterPages() { return kPrinterPages; }

}  // namespace kx::ui
