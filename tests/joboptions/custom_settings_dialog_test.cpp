// The custom document settings dialog driven as a user drives it: the list and its
// choice, the buttons that typing and choosing allow, Save and Delete, OK applying a
// stored setting (or storing the job's settings under a new name) and Cancel.
#include "joboptions/custom_settings_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "colour/colour_sets.h"
#include "dialog_driver.h"
#include "joboptions/custom_settings_layout.h"
#include "joboptions/custom_settings_store.h"
#include "module_state.h"
#include "page_set.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/temp_store.h"
#include "support/test_ppd.h"
#include "user_store.h"
#include "watermarks/watermark_store.h"

namespace kx::ui {
namespace {

using namespace host;
using namespace custom_settings;
using settings::FieldText;
using settings::PrivateRecord;
using test::DialogDriver;
using Names = std::vector<std::u16string>;

constexpr char16_t kVendorKey[] = u"Software\\VESTRAL ORBINE\\";
constexpr char16_t kNone[] = u"없음";

// Clears the name box and types `text` into it one character at a time.
void TypeName(const DialogDriver& d, std::u16string_view text) {
  platform::SetDlgItemText(d.dialog(), kNameCombo, u"");
  const HWND box = d.Control(kNameCombo);
  for (const char16_t c : text) platform::SendMessage(box, WM_CHAR, c, 1);
}

// Deletes what the box holds with the backspace key, as a user empties it.
void EraseName(const DialogDriver& d) {
  constexpr char16_t kBackspace = 8;
  const size_t length = d.Text(kNameCombo).size();
  for (size_t i = 0; i < length; ++i) {
    platform::SendMessage(d.Control(kNameCombo), WM_CHAR, kBackspace, 1);
  }
}

bool ChooseText(const DialogDriver& d, std::u16string_view text) {
  const Names items = d.Items(kNameCombo);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) return d.Choose(kNameCombo, static_cast<int>(i));
  }
  return false;
}

bool SameBytes(const void* a, const void* b, size_t size) { return std::memcmp(a, b, size) == 0; }

class CustomSettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    settings::SetRecordDefaults(record_.get(), nullptr);
    param_.cbSize = sizeof(param_);
    param_.pPrinterName = printer_.data();
    param_.pOEMDM = record_.get();
    context_.commonUi = &param_;
  }
  void TearDown() override {
    Clean();
    if (ppd_ != nullptr) ppd::PpdClose(ppd_);
  }
  void Clean() { platform::DeleteRegistryTree(platform::Hive::kCurrentUser, kVendorKey + printer_); }

  static std::u16string PrinterOfThisTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return platform::Utf8ToUtf16(std::string("Custom dialog ") + info->name());
  }

  // Opens the dialog with `script` as its user; Help takes the focus when a box is left.
  INT_PTR Run(const test::ModalScript::Script& script) {
    test::ModalScript modal(kHelpButton, script);
    const INT_PTR result = ShowCustomSettings(nullptr, &context_);
    EXPECT_EQ(modal.runs(), 1);
    return result;
  }

  // A stored setting that differs from the job's in settings and device options.
  std::unique_ptr<PrivateRecord> StoreDistinct(const std::u16string& name) {
    auto stored = std::make_unique<PrivateRecord>(*record_);
    stored->qualityMode = 8;
    stored->rotation = 90;
    stored->emailNotify = 1;
    settings::StoreText(stored->emailAddress, u"lee@example.com");
    settings::StoreText(stored->customSettingName, name);
    stored->devOpts.installedOptions[5] = 1;
    settings::StoreText(stored->devOpts.userName, u"someone else");
    EXPECT_EQ(StoreCustomSetting(name, *stored, printer_), platform::kErrorSuccess);
    return stored;
  }
  void Store(const std::u16string& name) {
    ASSERT_EQ(StoreCustomSetting(name, *record_, printer_), platform::kErrorSuccess);
  }
  std::unique_ptr<PrivateRecord> Stored(const std::u16string& name) {
    auto stored = std::make_unique<PrivateRecord>();
    if (!LoadCustomSetting(name, printer_, stored.get())) return nullptr;
    return stored;
  }
  void UseColourPpd(bool colourDevice) {
    const std::string path =
        test::WriteTestPpd(store_.directory(), "custom.ppd",
                           std::string("*ColorDevice: ") + (colourDevice ? "True" : "False") + "\n");
    ppd_ = ppd::PpdOpen(platform::Utf8ToUtf16(path).c_str());
    ASSERT_NE(ppd_, nullptr);
    context_.ppd = ppd_;
  }

  std::u16string CurrentName() const { return std::u16string(FieldText(record_->customSettingName)); }
  bool korean() const { return codePages_.active(); }

  test::TempStore store_;
  test::SystemCodePages codePages_{nullptr, nullptr};
  std::u16string printer_ = PrinterOfThisTest();
  std::unique_ptr<PrivateRecord> record_ = std::make_unique<PrivateRecord>();
  OEMCUIPPARAM param_{};
  PageSetContext context_;
  const ppd::PpdImage* ppd_ = nullptr;
};

