// The colour settings detail driven as a user drives it, over the platform's dialog
// services: what it shows of the record, which controls the colour model, the intents
// choice and a printer without a disk leave enabled, what OK writes and reports, the
// profile lists against the printer's profile store, the download manager and help.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "colour/colour_details_dialog.h"
#include "colour/colour_details_layout.h"
#include "colour/colour_details_session.h"
#include "colour/profile_store.h"
#include "dialog_driver.h"
#include "module_state.h"
#include "page_set.h"
#include "platform/process.h"
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

namespace kx::ui {
namespace {

using namespace host;
using namespace details;
using settings::FieldText;
using settings::PrivateRecord;
using test::DialogDriver;

constexpr INT_PTR kChanged = 1;
constexpr INT_PTR kUnchanged = 2;
constexpr LRESULT kNoneEntry = 1;
constexpr LRESULT kProfileEntry = 0;
constexpr int kProfileDoneButton = 1306;  // of the profile manager
constexpr char16_t kNone[] = u"없음";
constexpr char16_t kDownloadMessage[] =
    u"다운로드 관리자 시작할 수 없음.\n 유틸리티를 설치, 또는 재설치 하십시오";
constexpr char16_t kDownloadKey[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\VXDownMgr.exe";

// Every control the dialog has, for the checks of what is enabled.
constexpr int kAllControls[] = {
    kGrayRadio,        kColourRadio,         kGraphicsHalftoneList, kImageHalftoneList,
    kIntentsRadio,     kProfileRadio,        kGraphicsIntentList,   kImageIntentList,
    kRgbSourceList,    kRgbSourceButton,     kGraphicsGrayList,     kImageGrayList,
    kSimulationList,   kSimulationButton,    kDestinationList,      kDestinationButton,
    kDownloadButton,   kOkButton,            kCancelButton,         kHelpButton,
};

// The halftone and gray features have options the other's lacks, and translations, so
// that a list shows which feature it was filled from.
std::string ColourPpd(bool withGraphicsIntent = true) {
  return "*ColorDevice: True\n" +
         test::PickOneFeature("ImageHalftone", "General",
                              {"Low/Image Low", "General/Image General", "High/Image High"}) +
         test::PickOneFeature("GraphicsHalftone", "High", {"Low/Graphics Low", "High/Graphics High"}) +
         test::PickOneFeature("ImageIntent", "sRGB", {"None", "Contrast", "Vivid", "sRGB"}) +
         (withGraphicsIntent
              ? test::PickOneFeature("GraphicsIntent", "Vivid", {"Contrast", "Vivid", "SatsRGB"})
              : std::string()) +
         test::PickOneFeature("ImageProcessGray", "True", {"False/Image Off", "True/Image On"}) +
         test::PickOneFeature("GraphicsProcessGray", "False", {"False/Graphics Off"});
}

std::vector<int> EnabledControls(const DialogDriver& d) {
  std::vector<int> enabled;
  for (const int id : kAllControls) {
    if (d.Enabled(id)) enabled.push_back(id);
  }
  return enabled;
}

bool Listed(const std::vector<int>& ids, int id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}
// The controls named, or all others, in the order of kAllControls.
std::vector<int> Only(const std::vector<int>& ids) {
  std::vector<int> chosen;
  for (const int id : kAllControls) {
    if (Listed(ids, id)) chosen.push_back(id);
  }
  return chosen;
}
std::vector<int> AllBut(const std::vector<int>& ids) {
  std::vector<int> chosen;
  for (const int id : kAllControls) {
    if (!Listed(ids, id)) chosen.push_back(id);
  }
  return chosen;
}

LRESULT SelectedData(const DialogDriver& d, int id) {
  const int selected = d.Selection(id);
  const std::vector<LRESULT> data = d.ItemData(id);
  return selected >= 0 && static_cast<size_t>(selected) < data.size() ? data[selected] : -1;
}

class ColourDetailsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetRecordDefaults(settings_.get(), nullptr);
    record().colorMode = 2;
    record().useColorIntents = 1;
    record().rgbSourceDefault = 1;
    record().simulationNone = 1;
    record().destinationNone = 1;
    SetDisk(true);
    param_.cbSize = sizeof(param_);
    param_.pPrinterName = printer_.data();
    param_.pOEMDM = settings_.get();
    context_.commonUi = &param_;
    UsePpd(ColourPpd());
  }
  void TearDown() override {
    if (ppd_ != nullptr) ppd::PpdClose(ppd_);
    platform::SetProgramReceiver(nullptr, nullptr);
    platform::SetPageReceiver(nullptr, nullptr);
    platform::DeleteRegistryTree(platform::Hive::kLocalMachine, kDownloadKey);
    for (const ProfileKind kind :
         {ProfileKind::kRgbSource, ProfileKind::kSimulation, ProfileKind::kDestination}) {
      platform::DeleteRegistryTree(platform::Hive::kCurrentUser,
                                   PrinterStorePath(printer_, ProfileStoreName(kind)));
    }
  }

