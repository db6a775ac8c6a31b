// The watermark library in the user's registry, listed into a sorted drop-down list of a
// dialog (the headless one here, comctl32's under Wine), and the start of the download
// manager found through the machine's registered application paths.
#include "watermarks/watermark_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/registry.h"
#include "platform/win32_errors.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/temp_store.h"
#include "uiplugin/dialog_fixture.h"

namespace kx::ui {
namespace {

using platform::Hive;
using Names = std::vector<std::u16string>;

constexpr int kList = 1022;
constexpr platform::ControlSpec kControls[] = {
    {.id = kList, .kind = platform::ControlKind::ComboBox, .width = 120, .height = 90,
     .style = host::CBS_DROPDOWNLIST | host::CBS_SORT | host::WS_VSCROLL},
};
constexpr platform::DialogSpec kSpec = {
    .templateId = 991, .caption = "library", .width = 200, .height = 120, .controls = kControls};

// Where the libraries live: the vendor's key of the user's registry, one key per printer.
constexpr char16_t kVendorKey[] = u"Software\\VESTRAL ORBINE\\";
constexpr char16_t kPrinter[] = u"KX48T7 library test";
constexpr char16_t kOtherPrinter[] = u"KX48T7 library test 2";
constexpr char16_t kConnectedPrinter[] = u"\\\\print-server\\KX48T7 library test";
constexpr char16_t kConnectedPrinterKey[] = u",,print-server,KX48T7 library test";
constexpr char16_t kAppPathKey[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\VXDownMgr.exe";

// The seven predefined names as the sorted list shows them.
const Names kPredefinedSorted = {u"교정", u"대외비", u"복사", u"시험인쇄",
                                 u"없음", u"원본", u"최종본"};

std::vector<uint8_t> BytesOf(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}
std::vector<uint8_t> RecordBytes(const settings::WatermarkRecord& record) {
  return BytesOf(&record, sizeof(record));
}
std::vector<uint8_t> TextBytes(const std::u16string& text, bool terminated = true) {
  return BytesOf(text.c_str(), (text.size() + (terminated ? 1 : 0)) * sizeof(char16_t));
}

// A watermark whose every field differs from the new-record default.
settings::WatermarkRecord CustomRecord(const std::u16string& name) {
  settings::WatermarkRecord record = NewWatermarkRecord();
  settings::StoreText(record.name, name);
  settings::StoreText(record.text, u"For review only");
  settings::StoreText(record.fontName, u"Helvetica-Bold");
  record.firstPageOnly = 1;
  record.colourFlag = 1;
  record.shadeOrColour = 3;
  record.fontIndex = 2;
  record.fontSize = 120;
  record.offsetX = -150;
  record.offsetY = 320;
  record.angle = -30;
  record.background = 0;
  record.outlineOnly = 1;
  return record;
}

std::u16string LibraryKey(const std::u16string& printerKey) {
  return kVendorKey + printerKey + u"\\Watermarks";
}

// A value written as it is, so that values of other types and sizes can be stored too.
void StoreRaw(const std::u16string& keyPath, const std::u16string& name, uint32_t type,
              const std::vector<uint8_t>& data, Hive hive = Hive::kCurrentUser) {
  std::unique_ptr<platform::RegistryKey> key;
  ASSERT_EQ(platform::CreateRegistryKey(hive, keyPath, &key, nullptr), platform::kErrorSuccess);
  ASSERT_EQ(key->SetValue(name, type, data.data(), static_cast<uint32_t>(data.size())),
            platform::kErrorSuccess);
}

std::optional<platform::RegistryValue> ReadRaw(const std::u16string& keyPath,
                                               const std::u16string& name) {
  std::unique_ptr<platform::RegistryKey> key;
  if (platform::OpenRegistryKey(Hive::kCurrentUser, keyPath, &key) != platform::kErrorSuccess) {
    return std::nullopt;
  }
  platform::RegistryValue value;
  value.name = name;
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

bool KeyExists(const std::u16string& keyPath) {
  std::unique_ptr<platform::RegistryKey> key;
  return platform::OpenRegistryKey(Hive::kCurrentUser, keyPath, &key) == platform::kErrorSuccess;
}

bool SameRecord(const settings::WatermarkRecord& a, const settings::WatermarkRecord& b) {
  return std::memcmp(&a, &b, sizeof(a)) == 0;
}

// The new-record default under a name: name and text set to it (cut to their fields).
settings::WatermarkRecord DefaultUnder(const std::u16string& name) {
  settings::WatermarkRecord record = NewWatermarkRecord();
  settings::StoreText(record.name, name);
  settings::StoreText(record.text, name);
  return record;
}

// Each test starts from empty libraries: on POSIX systems in a store of its own, under
// Wine in the run's registry, from which the test's keys are removed before and after.
class WatermarkStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveKeys(); }
  void TearDown() override { RemoveKeys(); }

  Names Listed() const {
    Names names;
    for (const auto& [text, data] : dialog_.ComboItems(kList)) names.push_back(text);
    return names;
  }
  bool Korean() const { return codePages_.active(); }

  test::TempStore store_;
  test::SystemCodePages codePages_{nullptr, nullptr};
  test::TestDialog dialog_{kSpec};

 private:
  static void RemoveKeys() {
    for (const std::u16string printerKey : {kPrinter, kOtherPrinter, kConnectedPrinterKey}) {
      platform::DeleteRegistryTree(Hive::kCurrentUser, kVendorKey + printerKey);
    }
  }
};

#define SKIP_UNLESS_KOREAN() \
  if (!Korean()) GTEST_SKIP() << "the system's ANSI code page is not 949"

TEST_F(WatermarkStoreTest, APredefinedNameNeverSavedReadsAsTheNewRecordDefault) {
  SKIP_UNLESS_KOREAN();
  const settings::WatermarkRecord record = LoadWatermark(u"대외비", kPrinter);
  EXPECT_EQ(settings::FieldText(record.name), u"대외비");
  EXPECT_EQ(settings::FieldText(record.text), u"대외비");
  EXPECT_EQ(settings::FieldText(record.fontName), u"Courier");
  EXPECT_EQ(record.enabled, 1u);
  EXPECT_EQ(record.fontSize, 72);
  EXPECT_EQ(record.angle, 45);
  EXPECT_EQ(record.shadeOrColour, 50);
  EXPECT_EQ(record.colourFlag, 0u);  // black
  EXPECT_EQ(record.offsetX, 0);      // centred
  EXPECT_EQ(record.offsetY, 0);
  EXPECT_EQ(record.background, 1u);
  EXPECT_EQ(record.outlineOnly, 0u);
  EXPECT_EQ(record.firstPageOnly, 0u);
}

TEST_F(WatermarkStoreTest, ANameWithoutAWholeRecordReadsAsTheDefaultUnderThatName) {
  const std::u16string longName(40, u'n');  // longer than the name field
  const std::vector<uint8_t> whole = RecordBytes(CustomRecord(u"Stored"));
  std::vector<uint8_t> longer = whole;
  longer.resize(400, 0xAB);
  const std::vector<uint8_t> shorter(whole.begin(), whole.begin() + 200);
  const struct {
    const char* what;
    std::u16string name;
    std::optional<uint32_t> type;  // none: nothing stored
    std::vector<uint8_t> data;
  } cases[] = {
      {"nothing stored", u"Draft", std::nullopt, {}},
      {"a name longer than the field", longName, std::nullopt, {}},
      {"a value of 400 bytes", u"Longer", platform::kRegBinary, longer},
      {"a value of 200 bytes", u"Shorter", platform::kRegBinary, shorter},
      {"an empty value", u"Empty", platform::kRegBinary, {}},
      {"text of a record's size", u"Text", platform::kRegSz, whole},
      {"a number", u"Number", platform::kRegDword, {1, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.type) StoreRaw(LibraryKey(kPrinter), c.name, *c.type, c.data);
    const settings::WatermarkRecord loaded = LoadWatermark(c.name, kPrinter);
    EXPECT_TRUE(SameRecord(loaded, DefaultUnder(c.name)));
    EXPECT_EQ(settings::FieldText(loaded.name), c.name.substr(0, 31));
    EXPECT_EQ(loaded.enabled, 1u);
  }
}

TEST_F(WatermarkStoreTest, AStoredRecordIsWrittenAndReadByteForByte) {
  const settings::WatermarkRecord record = CustomRecord(u"Draft");
  EXPECT_EQ(StoreWatermark(record, kPrinter), platform::kErrorSuccess);

  const std::optional<platform::RegistryValue> stored = ReadRaw(LibraryKey(kPrinter), u"Draft");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->type, platform::kRegBinary);
  EXPECT_EQ(stored->data.size(), 368u);
  EXPECT_EQ(stored->data, RecordBytes(record));

  EXPECT_TRUE(SameRecord(LoadWatermark(u"Draft", kPrinter), record));
  // Another printer's library is another library.
  EXPECT_TRUE(SameRecord(LoadWatermark(u"Draft", kOtherPrinter), DefaultUnder(u"Draft")));

  // Storing again replaces the entry.
  settings::WatermarkRecord changed = record;
  changed.fontSize = 36;
  EXPECT_EQ(StoreWatermark(changed, kPrinter), platform::kErrorSuccess);
  EXPECT_TRUE(SameRecord(LoadWatermark(u"Draft", kPrinter), changed));
}

TEST_F(WatermarkStoreTest, AFailedStoreReportsItsStatus) {
  const struct {
    const char* what;
    std::u16string name;
    std::u16string printer;
  } cases[] = {
      {"a nameless record", u"", kPrinter},
      {"a printer name too long for a key", u"Draft", std::u16string(300, u'p')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_NE(StoreWatermark(CustomRecord(c.name), c.printer), platform::kErrorSuccess);
    EXPECT_TRUE(SameRecord(LoadWatermark(c.name, c.printer), DefaultUnder(c.name)));
  }
  EXPECT_FALSE(ReadRaw(LibraryKey(kPrinter), u"").has_value());
}

TEST_F(WatermarkStoreTest, ListingAnEmptyLibraryCreatesItAndShowsThePredefinedNames) {
  SKIP_UNLESS_KOREAN();
  ASSERT_FALSE(KeyExists(LibraryKey(kPrinter)));
  ListWatermarks(dialog_.item(kList), kPrinter);
  EXPECT_TRUE(KeyExists(LibraryKey(kPrinter)));
  EXPECT_EQ(Listed(), kPredefinedSorted);
  EXPECT_EQ(dialog_.Selection(kList), host::CB_ERR) << "nothing is selected";
}

TEST_F(WatermarkStoreTest, StoredNamesJoinThePredefinedOnesOnceEach) {
  SKIP_UNLESS_KOREAN();
  for (const std::u16string name : {u"원본", u"zeta", u"Approved", u"사내용"}) {
    ASSERT_EQ(StoreWatermark(CustomRecord(name), kPrinter), platform::kErrorSuccess);
  }
  // What the list held before is gone.
  const std::u16string stale = u"Stale entry";
  platform::SendMessage(dialog_.item(kList), host::CB_ADDSTRING, 0,
                        reinterpret_cast<host::LPARAM>(stale.c_str()));
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ListWatermarks(dialog_.item(kList), kPrinter);
    EXPECT_EQ(Listed(), (Names{u"Approved", u"zeta", u"교정", u"대외비", u"복사", u"사내용",
                               u"시험인쇄", u"없음", u"원본", u"최종본"}));
    EXPECT_EQ(dialog_.Selection(kList), host::CB_ERR);
  }
  // The other printer's library holds none of them.
  ListWatermarks(dialog_.item(kList), kOtherPrinter);
  EXPECT_EQ(Listed(), kPredefinedSorted);
}

TEST_F(WatermarkStoreTest, ValuesThatAreNoRecordsAreNotListed) {
  const std::u16string name31(31, u'a');
  const std::u16string name32(32, u'b');
  const std::vector<uint8_t> record = RecordBytes(CustomRecord(u"Kept"));
  std::vector<uint8_t> longer = record;
  longer.resize(400);
  const std::vector<uint8_t> shorter(record.begin(), record.begin() + 100);
  const struct {
    std::u16string name;
    uint32_t type;
    std::vector<uint8_t> data;
    bool listed;
  } values[] = {
      {u"Kept", platform::kRegBinary, record, true},
      {name31, platform::kRegBinary, record, true},
      {name32, platform::kRegBinary, record, false},
      {u"Longer", platform::kRegBinary, longer, false},
      {u"Shorter", platform::kRegBinary, shorter, false},
      {u"Text", platform::kRegSz, record, false},
      {u"", platform::kRegBinary, record, false},
  };
  for (const auto& value : values) {
    StoreRaw(LibraryKey(kPrinter), value.name, value.type, value.data);
  }

  ListWatermarks(dialog_.item(kList), kPrinter);
  const Names listed = Listed();
  for (const auto& value : values) {
    SCOPED_TRACE(testing::Message() << value.name.size() << " units, type " << value.type
                                    << ", " << value.data.size() << " bytes");
    EXPECT_EQ(std::count(listed.begin(), listed.end(), value.name), value.listed ? 1 : 0);
  }
  if (Korean()) {
    Names expected = {name31, u"Kept"};
    expected.insert(expected.end(), kPredefinedSorted.begin(), kPredefinedSorted.end());
    EXPECT_EQ(listed, expected);
  }
}

TEST_F(WatermarkStoreTest, RemovingDeletesOnlyWhatExists) {
  const settings::WatermarkRecord record = CustomRecord(u"Approved");
  ASSERT_EQ(StoreWatermark(record, kPrinter), platform::kErrorSuccess);
  ASSERT_EQ(StoreWatermark(record, kOtherPrinter), platform::kErrorSuccess);

  EXPECT_FALSE(RemoveWatermark(u"Never stored", kPrinter));
  EXPECT_TRUE(RemoveWatermark(u"Approved", kPrinter));
  EXPECT_FALSE(ReadRaw(LibraryKey(kPrinter), u"Approved").has_value());
  EXPECT_TRUE(SameRecord(LoadWatermark(u"Approved", kPrinter), DefaultUnder(u"Approved")));
  EXPECT_FALSE(RemoveWatermark(u"Approved", kPrinter)) << "already gone";
  // The other printer keeps its own.
  EXPECT_TRUE(SameRecord(LoadWatermark(u"Approved", kOtherPrinter), record));
}

TEST_F(WatermarkStoreTest, AConnectedPrinterHasOneLibraryKey) {
  const settings::WatermarkRecord record = CustomRecord(u"Draft");
  ASSERT_EQ(StoreWatermark(record, kConnectedPrinter), platform::kErrorSuccess);

  const std::optional<platform::RegistryValue> stored =
      ReadRaw(LibraryKey(kConnectedPrinterKey), u"Draft");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->data, RecordBytes(record));
  EXPECT_FALSE(KeyExists(std::u16string(kVendorKey) + u"print-server"))
      << "the server's name is no key of its own";
  EXPECT_TRUE(SameRecord(LoadWatermark(u"Draft", kConnectedPrinter), record));

