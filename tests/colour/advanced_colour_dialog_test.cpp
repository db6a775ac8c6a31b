// The advanced colour options driven as a user drives them, over the platform's dialog
// services: the set list, choosing, saving and deleting sets, the summary, the way to the
// colour settings detail (driven too), OK, Cancel, the tips and help.
#include "colour/advanced_colour_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "colour/advanced_colour_layout.h"
#include "colour/advanced_colour_state.h"
#include "colour/advanced_colour_summary.h"
#include "colour/colour_sets.h"
#include "dialog_driver.h"
#include "module_state.h"
#include "page_set.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/temp_store.h"

namespace kx::ui {
namespace {

using namespace host;
using namespace advanced_colour;
using settings::FieldText;
using settings::PrivateRecord;
using test::DialogDriver;
using Names = std::vector<std::u16string>;

// What the user reads.
constexpr char16_t kEmptyName[] = u"컬러 프로필 이름이 비어있어 저장할 수 없습니다.";
constexpr char16_t kNoOverwrite[] = u"설정한 Z컬러 이름을 덮어쓸 수 없습니다";
constexpr char16_t kNoDelete[] = u"앞서 설정한 Z컬러 이름을 삭제할 수 없습니다";
constexpr char16_t kInvalidName[] = u"무효한 색 프로파일 이름";
constexpr char16_t kCaption[] = u"고급 컬러 옵션";
const Names kPredefinedNames = {u"자동", u"프리젠테이션", u"Photo", u"SRGB", u"없음", u"ICM"};

constexpr char16_t kVendorKey[] = u"Software\\VESTRAL ORBINE\\";
// The colour settings detail's gray model and its OK.
constexpr int kDetailsGrayRadio = 1381;

std::vector<uint8_t> BlockBytes(const PrivateRecord& record) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&record) + kColourBlockOffset;
  return {bytes, bytes + kColourBlockSize};
}

// Colour settings of no predefined set, told apart by their halftone.
void MakeUserSettings(PrivateRecord* record, uint8_t halftone) {
  record->colorMode = 2;
  record->quickColorSet = 0;
  record->useColorIntents = 1;
  record->rgbSourceDefault = 1;
  record->simulationNone = 1;
  record->destinationNone = 1;
  record->graphicsHalftone = halftone;
  record->imageHalftone = halftone;
  record->graphicsIntent = 2;
  record->imageIntent = 3;
  record->graphicsProcessGray = 0;
  record->imageProcessGray = 1;
}

// Answers every message box with one button and keeps what they said.
class Questions {
 public:
  explicit Questions(int answer) : answer_(answer) {
    platform::SetMessageBoxResponder(&Questions::Take, this);
  }
  ~Questions() { platform::SetMessageBoxResponder(nullptr, nullptr); }
  Questions(const Questions&) = delete;
  Questions& operator=(const Questions&) = delete;
  const std::vector<test::MessageBoxLog::Box>& boxes() const { return boxes_; }

 private:
  static int Take(void* context, const std::u16string& text, const std::u16string& caption,
                  UINT type) {
    auto* self = static_cast<Questions*>(context);
    self->boxes_.push_back({text, caption, type});
    return self->answer_;
  }
  int answer_;
  std::vector<test::MessageBoxLog::Box> boxes_;
};

class AdvancedColourTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetRecordDefaults(settings_.get(), nullptr);
    param_.cbSize = sizeof(param_);
    param_.pPrinterName = printer_.data();
    param_.pOEMDM = settings_.get();
    context_.commonUi = &param_;
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser, kVendorKey + printer_);
  }
  void TearDown() override {
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser, kVendorKey + printer_);
  }

  static std::u16string PrinterOfThisTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return platform::Utf8ToUtf16(std::string("Colour options ") + info->name());
  }

  // Opens the dialog with `script` as its user, and `details` as the user of the colour
  // settings detail when it is opened from there. The Help button takes the focus when a
  // box is left.
  INT_PTR Open(const test::ModalScript::Script& script,
               const test::ModalScript::Script& details = {}) {
    int detailRuns = 0;
    test::ModalScript modal(kHelpButton, [&](DialogDriver& d) {
      if (d.Control(kSetList) != nullptr) {
        script(d);
        return;
      }
      ++detailRuns;
      ASSERT_TRUE(details) << "the colour settings detail was not expected";
      details(d);
    });
    const INT_PTR result = ShowAdvancedColourOptions(nullptr, &context_);
    EXPECT_EQ(modal.runs() - detailRuns, 1);
    return result;
  }

  // A set of the printer's store with its own halftone.
  void StoreSet(const std::u16string& name, uint8_t halftone) {
    auto record = std::make_unique<PrivateRecord>(*settings_);
    MakeUserSettings(record.get(), halftone);
    ASSERT_EQ(SaveColourSet(name, printer_, *record), 0u);
  }
  std::unique_ptr<PrivateRecord> Stored(const std::u16string& name) {
    auto record = std::make_unique<PrivateRecord>();
    if (!LoadColourSet(name, printer_, record.get())) return nullptr;
    return record;
  }
  Names StoredNames() const { return ListColourSets(printer_); }

  // Types a name into the set list as a user does.
  static void TypeName(const DialogDriver& d, std::u16string_view name) {
    platform::SetDlgItemText(d.dialog(), kSetList, u"");
    for (const char16_t c : name) platform::SendMessage(d.Control(kSetList), WM_CHAR, c, 1);
  }
  static void ExpectTip(int at, const char16_t* text) {
    const AdvancedColourTip tip = AdvancedColourTipNow();
    EXPECT_EQ(tip.shownAt, at);
    if (at != 0) {
      EXPECT_TRUE(platform::IsWindowVisible(tip.window));
      if (text != nullptr) { EXPECT_EQ(tip.text, text); }
    }
  }

  bool korean() const { return codePages_.active(); }
  PrivateRecord& job() { return *settings_; }

  test::TempStore store_;
  test::SystemCodePages codePages_{nullptr, nullptr};
  std::unique_ptr<PrivateRecord> settings_ = std::make_unique<PrivateRecord>();
  std::u16string printer_ = PrinterOfThisTest();
  OEMCUIPPARAM param_{};
  PageSetContext context_;
};

TEST_F(AdvancedColourTest, ListsThePredefinedSetsThenTheStoredOnes) {
  if (!korean()) GTEST_SKIP() << "the system does not convert code page 949";
  StoreSet(u"Zeta", 1);
  StoreSet(u"alpha", 2);
  // Not a whole colour settings block: no set.
  std::unique_ptr<platform::RegistryKey> key;
  bool created = false;
  ASSERT_EQ(platform::CreateRegistryKey(platform::Hive::kCurrentUser,
                                        kVendorKey + printer_ + u"\\Color Profiles", &key,
                                        &created),
            0u);
  const std::vector<uint8_t> shortBlock(kColourBlockSize - 2, 0);
  ASSERT_EQ(key->SetValue(u"Broken", platform::kRegBinary, shortBlock.data(),
                          static_cast<uint32_t>(shortBlock.size())),
            0u);
  key.reset();
  job().quickColorSet = 4;
  EXPECT_EQ(Open([&](DialogDriver& d) {
              // The stored sets follow in the store's own order.
              const Names stored = ListColourSets(printer_);
              ASSERT_EQ(stored.size(), 2u);
              Names expected = kPredefinedNames;
              expected.insert(expected.end(), stored.begin(), stored.end());
              EXPECT_EQ(d.Items(kSetList), expected);
              EXPECT_EQ(d.ItemData(kSetList), (std::vector<LRESULT>{1, 2, 3, 4, 5, 6, 0, 0}));
              EXPECT_EQ(d.SelectedText(kSetList), u"SRGB");
              d.Click(IDCANCEL);
            }),
            IDCANCEL);
}

