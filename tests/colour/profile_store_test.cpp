// The printer-resident profiles in the user's registry: where each kind lives, the bytes
// of a stored profile, what is listed and read back, and what the store refuses.
#include "colour/profile_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "support/temp_store.h"

namespace kx::ui {
namespace {

using platform::Hive;
using Names = std::vector<std::u16string>;

constexpr char16_t kVendorKey[] = u"Software\\VESTRAL ORBINE\\";
constexpr size_t kRecordBytes = 716;
constexpr size_t kDescriptionOffset = 4;
constexpr size_t kFileNameOffset = 132;

constexpr ProfileKind kKinds[] = {ProfileKind::kRgbSource, ProfileKind::kSimulation,
                                  ProfileKind::kDestination};

std::u16string KindKey(const std::u16string& printerKey, ProfileKind kind) {
  switch (kind) {
    case ProfileKind::kRgbSource:
      return kVendorKey + printerKey + u"\\Printer Resident\\RGB Source Profiles";
    case ProfileKind::kSimulation:
      return kVendorKey + printerKey + u"\\Printer Resident\\Simulation Profiles";
    case ProfileKind::kDestination:
      return kVendorKey + printerKey + u"\\Printer Resident\\Destination Profiles";
  }
  return {};
}

std::optional<platform::RegistryValue> ReadRaw(const std::u16string& keyPath,
                                               const std::u16string& name) {
  std::unique_ptr<platform::RegistryKey> key;
  if (platform::OpenRegistryKey(Hive::kCurrentUser, keyPath, &key) != platform::kErrorSuccess) {
    return std::nullopt;
  }
  platform::RegistryValue value;
  uint32_t size = 0;
  if (key->QueryValue(name, &value.type, nullptr, &size) != platform::kErrorSuccess) {
    return std::nullopt;
  }
  value.data.resize(size);
  if (key->QueryValue(name, &value.type, value.data.data(), &size) != platform::kErrorSuccess) {
    return std::nullopt;
  }
  return value;
}

void StoreRaw(const std::u16string& keyPath, const std::u16string& name, uint32_t type,
              const std::vector<uint8_t>& data) {
  std::unique_ptr<platform::RegistryKey> key;
  ASSERT_EQ(platform::CreateRegistryKey(Hive::kCurrentUser, keyPath, &key, nullptr),
            platform::kErrorSuccess);
  ASSERT_EQ(key->SetValue(name, type, data.data(), static_cast<uint32_t>(data.size())),
            platform::kErrorSuccess);
}

// The UTF-16 text of a field of the stored bytes, up to its terminator.
std::u16string TextAt(const std::vector<uint8_t>& bytes, size_t offset, size_t size) {
  std::u16string text;
  for (size_t at = offset; at + 1 < offset + size; at += 2) {
    const auto c = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

// Whether every byte of the field behind its text's terminator is zero.
bool ZeroBehind(const std::vector<uint8_t>& bytes, size_t offset, size_t size,
                size_t textLength) {
  const size_t from = offset + textLength * 2;
  return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                     bytes.begin() + static_cast<std::ptrdiff_t>(offset + size),
                     [](uint8_t b) { return b == 0; });
}

// Each test its own printer; its keys are removed before and after, so that a run's
// registry (under Wine the prefix's own) starts every test empty.
class ProfileStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  void Clean() {
    platform::DeleteRegistryTree(Hive::kCurrentUser, kVendorKey + printerKey_);
  }
  static std::u16string PrinterOfThisTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return platform::Utf8ToUtf16(std::string("Profiles ") + info->name());
  }