  ListWatermarks(dialog_.item(kList), kConnectedPrinter);
  const Names listed = Listed();
  EXPECT_EQ(std::count(listed.begin(), listed.end(), u"Draft"), 1);
  if (Korean()) {
    EXPECT_EQ(listed.size(), kPredefinedSorted.size() + 1);
  }

  EXPECT_TRUE(RemoveWatermark(u"Draft", kConnectedPrinter));
  EXPECT_FALSE(ReadRaw(LibraryKey(kConnectedPrinterKey), u"Draft").has_value());
}

// The download manager, started through a receiver that records what would be started.
struct Started {
  int calls = 0;
  std::u16string program;
  std::vector<std::u16string> arguments;
  bool answer = true;
};

bool RecordStart(void* context, const std::u16string& program,
                 const std::vector<std::u16string>& arguments) {
  auto* started = static_cast<Started*>(context);
  ++started->calls;
  started->program = program;
  started->arguments = arguments;
  return started->answer;
}

class DownloadManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::DeleteRegistryTree(Hive::kLocalMachine, kAppPathKey);
    platform::SetProgramReceiver(RecordStart, &started_);
  }
  void TearDown() override {
    platform::SetProgramReceiver(nullptr, nullptr);
    platform::DeleteRegistryTree(Hive::kLocalMachine, kAppPathKey);
  }
  static void Register(uint32_t type, const std::vector<uint8_t>& data) {
    StoreRaw(kAppPathKey, u"Path", type, data, Hive::kLocalMachine);
  }

  test::TempStore store_;
  Started started_;
};