TEST_F(AdvancedColourTest, SelectsTheSetTheJobUses) {
  StoreSet(u"Mine", 1);
  StoreSet(u"Yours", 2);
  const struct {
    const char* name;
    uint32_t quickColorSet;
    const char16_t* colorSetName;
    bool withStoredSets;
    int selected;
  } cases[] = {
      {"predefined", 3, u"", true, 2},
      {"predefined, a name left behind", 6, u"Yours", true, 5},
      {"unknown number", 9, u"", true, 0},
      {"user set", 0, u"Yours", true, 7},
      {"user set named in another case", 0, u"yours", true, 6},
      {"user set no longer stored", 0, u"Gone", true, 6},
      {"user set, none stored", 0, u"Gone", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.withStoredSets) {
      platform::DeleteRegistryTree(platform::Hive::kCurrentUser, kVendorKey + printer_);
    }
    job().quickColorSet = c.quickColorSet;
    settings::StoreText(job().colorSetName, c.colorSetName);
    const std::vector<uint8_t> before = BlockBytes(job());
    Open([&](DialogDriver& d) {
      EXPECT_EQ(d.Selection(kSetList), c.selected);
      d.Click(IDCANCEL);
    });
    // Opening chooses nothing for the job.
    EXPECT_EQ(BlockBytes(job()), before);
  }
}

TEST_F(AdvancedColourTest, ChoosingPhotoWritesItsValuesAndShowsThem) {
  MakeUserSettings(&job(), 7);
  job().rgbSourceDefault = 0;
  settings::StoreText(job().colorSetName, u"Mine");
  EXPECT_EQ(Open([&](DialogDriver& d) {
              ASSERT_TRUE(d.ChooseData(kSetList, 3));
              EXPECT_EQ(job().quickColorSet, 3u);
              EXPECT_EQ(job().colorMode, 2);
              EXPECT_EQ(job().graphicsHalftone, 0);
              EXPECT_EQ(job().imageHalftone, 0);
              EXPECT_EQ(job().graphicsIntent, 1);
              EXPECT_EQ(job().imageIntent, 1);
              EXPECT_EQ(job().graphicsProcessGray, 1);
              EXPECT_EQ(job().imageProcessGray, 1);
              EXPECT_EQ(job().rgbSourceDefault, 1);
              EXPECT_TRUE(FieldText(job().colorSetName).empty());
              EXPECT_EQ(d.Text(kGrayText), u"CMYK");
              if (korean()) {
                EXPECT_EQ(d.Text(kModelText), u"컬러");
                EXPECT_EQ(d.Text(kHalftoneText), u"부드러움");
                EXPECT_EQ(d.Text(kRgbSourceText), u"대조");
              }
              d.Click(IDOK);
            }),
            IDOK);
  // OK keeps a predefined set that was not changed.
  EXPECT_EQ(job().quickColorSet, 3u);
  EXPECT_EQ(StoredNames(), Names{});
}

TEST_F(AdvancedColourTest, ChoosingAUserSetLoadsItsStoredBlock) {
  StoreSet(u"Mine", 1);
  const std::vector<uint8_t> stored = BlockBytes(*Stored(u"Mine"));
  job().quickColorSet = 1;
  ApplyPredefinedColourSet(&job());
  Open([&](DialogDriver& d) {
    ASSERT_TRUE(d.Choose(kSetList, 6));
    EXPECT_EQ(BlockBytes(job()), stored);
    EXPECT_EQ(job().quickColorSet, 0u);
    EXPECT_EQ(FieldText(job().colorSetName), u"Mine");
    if (korean()) { EXPECT_EQ(d.Text(kHalftoneText), u"일반"); }
    // A set gone from the store behind the dialog's back changes nothing.
    ASSERT_TRUE(d.ChooseData(kSetList, 2));
    ASSERT_TRUE(DeleteColourSet(u"Mine", printer_));
    const std::vector<uint8_t> before = BlockBytes(job());
    ASSERT_TRUE(d.Choose(kSetList, 6));
    EXPECT_EQ(job().quickColorSet, 0u);
    job().quickColorSet = 2;  // the one field the choice itself sets
    EXPECT_EQ(BlockBytes(job()), before);
    EXPECT_TRUE(FieldText(job().colorSetName).empty());
    d.Click(IDCANCEL);
  });
}