  test::TempStore store_;
  std::u16string printer_ = PrinterOfThisTest();
  std::u16string printerKey_ = printer_;
};

TEST_F(ProfileStoreTest, EachKindIsStoredUnderItsOwnKeyAsA716ByteBinaryValue) {
  for (const ProfileKind kind : kKinds) {
    SCOPED_TRACE(static_cast<int>(kind));
    ASSERT_EQ(WriteProfile(kind, printer_, u"Office RGB", u"OFFICE.ICC"), platform::kErrorSuccess);
    const std::optional<platform::RegistryValue> value =
        ReadRaw(KindKey(printerKey_, kind), u"Office RGB");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, platform::kRegBinary);
    ASSERT_EQ(value->data.size(), kRecordBytes);
    EXPECT_TRUE(ZeroBehind(value->data, 0, kDescriptionOffset, 0));
    EXPECT_EQ(TextAt(value->data, kDescriptionOffset, 128), u"Office RGB");
    EXPECT_TRUE(ZeroBehind(value->data, kDescriptionOffset, 128, 10));
    EXPECT_EQ(TextAt(value->data, kFileNameOffset, 584), u"OFFICE.ICC");
    EXPECT_TRUE(ZeroBehind(value->data, kFileNameOffset, 584, 10));
  }
}

TEST_F(ProfileStoreTest, KindsAreKeptApart) {
  ASSERT_EQ(WriteProfile(ProfileKind::kSimulation, printer_, u"SWOP", u"SWOP.ICC"),
            platform::kErrorSuccess);
  EXPECT_EQ(ListProfiles(ProfileKind::kSimulation, printer_), Names{u"SWOP"});
  EXPECT_TRUE(ListProfiles(ProfileKind::kRgbSource, printer_).empty());
  EXPECT_TRUE(ListProfiles(ProfileKind::kDestination, printer_).empty());
  ProfileRecord record{};
  EXPECT_FALSE(ReadProfile(ProfileKind::kDestination, printer_, u"SWOP", &record));
}

