#include "prepared_printer.h"

#include "colour/colour_sets.h"
#include "colour/profile_store.h"
#include "joboptions/custom_settings_store.h"
#include "platform/registry.h"
#include "platform/win32_errors.h"
#include "settings/record.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/win32/spooler_printer.h"
#include "user_store.h"
#include "watermarks/watermark_store.h"

namespace kx::hostsim {
namespace {

// The user's own entries in the plug-in's stores.
constexpr char16_t kWatermarkName[] = u"사내 전용";
constexpr char16_t kWatermarkText[] = u"사내 전용 - 외부 반출 금지";
constexpr char16_t kColourSetName[] = u"선명한 사진";
constexpr char16_t kCustomSettingName[] = u"회의 자료";

struct StoredProfile {
  ui::ProfileKind kind;
  const char16_t* description;
  const char16_t* fileName;
};
constexpr StoredProfile kProfiles[] = {
    {ui::ProfileKind::kRgbSource, u"사무실 모니터", u"OFFICE_RGB.ICC"},
    {ui::ProfileKind::kSimulation, u"인쇄소 시뮬레이션", u"PRESS_SIM.ICC"},
    {ui::ProfileKind::kDestination, u"재생 용지", u"RECYCLED.ICC"},
};

std::u16string DriverName(const std::u16string& printer) { return printer + u" (driver)"; }

}  // namespace

std::unique_ptr<PreparedPrinter> PreparedPrinter::Install(const std::u16string& name,
                                                          const std::u16string& ppdPath,
                                                          std::string* error) {
  std::unique_ptr<PreparedPrinter> printer(new PreparedPrinter(name));
  const test::win32::DriverSetup driver = {
      .name = DriverName(name), .dataFile = ppdPath, .dependentFiles = {}};
  if (!test::win32::InstallDriver(driver, error) ||
      !test::win32::InstallPrinter(name, driver.name, error)) {
    return nullptr;
  }
  if (!platform::OpenPrinter(name, &printer->handle_)) {
    *error = "the installed printer cannot be opened";
    return nullptr;
  }
  settings::DeviceOptions options{};
  settings::SetDeviceOptionsDefaults(&options);
  options.installedOptions[settings::kHasHardDisk] = 1;
  if (settings::WriteStoredDeviceOptions(printer->handle_, options) != platform::kErrorSuccess) {
    *error = "the printer's installed options cannot be stored";
    return nullptr;
  }
  if (!printer->FillStores(error)) return nullptr;
  return printer;
}

bool PreparedPrinter::FillStores(std::string* error) {
  auto record = std::make_unique<settings::PrivateRecord>();
  settings::SetRecordDefaults(record.get(), nullptr);

  settings::WatermarkRecord watermark = ui::NewWatermarkRecord();
  settings::StoreText(watermark.name, kWatermarkName);
  settings::StoreText(watermark.text, kWatermarkText);
  bool stored = ui::StoreWatermark(watermark, name_) == platform::kErrorSuccess;

  record->quickColorSet = ui::kUserColourSet;
  settings::StoreText(record->colorSetName, kColourSetName);
  stored = stored && ui::SaveColourSet(kColourSetName, name_, *record) == platform::kErrorSuccess;
  for (const StoredProfile& profile : kProfiles) {
    stored = stored && ui::WriteProfile(profile.kind, name_, profile.description,
                                        profile.fileName) == platform::kErrorSuccess;
  }
  settings::StoreText(record->customSettingName, kCustomSettingName);
  stored = stored &&
           ui::StoreCustomSetting(kCustomSettingName, *record, name_) == platform::kErrorSuccess;
  if (!stored) *error = "the plug-in's stores cannot be written";
  return stored;
}

PreparedPrinter::~PreparedPrinter() {
  if (handle_ != nullptr) platform::ClosePrinter(handle_);
  test::win32::RemovePrinter(name_);
  std::u16string stores = ui::PrinterStorePath(name_, u"");
  if (!stores.empty() && stores.back() == u'\\') stores.pop_back();
  platform::DeleteRegistryTree(platform::Hive::kCurrentUser, stores);
}

}  // namespace kx::hostsim