TEST_F(AdvancedColourTest, SummaryNamesEachPartOfTheSettings) {
  if (!korean()) GTEST_SKIP() << "the system does not convert code page 949";
  struct Case {
    const char* name;
    void (*change)(PrivateRecord&);
    const char16_t* halftone;
    const char16_t* rgbSource;
    const char16_t* gray;
  };
  const Case cases[] = {
      {"automatic", [](PrivateRecord&) {}, u"자동", u"자동", u"자동"},
      {"detail, vivid, K only",
       [](PrivateRecord& r) {
         r.imageHalftone = 2;
         r.imageIntent = 2;
         r.imageProcessGray = 0;
       },
       u"세부 정보", u"선명", u"K 전용"},
      {"general, sRGB",
       [](PrivateRecord& r) {
         r.graphicsHalftone = r.imageHalftone = 1;
         r.graphicsIntent = r.imageIntent = 3;
       },
       u"일반", u"sRGB", u"자동"},
      {"sRGB saturation", [](PrivateRecord& r) { r.graphicsIntent = r.imageIntent = 4; }, u"자동",
       u"sRGB 채도", u"자동"},
      {"mixed pairs are the user's",
       [](PrivateRecord& r) {
         r.graphicsHalftone = 0;
         r.imageHalftone = 1;
         r.graphicsIntent = 3;
         r.imageIntent = 1;
         r.graphicsProcessGray = 1;
         r.imageProcessGray = 0;
       },
       u"사용자", u"사용자", u"사용자"},
      {"intents off without the ICM set", [](PrivateRecord& r) { r.graphicsIntent = r.imageIntent = 0; },
       u"자동", u"없음", u"자동"},
      {"intents off in the ICM set",
       [](PrivateRecord& r) {
         r.graphicsIntent = r.imageIntent = 0;
         r.quickColorSet = 6;
       },
       u"자동", u"ICM", u"자동"},
      {"source profile without a disk counts the intents",
       [](PrivateRecord& r) {
         r.useColorIntents = 0;
         r.rgbSourceDefault = 0;
       },
       u"자동", u"자동", u"자동"},
      {"source profile on the disk",
       [](PrivateRecord& r) {
         r.devOpts.installedOptions[settings::kHasHardDisk] = 1;
         r.useColorIntents = 0;
         r.rgbSourceDefault = 0;
       },
       u"자동", u"Office RGB", u"자동"},
      {"no source profile on the disk",
       [](PrivateRecord& r) {
         r.devOpts.installedOptions[settings::kHasHardDisk] = 1;
         r.useColorIntents = 0;
       },
       u"자동", u"없음", u"자동"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto record = std::make_unique<PrivateRecord>(job());
    MakeUserSettings(record.get(), 2);
    record->imageHalftone = 0;
    record->devOpts.installedOptions[settings::kHasHardDisk] = 0;
    settings::StoreText(record->rgbSourceName, u"Office RGB");
    c.change(*record);
    const ColourSummary summary = SummarizeColourSettings(*record);
    EXPECT_EQ(summary.halftone, c.halftone);
    EXPECT_EQ(summary.rgbSource, c.rgbSource);
    EXPECT_EQ(summary.grayTreatment, c.gray);
  }
}

TEST_F(AdvancedColourTest, ProfilesAndGrayShowOnlyForColour) {
  MakeUserSettings(&job(), 2);
  job().simulationNone = 0;
  settings::StoreText(job().simulationName, u"Press");
  job().destinationNone = 0;
  settings::StoreText(job().destinationName, u"Paper");
  for (const uint8_t model : {uint8_t{1}, uint8_t{2}}) {
    SCOPED_TRACE(static_cast<int>(model));
    job().colorMode = model;
    Open([&](DialogDriver& d) {
      EXPECT_EQ(d.Text(kSimulationText), u"Press");
      EXPECT_EQ(d.Text(kDestinationText), u"Paper");
      if (korean()) { EXPECT_EQ(d.Text(kModelText), model == 2 ? u"컬러" : u"그레이"); }
      for (const int id : {kRgbSourceText, kGrayText, kDestinationText, kSimulationText}) {
        EXPECT_EQ(d.Enabled(id), model == 2) << id;
      }
      EXPECT_TRUE(d.Enabled(kHalftoneText));
      d.Click(IDCANCEL);
    });
  }
}

TEST_F(AdvancedColourTest, SaveRefusesWhatCannotBeStored) {
  StoreSet(u"Mine", 1);
  struct Case {
    const char* name;
    std::u16string typed;  // empty with `choose` set: the item chosen instead
    LRESULT choose;        // -1: nothing chosen
    const char16_t* tip;   // null: a text that depends on the code page
    bool needsKorean;
  };
  const Case cases[] = {
      {"empty name", u"", -1, kEmptyName, false},
      {"predefined name typed", u"자동", -1, kNoOverwrite, true},
      {"predefined set chosen", u"", 4, kNoOverwrite, false},
      // The box takes 32 characters; the store and the job's set name hold 31.
      {"name too long", std::u16string(40, u'x'), -1, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needsKorean && !korean()) continue;
    job().quickColorSet = 1;
    ApplyPredefinedColourSet(&job());
    const std::vector<uint8_t> before = BlockBytes(job());
    Questions questions(IDYES);
    Open([&](DialogDriver& d) {
      if (c.choose >= 0) {
        ASSERT_TRUE(d.ChooseData(kSetList, c.choose));
      } else {
        TypeName(d, c.typed);
      }
      d.Click(kSaveButton);
      ExpectTip(kSaveButton, korean() ? c.tip : nullptr);
      if (c.choose >= 0) { EXPECT_EQ(platform::GetFocus(), d.Control(kSaveButton)); }
      EXPECT_EQ(d.Items(kSetList).size(), 7u);
      d.Click(IDOK);
    });
    EXPECT_TRUE(questions.boxes().empty());
    EXPECT_EQ(StoredNames(), Names{u"Mine"});
    if (c.choose < 0) { EXPECT_EQ(BlockBytes(job()), before); }
  }
}

TEST_F(AdvancedColourTest, SaveStoresANewNameAndAppendsIt) {
  StoreSet(u"Mine", 1);
  MakeUserSettings(&job(), 0);
  job().quickColorSet = 3;
  Open([&](DialogDriver& d) {
    TypeName(d, std::u16string(31, u'n'));
    d.Click(kSaveButton);
    ExpectTip(0, nullptr);
    EXPECT_EQ(d.Items(kSetList).back(), std::u16string(31, u'n'));
    EXPECT_EQ(d.Items(kSetList).size(), 8u);
    EXPECT_NE(d.Selection(kSetList), 7) << "appended, not chosen";
    d.Click(IDOK);
  });
  EXPECT_EQ(job().quickColorSet, 0u);
  EXPECT_EQ(FieldText(job().colorSetName), std::u16string(31, u'n'));
  EXPECT_EQ(StoredNames(), (Names{u"Mine", std::u16string(31, u'n')}));
  const auto stored = Stored(std::u16string(31, u'n'));
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(BlockBytes(*stored), BlockBytes(job()));
}

TEST_F(AdvancedColourTest, SavingOverAUserSetAsksFirst) {
  for (const int answer : {IDYES, IDNO}) {
    SCOPED_TRACE(answer);
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser, kVendorKey + printer_);
    StoreSet(u"Mine", 1);
    StoreSet(u"Other", 2);
    job().quickColorSet = 0;
    settings::StoreText(job().colorSetName, u"Mine");
    ASSERT_TRUE(LoadColourSet(u"Mine", printer_, &job()));
    job().graphicsHalftone = 0;  // changed since it was stored
    Questions questions(answer);
    Open([&](DialogDriver& d) {
      ASSERT_EQ(d.SelectedText(kSetList), u"Mine");
      d.Click(kSaveButton);
      // A user set's name typed asks the same, about the set the job uses.
      TypeName(d, u"Other");
      d.Click(kSaveButton);
      d.Click(IDCANCEL);
    });
    ASSERT_EQ(questions.boxes().size(), 2u);
    for (const auto& box : questions.boxes()) {
      EXPECT_EQ(box.caption, kCaption);
      EXPECT_EQ(box.type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
      if (korean()) { EXPECT_EQ(box.text, u"\"Mine\" 이(가) 이미존재합니다. 덮어 쓰시겠습니까?"); }
    }
    EXPECT_EQ(Stored(u"Mine")->graphicsHalftone, answer == IDYES ? 0 : 1);
    EXPECT_EQ(Stored(u"Other")->graphicsHalftone, 2);
  }
}

TEST_F(AdvancedColourTest, DeletingASetChoosesTheOneInItsPlace) {
  struct Case {
    const char* name;
    int deleted;            // the item deleted
    Names left;             // the user sets left
    int selected;           // then selected
    uint32_t quickColorSet; // then used
    uint8_t halftone;       // of the set then used, when a user set
  };
  const Case cases[] = {
      {"the last set: the one before", 8, {u"A", u"B"}, 7, 0, 2},
      {"a middle set: the next", 7, {u"A", u"C"}, 7, 0, 3},
      {"the first set", 6, {u"B", u"C"}, 6, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser, kVendorKey + printer_);
    StoreSet(u"A", 1);
    StoreSet(u"B", 2);
    StoreSet(u"C", 3);
    job().quickColorSet = 1;
    Open([&](DialogDriver& d) {
      ASSERT_TRUE(d.Choose(kSetList, c.deleted));
      d.Click(kDeleteButton);
      EXPECT_EQ(d.Items(kSetList).size(), 8u);
      EXPECT_EQ(d.Selection(kSetList), c.selected);
      d.Click(IDOK);
    });
    EXPECT_EQ(StoredNames(), c.left);
    EXPECT_EQ(job().quickColorSet, c.quickColorSet);
    EXPECT_EQ(job().graphicsHalftone, c.halftone);
    EXPECT_EQ(FieldText(job().colorSetName), c.left[static_cast<size_t>(c.selected - 6)]);
  }
}

TEST_F(AdvancedColourTest, DeletingTheOnlyUserSetChoosesTheLastPredefinedOne) {
  StoreSet(u"Mine", 1);
  job().quickColorSet = 0;
  settings::StoreText(job().colorSetName, u"Mine");
  Open([&](DialogDriver& d) {
    d.Click(kDeleteButton);
    EXPECT_EQ(d.Selection(kSetList), 5);
    EXPECT_EQ(job().quickColorSet, 6u);
    EXPECT_EQ(job().graphicsIntent, 0);
    EXPECT_TRUE(FieldText(job().colorSetName).empty());
    EXPECT_EQ(d.Text(kRgbSourceText), u"ICM");
    d.Click(IDOK);
  });
  EXPECT_EQ(StoredNames(), Names{});
}

TEST_F(AdvancedColourTest, DeleteRefusesPredefinedAndUnknownNames) {
  StoreSet(u"Mine", 1);
  test::MessageBoxLog boxes;
  job().quickColorSet = 2;
  ApplyPredefinedColourSet(&job());
  Open([&](DialogDriver& d) {
    d.Click(kDeleteButton);
    ExpectTip(kDeleteButton, korean() ? kNoDelete : nullptr);
    EXPECT_EQ(d.Items(kSetList).size(), 7u);
    if (korean()) {
      TypeName(d, u"자동");
      d.Click(kDeleteButton);
      ExpectTip(kDeleteButton, kNoDelete);
    }
    TypeName(d, u"mine");  // names are told apart by case
    d.Click(kDeleteButton);
    EXPECT_EQ(d.Items(kSetList).size(), 7u);
    d.Click(IDOK);
  });
  ASSERT_EQ(boxes.boxes().size(), 1u);
  if (korean()) { EXPECT_EQ(boxes.boxes()[0].text, kInvalidName); }
  EXPECT_EQ(boxes.boxes()[0].caption, kCaption);
  EXPECT_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
  EXPECT_EQ(StoredNames(), Names{u"Mine"});
  EXPECT_EQ(job().quickColorSet, 2u);
}

TEST_F(AdvancedColourTest, CancelRestoresTheJobButNotTheStore) {
  StoreSet(u"Mine", 1);
  StoreSet(u"Other", 2);
  job().quickColorSet = 0;
  settings::StoreText(job().colorSetName, u"Mine");
  ASSERT_TRUE(LoadColourSet(u"Mine", printer_, &job()));
  const auto before = std::make_unique<PrivateRecord>(job());
  EXPECT_EQ(Open([&](DialogDriver& d) {
              d.Click(kDeleteButton);
              EXPECT_EQ(FieldText(job().colorSetName), u"Other");
              d.Click(IDCANCEL);
            }),
            IDCANCEL);
  EXPECT_EQ(std::memcmp(&job(), before.get(), sizeof(PrivateRecord)), 0);
  EXPECT_EQ(StoredNames(), Names{u"Other"});
}

TEST_F(AdvancedColourTest, OkTurnsAChangedPredefinedSetIntoTheUserSet) {
  if (!korean()) GTEST_SKIP() << "the user set's name is code page 949 text";
  struct Case {
    const char* name;
    void (*change)(PrivateRecord&);
    bool becomesUser;
  };
  const Case cases[] = {
      {"unchanged", [](PrivateRecord&) {}, false},
      {"a profile name does not count",
       [](PrivateRecord& r) { settings::StoreText(r.rgbSourceName, u"Left over"); }, false},
      {"halftone", [](PrivateRecord& r) { r.imageHalftone = 2; }, true},
      {"colour model", [](PrivateRecord& r) { r.colorMode = 1; }, true},
      {"destination profile", [](PrivateRecord& r) { r.destinationNone = 0; }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser, kVendorKey + printer_);
    job().quickColorSet = 4;
    ApplyPredefinedColourSet(&job());
    c.change(job());
    const std::vector<uint8_t> changed = BlockBytes(job());
    Open([&](DialogDriver& d) { d.Click(IDOK); });
    EXPECT_EQ(job().quickColorSet, c.becomesUser ? 0u : 4u);
    if (c.becomesUser) {
      EXPECT_EQ(FieldText(job().colorSetName), u"사용자");
      ASSERT_EQ(StoredNames(), Names{u"사용자"});
      job().quickColorSet = 4;
      EXPECT_EQ(BlockBytes(job()), changed);
      job().quickColorSet = 0;
      EXPECT_EQ(BlockBytes(*Stored(u"사용자")), BlockBytes(job()));
    } else {
      EXPECT_EQ(StoredNames(), Names{});
    }
  }
}

TEST_F(AdvancedColourTest, ChangedDetailsOfAPredefinedSetBecomeTheUserSet) {
  if (!korean()) GTEST_SKIP() << "the user set's name is code page 949 text";
  job().quickColorSet = 2;
  ApplyPredefinedColourSet(&job());
  EXPECT_EQ(Open(
                [&](DialogDriver& d) {
                  d.Click(kChangeButton);
                  EXPECT_EQ(job().quickColorSet, 0u);
                  EXPECT_EQ(d.SelectedText(kSetList), u"사용자");
                  EXPECT_EQ(d.Text(kModelText), u"그레이");
                  d.Click(IDOK);
                },
                [](DialogDriver& details) {
                  details.Click(kDetailsGrayRadio);
                  details.Click(IDOK);
                }),
            IDOK);
  EXPECT_EQ(job().colorMode, 1);
  EXPECT_EQ(job().quickColorSet, 0u);
  EXPECT_EQ(FieldText(job().colorSetName), u"사용자");
  ASSERT_EQ(StoredNames(), Names{u"사용자"});
  EXPECT_EQ(BlockBytes(*Stored(u"사용자")), BlockBytes(job()));
}

TEST_F(AdvancedColourTest, ChangedDetailsOfAUserSetAreStoredAsTheUserSetAtOk) {
  if (!korean()) GTEST_SKIP() << "the user set's name is code page 949 text";
  StoreSet(u"Mine", 1);
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser, kVendorKey + printer_);
    StoreSet(u"Mine", 1);
    job().quickColorSet = 0;
    settings::StoreText(job().colorSetName, u"Mine");
    ASSERT_TRUE(LoadColourSet(u"Mine", printer_, &job()));
    Open(
        [&](DialogDriver& d) {
          d.Click(kChangeButton);
          // Not stored before OK.
          EXPECT_EQ(StoredNames(), Names{u"Mine"});
          d.Click(ok ? IDOK : IDCANCEL);
        },
        [](DialogDriver& details) {
          details.Click(kDetailsGrayRadio);
          details.Click(IDOK);
        });
    EXPECT_EQ(StoredNames(), ok ? (Names{u"Mine", u"사용자"}) : Names{u"Mine"});
    EXPECT_EQ(job().colorMode, ok ? 1 : 2);
    EXPECT_EQ(FieldText(job().colorSetName), ok ? u"사용자" : u"Mine");
    EXPECT_EQ(Stored(u"Mine")->colorMode, 2);
  }
}