TEST_F(ProfileStoreTest, AProfileReadsBackAsItWasWritten) {
  const struct {
    std::u16string description;
    std::u16string fileName;
  } cases[] = {
      {u"Office RGB", u"OFFICE.ICC"},
      {u"사무용 프로필", u"A.I"},
      {std::u16string(63, u'd'), std::u16string(32, u'F')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(platform::Utf16ToUtf8(c.description));
    ASSERT_EQ(WriteProfile(ProfileKind::kDestination, printer_, c.description, c.fileName),
              platform::kErrorSuccess);
    ProfileRecord record;
    std::memset(&record, 0xAB, sizeof(record));
    ASSERT_TRUE(ReadProfile(ProfileKind::kDestination, printer_, c.description, &record));
    EXPECT_EQ(record.reserved, 0u);
    EXPECT_EQ(std::u16string(record.description), c.description);
    EXPECT_EQ(std::u16string(record.fileName), c.fileName);
  }
}

TEST_F(ProfileStoreTest, WritingADescriptionAgainReplacesItsFileName) {
  ASSERT_EQ(WriteProfile(ProfileKind::kRgbSource, printer_, u"Office", u"OLD.ICC"),
            platform::kErrorSuccess);
  ASSERT_EQ(WriteProfile(ProfileKind::kRgbSource, printer_, u"Office", u"NEW.ICC"),
            platform::kErrorSuccess);
  EXPECT_EQ(ListProfiles(ProfileKind::kRgbSource, printer_), Names{u"Office"});
  ProfileRecord record{};
  ASSERT_TRUE(ReadProfile(ProfileKind::kRgbSource, printer_, u"Office", &record));
  EXPECT_EQ(std::u16string(record.fileName), u"NEW.ICC");
}

TEST_F(ProfileStoreTest, WhatARecordCannotHoldWholeIsRefusedAndNothingStored) {
  const struct {
    const char* why;
    std::u16string description;
    std::u16string fileName;
  } cases[] = {
      {"no description", u"", u"A.ICC"},
      {"no file name", u"Empty", u""},
      {"description of 64", std::u16string(64, u'd'), u"A.ICC"},
      {"file name of 33", u"Long file", std::u16string(33, u'F')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_NE(WriteProfile(ProfileKind::kRgbSource, printer_, c.description, c.fileName),
              platform::kErrorSuccess);
  }
  EXPECT_TRUE(ListProfiles(ProfileKind::kRgbSource, printer_).empty());
}

TEST_F(ProfileStoreTest, ValuesOfAnotherTypeOrSizeAreNeitherListedNorRead) {
  const std::u16string key = KindKey(printerKey_, ProfileKind::kRgbSource);
  ASSERT_EQ(WriteProfile(ProfileKind::kRgbSource, printer_, u"Good", u"GOOD.ICC"),
            platform::kErrorSuccess);
  const struct {
    std::u16string name;
    uint32_t type;
    size_t size;
  } strays[] = {
      {u"Short", platform::kRegBinary, kRecordBytes - 1},
      {u"Long", platform::kRegBinary, kRecordBytes + 1},
      {u"Text", platform::kRegSz, kRecordBytes},
      {u"Number", platform::kRegDword, 4},
  };
  for (const auto& s : strays) {
    std::vector<uint8_t> data(s.size, 0);
    data[kFileNameOffset % s.size] = 'X';
    StoreRaw(key, s.name, s.type, data);
  }
  EXPECT_EQ(ListProfiles(ProfileKind::kRgbSource, printer_), Names{u"Good"});
  for (const auto& s : strays) {
    SCOPED_TRACE(platform::Utf16ToUtf8(s.name));
    ProfileRecord record{};
    EXPECT_FALSE(ReadProfile(ProfileKind::kRgbSource, printer_, s.name, &record));
  }
}

TEST_F(ProfileStoreTest, ListingGivesEveryProfileAndLeavesAnEmptyStoreBehind) {
  EXPECT_TRUE(ListProfiles(ProfileKind::kSimulation, printer_).empty());
  std::unique_ptr<platform::RegistryKey> made;
  EXPECT_EQ(platform::OpenRegistryKey(Hive::kCurrentUser,
                                      KindKey(printerKey_, ProfileKind::kSimulation), &made),
            platform::kErrorSuccess);
  for (const char16_t* name : {u"Zeta", u"Alpha", u"Mid"}) {
    ASSERT_EQ(WriteProfile(ProfileKind::kSimulation, printer_, name, u"P.ICC"),
              platform::kErrorSuccess);
  }
  // In the store's order: as written here, sorted in Wine's registry.
  Names listed = ListProfiles(ProfileKind::kSimulation, printer_);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (Names{u"Alpha", u"Mid", u"Zeta"}));
}

TEST_F(ProfileStoreTest, DeleteRemovesOnlyWhatIsThere) {
  ASSERT_EQ(WriteProfile(ProfileKind::kDestination, printer_, u"One", u"ONE.ICC"),
            platform::kErrorSuccess);
  ASSERT_EQ(WriteProfile(ProfileKind::kDestination, printer_, u"Two", u"TWO.ICC"),
            platform::kErrorSuccess);
  EXPECT_FALSE(DeleteProfile(ProfileKind::kDestination, printer_, u"Three"));
  EXPECT_FALSE(DeleteProfile(ProfileKind::kRgbSource, printer_, u"One"));
  EXPECT_FALSE(DeleteProfile(ProfileKind::kDestination, printer_, u""));
  EXPECT_TRUE(DeleteProfile(ProfileKind::kDestination, printer_, u"One"));
  EXPECT_FALSE(DeleteProfile(ProfileKind::kDestination, printer_, u"One"));
  EXPECT_EQ(ListProfiles(ProfileKind::kDestination, printer_), Names{u"Two"});
}

TEST_F(ProfileStoreTest, APrinterOfAServerIsKeptUnderOneKey) {
  const std::u16string connected = u"\\\\print-server\\" + printer_;
  printerKey_ = u",,print-server," + printer_;
  Clean();
  ASSERT_EQ(WriteProfile(ProfileKind::kRgbSource, connected, u"Office", u"OFFICE.ICC"),
            platform::kErrorSuccess);
  EXPECT_TRUE(ReadRaw(KindKey(printerKey_, ProfileKind::kRgbSource), u"Office").has_value());
  EXPECT_EQ(ListProfiles(ProfileKind::kRgbSource, connected), Names{u"Office"});
  Clean();
}

}  // namespace
}  // namespace kx::ui