TEST_F(DownloadManagerTest, StartsTheProgramInTheRegisteredFolder) {
  // 1040 bytes with the terminator.
  const std::u16string longest = u"/" + std::u16string(518, u'd');
  const struct {
    const char* what;
    std::vector<uint8_t> path;
    std::u16string program;
  } cases[] = {
      {"a Windows folder with spaces", TextBytes(u"C:\\Program Files\\VESTRAL ORBINE\\Download"),
       u"C:\\Program Files\\VESTRAL ORBINE\\Download\\VXDownMgr.exe"},
      {"a folder ending with its separator", TextBytes(u"C:\\Tools\\"),
       u"C:\\Tools\\VXDownMgr.exe"},
      {"a POSIX folder", TextBytes(u"/opt/vestral orbine/bin"),
       u"/opt/vestral orbine/bin/VXDownMgr.exe"},
      {"text without its terminator", TextBytes(u"D:\\VX", false), u"D:\\VX\\VXDownMgr.exe"},
      {"the longest path read", TextBytes(longest), longest + u"/VXDownMgr.exe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Register(platform::kRegSz, c.path);
    started_ = Started{};
    EXPECT_TRUE(StartDownloadManager(u"1"));
    EXPECT_EQ(started_.calls, 1);
    EXPECT_EQ(started_.program, c.program);
    EXPECT_EQ(started_.arguments, Names{u"1"});
  }
  // A start that fails is reported.
  started_ = Started{};
  started_.answer = false;
  EXPECT_FALSE(StartDownloadManager(u"0"));
  EXPECT_EQ(started_.arguments, Names{u"0"});
}

TEST_F(DownloadManagerTest, AnUnregisteredProgramIsNotStarted) {
  EXPECT_FALSE(StartDownloadManager(u"1")) << "no key";
  const struct {
    const char* what;
    uint32_t type;
    std::vector<uint8_t> path;
  } cases[] = {
      {"an empty path", platform::kRegSz, TextBytes(u"")},
      {"a path longer than read", platform::kRegSz, TextBytes(u"/" + std::u16string(519, u'd'))},
      {"a path that is no text", platform::kRegBinary, TextBytes(u"C:\\Tools")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Register(c.type, c.path);
    EXPECT_FALSE(StartDownloadManager(u"1"));
  }
  // A key without the value.
  std::unique_ptr<platform::RegistryKey> key;
  ASSERT_EQ(platform::OpenRegistryKey(Hive::kLocalMachine, kAppPathKey, &key),
            platform::kErrorSuccess);
  ASSERT_EQ(key->DeleteValue(u"Path"), platform::kErrorSuccess);
  EXPECT_FALSE(StartDownloadManager(u"1"));
  EXPECT_EQ(started_.calls, 0);
}

}  // namespace
}  // namespace kx::ui
