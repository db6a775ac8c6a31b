#include "filter_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "joboptions/custom_settings_store.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "settings/field_table.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "watermarks/watermark_store.h"

namespace kx::test {
namespace {

void SetField(settings::PrivateRecord* record, const char* name, const std::string& value) {
  const settings::RecordField* field = settings::FindRecordField(name);
  ASSERT_NE(field, nullptr) << name;
  std::string error;
  ASSERT_TRUE(settings::SetRecordField(record, *field, value, &error)) << error;
}

}  // namespace

FilterPrinter::FilterPrinter()
    : printer_(platform::Utf8ToUtf16(kQueue), platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD)) {
  const std::u16string queue = platform::Utf8ToUtf16(kQueue);
  auto record = std::make_unique<settings::PrivateRecord>();
  EXPECT_TRUE(settings::SetRecordDefaults(record.get(), printer_.handle()));
  SetField(record.get(), "userName", kPrinterUser);
  settings::FillDeviceTextCopies(&record->devOpts, settings::DeviceText::kUserName);
  const auto* devOpts = reinterpret_cast<const uint8_t*>(&record->devOpts);
  printer_.SetDevOpts(std::vector<uint8_t>(devOpts, devOpts + sizeof record->devOpts));

  settings::WatermarkRecord watermark = ui::NewWatermarkRecord();
  settings::StoreText(watermark.name, platform::Utf8ToUtf16(kStoredWatermark));
  settings::StoreText(watermark.text, platform::Utf8ToUtf16(kStoredWatermarkText));
  EXPECT_EQ(ui::StoreWatermark(watermark, queue), platform::kErrorSuccess);

  // A setting that turns the negative image on, and carries another user name that the
  // printer's own must win over.
  auto setting = std::make_unique<settings::PrivateRecord>(*record);
  setting->negativeImage = 1;
  SetField(setting.get(), "userName", "stranger");
  EXPECT_EQ(ui::StoreCustomSetting(platform::Utf8ToUtf16(kUsableSetting), *setting, queue),
            platform::kErrorSuccess);
  setting->dwSignature = 0;  // not this driver's record
  EXPECT_EQ(ui::StoreCustomSetting(platform::Utf8ToUtf16(kUnusableSetting), *setting, queue),
            platform::kErrorSuccess);
}

std::string FilterPrinter::WriteDocument() const {
  const std::string path = store() + "/letter.ps";
  std::ofstream(path) << "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%BeginProlog\n"
                         "%%EndProlog\n%%BeginSetup\n%%EndSetup\n"
                         "%%Page: 1 1\n72 700 moveto (one) show showpage\n"
                         "%%Page: 2 2\n72 700 moveto (two) show showpage\n"
                         "%%Trailer\n%%EOF\n";
  return path;
}

}  // namespace kx::test
