// The quick colour sets: what choosing a predefined set writes into the job's colour
// settings, and the user's sets in the per-user store of each printer (the headless
// registry here, the Wine prefix's under Wine).
#include "colour/colour_sets.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/temp_store.h"

namespace kx::ui {
namespace {

using settings::FieldText;
using settings::PrivateRecord;
using Names = std::vector<std::u16string>;

constexpr char16_t kVendorKey[] = u"Software\\VESTRAL ORBINE\\";

const uint8_t* Block(const PrivateRecord& record) {
  return reinterpret_cast<const uint8_t*>(&record) + kColourBlockOffset;
}
std::vector<uint8_t> BlockBytes(const PrivateRecord& record) {
  return {Block(record), Block(record) + kColourBlockSize};
}

// Colour settings that no predefined set has: every profile on and named, odd numbers.
void MakeCustom(PrivateRecord* record) {
  record->colorMode = 1;
  record->quickColorSet = 0;
  record->fieldAt2508 = 7;
  record->useColorIntents = 0;
  record->rgbSourceDefault = 0;
  record->simulationNone = 0;
  record->destinationNone = 0;
  settings::StoreText(record->rgbSourceName, u"Source");
  settings::StoreText(record->rgbSourceFile, u"SRC.ICC");
  settings::StoreText(record->simulationName, u"Press");
  settings::StoreText(record->simulationFile, u"PRESS.ICC");
  settings::StoreText(record->destinationName, u"Paper");
  settings::StoreText(record->destinationFile, u"PAPER.ICC");
  record->graphicsHalftone = 9;
  record->imageHalftone = 9;
  record->graphicsIntent = 9;
  record->imageIntent = 9;
  record->graphicsProcessGray = 9;
  record->imageProcessGray = 9;
  settings::StoreText(record->colorSetName, u"Mine");
}

class ColourSetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetRecordDefaults(record_.get(), nullptr);
    // Under Wine the registry outlives the test: start from an empty printer key.
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser, PrinterKey(printer_));
  }
  void TearDown() override {
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser, PrinterKey(printer_));
  }

  static std::u16string PrinterOfThisTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return platform::Utf8ToUtf16(std::string("Colour sets ") + info->name());
  }
  static std::u16string PrinterKey(const std::u16string& printerKeyName) {
    return kVendorKey + printerKeyName;
  }
  // A value written behind the store's back, as other software would.
  void WriteRaw(const std::u16string& printerKeyName, const std::u16string& name, uint32_t type,
                const std::vector<uint8_t>& data) {
    std::unique_ptr<platform::RegistryKey> key;
    bool created = false;
    ASSERT_EQ(platform::CreateRegistryKey(platform::Hive::kCurrentUser,
                                          PrinterKey(printerKeyName) + u"\\Color Profiles", &key,
                                          &created),
              platform::kErrorSuccess);
    ASSERT_EQ(key->SetValue(name, type, data.data(), static_cast<uint32_t>(data.size())),
              platform::kErrorSuccess);
  }
  uint32_t Save(std::u16string_view name, const PrivateRecord& record) {
    return SaveColourSet(name, printer_, record);
  }

  bool korean() const { return codePages_.active(); }

  test::TempStore store_;
  test::SystemCodePages codePages_{nullptr, nullptr};
  std::unique_ptr<PrivateRecord> record_ = std::make_unique<PrivateRecord>();
  std::u16string printer_ = PrinterOfThisTest();
};

