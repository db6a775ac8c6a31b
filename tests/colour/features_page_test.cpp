// The features page, first page of the document sheet, over the platform's dialog
// services: the resolution list, the quick colour sets, the option dialogs it opens, the
// host's items it keeps in step and the sheet's Apply and Cancel. One part shows the page
// alone in a sheet over a record of the test's own; the other shows the document sheet
// of the UI plug-in module as the host shows it.
#include "colour/features_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "colour/advanced_colour_layout.h"
#include "colour/colour_sets.h"
#include "colour/features_page_state.h"
#include "dialog_driver.h"
#include "hostsim/host_items.h"
#include "hostsim/host_sheet.h"
#include "hostsim/ui_session_fixture.h"
#include "joboptions/custom_settings_layout.h"
#include "joboptions/custom_settings_store.h"
#include "joboptions/email_layout.h"
#include "module_state.h"
#include "page_set.h"
#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "ppd/ppd.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/temp_store.h"
#include "support/test_ppd.h"
#include "user_store.h"

namespace kx::ui {
namespace {

using namespace host;
using hostsim::HostItems;
using settings::FieldText;
using settings::PrivateRecord;
using test::DialogDriver;
using Names = std::vector<std::u16string>;

constexpr char16_t kUserSetName[] = u"사용자";
constexpr size_t kPredefinedCount = 6;
constexpr uint32_t kAutomatic = 1;
constexpr uint32_t kPhoto = 3;
constexpr LONG_PTR kFirstPageHandle = 0x111;

std::vector<uint8_t> BlockBytes(const PrivateRecord& record) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&record) + kColourBlockOffset;
  return {bytes, bytes + kColourBlockSize};
}

