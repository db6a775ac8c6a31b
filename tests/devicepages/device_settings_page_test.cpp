// The device settings page alone in a sheet over a context of the test's own, with the
// printer's answers prepared: the options the answer decides, the lists and their
// buttons, the edits, the status texts, and the printer data "DevOpts" on Apply, on
// leaving the page and on Cancel.
#include "device/device_settings_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "device/device_settings_state.h"
#include "device/printer_query.h"
#include "hostsim/host_items.h"
#include "hostsim/host_sheet.h"
#include "installable_options.h"
#include "page_set.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "ppd/ppd.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/installed_options.h"
#include "support/test_printer.h"

namespace kx::ui {
namespace {

using namespace host;
using hostsim::HostItems;
using settings::DeviceOptions;
using settings::FieldText;
using test::FlagList;
using test::Flags;
using test::FlagsOf;
using Names = std::vector<std::u16string>;

constexpr LONG_PTR kFirstPageHandle = 0x101;
constexpr char16_t kWinlogonKey[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char16_t kDefaultUserName[] = u"DefaultUserName";
// The name the sheet is opened for; no port is configured for it unless a test does so.
constexpr char16_t kSheetPrinterName[] = u"Device Settings Unlisted";

// The sample PPD's names of the options the tests move.
constexpr char16_t kHardDisk[] = u"Hard Disk";
constexpr char16_t kDuplexUnit[] = u"Duplex Unit";
constexpr char16_t kTray1[] = u"Optional Tray 1 (Tray 3)";
constexpr char16_t kTray2[] = u"Optional Tray 2 (Tray 4)";
constexpr char16_t kFinisher[] = u"Finisher";
constexpr char16_t kMultiResolution[] = u"Multiple Resolution Board";

// Installed-flag indexes as the block defines them.
constexpr size_t kDiskFlag = 0;
constexpr size_t kDuplexFlag = 1;
constexpr size_t kTray1Flag = 2;
constexpr size_t kTray2Flag = 3;
constexpr size_t kTray3Flag = 4;
constexpr size_t kFinisherFlag = 10;
constexpr size_t kMultiResolutionFlag = 12;

// Error codes a query that got no answer ends with.
constexpr uint32_t kSnmpTimeout = 40;
constexpr uint32_t kWin32Timeout = 1460;

// What the prepared printer answers and what it was asked.
struct PreparedPrinter {
  device::PrinterAnswer answer;
  int calls = 0;
  std::u16string community;
  std::u16string address;
};
PreparedPrinter* prepared = nullptr;

device::PrinterAnswer AskPrepared(std::u16string_view community, std::u16string_view address) {
  ++prepared->calls;
  prepared->community = community;
  prepared->address = address;
  return prepared->answer;
}

// A call of the host's common property-sheet function.
struct SheetCall {
  UINT function;
  LPARAM first;
  LPARAM second;
};

bool TakePage(void* context, const std::u16string& page) {
  static_cast<std::vector<std::u16string>*>(context)->push_back(page);
  return true;
}

bool EndsWith(const std::u16string& text, const std::u16string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool Contains(const Names& names, const std::u16string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

std::u16string Repeated(char16_t unit, size_t count) { return std::u16string(count, unit); }

class DeviceSettingsPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prepared = &answers_;
    device::SetPrinterQuery(&AskPrepared);
    image_ = ppd::PpdOpen(platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD).c_str());
    ASSERT_NE(image_, nullptr);
    items_ = std::make_unique<HostItems>(image_, HostItems::Tree::Printer);
    SaveLogonName();
    SetLogonName(u"");
  }
  void TearDown() override {
    sheet_.reset();
    platform::SetPageReceiver(nullptr, nullptr);
    device::SetPrinterQuery(nullptr);
    prepared = nullptr;
    RestoreLogonName();
    items_.reset();
    if (image_ != nullptr) ppd::PpdClose(image_);
  }

  // The stored block: the given flags and community, the other texts empty.
  void StoreDevOpts(const FlagList& flags, std::u16string_view community,
                    std::u16string_view address = u"10.1.2.3") {
    DeviceOptions block{};
    std::copy(flags.begin(), flags.end(), block.installedOptions);
    settings::StoreText(block.snmpCommunity, community);
    settings::StoreText(block.printerAddress, address);
    StoreBlock(block);
  }
  void StoreBlock(const DeviceOptions& block) {
    ASSERT_EQ(settings::WriteStoredDeviceOptions(printer_.handle(), block),
              platform::kErrorSuccess);
  }
  DeviceOptions Stored() {
    DeviceOptions block{};
    EXPECT_TRUE(settings::ReadStoredDeviceOptions(printer_.handle(), &block));
    return block;
  }
  // The printer answers every query with status 1 and these rows (row, value).
  void Answer(std::initializer_list<std::pair<size_t, int32_t>> rows) {
    answers_.answer = device::PrinterAnswer{};
    answers_.answer.status = device::kStatusAnswered;
    for (const auto& [row, value] : rows) answers_.answer.scalars[row].value = value;
  }
  void AnswerNothing(uint32_t status) {
    answers_.answer = device::PrinterAnswer{};
    answers_.answer.status = status;
  }

  void Open() {
    param_.cbSize = sizeof(param_);
    param_.hPrinter = printer_.handle();
    param_.pPrinterName = sheetPrinter_.data();
    param_.pDrvOptItems = items_->data();
    param_.cDrvOptItems = items_->count();
    context_.commonUi = &param_;
    context_.ppd = image_;
    context_.propertySheet = reinterpret_cast<HANDLE>(this);
    context_.firstPage = kFirstPageHandle;
    context_.addPage = &DeviceSettingsPageTest::ComPropSheet;
    std::string error;
    sheet_ = hostsim::HostSheet::CreateWithPage(DeviceSettingsPageSpec(),
                                                DeviceSettingsPageProcedure,
                                                reinterpret_cast<LPARAM>(&context_), &error);
    ASSERT_NE(sheet_, nullptr) << error;
    sheet_->SetActive(0);
  }
  void Close() { sheet_.reset(); }

  static LONG_PTR KX_STDCALL ComPropSheet(HANDLE sheet, UINT function, LPARAM first,
                                          LPARAM second) {
    reinterpret_cast<DeviceSettingsPageTest*>(sheet)->calls_.push_back({function, first, second});
    return 1;
  }
  size_t CallsOf(UINT function) const {
    return static_cast<size_t>(std::count_if(
        calls_.begin(), calls_.end(), [&](const SheetCall& c) { return c.function == function; }));
  }
  // The first call of the function (one must have been made).
  const SheetCall& CallOf(UINT function) const {
    return *std::find_if(calls_.begin(), calls_.end(),
                         [&](const SheetCall& c) { return c.function == function; });
  }

  Names Available() const { return sheet_->Items(0, kAvailableOptionsList); }
  Names Installed() const { return sheet_->Items(0, kInstalledOptionsList); }
  bool Add(const std::u16string& name) {
    return sheet_->ChooseText(0, kAvailableOptionsList, name) && sheet_->Click(0, kAddOptionButton);
  }
  bool Remove(const std::u16string& name) {
    return sheet_->ChooseText(0, kInstalledOptionsList, name) &&
           sheet_->Click(0, kRemoveOptionButton);
  }
  // Types into an edit (a backspace first, which empties the selected text) and leaves it
  // for the read-only user name.
  void Enter(int id, std::u16string_view text) {
    ASSERT_TRUE(sheet_->Type(0, id, std::u16string(1, u'\b') + std::u16string(text)));
    ASSERT_TRUE(sheet_->Focus(0, kUserNameEdit));
  }
  // The working copy as leaving the page stores it.
  DeviceOptions Working() {
    sheet_->KillActive(0);
    return Stored();
  }
  // Whether the host's item of the installable feature shows True.
  bool HostItemInstalled(const char* keyword) {
    const OPTITEM* item = items_->FeatureItem(keyword);
    EXPECT_NE(item, nullptr) << keyword;
    return item != nullptr && item->Sel == items_->ChoiceOf(keyword, "True");
  }

  void SaveLogonName() {
    std::unique_ptr<platform::RegistryKey> key;
    if (platform::OpenRegistryKey(platform::Hive::kLocalMachine, kWinlogonKey, &key) !=
        platform::kErrorSuccess) {
      return;
    }
    uint32_t type = 0;
    uint32_t size = 0;
    if (key->QueryValue(kDefaultUserName, &type, nullptr, &size) != platform::kErrorSuccess) return;
    savedLogonName_.resize(size);
    hadLogonName_ = key->QueryValue(kDefaultUserName, &type, savedLogonName_.data(), &size) ==
                    platform::kErrorSuccess;
  }
  void RestoreLogonName() {
    std::unique_ptr<platform::RegistryKey> key;
    bool created = false;
    if (platform::CreateRegistryKey(platform::Hive::kLocalMachine, kWinlogonKey, &key, &created) !=
        platform::kErrorSuccess) {
      return;
    }
    if (hadLogonName_) {
      key->SetValue(kDefaultUserName, platform::kRegSz, savedLogonName_.data(),
                    static_cast<uint32_t>(savedLogonName_.size()));
    } else {
      key->DeleteValue(kDefaultUserName);
    }
  }
  // An empty name removes the value.
  void SetLogonName(const std::u16string& name) {
    std::unique_ptr<platform::RegistryKey> key;
    bool created = false;
    ASSERT_EQ(platform::CreateRegistryKey(platform::Hive::kLocalMachine, kWinlogonKey, &key,
                                          &created),
              platform::kErrorSuccess);
    if (name.empty()) {
      key->DeleteValue(kDefaultUserName);
      return;
    }
    ASSERT_EQ(key->SetValue(kDefaultUserName, platform::kRegSz,
                            reinterpret_cast<const uint8_t*>(name.c_str()),
                            static_cast<uint32_t>((name.size() + 1) * sizeof(char16_t))),
              platform::kErrorSuccess);
  }
  bool korean() const { return codePages_.active(); }

  test::SystemCodePages codePages_{nullptr, nullptr};
  test::TestPrinter printer_{
      platform::Utf8ToUtf16(std::string("Device Settings ") +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name())};
  PreparedPrinter answers_;
  std::u16string sheetPrinter_ = kSheetPrinterName;
  const ppd::PpdImage* image_ = nullptr;
  std::unique_ptr<HostItems> items_;
  OEMCUIPPARAM param_{};
  PageSetContext context_;
  std::unique_ptr<hostsim::HostSheet> sheet_;
  std::vector<SheetCall> calls_;
  std::vector<uint8_t> savedLogonName_;
  bool hadLogonName_ = false;
};


// ---------------------------------------------------------------------------------------
// The printer's answer.

// The answered rows decide their options, each on its own: every decided flag is set or
// cleared (a tray 2 answered without tray 1 is taken as it is), the others keep theirs.
// The lists show the result and the user can no longer move options.
TEST_F(DeviceSettingsPageTest, TheAnswerDecidesTheInstalledOptions) {
  struct Case {
    const char* what;
    std::initializer_list<std::pair<size_t, int32_t>> rows;
    FlagList stored;
    FlagList expected;
  };
  const Case cases[] = {
      {"disk and tray 2", {{2, 4096}, {8, 0}}, Flags({kTray1Flag, kTray3Flag}),
       Flags({kDiskFlag, kTray2Flag, kTray3Flag})},
      {"duplexer and finisher", {{4, 12}, {5, 1}}, Flags({kDiskFlag}),
       Flags({kDuplexFlag, kFinisherFlag})},
      {"one resolution is no board", {{3, 1}}, Flags({kMultiResolutionFlag}), Flags({})},
      {"two resolutions are", {{3, 2}}, Flags({}), Flags({kMultiResolutionFlag})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    calls_.clear();
    answers_.calls = 0;
    StoreDevOpts(c.stored, u"kestra");
    Answer(c.rows);
    Open();
    EXPECT_EQ(answers_.calls, 1);
    const DeviceOptions working = Working();
    EXPECT_EQ(FlagsOf(working), c.expected);
    EXPECT_EQ(Installed().size() + Available().size(), settings::kInstalledOptionCount);
    EXPECT_EQ(Contains(Installed(), kHardDisk), c.expected[kDiskFlag] != 0);
    EXPECT_EQ(Contains(Installed(), kTray1), c.expected[kTray1Flag] != 0);
    EXPECT_EQ(Contains(Installed(), kTray2), c.expected[kTray2Flag] != 0);
    EXPECT_EQ(Contains(Installed(), kDuplexUnit), c.expected[kDuplexFlag] != 0);
    EXPECT_EQ(Contains(Installed(), kFinisher), c.expected[kFinisherFlag] != 0);
    EXPECT_EQ(Contains(Installed(), kMultiResolution), c.expected[kMultiResolutionFlag] != 0);
    EXPECT_EQ(HostItemInstalled("OptionalDisk"), c.expected[kDiskFlag] != 0);
    EXPECT_EQ(HostItemInstalled("OptionalBin1"), c.expected[kTray1Flag] != 0);
    EXPECT_EQ(HostItemInstalled("OptionalBin2"), c.expected[kTray2Flag] != 0);
    // The host applies its common settings at once, as for OK.
    ASSERT_EQ(CallsOf(kDoApplyCommonUi), 1u);
    EXPECT_EQ(CallOf(kDoApplyCommonUi).first, kFirstPageHandle);
    EXPECT_EQ(CallOf(kDoApplyCommonUi).second, kApplyOkCancelButton);
    // Neither button comes back, whichever list the user picks from.
    for (const int list : {kAvailableOptionsList, kInstalledOptionsList}) {
      sheet_->Choose(0, list, 0);
      EXPECT_FALSE(sheet_->Enabled(0, kAddOptionButton));
      EXPECT_FALSE(sheet_->Enabled(0, kRemoveOptionButton));
    }
    Close();
  }
}

// Without a community or an address nobody is asked; a printer that does not answer is
// asked once. Either way the lists keep the stored options and stay editable, and the
// host is not asked to apply anything.
TEST_F(DeviceSettingsPageTest, WithoutAnAnswerTheListsStayTheUsers) {
  struct Case {
    const char* what;
    std::u16string community;
    std::u16string address;
    uint32_t status;
    int calls;
  };
  const Case cases[] = {
      {"empty community", u"", u"10.1.2.3", device::kStatusAnswered, 0},
      {"empty address", u"kestra", u"", device::kStatusAnswered, 0},
      {"time-out", u"kestra", u"10.1.2.3", kSnmpTimeout, 1},
      {"other failure", u"kestra", u"10.1.2.3", kWin32Timeout, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    answers_.calls = 0;
    calls_.clear();
    StoreDevOpts(Flags({kTray1Flag}), c.community, c.address);
    // A prepared answer that would install the disk, were it asked and answered.
    Answer({{2, 4096}});
    answers_.answer.status = c.status;
    Open();
    EXPECT_EQ(answers_.calls, c.calls);
    if (c.calls > 0) {
      EXPECT_EQ(answers_.community, c.community);
      EXPECT_EQ(answers_.address, c.address);
    }
    if (korean()) {
      EXPECT_EQ(sheet_->Text(0, kCommunicationStatus), u"양방향 프린터 통신을 설정할 수 없습니다");
    }
    EXPECT_EQ(Installed(), Names{kTray1});
    EXPECT_EQ(CallsOf(kDoApplyCommonUi), 0u);
    ASSERT_TRUE(Add(kHardDisk));
    EXPECT_TRUE(Contains(Installed(), kHardDisk));
    EXPECT_EQ(FlagsOf(Working()), Flags({kDiskFlag, kTray1Flag}));
    Close();
  }
}

TEST_F(DeviceSettingsPageTest, StatusTexts) {
  if (!korean()) GTEST_SKIP() << "the texts are kept in code page 949";
  struct Case {
    uint32_t status;
    std::u16string text;
  };
  const Case cases[] = {
      {device::kStatusChecking, u"양방향 프린터 통신 체크 중"},
      {device::kStatusAnswered, u"양방향 프린터 통신이 설정되었습니다"},
      {device::kStatusNoAddress, u"양방향 프린터 통신을 설정할 수 없습니다"},
      {kSnmpTimeout, u"양방향 프린터 통신을 설정할 수 없습니다"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    EXPECT_EQ(CommunicationStatusText(c.status), c.text);
  }
  StoreDevOpts(Flags({}), u"kestra");
  Answer({});
  Open();
  EXPECT_EQ(sheet_->Text(0, kCommunicationStatus), u"양방향 프린터 통신이 설정되었습니다");
}

// A new address is tried at once when the box is left; the port configuration's address,
// when the printer has one, wins over what was typed.
TEST_F(DeviceSettingsPageTest, LeavingTheAddressChecksAgain) {
  StoreDevOpts(Flags({}), u"kestra", u"");
  AnswerNothing(kSnmpTimeout);
  Open();
  EXPECT_EQ(answers_.calls, 0);
  Enter(kPrinterAddressEdit, u"192.168.7.70");
  EXPECT_EQ(answers_.calls, 1);
  EXPECT_EQ(answers_.address, u"192.168.7.70");
  EXPECT_EQ(std::u16string(FieldText(Working().printerAddress)), u"192.168.7.70");
  Enter(kPrinterAddressEdit, u"");
  EXPECT_EQ(answers_.calls, 1);
#ifndef _WIN32
  // The spooler's registry, which on Windows belongs to the system's own printers.
  std::unique_ptr<platform::RegistryKey> key;
  bool created = false;
  ASSERT_EQ(platform::CreateRegistryKey(platform::Hive::kLocalMachine,
                                        u"System\\CurrentControlSet\\Control\\Print\\Printers\\" +
                                            sheetPrinter_,
                                        &key, &created),
            platform::kErrorSuccess);
  const std::u16string port = u"10.0.0.5";
  ASSERT_EQ(key->SetValue(u"Port", platform::kRegSz, reinterpret_cast<const uint8_t*>(port.c_str()),
                          static_cast<uint32_t>((port.size() + 1) * sizeof(char16_t))),
            platform::kErrorSuccess);
  Enter(kPrinterAddressEdit, u"192.168.7.70");
  EXPECT_EQ(answers_.address, port);
  EXPECT_EQ(sheet_->Text(0, kPrinterAddressEdit), port);
#endif
}

// ---------------------------------------------------------------------------------------
// The lists.

// Tray 2 hangs under tray 1: adding tray 2 adds tray 1, removing tray 1 removes tray 2;
// the other way round each goes alone.
TEST_F(DeviceSettingsPageTest, TheTraysGoTogether) {
  struct Case {
    const char* what;
    FlagList stored;
    bool add;
    const char16_t* option;
    FlagList expected;
  };
  const Case cases[] = {
      {"add tray 2 without tray 1", Flags({}), true, kTray2, Flags({kTray1Flag, kTray2Flag})},
      {"add tray 2 with tray 1", Flags({kTray1Flag}), true, kTray2,
       Flags({kTray1Flag, kTray2Flag})},
      {"add tray 1", Flags({}), true, kTray1, Flags({kTray1Flag})},
      {"add the disk", Flags({}), true, kHardDisk, Flags({kDiskFlag})},
      {"remove tray 1 with tray 2", Flags({kTray1Flag, kTray2Flag}), false, kTray1, Flags({})},
      {"remove tray 1 alone", Flags({kTray1Flag, kDiskFlag}), false, kTray1, Flags({kDiskFlag})},
      {"remove tray 2", Flags({kTray1Flag, kTray2Flag}), false, kTray2, Flags({kTray1Flag})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StoreDevOpts(c.stored, u"");
    Open();
    ASSERT_TRUE(c.add ? Add(c.option) : Remove(c.option));
    EXPECT_EQ(Contains(Installed(), kTray1), c.expected[kTray1Flag] != 0);
    EXPECT_EQ(Contains(Installed(), kTray2), c.expected[kTray2Flag] != 0);
    EXPECT_EQ(Contains(Available(), kTray1), c.expected[kTray1Flag] == 0);
    EXPECT_EQ(Contains(Available(), kTray2), c.expected[kTray2Flag] == 0);
    EXPECT_EQ(Contains(Installed(), kHardDisk), c.expected[kDiskFlag] != 0);
    EXPECT_EQ(HostItemInstalled("OptionalBin1"), c.expected[kTray1Flag] != 0);
    EXPECT_EQ(HostItemInstalled("OptionalBin2"), c.expected[kTray2Flag] != 0);
    EXPECT_FALSE(sheet_->Enabled(0, c.add ? kAddOptionButton : kRemoveOptionButton));
    EXPECT_TRUE(sheet_->Changed(0));
    EXPECT_EQ(FlagsOf(Working()), c.expected);
    Close();
  }
}

// A choice in one list arms its button, disarms the other and clears the other list's
// choice.
TEST_F(DeviceSettingsPageTest, AChoiceArmsItsListsButton) {
  StoreDevOpts(Flags({kDiskFlag}), u"");
  Open();
  EXPECT_FALSE(sheet_->Enabled(0, kAddOptionButton));
  EXPECT_FALSE(sheet_->Enabled(0, kRemoveOptionButton));
  EXPECT_FALSE(sheet_->Changed(0));
  ASSERT_TRUE(sheet_->ChooseText(0, kInstalledOptionsList, kHardDisk));
  EXPECT_TRUE(sheet_->Changed(0));
  EXPECT_FALSE(sheet_->Enabled(0, kAddOptionButton));
  EXPECT_TRUE(sheet_->Enabled(0, kRemoveOptionButton));
  ASSERT_TRUE(sheet_->ChooseText(0, kAvailableOptionsList, kTray1));
  EXPECT_TRUE(sheet_->Enabled(0, kAddOptionButton));
  EXPECT_FALSE(sheet_->Enabled(0, kRemoveOptionButton));
  EXPECT_EQ(sheet_->Selection(0, kInstalledOptionsList), -1);
  ASSERT_TRUE(sheet_->ChooseText(0, kInstalledOptionsList, kHardDisk));
  EXPECT_EQ(sheet_->Selection(0, kAvailableOptionsList), -1);
}

// ---------------------------------------------------------------------------------------
// The texts and the printer data.

TEST_F(DeviceSettingsPageTest, TheBlockStartsFromTheStoredOneOrThePpdsDefaults) {
  DeviceOptions block{};
  block.installedOptions[kDuplexFlag] = 1;
  settings::StoreText(block.userName, u"kim");
  settings::StoreText(block.hostName, u"DESK-7");
  settings::StoreText(block.chargeNumber, u"0042");
  settings::StoreText(block.printerAddress, u"10.1.2.3");
  StoreBlock(block);
  Open();
  EXPECT_EQ(sheet_->Text(0, kHostNameEdit), u"DESK-7");
  EXPECT_EQ(sheet_->Text(0, kChargeNumberEdit), u"0042");
  EXPECT_EQ(sheet_->Text(0, kPrinterAddressEdit), u"10.1.2.3");
  // No default logon name: the box stays empty, the stored name stays.
  EXPECT_EQ(sheet_->Text(0, kUserNameEdit), u"");
  EXPECT_EQ(Installed(), Names{kDuplexUnit});
  EXPECT_EQ(std::u16string(FieldText(Working().userName)), u"kim");
  Close();

  // Nothing stored (a block of another size is none): the PPD's defaults.
  const std::vector<uint8_t> shortBlock(100, 1);
  printer_.SetDevOpts(shortBlock);
  Open();
  const DeviceOptions defaults = Working();
  DeviceOptions expected{};
  DefaultDeviceOptions(&expected, image_);
  EXPECT_EQ(std::memcmp(&defaults, &expected, sizeof(expected)), 0);
  EXPECT_EQ(Installed(), Names{});
}

TEST_F(DeviceSettingsPageTest, TheLogonNameIsTheUser) {
  struct Case {
    const char* what;
    std::u16string logon;
    std::u16string shown;
  };
  const Case cases[] = {
      {"short", u"lee", u"lee"},
      {"63 characters", Repeated(u'가', 63), Repeated(u'가', 63)},
      // 128 bytes and the terminator cannot be read: the stored name stays.
      {"64 characters", Repeated(u'x', 64), u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeviceOptions block{};
    settings::StoreText(block.userName, u"kim");
    StoreBlock(block);
    SetLogonName(c.logon);
    Open();
    EXPECT_EQ(sheet_->Text(0, kUserNameEdit), c.shown);
    EXPECT_EQ(std::u16string(FieldText(Working().userName)), c.shown.empty() ? u"kim" : c.shown);
    Close();
  }
}

TEST_F(DeviceSettingsPageTest, EditsTakeWhatTheBoxesAllow) {
  StoreDevOpts(Flags({}), u"");
  Open();
  Enter(kHostNameEdit, u"WORKSTATION-0123456789");
  Enter(kChargeNumberEdit, u"12ab345678");
  EXPECT_TRUE(sheet_->Changed(0));
  const DeviceOptions working = Working();
  EXPECT_EQ(std::u16string(FieldText(working.hostName)), u"WORKSTATION-012");
  EXPECT_EQ(std::u16string(FieldText(working.chargeNumber)), u"1234567");
}

// Apply stores the block with the ANSI and UTF-8 copies of the three texts and tells the
// host and the sheet; 63 Korean characters take 189 bytes of UTF-8 and the zero.
TEST_F(DeviceSettingsPageTest, ApplyStoresTheBlockWithItsCopies) {
  const std::u16string user = Repeated(u'한', 63);
  SetLogonName(user);
  StoreDevOpts(Flags({}), u"");
  Open();
  Enter(kHostNameEdit, u"DESK-7");
  Enter(kChargeNumberEdit, u"0042");
  ASSERT_TRUE(sheet_->Changed(0));
  EXPECT_EQ(sheet_->Apply(0), PSNRET_NOERROR);
  EXPECT_FALSE(sheet_->Changed(0));
  ASSERT_EQ(CallsOf(CPSFUNC_SET_RESULT), 1u);
  EXPECT_EQ(CallOf(CPSFUNC_SET_RESULT).first, kFirstPageHandle);
  EXPECT_EQ(CallOf(CPSFUNC_SET_RESULT).second, CPSUI_OK);

  const DeviceOptions stored = Stored();
  EXPECT_EQ(std::u16string(FieldText(stored.userName)), user);
  const std::string utf8 = platform::Utf16ToUtf8(user);
  ASSERT_EQ(utf8.size(), 189u);
  EXPECT_EQ(std::string(stored.userNameUtf8, 190), utf8 + '\0');
  EXPECT_EQ(std::string(FieldText(stored.hostNameUtf8)), "DESK-7");
  EXPECT_EQ(std::string(FieldText(stored.chargeNumberUtf8)), "0042");
  EXPECT_EQ(std::string(FieldText(stored.hostNameAnsi)), "DESK-7");
  EXPECT_EQ(std::string(FieldText(stored.chargeNumberAnsi)), "0042");
  if (korean()) {
    // 한 in code page 949.
    std::string ansi;
    for (int i = 0; i < 63; ++i) ansi += "\xC7\xD1";
    EXPECT_EQ(std::string(FieldText(stored.userNameAnsi)), ansi);
  }
}

// Leaving the page stores the working copy at once; Cancel puts back the block as it was
// at the last Apply, or when the page opened.
TEST_F(DeviceSettingsPageTest, CancelRestoresTheBlockOfTheLastApply) {
  StoreDevOpts(Flags({kDiskFlag}), u"");
  const DeviceOptions opened = Stored();
  Open();
  Enter(kHostNameEdit, u"FIRST");
  sheet_->KillActive(0);
  EXPECT_EQ(std::u16string(FieldText(Stored().hostName)), u"FIRST");
  sheet_->Reset(0);
  const DeviceOptions cancelled = Stored();
  EXPECT_EQ(std::memcmp(&opened, &cancelled, sizeof(opened)), 0);
  Close();

  Open();
  Enter(kHostNameEdit, u"APPLIED");
  ASSERT_EQ(sheet_->Apply(0, false), PSNRET_NOERROR);
  const DeviceOptions applied = Stored();
  ASSERT_EQ(std::u16string(FieldText(applied.hostName)), u"APPLIED");
  Enter(kHostNameEdit, u"LATER");
  ASSERT_TRUE(Add(kTray1));
  sheet_->KillActive(0);
  EXPECT_EQ(std::u16string(FieldText(Stored().hostName)), u"LATER");
  sheet_->Reset(0);
  const DeviceOptions restored = Stored();
  EXPECT_EQ(std::memcmp(&applied, &restored, sizeof(applied)), 0);
}

TEST_F(DeviceSettingsPageTest, HelpOpensThePagesTopics) {
  std::vector<std::u16string> pages;
  platform::SetPageReceiver(&TakePage, &pages);
  StoreDevOpts(Flags({}), u"");
  Open();
  sheet_->Help(0);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(EndsWith(pages[0], u"101.html"));
  const int controls[] = {kAvailableOptionsList, kAddOptionButton,    kRemoveOptionButton,
                          kInstalledOptionsList, kPrinterAddressEdit, kUserNameEdit,
                          kHostNameEdit,         kChargeNumberEdit};
  for (const int id : controls) {
    SCOPED_TRACE(id);
    pages.clear();
    sheet_->HelpRequest(0, id);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(EndsWith(pages[0], platform::Utf8ToUtf16(std::to_string(id) + ".html")));
  }
}

}  // namespace
}  // namespace kx::ui