TEST_F(ColourSetsTest, EveryPredefinedSetWritesItsRowAndTurnsTheProfilesOff) {
  struct Row {
    uint32_t id;
    const char16_t* name;
    uint8_t colorMode, graphicsHalftone, imageHalftone, graphicsIntent, imageIntent,
        graphicsProcessGray, imageProcessGray;
  };
  const Row rows[] = {
      {1, u"자동", 2, 2, 0, 2, 3, 0, 1},        {2, u"프리젠테이션", 2, 2, 2, 2, 2, 0, 0},
      {3, u"Photo", 2, 0, 0, 1, 1, 1, 1},       {4, u"SRGB", 2, 1, 1, 3, 3, 1, 1},
      {5, u"없음", 2, 2, 0, 0, 0, 1, 1},        {6, u"ICM", 2, 1, 1, 0, 0, 1, 1},
  };
  ASSERT_EQ(kPredefinedColourSets.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    const Row& row = rows[i];
    SCOPED_TRACE(row.id);
    EXPECT_EQ(kPredefinedColourSets[i].value, row.id);
    if (korean()) { EXPECT_EQ(ToUtf16(kPredefinedColourSets[i].text), row.name); }

    MakeCustom(record_.get());
    record_->quickColorSet = row.id;
    const PrivateRecord before = *record_;
    ApplyPredefinedColourSet(record_.get());
    const PrivateRecord& r = *record_;
    EXPECT_EQ(r.colorMode, row.colorMode);
    EXPECT_EQ(r.graphicsHalftone, row.graphicsHalftone);
    EXPECT_EQ(r.imageHalftone, row.imageHalftone);
    EXPECT_EQ(r.graphicsIntent, row.graphicsIntent);
    EXPECT_EQ(r.imageIntent, row.imageIntent);
    EXPECT_EQ(r.graphicsProcessGray, row.graphicsProcessGray);
    EXPECT_EQ(r.imageProcessGray, row.imageProcessGray);
    EXPECT_EQ(r.quickColorSet, row.id);
    EXPECT_EQ(r.fieldAt2508, 0u);
    EXPECT_EQ(r.useColorIntents, 1u);
    EXPECT_EQ(r.rgbSourceDefault, 1);
    EXPECT_EQ(r.simulationNone, 1);
    EXPECT_EQ(r.destinationNone, 1);
    for (const std::u16string_view text :
         {FieldText(r.rgbSourceName), FieldText(r.rgbSourceFile), FieldText(r.simulationName),
          FieldText(r.simulationFile), FieldText(r.destinationName),
          FieldText(r.destinationFile)}) {
      EXPECT_TRUE(text.empty()) << platform::Utf16ToUtf8(text);
    }
    // Only the colour settings block changes; the set's name is the caller's to keep.
    EXPECT_EQ(std::memcmp(record_.get(), &before, kColourBlockOffset), 0);
    EXPECT_EQ(FieldText(r.colorSetName), u"Mine");
  }
}

TEST_F(ColourSetsTest, AUserSetOrAnUnknownNumberChangesNothing) {
  for (const uint32_t id : {0u, 7u, 255u}) {
    SCOPED_TRACE(id);
    MakeCustom(record_.get());
    record_->quickColorSet = id;
    const PrivateRecord before = *record_;
    ApplyPredefinedColourSet(record_.get());
    EXPECT_EQ(std::memcmp(record_.get(), &before, sizeof(PrivateRecord)), 0);
  }
}

TEST_F(ColourSetsTest, TheUserSetIsCalledUser) {
  if (!korean()) GTEST_SKIP() << "the system does not convert code page 949";
  EXPECT_EQ(UserColourSetName(), u"사용자");
}

TEST_F(ColourSetsTest, AStoredSetBringsBackTheWholeBlockAndNothingElse) {
  MakeCustom(record_.get());
  ASSERT_EQ(Save(u"Mine", *record_), platform::kErrorSuccess);
  const std::vector<uint8_t> stored = BlockBytes(*record_);

  auto loaded = std::make_unique<PrivateRecord>();
  settings::SetRecordDefaults(loaded.get(), nullptr);
  settings::StoreText(loaded->colorSetName, u"Other");
  const auto untouched = std::make_unique<PrivateRecord>(*loaded);
  ASSERT_TRUE(LoadColourSet(u"Mine", printer_, loaded.get()));
  EXPECT_EQ(BlockBytes(*loaded), stored);
  EXPECT_EQ(std::memcmp(loaded.get(), untouched.get(), kColourBlockOffset), 0);
  EXPECT_EQ(FieldText(loaded->colorSetName), u"Other");
  // Another printer has sets of its own.
  EXPECT_FALSE(LoadColourSet(u"Mine", printer_ + u" 2", loaded.get()));
}

// The store's own order (insertion order here, sorted in Wine's registry): each set once.
Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(ColourSetsTest, EachStoredSetIsListedOnce) {
  // A store seen for the first time is made, and is empty.
  EXPECT_EQ(ListColourSets(printer_), Names{});
  MakeCustom(record_.get());
  for (const char16_t* name : {u"Zeta", u"alpha", u"Mid"}) {
    ASSERT_EQ(Save(name, *record_), platform::kErrorSuccess);
  }
  const Names stored = Sorted({u"Zeta", u"alpha", u"Mid"});
  EXPECT_EQ(Sorted(ListColourSets(printer_)), stored);
  ASSERT_EQ(Save(u"Zeta", *record_), platform::kErrorSuccess);
  EXPECT_EQ(Sorted(ListColourSets(printer_)), stored);
}