// The list is the stored settings and "없음"; the entry chosen is the first that begins
// with the job's setting name (case ignored), else "없음" with nothing to save or delete.
TEST_F(CustomSettingsDialogTest, OpensOnTheJobsSettingName) {
  if (!korean()) GTEST_SKIP() << "\"없음\" is code page 949 text";
  const struct {
    const char* why;
    Names stored;
    std::u16string name;
    std::u16string chosen;
    bool save;
    bool remove;
  } cases[] = {
      {"the name stored", {u"Report", u"Draft"}, u"Report", u"Report", true, true},
      {"case ignored", {u"Report"}, u"REPORT", u"Report", true, true},
      {"the first entry it begins", {u"Report B", u"Report A"}, u"Rep", u"Report A", true, true},
      {"a name not stored", {u"Report"}, u"Letters", kNone, false, false},
      {"none chosen", {u"Report"}, kNone, kNone, false, false},
      {"nothing stored", {}, u"Report", kNone, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    Clean();
    for (const std::u16string& name : c.stored) Store(name);
    settings::StoreText(record_->customSettingName, c.name);
    Names listed = c.stored;
    listed.push_back(kNone);
    std::sort(listed.begin(), listed.end());
    Run([&](DialogDriver& d) {
      Names items = d.Items(kNameCombo);
      std::sort(items.begin(), items.end());
      EXPECT_EQ(items, listed);
      EXPECT_EQ(d.SelectedText(kNameCombo), c.chosen);
      EXPECT_EQ(d.Enabled(kSaveButton), c.save);
      EXPECT_EQ(d.Enabled(kDeleteButton), c.remove);
      d.Command(IDCANCEL);
    });
  }
}

TEST_F(CustomSettingsDialogTest, TypingNoneOrNothingDisablesSaveAndDelete) {
  const struct {
    const char* why;
    std::function<void(const DialogDriver&)> type;
    bool enabled;
    bool needsKorean;
  } cases[] = {
      {"a name", [](const DialogDriver& d) { TypeName(d, u"Report"); }, true, false},
      {"none", [](const DialogDriver& d) { TypeName(d, kNone); }, false, true},
      {"a name, then erased",
       [](const DialogDriver& d) {
         TypeName(d, u"Report");
         EraseName(d);
       },
       false, false},
      {"none, then more", [](const DialogDriver& d) { TypeName(d, u"없음표"); }, true, false},
  };
  Store(u"Report");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    if (c.needsKorean && !korean()) continue;
    Run([&](DialogDriver& d) {
      c.type(d);
      EXPECT_EQ(d.Enabled(kSaveButton), c.enabled);
      EXPECT_EQ(d.Enabled(kDeleteButton), c.enabled);
      d.Command(IDCANCEL);
    });
  }
}