  static std::u16string PrinterOfThisTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return platform::Utf8ToUtf16(std::string("Details ") + info->name());
  }

  void UsePpd(const std::string& body) {
    if (ppd_ != nullptr) ppd::PpdClose(ppd_);
    const std::string path = test::WriteTestPpd(store_.directory(), "colour.ppd", body);
    ppd_ = ppd::PpdOpen(platform::Utf8ToUtf16(path).c_str());
    ASSERT_NE(ppd_, nullptr);
    context_.ppd = ppd_;
  }
  void SetDisk(bool disk) {
    record().devOpts.installedOptions[settings::kHasHardDisk] = disk ? 1 : 0;
  }
  void StoreProfile(ProfileKind kind, std::u16string_view description, std::u16string_view file) {
    ASSERT_EQ(WriteProfile(kind, printer_, description, file), platform::kErrorSuccess);
  }

  // Opens the dialog with `script` as its user (and as the user of any dialog it opens);
  // Help takes the focus when a box is left.
  INT_PTR Show(const test::ModalScript::Script& script, int expectedRuns = 1) {
    test::ModalScript modal(kHelpButton, script);
    const INT_PTR result = ShowColourDetails(nullptr, &context_);
    EXPECT_EQ(modal.runs(), expectedRuns);
    return result;
  }

  PrivateRecord& record() { return *settings_; }
  bool korean() const { return codePages_.active(); }

  test::TempStore store_;
  test::SystemCodePages codePages_{nullptr, nullptr};
  std::unique_ptr<PrivateRecord> settings_ = std::make_unique<PrivateRecord>();
  std::u16string printer_ = PrinterOfThisTest();
  OEMCUIPPARAM param_{};
  PageSetContext context_;
  const ppd::PpdImage* ppd_ = nullptr;
};