std::vector<LRESULT> ItemData(HWND list) {
  std::vector<LRESULT> data;
  const LRESULT count = platform::SendMessage(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    data.push_back(platform::SendMessage(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
  }
  return data;
}

bool TakePage(void* context, const std::u16string& page) {
  static_cast<std::vector<std::u16string>*>(context)->push_back(page);
  return true;
}

bool EndsWith(const std::u16string& text, const std::u16string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A set's profiles: on the printer's disk, or none of them (default source, no
// simulation, no destination).
struct Profiles {
  uint8_t rgbSourceDefault = 1;
  uint8_t simulationNone = 1;
  uint8_t destinationNone = 1;
};
constexpr Profiles kNoDiskProfiles{};

// ---------------------------------------------------------------------------------------
// The page alone in a sheet.

class FeaturesPageTest : public ::testing::Test {
 protected:
  struct Result {
    LPARAM page;
    LPARAM result;
  };

  void SetUp() override {
    settings::SetRecordDefaults(record_.get(), nullptr);
    record_->devOpts.installedOptions[settings::kHasHardDisk] = 1;
    record_->quickColorSet = kAutomatic;
    ApplyPredefinedColourSet(record_.get());
    Module().hostColourModel = static_cast<HostColourModel>(record_->colorMode);
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser, StorePath());
  }
  void TearDown() override {
    sheet_.reset();
    platform::SetPageReceiver(nullptr, nullptr);
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser, StorePath());
    items_.reset();
    if (image_ != nullptr) ppd::PpdClose(image_);
  }

  std::u16string StorePath() const { return PrinterStorePath(printer_, kColourSetStore); }

  void UsePpd(const std::string& path) {
    if (image_ != nullptr) ppd::PpdClose(image_);
    image_ = path.empty() ? nullptr : ppd::PpdOpen(platform::Utf8ToUtf16(path).c_str());
    if (!path.empty()) { ASSERT_NE(image_, nullptr) << path; }
    items_ = std::make_unique<HostItems>(image_, HostItems::Tree::Document);
  }
  std::string WritePpd(const std::string& name, const std::string& body) {
    return test::WriteTestPpd(store_.directory(), name, body);
  }

  // Shows the page over the record, with the sample PPD unless the test chose another.
  void Open() {
    if (items_ == nullptr) UsePpd(KX48T7_SAMPLE_PPD);
    param_.cbSize = sizeof(param_);
    param_.pPrinterName = printer_.data();
    param_.pOEMDM = record_.get();
    param_.pDrvOptItems = items_->data();
    param_.cDrvOptItems = items_->count();
    context_.commonUi = &param_;
    context_.ppd = image_;
    context_.propertySheet = reinterpret_cast<HANDLE>(this);
    context_.firstPage = kFirstPageHandle;
    context_.addPage = &FeaturesPageTest::ComPropSheet;
    std::string error;
    sheet_ = hostsim::HostSheet::CreateWithPage(FeaturesPageSpec(), FeaturesPageProcedure,
                                                reinterpret_cast<LPARAM>(&context_), &error);
    ASSERT_NE(sheet_, nullptr) << error;
    sheet_->SetActive(0);
  }

  static LONG_PTR KX_STDCALL ComPropSheet(HANDLE sheet, UINT function, LPARAM page,
                                          LPARAM result) {
    if (function == CPSFUNC_SET_RESULT) {
      reinterpret_cast<FeaturesPageTest*>(sheet)->results_.push_back({page, result});
    }
    return 1;
  }

  void StoreSet(const std::u16string& name, Profiles profiles, uint8_t halftone = 1) {
    auto set = std::make_unique<PrivateRecord>(*record_);
    set->quickColorSet = kUserColourSet;
    set->useColorIntents = 0;
    set->rgbSourceDefault = profiles.rgbSourceDefault;
    set->simulationNone = profiles.simulationNone;
    set->destinationNone = profiles.destinationNone;
    set->graphicsHalftone = halftone;
    set->imageHalftone = halftone;
    ASSERT_EQ(SaveColourSet(name, printer_, *set), 0u);
  }
  std::vector<uint8_t> StoredBlock(const std::u16string& name) {
    auto set = std::make_unique<PrivateRecord>();
    if (!LoadColourSet(name, printer_, set.get())) return {};
    return BlockBytes(*set);
  }
  // The job chooses a stored set.
  void ChooseStoredSet(const std::u16string& name) {
    ASSERT_TRUE(LoadColourSet(name, printer_, record_.get()));
    record_->quickColorSet = kUserColourSet;
    settings::StoreText(record_->colorSetName, name);
  }

  HWND Item(int id) { return sheet_->Control(0, id); }
  std::vector<LRESULT> Data(int id) { return ItemData(Item(id)); }
  Names UserSetsListed() {
    Names items = sheet_->Items(0, kQuickColourList);
    if (items.size() < kPredefinedCount) return {};
    return Names(items.begin() + kPredefinedCount, items.end());
  }
  LRESULT SelectedData(int id) {
    const int selected = sheet_->Selection(0, id);
    const std::vector<LRESULT> data = Data(id);
    return selected >= 0 && static_cast<size_t>(selected) < data.size() ? data[selected] : -1;
  }
  bool ChooseData(int id, LRESULT value) {
    const std::vector<LRESULT> data = Data(id);
    const auto found = std::find(data.begin(), data.end(), value);
    return found != data.end() && sheet_->Choose(0, id, static_cast<int>(found - data.begin()));
  }
  std::u16string SetName() const { return std::u16string(FieldText(record_->colorSetName)); }
  // Clicks a button of the page while `script` is the user of any dialog it opens.
  void ClickWith(int id, const test::ModalScript::Script& script) {
    test::ModalScript modal(IDCANCEL, script);
    ASSERT_TRUE(sheet_->Click(0, id));
  }
  bool korean() const { return codePages_.active(); }

  test::TempStore store_;
  test::SystemCodePages codePages_{nullptr, nullptr};
  std::u16string printer_ = platform::Utf8ToUtf16(
      std::string("Features ") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::unique_ptr<PrivateRecord> record_ = std::make_unique<PrivateRecord>();
  const ppd::PpdImage* image_ = nullptr;
  std::unique_ptr<HostItems> items_;
  OEMCUIPPARAM param_{};
  PageSetContext context_;
  std::unique_ptr<hostsim::HostSheet> sheet_;
  std::vector<Result> results_;
};

// The list offers the PPD's quality modes when it has them, else its resolutions, in PPD
// order and each by its translation; an option that no quality or resolution names is
// left out.
TEST_F(FeaturesPageTest, ResolutionListFollowsThePpd) {
  struct Case {
    const char* what;
    std::string body;
    uint16_t qualityMode;
    Names texts;
    std::vector<LRESULT> values;
    int selected;
  };
  const Case cases[] = {
      {"quality modes",
       "*ColorDevice: True\n" +
           test::PickOneFeature("Resolution", "600dpi", {"600dpi/600 dpi"}) +
           test::PickOneFeature("QualityMode/Print Quality", "Normal",
                                {"Draft/Draft Copy", "Normal/Everyday", "High/Best"}),
       10, {u"Draft Copy", u"Everyday", u"Best"}, {8, 9, 10}, 2},
      {"resolutions only",
       "*ColorDevice: True\n" +
           test::PickOneFeature("Resolution", "600dpi",
                                {"2400dpi/2400 dpi", "300dpi", "600dpi/600 dpi", "4800dpi/4800 dpi",
                                 "1200dpi/1200 dpi"}),
       3, {u"2400 dpi", u"300dpi", u"600 dpi", u"1200 dpi"}, {4, 1, 2, 3}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    record_->qualityMode = c.qualityMode;
    UsePpd(WritePpd("resolution.ppd", c.body));
    Open();
    EXPECT_EQ(sheet_->Items(0, kResolutionList), c.texts);
    EXPECT_EQ(Data(kResolutionList), c.values);
    EXPECT_EQ(sheet_->Selection(0, kResolutionList), c.selected);
    ASSERT_TRUE(sheet_->Choose(0, kResolutionList, 0));
    EXPECT_EQ(record_->qualityMode, c.values[0]);
    EXPECT_TRUE(sheet_->Changed(0));
    sheet_.reset();
  }
}

TEST_F(FeaturesPageTest, WithoutAPpdTheResolutionListStaysEmpty) {
  UsePpd("");
  Open();
  EXPECT_EQ(sheet_->Items(0, kResolutionList), Names{});
  // No PPD says the printer prints in colour.
  EXPECT_FALSE(sheet_->Visible(0, kQuickColourList));
}

// Leaving the list takes its choice too, as a choice made with the keyboard.
TEST_F(FeaturesPageTest, LeavingTheResolutionListTakesItsChoice) {
  record_->qualityMode = 2;
  Open();
  ASSERT_GE(sheet_->Items(0, kResolutionList).size(), 2u);
  platform::SendMessage(Item(kResolutionList), CB_SETCURSEL, 1, 0);
  sheet_->Focus(0, kResolutionList);
  sheet_->Focus(0, kCustomSettingsButton);
  EXPECT_EQ(record_->qualityMode, Data(kResolutionList)[1]);
  EXPECT_TRUE(sheet_->Changed(0));
}

TEST_F(FeaturesPageTest, AMonochromePrinterShowsNoQuickColourPart) {
  struct Case {
    const char* ppd;
    bool colour;
  };
  for (const Case c : {Case{KX48T7_SAMPLE_PPD, true}, Case{KX48T7_SAMPLE_MONO_PPD, false}}) {
    SCOPED_TRACE(c.ppd);
    UsePpd(c.ppd);
    Open();
    for (const int id : {kQuickColourLabel, kQuickColourGroup, kQuickColourList,
                         kAdvancedColourButton}) {
      SCOPED_TRACE(id);
      EXPECT_EQ(sheet_->Visible(0, id), c.colour);
    }
    for (const int id : {kResolutionList, kGraphicsOptionsButton, kPostScriptOptionsButton,
                         kEmailNotificationButton, kCustomSettingsButton}) {
      SCOPED_TRACE(id);
      EXPECT_TRUE(sheet_->Visible(0, id));
    }
    sheet_.reset();
  }
}

// The predefined sets come first with their ids; the user's follow, each with 0. Without
// the printer's disk a set that uses a profile kept there is not offered.
TEST_F(FeaturesPageTest, UserSetsNeedThePrinterDiskForItsProfiles) {
  StoreSet(u"Plain", kNoDiskProfiles);
  StoreSet(u"Disk source", {.rgbSourceDefault = 0});
  StoreSet(u"Disk simulation", {.simulationNone = 0});
  StoreSet(u"Disk destination", {.destinationNone = 0});
  const Names stored = ListColourSets(printer_);
  ASSERT_EQ(stored.size(), 4u);
  for (const uint8_t disk : {uint8_t{1}, uint8_t{0}}) {
    SCOPED_TRACE(disk);
    record_->devOpts.installedOptions[settings::kHasHardDisk] = disk;
    Open();
    const Names expected = disk != 0 ? stored : Names{u"Plain"};
    EXPECT_EQ(UserSetsListed(), expected);
    std::vector<LRESULT> data = {1, 2, 3, 4, 5, 6};
    data.resize(kPredefinedCount + expected.size(), 0);
    EXPECT_EQ(Data(kQuickColourList), data);
    if (korean()) {
      const Names items = sheet_->Items(0, kQuickColourList);
      EXPECT_EQ(Names(items.begin(), items.begin() + kPredefinedCount),
                (Names{u"자동", u"프리젠테이션", u"Photo", u"SRGB", u"없음", u"ICM"}));
    }
    sheet_.reset();
  }
}

// A job whose set needs the printer's disk, on a printer without one, prints with the
// automatic set; Cancel does not bring the unusable set back.
TEST_F(FeaturesPageTest, WithoutADiskAJobsDiskSetBecomesAutomatic) {
  StoreSet(u"Disk source", {.rgbSourceDefault = 0}, 0);
  StoreSet(u"Plain", kNoDiskProfiles, 2);
  struct Case {
    const char* set;
    uint8_t disk;
    bool replaced;
  };
  for (const Case c : {Case{"Disk source", 0, true}, Case{"Disk source", 1, false},
                       Case{"Plain", 0, false}}) {
    SCOPED_TRACE(testing::Message() << c.set << " disk " << int{c.disk});
    const std::u16string name = platform::Utf8ToUtf16(c.set);
    record_->devOpts.installedOptions[settings::kHasHardDisk] = c.disk;
    ChooseStoredSet(name);
    auto automatic = std::make_unique<PrivateRecord>(*record_);
    automatic->quickColorSet = kAutomatic;
    ApplyPredefinedColourSet(automatic.get());
    Open();
    if (c.replaced) {
      EXPECT_EQ(record_->quickColorSet, kAutomatic);
      EXPECT_EQ(SetName(), u"");
      EXPECT_EQ(BlockBytes(*record_), BlockBytes(*automatic));
      EXPECT_EQ(SelectedData(kQuickColourList), LRESULT{kAutomatic});
      sheet_->Reset(0);
      EXPECT_EQ(record_->quickColorSet, kAutomatic);
    } else {
      EXPECT_EQ(record_->quickColorSet, kUserColourSet);
      EXPECT_EQ(SetName(), name);
      EXPECT_EQ(BlockBytes(*record_), StoredBlock(name));
      EXPECT_EQ(sheet_->Items(0, kQuickColourList)[sheet_->Selection(0, kQuickColourList)], name);
    }
    sheet_.reset();
  }
}

TEST_F(FeaturesPageTest, ChoosingASetWritesItIntoTheJob) {
  StoreSet(u"Mine", kNoDiskProfiles, 2);
  settings::StoreText(record_->colorSetName, u"earlier");
  Open();
  // A predefined set: its values, and no name.
  ASSERT_TRUE(ChooseData(kQuickColourList, kPhoto));
  EXPECT_EQ(record_->quickColorSet, kPhoto);
  EXPECT_EQ(SetName(), u"");
  auto photo = std::make_unique<PrivateRecord>(*record_);
  ApplyPredefinedColourSet(photo.get());
  EXPECT_EQ(BlockBytes(*record_), BlockBytes(*photo));
  EXPECT_TRUE(sheet_->Changed(0));
  // A user set: its stored block whole, and its name.
  ASSERT_TRUE(sheet_->ChooseText(0, kQuickColourList, u"Mine"));
  EXPECT_EQ(record_->quickColorSet, kUserColourSet);
  EXPECT_EQ(BlockBytes(*record_), StoredBlock(u"Mine"));
  EXPECT_EQ(SetName(), u"Mine");
}

// A listed set that is gone from the store when it is chosen leaves the job as it was.
TEST_F(FeaturesPageTest, ASetThatCannotBeReadChangesNothing) {
  StoreSet(u"Gone", kNoDiskProfiles, 2);
  Open();
  auto expected = std::make_unique<PrivateRecord>(*record_);
  expected->quickColorSet = kUserColourSet;
  ASSERT_TRUE(DeleteColourSet(u"Gone", printer_));
  ASSERT_TRUE(sheet_->ChooseText(0, kQuickColourList, u"Gone"));
  EXPECT_EQ(BlockBytes(*record_), BlockBytes(*expected));
  EXPECT_EQ(SetName(), u"");
}

// The colour model chosen in the host's own colour item (none yet: 0) turns the job's
// colour settings into the user's own the first time the page shows after it.
TEST_F(FeaturesPageTest, AHostColourModelOtherThanTheJobsMakesAUserSet) {
  struct Case {
    HostColourModel host;
    bool changes;
  };
  for (const Case c : {Case{HostColourModel::kUnknown, true},
                       Case{HostColourModel::kGrayscale, true},
                       Case{HostColourModel::kColour, false}}) {
    SCOPED_TRACE(static_cast<int>(c.host));
    record_->quickColorSet = kPhoto;
    ApplyPredefinedColourSet(record_.get());
    settings::StoreText(record_->colorSetName, u"");
    Module().hostColourModel = c.host;
    Open();
    EXPECT_EQ(sheet_->Changed(0), c.changes);
    if (c.changes) {
      EXPECT_EQ(record_->colorMode, static_cast<uint8_t>(c.host));
      EXPECT_EQ(record_->quickColorSet, kUserColourSet);
      if (korean()) { EXPECT_EQ(SetName(), kUserSetName); }
    } else {
      EXPECT_EQ(record_->quickColorSet, kPhoto);
      EXPECT_EQ(SelectedData(kQuickColourList), LRESULT{kPhoto});
    }
    sheet_.reset();
  }
}

// Every field that the page and its dialogs set goes back to the last applied value on
// Cancel; what other pages own stays.
TEST_F(FeaturesPageTest, CancelRestoresWhatThePageAndItsDialogsSet) {
  struct Field {
    const char* name;
    std::function<void(PrivateRecord&)> change;
  };
  const Field fields[] = {
      {"qualityMode", [](PrivateRecord& r) { r.qualityMode = 9; }},
      {"miserMode", [](PrivateRecord& r) { r.miserMode ^= 1; }},
      {"smoothing", [](PrivateRecord& r) { r.smoothing ^= 1; }},
      {"negativeImage", [](PrivateRecord& r) { r.negativeImage ^= 1; }},
      {"mirrorImage", [](PrivateRecord& r) { r.mirrorImage ^= 1; }},
      {"rotation", [](PrivateRecord& r) { r.rotation ^= 1; }},
      {"colour settings", [](PrivateRecord& r) { r.imageHalftone ^= 3; r.simulationFile[0] = u'x'; }},
      {"colorSetName", [](PrivateRecord& r) { settings::StoreText(r.colorSetName, u"Other"); }},
      {"allowAppPostScript", [](PrivateRecord& r) { r.allowAppPostScript ^= 1; }},
      {"printPsErrors", [](PrivateRecord& r) { r.printPsErrors ^= 1; }},
      {"useExternalHeader", [](PrivateRecord& r) { r.useExternalHeader ^= 1; }},
      {"externalHeaderFile",
       [](PrivateRecord& r) { settings::StoreText(r.externalHeaderFile, u"C:\\head.ps"); }},
      {"jobTimeout", [](PrivateRecord& r) { r.jobTimeout += 30; }},
      {"fieldAt4692", [](PrivateRecord& r) { r.fieldAt4692 ^= 1; }},
      {"emailNotify", [](PrivateRecord& r) { r.emailNotify ^= 1; }},
      {"emailAddress", [](PrivateRecord& r) { settings::StoreText(r.emailAddress, u"a@b.c"); }},
  };
  Open();
  for (const Field& field : fields) {
    SCOPED_TRACE(field.name);
    auto before = std::make_unique<PrivateRecord>(*record_);
    field.change(*record_);
    ASSERT_NE(std::memcmp(before.get(), record_.get(), sizeof(PrivateRecord)), 0);
    sheet_->Reset(0);
    EXPECT_EQ(std::memcmp(before.get(), record_.get(), sizeof(PrivateRecord)), 0);
  }
  // The pages per sheet and the watermark are other pages' to put back.
  record_->nupCode = 4;
  record_->watermark.enabled ^= 1;
  auto changed = std::make_unique<PrivateRecord>(*record_);
  sheet_->Reset(0);
  EXPECT_EQ(std::memcmp(changed.get(), record_.get(), sizeof(PrivateRecord)), 0);
  // Each Cancel tells the host, naming no page.
  ASSERT_FALSE(results_.empty());
  EXPECT_EQ(results_.back().page, 0);
  EXPECT_EQ(results_.back().result, LPARAM{CPSUI_OK});
}

// The graphics options' rotation and the PostScript options' time-out, as those dialogs
// store them, and the notification set in the e-mail dialog, all go back on Cancel.
TEST_F(FeaturesPageTest, CancelAfterTheOptionDialogsRestoresTheirSettings) {
  const uint16_t rotation = record_->rotation;
  const uint32_t timeout = record_->jobTimeout;
  Open();
  ClickWith(kGraphicsOptionsButton, [](DialogDriver&) {});
  record_->rotation = static_cast<uint16_t>(rotation ^ 1);
  ClickWith(kPostScriptOptionsButton, [](DialogDriver&) {});
  record_->jobTimeout = timeout + 60;
  ClickWith(kEmailNotificationButton, [](DialogDriver& d) {
    if (!d.Checked(email::kNotifyCheck)) d.Click(email::kNotifyCheck);
    d.Type(email::kAddressBox, u"kim@example.com");
    d.Click(IDOK);
  });
  ASSERT_EQ(record_->emailNotify, 1u);
  EXPECT_TRUE(sheet_->Changed(0));
  sheet_->Reset(0);
  EXPECT_EQ(record_->rotation, rotation);
  EXPECT_EQ(record_->jobTimeout, timeout);
  EXPECT_EQ(record_->emailNotify, 0u);
  EXPECT_EQ(FieldText(record_->emailAddress), u"");
}

// Apply hands the page's values on and makes them the ones Cancel returns to.
TEST_F(FeaturesPageTest, ApplyMovesWhatCancelRestores) {
  record_->qualityMode = 2;
  Open();
  record_->qualityMode = 3;
  EXPECT_EQ(sheet_->Apply(0), PSNRET_NOERROR);
  ASSERT_FALSE(sheet_->sheetMessages().empty());
  EXPECT_EQ(sheet_->sheetMessages().back().message, PSM_UNCHANGED);
  ASSERT_EQ(results_.size(), 1u);
  EXPECT_EQ(results_[0].page, kFirstPageHandle);
  EXPECT_EQ(results_[0].result, LPARAM{CPSUI_OK});
  record_->qualityMode = 1;
  sheet_->Reset(0);
  EXPECT_EQ(record_->qualityMode, 3);
}

// Cancel stores the job's user set again as it was applied, undoing changes made to it
// in the advanced colour options since; a monochrome printer has no sets to restore.
TEST_F(FeaturesPageTest, CancelStoresTheJobsUserSetAgain) {
  struct Case {
    const char* ppd;
    bool restored;
  };
  for (const Case c : {Case{KX48T7_SAMPLE_PPD, true}, Case{KX48T7_SAMPLE_MONO_PPD, false}}) {
    SCOPED_TRACE(c.ppd);
    StoreSet(u"Mine", kNoDiskProfiles, 2);
    ChooseStoredSet(u"Mine");
    Module().hostColourModel = static_cast<HostColourModel>(record_->colorMode);
    UsePpd(c.ppd);
    Open();
    const std::vector<uint8_t> applied = BlockBytes(*record_);
    StoreSet(u"Mine", kNoDiskProfiles, 0);
    const std::vector<uint8_t> edited = StoredBlock(u"Mine");
    ASSERT_NE(edited, applied);
    sheet_->Reset(0);
    EXPECT_EQ(StoredBlock(u"Mine"), c.restored ? applied : edited);
    sheet_.reset();
  }
}

// The advanced colour options work on the job's record: their Cancel leaves it as it
// was, their OK keeps what was chosen; the set list is made again either way.
TEST_F(FeaturesPageTest, AdvancedColourOptionsKeepTheirChoiceOnlyOnOk) {
  for (const int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    record_->quickColorSet = kAutomatic;
    ApplyPredefinedColourSet(record_.get());
    Open();
    StoreSet(u"Later", kNoDiskProfiles);
    const std::vector<uint8_t> before = BlockBytes(*record_);
    int runs = 0;
    ClickWith(kAdvancedColourButton, [&](DialogDriver& d) {
      ++runs;
      ASSERT_NE(d.Control(advanced_colour::kSetList), nullptr);
      ASSERT_TRUE(d.ChooseData(advanced_colour::kSetList, kPhoto));
      d.Click(button);
    });
    EXPECT_EQ(runs, 1);
    if (button == IDOK) {
      EXPECT_EQ(record_->quickColorSet, kPhoto);
      EXPECT_EQ(SelectedData(kQuickColourList), LRESULT{kPhoto});
    } else {
      EXPECT_EQ(BlockBytes(*record_), before);
      EXPECT_EQ(SelectedData(kQuickColourList), LRESULT{kAutomatic});
    }
    EXPECT_EQ(UserSetsListed(), Names{u"Later"});
    EXPECT_EQ(Module().hostColourModel, static_cast<HostColourModel>(record_->colorMode));
    EXPECT_TRUE(sheet_->Changed(0));
    sheet_.reset();
    ASSERT_TRUE(DeleteColourSet(u"Later", printer_));
  }
}

// A custom setting applied brings its own quality and colour set: the lists show them.
TEST_F(FeaturesPageTest, AnAppliedCustomSettingRefillsTheLists) {
  Open();
  const std::vector<LRESULT> qualities = Data(kResolutionList);
  ASSERT_GE(qualities.size(), 2u);
  record_->qualityMode = static_cast<uint16_t>(qualities[0]);
  auto stored = std::make_unique<PrivateRecord>(*record_);
  stored->qualityMode = static_cast<uint16_t>(qualities[1]);
  stored->quickColorSet = kPhoto;
  ApplyPredefinedColourSet(stored.get());
  ASSERT_EQ(StoreCustomSetting(u"Stored", *stored, printer_), 0u);
  ClickWith(kCustomSettingsButton, [](DialogDriver& d) {
    const Names names = d.Items(custom_settings::kNameCombo);
    const auto found = std::find(names.begin(), names.end(), u"Stored");
    ASSERT_NE(found, names.end());
    ASSERT_TRUE(d.Choose(custom_settings::kNameCombo, static_cast<int>(found - names.begin())));
    d.Click(IDOK);
  });
  EXPECT_EQ(SelectedData(kResolutionList), qualities[1]);
  EXPECT_EQ(SelectedData(kQuickColourList), LRESULT{kPhoto});
  ASSERT_TRUE(RemoveCustomSetting(u"Stored", printer_));
}

// The host's error-handler item agrees with the record's PostScript error pages when the
// page opens and after the PostScript options.
TEST_F(FeaturesPageTest, TheHostsErrorHandlerItemFollowsTheRecord) {
  struct Case {
    uint32_t printPsErrors;
    LONG hostSelection;
    LONG selection;
    bool changed;
  };
  for (const Case c : {Case{1, 1, 0, true}, Case{0, 0, 1, true}, Case{1, 0, 0, false},
                       Case{0, 1, 1, false}}) {
    SCOPED_TRACE(testing::Message() << c.printPsErrors << " " << c.hostSelection);
    UsePpd(KX48T7_SAMPLE_PPD);
    OPTITEM* item = items_->FindByHelpIndex(hostsim::kErrorHandlerHelpIndex);
    ASSERT_NE(item, nullptr);
    item->Sel = c.hostSelection;
    record_->printPsErrors = c.printPsErrors;
    Open();
    EXPECT_EQ(item->Sel, c.selection);
    EXPECT_NE(item->Flags & OPTIF_EXT_HIDE, 0u);
    EXPECT_EQ((item->Flags & OPTIF_CHANGED) != 0, c.changed);
    // Whatever the PostScript options stored, the item follows.
    item->Flags = 0;
    record_->printPsErrors = c.printPsErrors == 0 ? 1 : 0;
    ClickWith(kPostScriptOptionsButton, [](DialogDriver& d) { d.Command(IDCANCEL); });
    EXPECT_EQ(item->Sel, record_->printPsErrors != 0 ? 0 : 1);
    EXPECT_NE(item->Flags & OPTIF_CHANGED, 0u);
    sheet_.reset();
  }
}

// An item with the error handler's help index outside the host's PostScript section is
// another feature's and is left alone.
TEST_F(FeaturesPageTest, OnlyThePostScriptSectionsItemIsTheErrorHandler) {
  UsePpd(KX48T7_SAMPLE_PPD);
  const std::span<OPTITEM> features = items_->SectionFromEnd(0);
  ASSERT_FALSE(features.empty());
  OPTITEM& other = features.front();
  other.HelpIndex = hostsim::kErrorHandlerHelpIndex;
  other.Sel = 1;
  other.Flags = 0;
  record_->printPsErrors = 1;
  Open();
  EXPECT_EQ(other.Sel, 1);
  EXPECT_EQ(other.Flags, 0u);
}

TEST_F(FeaturesPageTest, ButtonClicksMarkThePageChanged) {
  Open();
  for (const int id : {kGraphicsOptionsButton, kPostScriptOptionsButton,
                       kEmailNotificationButton, kCustomSettingsButton}) {
    SCOPED_TRACE(id);
    sheet_->Apply(0);
    ASSERT_FALSE(sheet_->Changed(0));
    ClickWith(id, [](DialogDriver& d) { d.Command(IDCANCEL); });
    EXPECT_TRUE(sheet_->Changed(0));
  }
}

TEST_F(FeaturesPageTest, HelpOpensThePagesTopics) {
  std::vector<std::u16string> pages;
  platform::SetPageReceiver(&TakePage, &pages);
  Open();
  sheet_->Help(0);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(EndsWith(pages[0], u"111.html"));
  for (const int id : {kResolutionList, kGraphicsOptionsButton, kQuickColourList,
                       kAdvancedColourButton, kPostScriptOptionsButton, kEmailNotificationButton,
                       kCustomSettingsButton}) {
    SCOPED_TRACE(id);
    pages.clear();
    sheet_->HelpRequest(0, id);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(EndsWith(pages[0], platform::Utf8ToUtf16(std::to_string(id) + ".html")));
  }
}

// ---------------------------------------------------------------------------------------
// The page in the module's document sheet, with the host's items.

class FeaturesSheetTest : public hostsim::UiSessionFixture {
 protected:
  FeaturesSheetTest() : UiSessionFixture(u"Features Sheet Printer") {}
  void SetUp() override {
    OpenSession();
    image_ = ppd::PpdOpen(platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD).c_str());
    ASSERT_NE(image_, nullptr);
    items_ = std::make_unique<HostItems>(image_, HostItems::Tree::Document);
    ASSERT_EQ(session_->CommonUIProp(OEMCUIP_DOCPROP, items_.get()), S_OK);
    ASSERT_EQ(session_->InitSheet(hostsim::SheetKind::Document), S_OK);
  }
  void TearDown() override {
    sheet_.reset();
    if (session_ != nullptr) session_->DestroySheet(hostsim::SheetKind::Document);
    session_.reset();
    if (image_ != nullptr) ppd::PpdClose(image_);
  }
  void ShowSheet() {
    std::string error;
    sheet_ = hostsim::HostSheet::Create(session_->PagesOf(hostsim::SheetKind::Document), &error);
    ASSERT_NE(sheet_, nullptr) << error;
    ASSERT_GT(sheet_->pageCount(), 1u);
    // The features page is the sheet's first.
    ASSERT_NE(sheet_->Control(0, kGraphicsOptionsButton), nullptr);
    sheet_->SetActive(0);
  }
  PrivateRecord& record() { return session_->privateRecord(); }

  test::SystemCodePages codePages_{nullptr, nullptr};
  const ppd::PpdImage* image_ = nullptr;
  std::unique_ptr<HostItems> items_;
  std::unique_ptr<hostsim::HostSheet> sheet_;
};

// The user picks grayscale in the host's own colour item and comes back to the page.
TEST_F(FeaturesSheetTest, TheHostsColourChoiceMakesTheJobsSetAUserSet) {
  ShowSheet();
  ASSERT_EQ(record().colorMode, 2);
  ASSERT_NE(record().quickColorSet, kUserColourSet);
  EXPECT_EQ(sheet_->KillActive(0), PSNRET_NOERROR);
  sheet_->SetActive(1);
  OPTITEM* colour = items_->FindByDmPub(DMPUB_COLOR);
  ASSERT_NE(colour, nullptr);
  colour->Sel = hostsim::kColourGrayscaleChoice;
  session_->ItemsCallback(hostsim::SheetKind::Document, CPSUICB_REASON_KILLACTIVE);
  sheet_->SetActive(0);
  EXPECT_EQ(record().colorMode, 1);
  EXPECT_EQ(record().quickColorSet, kUserColourSet);
  if (codePages_.active()) { EXPECT_EQ(FieldText(record().colorSetName), kUserSetName); }
  EXPECT_TRUE(sheet_->Changed(0));
  // Leaving the page gives the host's item the job's model again.
  colour->Sel = hostsim::kColourColourChoice;
  sheet_->KillActive(0);
  EXPECT_EQ(colour->Sel, hostsim::kColourGrayscaleChoice);
}

TEST_F(FeaturesSheetTest, ApplyAndCancelReportToTheHost) {
  ShowSheet();
  ASSERT_TRUE(sheet_->Choose(0, kResolutionList, 0));
  ASSERT_TRUE(sheet_->Changed(0));
  EXPECT_EQ(sheet_->Apply(0), PSNRET_NOERROR);
  EXPECT_FALSE(sheet_->Changed(0));
  ASSERT_EQ(session_->results().size(), 1u);
  EXPECT_EQ(session_->results()[0].page, session_->pages()[0].handle);
  EXPECT_EQ(session_->results()[0].result, CPSUI_OK);
  sheet_->Reset(0);
  ASSERT_EQ(session_->results().size(), 2u);
  EXPECT_EQ(session_->results()[1].page, nullptr);
  EXPECT_EQ(session_->results()[1].result, CPSUI_OK);
}

// The host's quality-mode item shows the quality chosen on the page once it is left.
TEST_F(FeaturesSheetTest, LeavingThePageSetsTheHostsQualityItem) {
  ShowSheet();
  const Names shown = sheet_->Items(0, kResolutionList);
  ASSERT_GE(shown.size(), 2u);
  OPTITEM* quality = items_->FeatureItem("QualityMode");
  ASSERT_NE(quality, nullptr);
  for (int index = 0; index < static_cast<int>(shown.size()); ++index) {
    SCOPED_TRACE(index);
    ASSERT_TRUE(sheet_->Choose(0, kResolutionList, index));
    sheet_->KillActive(0);
    EXPECT_EQ(HostItems::SelectedChoice(*quality), shown[static_cast<size_t>(index)]);
  }
}

}  // namespace
}  // namespace kx::ui