// A new name and OK: the job's settings are stored under it as they are, and stay the
// job's.
TEST_F(CustomSettingsDialogTest, OkWithANewNameStoresTheJobsSettings) {
  record_->qualityMode = 3;
  settings::StoreText(record_->jobName, u"Quarterly");
  const auto before = std::make_unique<PrivateRecord>(*record_);
  EXPECT_EQ(Run([](DialogDriver& d) {
              TypeName(d, u"Report");
              d.Click(IDOK);
            }),
            kApplied);
  EXPECT_EQ(CurrentName(), u"Report");
  settings::StoreText(before->customSettingName, u"Report");
  EXPECT_TRUE(SameBytes(record_.get(), before.get(), sizeof(PrivateRecord)));

  std::unique_ptr<platform::RegistryKey> key;
  ASSERT_EQ(platform::OpenRegistryKey(platform::Hive::kCurrentUser,
                                      PrinterStorePath(printer_, kCustomSettingsStore), &key),
            platform::kErrorSuccess);
  uint32_t type = 0;
  std::vector<uint8_t> value(kCustomSettingSize + 16);
  auto size = static_cast<uint32_t>(value.size());
  ASSERT_EQ(key->QueryValue(u"Report", &type, value.data(), &size), platform::kErrorSuccess);
  EXPECT_EQ(type, platform::kRegBinary);
  EXPECT_EQ(size, 6036u);
  EXPECT_TRUE(SameBytes(value.data() + kCustomSettingHeadSize, record_.get(), sizeof(PrivateRecord)));
}

TEST_F(CustomSettingsDialogTest, ANameIsCutToWhatASettingKeeps) {
  const std::u16string longName = u"A name much longer than a stored name keeps";
  const std::u16string kept = longName.substr(0, kCustomSettingNameLimit);
  Run([&](DialogDriver& d) {
    TypeName(d, longName);
    d.Click(IDOK);
  });
  EXPECT_EQ(CurrentName(), kept);
  EXPECT_EQ(ListCustomSettings(printer_), Names{kept});
}

// Choosing a stored setting and OK: every setting comes from it, the printer's device
// options stay the job's.
TEST_F(CustomSettingsDialogTest, ApplyingAStoredSettingKeepsTheDeviceOptions) {
  record_->devOpts.installedOptions[settings::kHasHardDisk] = 1;
  settings::StoreText(record_->devOpts.userName, u"kim");
  const settings::DeviceOptions jobDevOpts = record_->devOpts;
  const auto stored = StoreDistinct(u"Travel");
  EXPECT_EQ(Run([](DialogDriver& d) {
              EXPECT_TRUE(ChooseText(d, u"Travel"));
              d.Click(IDOK);
            }),
            kApplied);
  auto expected = std::make_unique<PrivateRecord>(*stored);
  expected->devOpts = jobDevOpts;
  EXPECT_TRUE(SameBytes(record_.get(), expected.get(), sizeof(PrivateRecord)));
  EXPECT_EQ(record_->qualityMode, 8);
  EXPECT_EQ(FieldText(record_->devOpts.userName), u"kim");
}

TEST_F(CustomSettingsDialogTest, TypingAStoredNameAppliesItToo) {
  StoreDistinct(u"Travel");
  Run([](DialogDriver& d) {
    TypeName(d, u"travel");
    d.Click(IDOK);
  });
  EXPECT_EQ(record_->rotation, 90);
  EXPECT_EQ(FieldText(record_->emailAddress), u"lee@example.com");
}

// The library no longer holds the watermark a stored setting prints: applying the
// setting puts it back, as the setting has it.
TEST_F(CustomSettingsDialogTest, AnEnabledWatermarkMissingFromTheLibraryIsStoredBack) {
  auto stored = std::make_unique<PrivateRecord>(*record_);
  settings::SetWatermarkNewDefault(&stored->watermark);
  settings::StoreText(stored->watermark.name, u"Secret");
  settings::StoreText(stored->watermark.text, u"Do not copy");
  stored->watermark.fontSize = 96;
  ASSERT_EQ(StoreCustomSetting(u"Marked", *stored, printer_), platform::kErrorSuccess);
  ASSERT_FALSE(RemoveWatermark(u"Secret", printer_));  // not in the library
  Run([](DialogDriver& d) {
    TypeName(d, u"Marked");
    d.Click(IDOK);
  });
  const settings::WatermarkRecord library = LoadWatermark(u"Secret", printer_);
  EXPECT_TRUE(SameBytes(&library, &stored->watermark, sizeof(library)));
}

TEST_F(CustomSettingsDialogTest, ADisabledWatermarkIsNotStored) {
  auto stored = std::make_unique<PrivateRecord>(*record_);
  settings::StoreText(stored->watermark.name, u"Quiet");
  stored->watermark.enabled = 0;
  ASSERT_EQ(StoreCustomSetting(u"Plain", *stored, printer_), platform::kErrorSuccess);
  Run([](DialogDriver& d) {
    TypeName(d, u"Plain");
    d.Click(IDOK);
  });
  EXPECT_FALSE(RemoveWatermark(u"Quiet", printer_));
}

