// The custom settings store: what a stored setting is in the user's registry, what comes
// back from it, and which stored records are refused before they could become a job's.
#include "joboptions/custom_settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "settings/field_table.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/temp_store.h"
#include "user_store.h"

namespace kx::ui {
namespace {

using settings::PrivateRecord;
using Names = std::vector<std::u16string>;

constexpr char16_t kVendorKey[] = u"Software\\VESTRAL ORBINE\\";

std::unique_ptr<PrivateRecord> DefaultRecord() {
  auto record = std::make_unique<PrivateRecord>();
  settings::SetRecordDefaults(record.get(), nullptr);
  return record;
}

bool SameBytes(const PrivateRecord& a, const PrivateRecord& b) {
  return std::memcmp(&a, &b, sizeof(a)) == 0;
}

class CustomSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  void Clean() { platform::DeleteRegistryTree(platform::Hive::kCurrentUser, kVendorKey + printer_); }

  static std::u16string PrinterOfThisTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return platform::Utf8ToUtf16(std::string("Custom store ") + info->name());
  }

  // Writes a value into the store as other software could.
  void WriteRaw(const std::u16string& name, uint32_t type, const std::vector<uint8_t>& data) {
    std::unique_ptr<platform::RegistryKey> key;
    bool created = false;
    ASSERT_EQ(platform::CreateRegistryKey(platform::Hive::kCurrentUser,
                                          PrinterStorePath(printer_, kCustomSettingsStore), &key,
                                          &created),
              platform::kErrorSuccess);
    ASSERT_EQ(key->SetValue(name, type, data.data(), static_cast<uint32_t>(data.size())),
              platform::kErrorSuccess);
  }
  // The stored value as the registry holds it; empty when there is none.
  std::vector<uint8_t> ReadRaw(const std::u16string& name, uint32_t* type) {
    std::unique_ptr<platform::RegistryKey> key;
    if (platform::OpenRegistryKey(platform::Hive::kCurrentUser,
                                  PrinterStorePath(printer_, kCustomSettingsStore),
                                  &key) != platform::kErrorSuccess) {
      return {};
    }
    uint32_t size = 0;
    if (key->QueryValue(name, type, nullptr, &size) != platform::kErrorSuccess) return {};
    std::vector<uint8_t> data(size);
    if (key->QueryValue(name, type, data.data(), &size) != platform::kErrorSuccess) return {};
    return data;
  }
  // A stored value of `head` reserved bytes (filled with `fill`) then the record.
  static std::vector<uint8_t> ValueOf(const PrivateRecord& record, uint8_t fill = 0,
                                      size_t head = kCustomSettingHeadSize) {
    std::vector<uint8_t> data(head + sizeof(record), fill);
    std::memcpy(data.data() + head, &record, sizeof(record));
    return data;
  }

  test::TempStore store_;
  std::u16string printer_ = PrinterOfThisTest();
};

TEST_F(CustomSettingsStoreTest, AStoredSettingIsZerosThenTheRecordAndComesBackWhole) {
  auto record = DefaultRecord();
  record->qualityMode = 3;
  record->watermark.enabled = 1;
  settings::StoreText(record->watermark.text, u"초안");
  settings::StoreText(record->emailAddress, u"kim@example.com");
  settings::StoreText(record->customSettingName, u"Report");
  ASSERT_EQ(StoreCustomSetting(u"Report", *record, printer_), platform::kErrorSuccess);

  uint32_t type = 0;
  const std::vector<uint8_t> raw = ReadRaw(u"Report", &type);
  EXPECT_EQ(type, platform::kRegBinary);
  ASSERT_EQ(raw.size(), kCustomSettingSize);
  EXPECT_EQ(raw, ValueOf(*record));

  auto loaded = std::make_unique<PrivateRecord>();
  ASSERT_TRUE(LoadCustomSetting(u"report", printer_, loaded.get()));  // names ignore case
  EXPECT_TRUE(SameBytes(*loaded, *record));
  EXPECT_EQ(ListCustomSettings(printer_), Names{u"Report"});
}

TEST_F(CustomSettingsStoreTest, TheReservedHeadIsIgnoredWhenRead) {
  auto record = DefaultRecord();
  record->rotation = 180;
  WriteRaw(u"Foreign", platform::kRegBinary, ValueOf(*record, 0xA5));
  auto loaded = std::make_unique<PrivateRecord>();
  ASSERT_TRUE(LoadCustomSetting(u"Foreign", printer_, loaded.get()));
  EXPECT_TRUE(SameBytes(*loaded, *record));
}

TEST_F(CustomSettingsStoreTest, RemoveDeletesOnlyTheNamedSetting) {
  auto record = DefaultRecord();
  ASSERT_EQ(StoreCustomSetting(u"One", *record, printer_), platform::kErrorSuccess);
  ASSERT_EQ(StoreCustomSetting(u"Two", *record, printer_), platform::kErrorSuccess);
  EXPECT_TRUE(RemoveCustomSetting(u"One", printer_));
  EXPECT_FALSE(RemoveCustomSetting(u"One", printer_));
  EXPECT_EQ(ListCustomSettings(printer_), Names{u"Two"});
  EXPECT_FALSE(LoadCustomSetting(u"One", printer_, record.get()));
}