TEST_F(AdvancedColourTest, UnchangedDetailsChangeNothing) {
  job().quickColorSet = 2;
  ApplyPredefinedColourSet(&job());
  Open([&](DialogDriver& d) {
    d.Click(kChangeButton);
    d.Click(IDOK);
  },
       [](DialogDriver& details) { details.Click(IDCANCEL); });
  EXPECT_EQ(job().quickColorSet, 2u);
  EXPECT_EQ(StoredNames(), Names{});
}

TEST_F(AdvancedColourTest, TheTipGoesWithTheMouseOrAnotherControlsList) {
  job().quickColorSet = 1;
  Open([&](DialogDriver& d) {
    d.Click(kSaveButton);
    ExpectTip(kSaveButton, nullptr);
    // The list's own events hide only a tip shown elsewhere.
    platform::SendMessage(d.dialog(), WM_COMMAND,
                          MakeWParam(static_cast<WORD>(kSetList), static_cast<WORD>(CBN_DROPDOWN)),
                          reinterpret_cast<LPARAM>(d.Control(kSetList)));
    ExpectTip(0, nullptr);
    d.Click(kSaveButton);
    platform::SendMessage(d.dialog(), WM_MOUSEMOVE, 0, MakeLParam(5, 5));
    ExpectTip(0, nullptr);
    d.Click(kDeleteButton);
    ExpectTip(kDeleteButton, nullptr);
    NMTTDISPINFOW request{};
    request.hdr.code = TTN_GETDISPINFOW;
    platform::SendMessage(d.dialog(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    ASSERT_NE(request.lpszText, nullptr);
    EXPECT_EQ(std::u16string(request.lpszText), AdvancedColourTipNow().text);
    EXPECT_FALSE(AdvancedColourTipNow().text.empty());
    d.Click(IDCANCEL);
  });
}

TEST_F(AdvancedColourTest, HelpForTheDialogAndItsControls) {
  std::vector<std::u16string> pages;
  platform::SetPageReceiver(
      [](void* context, const std::u16string& page) {
        static_cast<std::vector<std::u16string>*>(context)->push_back(page);
        return true;
      },
      &pages);
  int menus = 0;
  platform::SetMenuResponder(
      [](void* context, const std::vector<platform::MenuItem>& items) -> UINT {
        ++*static_cast<int*>(context);
        EXPECT_EQ(items.size(), 1u);
        return 0;
      },
      &menus);
  const auto helpOn = [](const DialogDriver& d, int id) {
    HELPINFO info{};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = id;
    info.hItemHandle = d.Control(id);
    platform::SendMessage(d.dialog(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  };
  Open([&](DialogDriver& d) {
    d.Click(kHelpButton);
    for (const int id : {+kSetList, +kSaveButton, +kDeleteButton, +kChangeButton, +kHelpButton,
                         +kModelText}) {
      helpOn(d, id);
    }
    platform::SendMessage(d.dialog(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(d.dialog()),
                          MakeLParam(10, 10));
    EXPECT_TRUE(d.Open());
    d.Click(IDCANCEL);
  });
  platform::SetPageReceiver(nullptr, nullptr);
  platform::SetMenuResponder(nullptr, nullptr);
  const std::u16string root = Module().HelpRoot();
  EXPECT_EQ(pages, (Names{root + u"109.html", root + u"1281.html", root + u"1282.html",
                          root + u"1283.html", root + u"1292.html", root + u"1293.html"}));
  EXPECT_EQ(menus, 1);
}

TEST_F(AdvancedColourTest, NothingToEditWithoutASettingsRecord) {
  context_.commonUi = nullptr;
  test::ModalScript modal(kHelpButton, [](DialogDriver& d) { d.Click(IDOK); });
  EXPECT_EQ(ShowAdvancedColourOptions(nullptr, &context_), IDCANCEL);
  EXPECT_EQ(modal.runs(), 0);
}

}  // namespace
}  // namespace kx::ui