// A user colour set the applied record names is kept in the colour set store, for a
// colour printer only.
TEST_F(CustomSettingsDialogTest, TheUserColourSetIsStoredForAColourPrinter) {
  const struct {
    const char* why;
    bool colourDevice;
    uint32_t quickColorSet;
    bool stored;
  } cases[] = {
      {"a user set on a colour printer", true, kUserColourSet, true},
      {"a predefined set", true, 3, false},
      {"a printer without colour", false, kUserColourSet, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    Clean();
    if (ppd_ != nullptr) ppd::PpdClose(ppd_);
    UseColourPpd(c.colourDevice);
    record_->quickColorSet = c.quickColorSet;
    record_->graphicsHalftone = 1;
    settings::StoreText(record_->colorSetName, u"Mine");
    Run([](DialogDriver& d) {
      TypeName(d, u"Colourful");
      d.Click(IDOK);
    });
    EXPECT_EQ(ListColourSets(printer_), c.stored ? Names{u"Mine"} : Names{});
  }
}

TEST_F(CustomSettingsDialogTest, NoneOrNoNameAppliesNothing) {
  const auto stored = StoreDistinct(u"Travel");
  for (const std::u16string& name : {std::u16string(u""), std::u16string(kNone)}) {
    if (!korean() && !name.empty()) continue;
    SCOPED_TRACE(platform::Utf16ToUtf8(name));
    const auto before = std::make_unique<PrivateRecord>(*record_);
    EXPECT_EQ(Run([&](DialogDriver& d) {
                TypeName(d, name);
                d.Click(IDOK);
              }),
              kApplied);
    EXPECT_EQ(CurrentName(), name);
    settings::StoreText(before->customSettingName, name);
    EXPECT_TRUE(SameBytes(record_.get(), before.get(), sizeof(PrivateRecord)));
    EXPECT_EQ(ListCustomSettings(printer_), Names{u"Travel"});
  }
}

TEST_F(CustomSettingsDialogTest, SaveStoresListsAndChoosesTheName) {
  if (!korean()) GTEST_SKIP() << "\"없음\" is code page 949 text";
  record_->nupCode = 2;
  Run([&](DialogDriver& d) {
    TypeName(d, u"Booklet");
    d.Click(kSaveButton);
    EXPECT_EQ(CurrentName(), u"Booklet");
    EXPECT_EQ(d.SelectedText(kNameCombo), u"Booklet");
    EXPECT_TRUE(d.Enabled(kSaveButton));
    EXPECT_TRUE(d.Enabled(kDeleteButton));
    d.Command(IDCANCEL);
  });
  const auto saved = Stored(u"Booklet");
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->nupCode, 2);
  EXPECT_EQ(FieldText(saved->customSettingName), u"Booklet");
}

// Delete leaves the job's setting name as it is; the choice follows it, to "없음" when
// no entry begins with it any more.
TEST_F(CustomSettingsDialogTest, DeleteRemovesTheTypedNameAndTheChoiceFollowsTheJob) {
  if (!korean()) GTEST_SKIP() << "\"없음\" is code page 949 text";
  Store(u"Draft");
  Store(u"Report");
  settings::StoreText(record_->customSettingName, u"Report");
  Run([&](DialogDriver& d) {
    TypeName(d, u"Draft");
    d.Click(kDeleteButton);
    EXPECT_EQ(d.SelectedText(kNameCombo), u"Report");
    TypeName(d, u"Report");
    d.Click(kDeleteButton);
    EXPECT_EQ(CurrentName(), u"Report");
    EXPECT_EQ(d.SelectedText(kNameCombo), kNone);
    EXPECT_EQ(d.Items(kNameCombo), Names{kNone});
    EXPECT_FALSE(d.Enabled(kDeleteButton));
    d.Command(IDCANCEL);
  });
  EXPECT_EQ(ListCustomSettings(printer_), Names{});
}