TEST_F(ColourSetsTest, ValuesThatAreNotWholeBlocksAreNoSets) {
  const std::vector<uint8_t> whole(kColourBlockSize, 1);
  struct Case {
    const char16_t* name;
    uint32_t type;
    size_t size;
  };
  const Case cases[] = {
      {u"Short", platform::kRegBinary, kColourBlockSize - 1},
      {u"Long", platform::kRegBinary, kColourBlockSize + 1},
      {u"Empty", platform::kRegBinary, 0},
      {u"Dword", platform::kRegDword, 4},
      {u"Text", platform::kRegSz, kColourBlockSize},
  };
  WriteRaw(printer_, u"Good", platform::kRegBinary, whole);
  for (const Case& c : cases) {
    WriteRaw(printer_, c.name, c.type, std::vector<uint8_t>(c.size, 1));
  }
  EXPECT_EQ(ListColourSets(printer_), Names{u"Good"});
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::Utf16ToUtf8(c.name));
    MakeCustom(record_.get());
    const PrivateRecord before = *record_;
    EXPECT_FALSE(LoadColourSet(c.name, printer_, record_.get()));
    EXPECT_EQ(std::memcmp(record_.get(), &before, sizeof(PrivateRecord)), 0);
  }
  EXPECT_TRUE(LoadColourSet(u"Good", printer_, record_.get()));
  EXPECT_EQ(BlockBytes(*record_), whole);
}

TEST_F(ColourSetsTest, NamesTheJobCannotHoldAreNeitherStoredNorListed) {
  const std::u16string longest(31, u'n');
  const std::u16string tooLong(32, u'n');
  MakeCustom(record_.get());
  EXPECT_NE(Save(u"", *record_), platform::kErrorSuccess);
  EXPECT_NE(Save(tooLong, *record_), platform::kErrorSuccess);
  EXPECT_EQ(Save(longest, *record_), platform::kErrorSuccess);
  // Written by other software: not offered.
  WriteRaw(printer_, tooLong + u"x", platform::kRegBinary,
           std::vector<uint8_t>(kColourBlockSize, 1));
  EXPECT_EQ(ListColourSets(printer_), Names{longest});
}

TEST_F(ColourSetsTest, DeletedSetsAreGone) {
  MakeCustom(record_.get());
  ASSERT_EQ(Save(u"One", *record_), platform::kErrorSuccess);
  ASSERT_EQ(Save(u"Two", *record_), platform::kErrorSuccess);
  EXPECT_TRUE(DeleteColourSet(u"One", printer_));
  EXPECT_FALSE(DeleteColourSet(u"One", printer_));
  EXPECT_FALSE(DeleteColourSet(u"Never", printer_));
  EXPECT_EQ(ListColourSets(printer_), Names{u"Two"});
  EXPECT_FALSE(LoadColourSet(u"One", printer_, record_.get()));
}

TEST_F(ColourSetsTest, AConnectedPrinterKeepsItsSetsUnderOneKey) {
  const std::u16string connected = u"\\\\server\\" + printer_;
  const std::u16string keyName = u",,server," + printer_;
  MakeCustom(record_.get());
  ASSERT_EQ(SaveColourSet(u"Mine", connected, *record_), platform::kErrorSuccess);
  std::unique_ptr<platform::RegistryKey> key;
  ASSERT_EQ(platform::OpenRegistryKey(platform::Hive::kCurrentUser,
                                      PrinterKey(keyName) + u"\\Color Profiles", &key),
            platform::kErrorSuccess);
  uint32_t type = 0;
  uint32_t size = 0;
  EXPECT_EQ(key->QueryValue(u"Mine", &type, nullptr, &size), platform::kErrorSuccess);
  EXPECT_EQ(type, platform::kRegBinary);
  EXPECT_EQ(size, kColourBlockSize);
  EXPECT_EQ(ListColourSets(connected), Names{u"Mine"});
  key.reset();
  platform::DeleteRegistryTree(platform::Hive::kCurrentUser, PrinterKey(keyName));
}

}  // namespace
}  // namespace kx::ui