TEST_F(CustomSettingsStoreTest, ANameLongerThanASettingKeepsIsNeitherStoredNorListed) {
  auto record = DefaultRecord();
  const std::u16string longest(kCustomSettingNameLimit, u'n');
  EXPECT_EQ(StoreCustomSetting(longest, *record, printer_), platform::kErrorSuccess);
  EXPECT_NE(StoreCustomSetting(longest + u"x", *record, printer_), platform::kErrorSuccess);
  EXPECT_NE(StoreCustomSetting(u"", *record, printer_), platform::kErrorSuccess);
  EXPECT_EQ(ListCustomSettings(printer_), Names{longest});
}

// Values that are no stored setting: read as absent, the caller's record untouched, and
// not offered in the list.
TEST_F(CustomSettingsStoreTest, AValueOfAnotherTypeOrSizeIsAbsent) {
  auto good = DefaultRecord();
  const struct {
    const char* why;
    uint32_t type;
    std::vector<uint8_t> data;
  } cases[] = {
      {"a string of the right size", platform::kRegSz, ValueOf(*good)},
      {"one byte short", platform::kRegBinary, ValueOf(*good, 0, kCustomSettingHeadSize - 1)},
      {"one byte long", platform::kRegBinary, ValueOf(*good, 0, kCustomSettingHeadSize + 1)},
      {"the record without its head", platform::kRegBinary, ValueOf(*good, 0, 0)},
      {"a number", platform::kRegDword, {1, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    Clean();
    WriteRaw(u"Odd", c.type, c.data);
    auto record = DefaultRecord();
    record->qualityMode = 7;
    const auto before = std::make_unique<PrivateRecord>(*record);
    EXPECT_FALSE(LoadCustomSetting(u"Odd", printer_, record.get()));
    EXPECT_TRUE(SameBytes(*record, *before));
    EXPECT_EQ(ListCustomSettings(printer_), Names{});
  }
}

TEST_F(CustomSettingsStoreTest, AStoredRecordThatCannotBeUsedIsAbsent) {
  auto bad = DefaultRecord();
  bad->nupCode = 9;
  WriteRaw(u"Damaged", platform::kRegBinary, ValueOf(*bad));
  ASSERT_EQ(StoreCustomSetting(u"Fine", *DefaultRecord(), printer_), platform::kErrorSuccess);
  auto record = DefaultRecord();
  EXPECT_FALSE(LoadCustomSetting(u"Damaged", printer_, record.get()));
  EXPECT_EQ(record->nupCode, 0);
  EXPECT_EQ(ListCustomSettings(printer_), Names{u"Fine"});
}

TEST_F(CustomSettingsStoreTest, NothingIsListedForAPrinterWithoutStore) {
  EXPECT_EQ(ListCustomSettings(printer_), Names{});
  EXPECT_FALSE(LoadCustomSetting(u"Any", printer_, DefaultRecord().get()));
}

// One change to an otherwise usable record, and whether the record may still be used.
struct Mutation {
  const char* what;
  std::function<void(PrivateRecord&)> change;
  bool usable;
};

TEST(UsableStoredRecordTest, TheHeaderAndEveryCheckedNumberDecide) {
  const Mutation cases[] = {
      {"defaults", [](PrivateRecord&) {}, true},
      {"another signature", [](PrivateRecord& r) { r.dwSignature = 0x4A58; }, false},
      {"a shorter record", [](PrivateRecord& r) { r.dwSize = 5812; }, false},
      {"a longer record", [](PrivateRecord& r) { r.dwSize = 6000; }, false},
      {"version 2", [](PrivateRecord& r) { r.dwVersion = 2; }, false},
      {"version 0", [](PrivateRecord& r) { r.dwVersion = 0; }, false},
      {"no quality from the PPD", [](PrivateRecord& r) { r.qualityMode = 0; }, true},
      {"the last quality", [](PrivateRecord& r) { r.qualityMode = 10; }, true},
      {"an unknown quality", [](PrivateRecord& r) { r.qualityMode = 11; }, false},
      {"rotation 270", [](PrivateRecord& r) { r.rotation = 270; }, true},
      {"rotation 45", [](PrivateRecord& r) { r.rotation = 45; }, false},
      {"sixteen up", [](PrivateRecord& r) { r.nupCode = 5; }, true},
      {"an unknown n-up code", [](PrivateRecord& r) { r.nupCode = 6; }, false},
      {"grayscale", [](PrivateRecord& r) { r.colorMode = 1; }, true},
      // Before the host has reported its colour item the features page leaves 0.
      {"colour mode not yet known", [](PrivateRecord& r) { r.colorMode = 0; }, true},
      {"colour mode 3", [](PrivateRecord& r) { r.colorMode = 3; }, false},
      {"the user colour set", [](PrivateRecord& r) { r.quickColorSet = 0; }, true},
      {"the ICM set", [](PrivateRecord& r) { r.quickColorSet = 6; }, true},
      {"colour set 7", [](PrivateRecord& r) { r.quickColorSet = 7; }, false},
      {"graphics halftone 3", [](PrivateRecord& r) { r.graphicsHalftone = 3; }, false},
      {"image halftone 3", [](PrivateRecord& r) { r.imageHalftone = 3; }, false},
      {"intent SatsRGB", [](PrivateRecord& r) { r.imageIntent = 4; }, true},
      {"graphics intent 5", [](PrivateRecord& r) { r.graphicsIntent = 5; }, false},
      {"image intent 5", [](PrivateRecord& r) { r.imageIntent = 5; }, false},
      {"graphics gray 2", [](PrivateRecord& r) { r.graphicsProcessGray = 2; }, false},
      {"image gray 2", [](PrivateRecord& r) { r.imageProcessGray = 2; }, false},
      {"the smallest font", [](PrivateRecord& r) { r.watermark.fontSize = 4; }, true},
      {"the largest font", [](PrivateRecord& r) { r.watermark.fontSize = 350; }, true},
      {"font size 3", [](PrivateRecord& r) { r.watermark.fontSize = 3; }, false},
      {"font size 351", [](PrivateRecord& r) { r.watermark.fontSize = 351; }, false},
      {"a negative font size", [](PrivateRecord& r) { r.watermark.fontSize = -72; }, false},
      {"no font chosen", [](PrivateRecord& r) { r.watermark.fontIndex = -1; }, true},
      {"font index -2", [](PrivateRecord& r) { r.watermark.fontIndex = -2; }, false},
      {"black", [](PrivateRecord& r) { r.watermark.shadeOrColour = 100; }, true},
      {"shade 101", [](PrivateRecord& r) { r.watermark.shadeOrColour = 101; }, false},
      {"shade -1", [](PrivateRecord& r) { r.watermark.shadeOrColour = -1; }, false},
      {"yellow",
       [](PrivateRecord& r) { r.watermark.colourFlag = 1; r.watermark.shadeOrColour = 4; }, true},
      {"colour 0",
       [](PrivateRecord& r) { r.watermark.colourFlag = 1; r.watermark.shadeOrColour = 0; }, false},
      {"colour 5",
       [](PrivateRecord& r) { r.watermark.colourFlag = 1; r.watermark.shadeOrColour = 5; }, false},
      {"left edge", [](PrivateRecord& r) { r.watermark.offsetX = -306; }, true},
      {"past the right edge", [](PrivateRecord& r) { r.watermark.offsetX = 307; }, false},
      {"past the bottom", [](PrivateRecord& r) { r.watermark.offsetY = -397; }, false},
      {"a full turn", [](PrivateRecord& r) { r.watermark.angle = 360; }, true},
      {"angle 361", [](PrivateRecord& r) { r.watermark.angle = 361; }, false},
      {"angle -1", [](PrivateRecord& r) { r.watermark.angle = -1; }, false},
      {"composite every 99 pages",
       [](PrivateRecord& r) { r.overlays[settings::kOverlayComposite].period = 99; }, true},
      {"composite period 0",
       [](PrivateRecord& r) { r.overlays[settings::kOverlayComposite].period = 0; }, false},
      {"composite from page 100",
       [](PrivateRecord& r) { r.overlays[settings::kOverlayComposite].firstPage = 100; }, false},
  };
  for (const Mutation& c : cases) {
    SCOPED_TRACE(c.what);
    auto record = DefaultRecord();
    c.change(*record);
    EXPECT_EQ(IsUsableStoredRecord(*record), c.usable);
  }
}

// Every text of the record, its watermark, overlays and device options is printed or
// compared up to its NUL: one without a NUL in its array makes the record unusable, and
// one that fills its array up to the last unit with its NUL there does not.
TEST(UsableStoredRecordTest, EveryTextMustEndWithinItsArray) {
  std::vector<std::string> checked;
  for (const settings::RecordField& field : settings::RecordFields()) {
    const bool wide = field.kind == settings::FieldKind::kWideText;
    if (!wide && field.kind != settings::FieldKind::kAnsiText &&
        field.kind != settings::FieldKind::kUtf8Text) {
      continue;
    }
    SCOPED_TRACE(field.name);
    checked.push_back(field.name);
    const size_t unit = wide ? sizeof(char16_t) : 1;
    auto record = DefaultRecord();
    auto* bytes = reinterpret_cast<uint8_t*>(record.get()) + field.offset;
    std::memset(bytes, 'A', field.size * unit);
    EXPECT_FALSE(IsUsableStoredRecord(*record));
    std::memset(bytes + (field.size - 1) * unit, 0, unit);
    EXPECT_TRUE(IsUsableStoredRecord(*record));
  }
  // Texts of the record itself and of each of its blocks, in every encoding, were met.
  for (const char* name : {"ppdFileName", "jobName", "emailAddress", "watermark.text",
                           "watermark.fontName", "watermarkTextAnsi", "overlays[4].fileName",
                           "userName", "hostNameAnsi", "chargeNumberUtf8"}) {
    EXPECT_NE(std::find(checked.begin(), checked.end(), name), checked.end()) << name;
  }
}

}  // namespace
}  // namespace kx::ui