// OK on what was shown gives back the record unchanged and reports no change, so that
// the colour options do not turn a predefined set into the user's own; only a record the
// dialog cannot show as it is (profiles without a disk, a profile gone from the store)
// comes back changed.
TEST_F(ColourDetailsTest, OkWithoutChangesReportsNoChange) {
  StoreProfile(ProfileKind::kSimulation, u"SWOP Coated", u"SWOPC.ICC");
  StoreProfile(ProfileKind::kDestination, u"Office Paper", u"OFFICE.ICC");
  struct Case {
    const char* name;
    uint8_t colorMode;
    uint32_t intents;
    bool disk;
    const char16_t* simulation;  // null: none
    INT_PTR result;
  };
  const Case cases[] = {
      {"colour with intents", 2, 1, true, nullptr, kUnchanged},
      {"gray", 1, 0, true, nullptr, kUnchanged},
      {"stored profiles", 2, 0, true, u"SWOP Coated", kUnchanged},
      {"gray without disk, intents", 1, 1, false, nullptr, kUnchanged},
      {"profiles without disk", 2, 0, false, nullptr, kChanged},
      {"profile no longer stored", 2, 1, true, u"Gone", kChanged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    record().colorMode = c.colorMode;
    record().useColorIntents = c.intents;
    SetDisk(c.disk);
    record().simulationNone = c.simulation == nullptr ? 1 : 0;
    settings::StoreText(record().simulationName, c.simulation != nullptr ? c.simulation : u"");
    settings::StoreText(record().simulationFile, c.simulation != nullptr ? u"SWOPC.ICC" : u"");
    record().graphicsHalftone = 0;
    record().imageHalftone = 2;
    record().graphicsIntent = 2;
    record().imageIntent = 3;
    record().graphicsProcessGray = 1;
    record().imageProcessGray = 0;
    const PrivateRecord before = record();
    EXPECT_EQ(Show([](DialogDriver& d) { d.Click(kOkButton); }), c.result);
    if (c.result == kUnchanged) {
      EXPECT_FALSE(ColourBlocksDiffer(before, record()));
    }
  }
}

TEST_F(ColourDetailsTest, ChangedBlocksAreToldApart) {
  PrivateRecord base{};
  settings::StoreText(base.destinationName, u"Office");
  // Text compares up to its terminator: what lies behind it does not count.
  PrivateRecord junkBehind = base;
  junkBehind.destinationName[20] = u'x';
  EXPECT_FALSE(ColourBlocksDiffer(base, junkBehind));
  PrivateRecord otherCase = base;
  settings::StoreText(otherCase.destinationName, u"office");
  EXPECT_TRUE(ColourBlocksDiffer(base, otherCase));
  PrivateRecord otherFile = base;
  settings::StoreText(otherFile.rgbSourceFile, u"A.ICC");
  EXPECT_TRUE(ColourBlocksDiffer(base, otherFile));
  PrivateRecord otherNumber = base;
  otherNumber.imageProcessGray = 1;
  EXPECT_TRUE(ColourBlocksDiffer(base, otherNumber));
}

// Gray leaves the halftones, the model, the download manager and the closing buttons;
// colour gives back intents or the RGB source profile as the intents radios say.
TEST_F(ColourDetailsTest, TheColourModelAndIntentsDecideWhatIsEnabled) {
  const std::vector<int> grayControls = Only({kGrayRadio, kColourRadio, kGraphicsHalftoneList,
                                              kImageHalftoneList, kDownloadButton, kOkButton,
                                              kCancelButton, kHelpButton});
  const std::vector<int> withIntents = AllBut({kRgbSourceList, kRgbSourceButton});
  const std::vector<int> withProfile = AllBut({kGraphicsIntentList, kImageIntentList});
  struct Case {
    const char* name;
    uint8_t colorMode;
    uint32_t intents;
    std::vector<int> clicks;
    std::vector<int> enabled;
  };
  const Case cases[] = {
      {"gray record", 1, 1, {}, grayControls},
      {"gray chosen", 2, 0, {kGrayRadio}, grayControls},
      {"colour with intents", 2, 1, {}, withIntents},
      {"colour with profile", 2, 0, {}, withProfile},
      {"profile chosen", 2, 1, {kProfileRadio}, withProfile},
      {"intents chosen", 2, 0, {kIntentsRadio}, withIntents},
      {"gray, then colour again", 2, 0, {kGrayRadio, kColourRadio}, withProfile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    record().colorMode = c.colorMode;
    record().useColorIntents = c.intents;
    Show([&](DialogDriver& d) {
      for (const int id : c.clicks) d.Click(id);
      EXPECT_EQ(EnabledControls(d), c.enabled);
      d.Click(kCancelButton);
    });
  }
}

// Without a disk nothing can come from it: the printer's intents are chosen and stay
// chosen, whatever the record held.
TEST_F(ColourDetailsTest, WithoutADiskThePredefinedIntentsAreForced) {
  SetDisk(false);
  record().useColorIntents = 0;
  record().simulationNone = 0;
  settings::StoreText(record().simulationName, u"SWOP");
  StoreProfile(ProfileKind::kSimulation, u"SWOP", u"SWOP.ICC");
  const int diskControls[] = {kProfileRadio,   kRgbSourceList,   kRgbSourceButton,
                              kSimulationList, kSimulationButton, kDestinationList,
                              kDestinationButton, kDownloadButton};
  const auto expectForced = [&](const DialogDriver& d) {
    EXPECT_TRUE(d.Checked(kIntentsRadio));
    EXPECT_FALSE(d.Checked(kProfileRadio));
    EXPECT_TRUE(d.Enabled(kIntentsRadio));
    EXPECT_TRUE(d.Enabled(kGraphicsIntentList));
    EXPECT_TRUE(d.Enabled(kImageIntentList));
    for (const int id : diskControls) {
      SCOPED_TRACE(id);
      EXPECT_FALSE(d.Enabled(id));
    }
  };
  EXPECT_EQ(Show([&](DialogDriver& d) {
              expectForced(d);
              d.Click(kGrayRadio);
              d.Click(kColourRadio);
              expectForced(d);
              d.Click(kOkButton);
            }),
            kChanged);
  EXPECT_EQ(record().useColorIntents, 1u);
}

// Each list offers its own feature's options (the halftone and gray lists of a column
// take the other column's feature) and selects its field; the profile lists select by
// the flag, then by the stored name's beginning, case ignored.
TEST_F(ColourDetailsTest, TheListsShowTheRecord) {
  record().graphicsHalftone = 2;
  record().imageHalftone = 0;
  record().graphicsIntent = 4;
  record().imageIntent = 1;
  record().graphicsProcessGray = 1;
  record().imageProcessGray = 0;
  Show([&](DialogDriver& d) {
    const struct {
      int list;
      std::vector<std::u16string> items;
      LRESULT selected;
    } lists[] = {
        {kGraphicsHalftoneList, {u"Image General", u"Image High", u"Image Low"}, 2},
        {kImageHalftoneList, {u"Graphics High", u"Graphics Low"}, 0},
        {kGraphicsIntentList, {u"Contrast", u"SatsRGB", u"Vivid"}, 4},
        {kImageIntentList, {u"Contrast", u"None", u"sRGB", u"Vivid"}, 1},
        {kGraphicsGrayList, {u"Image Off", u"Image On"}, 1},
        {kImageGrayList, {u"Graphics Off"}, 0},
    };
    for (const auto& list : lists) {
      SCOPED_TRACE(list.list);
      EXPECT_EQ(d.Items(list.list), list.items);
      EXPECT_EQ(SelectedData(d, list.list), list.selected);
    }
    d.Click(kCancelButton);
  });

  StoreProfile(ProfileKind::kSimulation, u"SWOP Uncoated", u"SWOPU.ICC");
  StoreProfile(ProfileKind::kSimulation, u"SWOP Coated", u"SWOPC.ICC");
  StoreProfile(ProfileKind::kSimulation, u"Euroscale", u"EURO.ICC");
  struct Case {
    uint8_t none;
    const char16_t* name;
    const char16_t* selected;  // null: "없음"
  };
  const Case cases[] = {
      {1, u"SWOP Coated", nullptr},   {0, u"SWOP Coated", u"SWOP Coated"},
      {0, u"swop", u"SWOP Coated"},  {0, u"EURO", u"Euroscale"},
      {0, u"Japan", nullptr},         {0, u"", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::Utf16ToUtf8(c.name));
    record().simulationNone = c.none;
    settings::StoreText(record().simulationName, c.name);
    Show([&](DialogDriver& d) {
      const std::vector<LRESULT> data = d.ItemData(kSimulationList);
      EXPECT_EQ(std::count(data.begin(), data.end(), kNoneEntry), 1);
      EXPECT_EQ(std::count(data.begin(), data.end(), kProfileEntry), 3);
      if (c.selected == nullptr) {
        EXPECT_EQ(SelectedData(d, kSimulationList), kNoneEntry);
        if (korean()) {
          EXPECT_EQ(d.SelectedText(kSimulationList), kNone);
        }
      } else {
        EXPECT_EQ(d.SelectedText(kSimulationList), c.selected);
      }
      // The other kinds have nothing stored: "없음" alone.
      EXPECT_EQ(d.ItemData(kDestinationList), std::vector<LRESULT>{kNoneEntry});
      d.Click(kCancelButton);
    });
  }
}

TEST_F(ColourDetailsTest, OkWritesTheChoices) {
  StoreProfile(ProfileKind::kRgbSource, u"Adobe RGB", u"ADOBE.ICC");
  StoreProfile(ProfileKind::kDestination, u"Office Paper", u"OFFICE.ICC");
  StoreProfile(ProfileKind::kDestination, u"Photo Paper", u"PHOTO.ICC");
  record().destinationNone = 0;
  settings::StoreText(record().destinationName, u"Office Paper");
  settings::StoreText(record().destinationFile, u"OFFICE.ICC");
  const std::u16string typed = u"Photo Paper";
  EXPECT_EQ(Show([&](DialogDriver& d) {
              EXPECT_TRUE(d.ChooseData(kGraphicsHalftoneList, 0));
              EXPECT_TRUE(d.ChooseData(kImageHalftoneList, 2));
              EXPECT_TRUE(d.ChooseData(kGraphicsGrayList, 0));
              d.Click(kProfileRadio);
              const std::vector<std::u16string> rgb = d.Items(kRgbSourceList);
              const auto adobe = std::find(rgb.begin(), rgb.end(), u"Adobe RGB");
              ASSERT_NE(adobe, rgb.end());
              EXPECT_TRUE(d.Choose(kRgbSourceList, static_cast<int>(adobe - rgb.begin())));
              const std::vector<std::u16string> paper = d.Items(kDestinationList);
              const auto photo = std::find(paper.begin(), paper.end(), typed);
              ASSERT_NE(photo, paper.end());
              EXPECT_TRUE(d.Choose(kDestinationList, static_cast<int>(photo - paper.begin())));
              d.Click(kOkButton);
            }),
            kChanged);
  EXPECT_EQ(record().colorMode, 2);
  EXPECT_EQ(record().useColorIntents, 0u);
  EXPECT_EQ(record().graphicsHalftone, 0);
  EXPECT_EQ(record().imageHalftone, 2);
  EXPECT_EQ(record().graphicsProcessGray, 0);
  EXPECT_EQ(record().rgbSourceDefault, 0);
  EXPECT_EQ(FieldText(record().rgbSourceName), u"Adobe RGB");
  EXPECT_EQ(FieldText(record().rgbSourceFile), u"ADOBE.ICC");
  EXPECT_EQ(record().destinationNone, 0);
  EXPECT_EQ(FieldText(record().destinationName), u"Photo Paper");
  EXPECT_EQ(FieldText(record().destinationFile), u"PHOTO.ICC");

  // "없음" empties the name and file; gray is written as 1.
  EXPECT_EQ(Show([&](DialogDriver& d) {
              EXPECT_TRUE(d.ChooseData(kDestinationList, kNoneEntry));
              d.Click(kGrayRadio);
              d.Click(kOkButton);
            }),
            kChanged);
  EXPECT_EQ(record().colorMode, 1);
  EXPECT_EQ(record().destinationNone, 1);
  EXPECT_EQ(FieldText(record().destinationName), u"");
  EXPECT_EQ(FieldText(record().destinationFile), u"");
}

TEST_F(ColourDetailsTest, CancelLeavesTheRecord) {
  record().imageHalftone = 1;
  const PrivateRecord before = record();
  EXPECT_EQ(Show([](DialogDriver& d) {
              d.ChooseData(kImageHalftoneList, 2);
              d.Click(kGrayRadio);
              d.Click(kCancelButton);
            }),
            kUnchanged);
  EXPECT_FALSE(ColourBlocksDiffer(before, record()));
  EXPECT_EQ(record().colorMode, 2);
}

// A profile whose record went away after the list was filled is written as none rather
// than as a profile without a file.
TEST_F(ColourDetailsTest, AProfileThatCannotBeReadIsWrittenAsNone) {
  StoreProfile(ProfileKind::kSimulation, u"SWOP", u"SWOP.ICC");
  record().simulationNone = 0;
  settings::StoreText(record().simulationName, u"SWOP");
  settings::StoreText(record().simulationFile, u"SWOP.ICC");
  EXPECT_EQ(Show([&](DialogDriver& d) {
              EXPECT_EQ(d.SelectedText(kSimulationList), u"SWOP");
              EXPECT_TRUE(DeleteProfile(ProfileKind::kSimulation, printer_, u"SWOP"));
              d.Click(kOkButton);
            }),
            kChanged);
  EXPECT_EQ(record().simulationNone, 1);
  EXPECT_EQ(FieldText(record().simulationName), u"");
  EXPECT_EQ(FieldText(record().simulationFile), u"");
}

// After the profile manager the list shows the store as it is now, with the entry chosen
// before still chosen, or the first entry when it is gone.
TEST_F(ColourDetailsTest, TheListFollowsTheProfileManager) {
  StoreProfile(ProfileKind::kDestination, u"Office Paper", u"OFFICE.ICC");
  StoreProfile(ProfileKind::kDestination, u"Photo Paper", u"PHOTO.ICC");
  struct Case {
    const char* name;
    const char16_t* removed;   // by the manager's user; null: nothing
    const char16_t* selected;  // null: entry 0
  };
  const Case cases[] = {{"chosen entry kept", u"Photo Paper", u"Office Paper"},
                        {"chosen entry removed", u"Office Paper", nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StoreProfile(ProfileKind::kDestination, u"Office Paper", u"OFFICE.ICC");
    StoreProfile(ProfileKind::kDestination, u"Photo Paper", u"PHOTO.ICC");
    record().destinationNone = 1;
    int depth = 0;
    Show(
        [&](DialogDriver& d) {
          if (++depth == 2) {  // the profile manager, opened from the detail
            EXPECT_TRUE(DeleteProfile(ProfileKind::kDestination, printer_, c.removed));
            StoreProfile(ProfileKind::kDestination, u"Fine Art", u"FINEART.ICC");
            d.Click(kProfileDoneButton);
            return;
          }
          const std::vector<std::u16string> items = d.Items(kDestinationList);
          const auto office = std::find(items.begin(), items.end(), u"Office Paper");
          ASSERT_NE(office, items.end());
          d.Choose(kDestinationList, static_cast<int>(office - items.begin()));
          d.Click(kDestinationButton);
          const std::vector<std::u16string> after = d.Items(kDestinationList);
          EXPECT_NE(std::find(after.begin(), after.end(), u"Fine Art"), after.end());
          EXPECT_EQ(std::find(after.begin(), after.end(), c.removed), after.end());
          if (c.selected != nullptr) {
            EXPECT_EQ(d.SelectedText(kDestinationList), c.selected);
          } else {
            EXPECT_EQ(d.Selection(kDestinationList), 0);
          }
          d.Click(kCancelButton);
        },
        2);
    DeleteProfile(ProfileKind::kDestination, printer_, u"Fine Art");
  }
}

// A list whose feature the PPD lacks is empty and stays disabled; OK writes 0 for it.
TEST_F(ColourDetailsTest, AMissingFeatureLeavesItsListDisabled) {
  UsePpd(ColourPpd(false));
  record().graphicsIntent = 2;
  EXPECT_EQ(Show([](DialogDriver& d) {
              EXPECT_FALSE(d.Enabled(kGraphicsIntentList));
              EXPECT_TRUE(d.Items(kGraphicsIntentList).empty());
              d.Click(kProfileRadio);
              d.Click(kIntentsRadio);
              EXPECT_FALSE(d.Enabled(kGraphicsIntentList));
              EXPECT_TRUE(d.Enabled(kImageIntentList));
              d.Click(kOkButton);
            }),
            kChanged);
  EXPECT_EQ(record().graphicsIntent, 0);
}

bool TakeProgram(void* context, const std::u16string& program,
                 const std::vector<std::u16string>& arguments) {
  static_cast<std::vector<std::vector<std::u16string>>*>(context)->push_back(
      [&] {
        std::vector<std::u16string> all{program};
        all.insert(all.end(), arguments.begin(), arguments.end());
        return all;
      }());
  return true;
}

TEST_F(ColourDetailsTest, TheDownloadManagerOrItsTip) {
  std::vector<std::vector<std::u16string>> started;
  platform::SetProgramReceiver(TakeProgram, &started);
  Show([&](DialogDriver& d) {
    d.Click(kDownloadButton);
    const DownloadTip tip = DownloadTipOf(d.dialog());
    EXPECT_EQ(tip.shownAt, kDownloadButton);
    if (korean()) {
      EXPECT_EQ(platform::GetWindowText(tip.window), kDownloadMessage);
    }
    d.Click(kProfileRadio);
    EXPECT_EQ(DownloadTipOf(d.dialog()).shownAt, kDownloadButton) << "the tip stays";
    d.Click(kCancelButton);
  });
  EXPECT_TRUE(started.empty());

  std::unique_ptr<platform::RegistryKey> key;
  bool created = false;
  ASSERT_EQ(platform::CreateRegistryKey(platform::Hive::kLocalMachine, kDownloadKey, &key, &created),
            platform::kErrorSuccess);
  const std::u16string folder = u"C:\\Utilities\\Download";
  ASSERT_EQ(key->SetValue(u"Path", platform::kRegSz, reinterpret_cast<const uint8_t*>(folder.c_str()),
                          static_cast<uint32_t>((folder.size() + 1) * sizeof(char16_t))),
            platform::kErrorSuccess);
  Show([&](DialogDriver& d) {
    d.Click(kDownloadButton);
    EXPECT_EQ(DownloadTipOf(d.dialog()).shownAt, 0);
    d.Click(kCancelButton);
  });
  EXPECT_EQ(started, (std::vector<std::vector<std::u16string>>{
                         {folder + u"\\VXDownMgr.exe", u"0"}}));
}

TEST_F(ColourDetailsTest, HelpForTheDialogAndItsControls) {
  std::vector<std::u16string> pages;
  platform::SetPageReceiver(
      [](void* context, const std::u16string& page) {
        static_cast<std::vector<std::u16string>*>(context)->push_back(page);
        return true;
      },
      &pages);
  Show([&](DialogDriver& d) {
    d.Click(kHelpButton);
    for (const int id : {kRgbSourceList, kDestinationButton, kGrayRadio}) {  // the radio has none
      HELPINFO info{};
      info.cbSize = sizeof(info);
      info.iContextType = HELPINFO_WINDOW;
      info.iCtrlId = id;
      info.hItemHandle = d.Control(id);
      platform::SendMessage(d.dialog(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }
    EXPECT_TRUE(d.Open());
    d.Click(kCancelButton);
  });
  const std::u16string root = Module().HelpRoot();
  EXPECT_EQ(pages, (std::vector<std::u16string>{root + u"114.html", root + u"1390.html",
                                                root + u"1398.html"}));
}

TEST_F(ColourDetailsTest, NothingToEditWithoutASettingsRecord) {
  param_.pOEMDM = nullptr;
  test::ModalScript modal(kHelpButton, [](DialogDriver& d) { d.Click(kOkButton); });
  EXPECT_EQ(ShowColourDetails(nullptr, &context_), kUnchanged);
  EXPECT_EQ(modal.runs(), 0);
}

}  // namespace
}  // namespace kx::ui