TEST_F(CustomSettingsDialogTest, ChoosingAnEntryMakesItTheJobsName) {
  if (!korean()) GTEST_SKIP() << "\"없음\" is code page 949 text";
  Store(u"Report");
  Run([&](DialogDriver& d) {
    EXPECT_TRUE(ChooseText(d, kNone));
    EXPECT_EQ(CurrentName(), kNone);
    EXPECT_FALSE(d.Enabled(kSaveButton));
    EXPECT_FALSE(d.Enabled(kDeleteButton));
    EXPECT_TRUE(ChooseText(d, u"Report"));
    EXPECT_EQ(CurrentName(), u"Report");
    EXPECT_TRUE(d.Enabled(kSaveButton));
    EXPECT_TRUE(d.Enabled(kDeleteButton));
    d.Command(IDCANCEL);
  });
}

// Cancel gives the job back its setting name; what was saved or deleted meanwhile stays.
TEST_F(CustomSettingsDialogTest, CancelRestoresTheNameButNotTheStore) {
  Store(u"Old");
  settings::StoreText(record_->customSettingName, u"Old");
  EXPECT_EQ(Run([&](DialogDriver& d) {
              TypeName(d, u"New");
              d.Click(kSaveButton);
              TypeName(d, u"Old");
              d.Click(kDeleteButton);
              d.Click(IDCANCEL);
            }),
            kCancelled);
  EXPECT_EQ(CurrentName(), u"Old");
  EXPECT_EQ(ListCustomSettings(printer_), Names{u"New"});
}

// A stored value that cannot be used counts as not stored: OK keeps the job's settings
// and stores them under the name in its place.
TEST_F(CustomSettingsDialogTest, AnUnusableStoredSettingIsTreatedAsNotStored) {
  auto damaged = std::make_unique<PrivateRecord>(*record_);
  damaged->qualityMode = 9;
  damaged->watermark.fontSize = 0;
  {
    std::unique_ptr<platform::RegistryKey> key;
    bool created = false;
    ASSERT_EQ(platform::CreateRegistryKey(platform::Hive::kCurrentUser,
                                          PrinterStorePath(printer_, kCustomSettingsStore), &key,
                                          &created),
              platform::kErrorSuccess);
    std::vector<uint8_t> value(kCustomSettingSize, 0);
    std::memcpy(value.data() + kCustomSettingHeadSize, damaged.get(), sizeof(PrivateRecord));
    ASSERT_EQ(key->SetValue(u"Broken", platform::kRegBinary, value.data(),
                            static_cast<uint32_t>(value.size())),
              platform::kErrorSuccess);
  }
  Run([&](DialogDriver& d) {
    if (korean()) {
      EXPECT_EQ(d.Items(kNameCombo), Names{kNone});
    }
    TypeName(d, u"Broken");
    d.Click(IDOK);
  });
  EXPECT_NE(record_->qualityMode, 9);
  const auto stored = Stored(u"Broken");
  ASSERT_NE(stored, nullptr);
  EXPECT_TRUE(SameBytes(stored.get(), record_.get(), sizeof(PrivateRecord)));
}

TEST_F(CustomSettingsDialogTest, HelpForTheDialogAndItsControls) {
  std::vector<std::u16string> pages;
  platform::SetPageReceiver(
      [](void* context, const std::u16string& page) {
        static_cast<std::vector<std::u16string>*>(context)->push_back(page);
        return true;
      },
      &pages);
  const auto helpOn = [](const DialogDriver& d, int id) {
    HELPINFO info{};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = id;
    info.hItemHandle = d.Control(id);
    platform::SendMessage(d.dialog(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  };
  Run([&](DialogDriver& d) {
    d.Click(kHelpButton);
    helpOn(d, kNameCombo);
    helpOn(d, kSaveButton);
    helpOn(d, kDeleteButton);
    EXPECT_TRUE(d.Open());
    d.Command(IDCANCEL);
  });
  platform::SetPageReceiver(nullptr, nullptr);
  const std::u16string root = Module().HelpRoot();
  EXPECT_EQ(pages, (Names{root + u"112.html", root + u"1341.html", root + u"1342.html",
                          root + u"1343.html"}));
}

TEST_F(CustomSettingsDialogTest, NothingToShowWithoutTheJobsRecord) {
  param_.pOEMDM = nullptr;
  test::ModalScript modal(kHelpButton, [](DialogDriver& d) { d.Command(IDCANCEL); });
  EXPECT_EQ(ShowCustomSettings(nullptr, &context_), kCancelled);
  EXPECT_EQ(modal.runs(), 0);
}

}  // namespace
}  // namespace kx::ui
