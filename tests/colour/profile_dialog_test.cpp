// Printer profile management driven as a user drives it, over the platform's dialog
// services: what it lists and shows, what Add and Delete store, refuse and select, the
// balloon and help.
#include "colour/profile_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "colour/profile_dialog_layout.h"
#include "colour/profile_store.h"
#include "dialog_driver.h"
#include "module_state.h"
#include "page_set.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "support/code_pages.h"
#include "support/temp_store.h"

namespace kx::ui {
namespace {

using namespace host;
using namespace profiles;
using Names = std::vector<std::u16string>;
using test::DialogDriver;

// The texts a user reads in the balloon and the status line.
constexpr char16_t kCopyTip[] = u"프로파일 설명 사본을 추가할 수 없습니다";
constexpr char16_t kBothNeededTip[] = u"프로필의 파일이름과 설명을 구체화해야 합니다";
constexpr char16_t kDosNameTip[] =
    u"다운로드된 파일 이름은 일정한 DOS 이름짓기 규약(8.3)을 준수해야 합니다. 다시 입력하십시오...";
constexpr char16_t kDescriptionNeededTip[] = u"파일 설명을 구체화해야 합니다";
constexpr char16_t kNoFileNameTip[] = u"프로필의 파일 이름이 없습니다.";
constexpr char16_t kAdded[] = u"프로파일 추가";
constexpr char16_t kRemoved[] = u"프로필 제거";

constexpr char16_t kVendorKey[] = u"Software\\VESTRAL ORBINE\\";

test::ShownBalloon BalloonNow(const DialogDriver& d) {
  return test::BalloonShown(ProfileBalloonOf(d.dialog()));
}

// A description typed into the list's box while no entry is chosen.
void TypeDescription(const DialogDriver& d, std::u16string_view text) {
  platform::SendMessage(d.Control(kDescriptionCombo), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  platform::SetDlgItemText(d.dialog(), kDescriptionCombo, std::u16string(text));
}

void DropDown(const DialogDriver& d) {
  platform::SendMessage(d.dialog(), WM_COMMAND,
                        MakeWParam(static_cast<WORD>(kDescriptionCombo),
                                   static_cast<WORD>(CBN_DROPDOWN)),
                        reinterpret_cast<LPARAM>(d.Control(kDescriptionCombo)));
}

class ProfileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    param_.cbSize = sizeof(param_);
    param_.pPrinterName = printer_.data();
    context_.commonUi = &param_;
  }
  void TearDown() override { Clean(); }
  void Clean() { platform::DeleteRegistryTree(platform::Hive::kCurrentUser, kVendorKey + printer_); }

  static std::u16string PrinterOfThisTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return platform::Utf8ToUtf16(std::string("Profile dialog ") + info->name());
  }

  // Opens the dialog for `kind` with `script` as its user; the Help button takes the focus
  // when a box is left.
  INT_PTR Manage(const test::ModalScript::Script& script,
                 ProfileKind kind = ProfileKind::kRgbSource) {
    test::ModalScript modal(kHelpButton, script);
    const INT_PTR result = ShowProfileManager(nullptr, &context_, kind);
    EXPECT_EQ(modal.runs(), 1);
    return result;
  }

  void Store(const std::u16string& description, const std::u16string& fileName,
             ProfileKind kind = ProfileKind::kRgbSource) {
    ASSERT_EQ(WriteProfile(kind, printer_, description, fileName), platform::kErrorSuccess);
  }
  // The stored file name; empty when the profile is not stored.
  std::u16string StoredFile(const std::u16string& description,
                            ProfileKind kind = ProfileKind::kRgbSource) {
    ProfileRecord record{};
    return ReadProfile(kind, printer_, description, &record) ? std::u16string(record.fileName)
                                                             : std::u16string();
  }
  Names Stored(ProfileKind kind = ProfileKind::kRgbSource) { return ListProfiles(kind, printer_); }

  bool korean() const { return codePages_.active(); }
  void ExpectBalloon(const DialogDriver& d, int at, const char16_t* text) {
    const test::ShownBalloon balloon = BalloonNow(d);
    EXPECT_EQ(balloon.at, at);
    if (korean() && text != nullptr) {
      EXPECT_EQ(balloon.text, text);
    }
  }
  void ExpectStatus(const DialogDriver& d, const char16_t* action, const std::u16string& what) {
    if (korean()) {
      EXPECT_EQ(d.Text(kStatusLine), action + what);
    }
  }

  test::TempStore store_;
  test::SystemCodePages codePages_{nullptr, nullptr};
  std::u16string printer_ = PrinterOfThisTest();
  OEMCUIPPARAM param_{};
  PageSetContext context_;
};

TEST_F(ProfileDialogTest, OpensOnTheFirstDescriptionOfItsKindWithItsFileName) {
  Store(u"Office", u"OFFICE.ICC");
  Store(u"Camera", u"CAMERA.ICC");
  Store(u"Proof", u"PROOF.ICC", ProfileKind::kSimulation);
  const struct {
    ProfileKind kind;
    Names listed;
    std::u16string fileName;
  } cases[] = {
      {ProfileKind::kRgbSource, {u"Camera", u"Office"}, u"CAMERA.ICC"},
      {ProfileKind::kSimulation, {u"Proof"}, u"PROOF.ICC"},
      {ProfileKind::kDestination, {}, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    EXPECT_EQ(Manage(
                  [&](DialogDriver& d) {
                    EXPECT_EQ(d.Items(kDescriptionCombo), c.listed);
                    EXPECT_EQ(d.Selection(kDescriptionCombo), c.listed.empty() ? -1 : 0);
                    EXPECT_EQ(d.Text(kFileNameBox), c.fileName);
                    ExpectBalloon(d, 0, nullptr);
                    d.Click(kDoneButton);
                  },
                  c.kind),
              kProfilesDone);
  }
}

TEST_F(ProfileDialogTest, ChoosingADescriptionShowsItsFileName) {
  Store(u"A profile", u"A.ICC");
  Store(u"B profile", u"B.ICC");
  Manage([](DialogDriver& d) {
    ASSERT_TRUE(d.Choose(kDescriptionCombo, 1));
    EXPECT_EQ(d.Text(kFileNameBox), u"B.ICC");
    ASSERT_TRUE(d.Choose(kDescriptionCombo, 0));
    EXPECT_EQ(d.Text(kFileNameBox), u"A.ICC");
    d.Click(kDoneButton);
  });
}

TEST_F(ProfileDialogTest, AddStoresTheFileNameInCapitalsAndChoosesTheNewEntry) {
  Store(u"Office", u"OFFICE.ICC");
  Manage([&](DialogDriver& d) {
    TypeDescription(d, u"Camera");
    d.Type(kFileNameBox, u"abc.icc");
    d.Click(kAddButton);
    ExpectBalloon(d, 0, nullptr);
    EXPECT_EQ(d.Items(kDescriptionCombo), (Names{u"Camera", u"Office"}));
    EXPECT_EQ(d.SelectedText(kDescriptionCombo), u"Camera");
    EXPECT_EQ(d.Text(kFileNameBox), u"ABC.ICC");
    ExpectStatus(d, kAdded, u"Camera");
    d.Click(kDoneButton);
  });
  EXPECT_EQ(StoredFile(u"Camera"), u"ABC.ICC");
  EXPECT_EQ(StoredFile(u"Office"), u"OFFICE.ICC");
}

TEST_F(ProfileDialogTest, AddRefusesWithABalloonAndStoresNothing) {
  Store(u"Office", u"OFFICE.ICC");
  const struct {
    const char* why;
    std::u16string description;
    std::u16string fileName;
    int balloonAt;
    const char16_t* tip;
  } cases[] = {
      {"not an 8.3 name", u"Long", u"toolongname.icc", kFileNameBox, kDosNameTip},
      {"extension too long", u"Long", u"abc.icmx", kFileNameBox, kDosNameTip},
      {"no description", u"", u"abc.icc", kDescriptionCombo, kBothNeededTip},
      {"no file name", u"Empty", u"", kDescriptionCombo, kBothNeededTip},
      {"a listed description typed again", u"office", u"NEW.ICC", kDescriptionCombo, kCopyTip},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    Manage([&](DialogDriver& d) {
      TypeDescription(d, c.description);
      d.Type(kFileNameBox, c.fileName);
      d.Click(kAddButton);
      ExpectBalloon(d, c.balloonAt, c.tip);
      EXPECT_EQ(d.Items(kDescriptionCombo), Names{u"Office"});
      EXPECT_EQ(d.Text(kStatusLine), u"");
      d.Click(kDoneButton);
    });
    EXPECT_EQ(Stored(), Names{u"Office"});
    EXPECT_EQ(StoredFile(u"Office"), u"OFFICE.ICC");
  }
}

TEST_F(ProfileDialogTest, AddWithAnEntryChosenIsACopyEvenUnderANewDescription) {
  Store(u"Office", u"OFFICE.ICC");
  Manage([&](DialogDriver& d) {
    for (const char16_t* typed : {u"Office", u"Brand new"}) {
      SCOPED_TRACE(platform::Utf16ToUtf8(typed));
      ASSERT_TRUE(d.Choose(kDescriptionCombo, 0));
      platform::SetDlgItemText(d.dialog(), kDescriptionCombo, typed);
      d.Type(kFileNameBox, u"NEW.ICC");
      d.Click(kAddButton);
      ExpectBalloon(d, kDescriptionCombo, kCopyTip);
    }
    EXPECT_EQ(d.Items(kDescriptionCombo), Names{u"Office"});
    d.Click(kDoneButton);
  });
  EXPECT_EQ(Stored(), Names{u"Office"});
  EXPECT_EQ(StoredFile(u"Office"), u"OFFICE.ICC");
}

TEST_F(ProfileDialogTest, DeleteChoosesTheEntryThatTookThePlace) {
  const struct {
    const char* why;
    Names stored;
    int deleted;
    Names left;
    int selected;
    std::u16string fileName;
  } cases[] = {
      {"the middle of three", {u"A", u"B", u"C"}, 1, {u"A", u"C"}, 1, u"C.ICC"},
      {"the first of two", {u"A", u"B"}, 0, {u"B"}, 0, u"B.ICC"},
      // The last entry went: none is chosen, the first one's file name is shown.
      {"the last of three", {u"A", u"B", u"C"}, 2, {u"A", u"B"}, -1, u"A.ICC"},
      {"the only one", {u"A"}, 0, {}, -1, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    Clean();
    for (const std::u16string& name : c.stored) Store(name, name + u".ICC");
    Manage([&](DialogDriver& d) {
      ASSERT_TRUE(d.Choose(kDescriptionCombo, c.deleted));
      d.Click(kDeleteButton);
      ExpectBalloon(d, 0, nullptr);
      EXPECT_EQ(d.Items(kDescriptionCombo), c.left);
      EXPECT_EQ(d.Selection(kDescriptionCombo), c.selected);
      EXPECT_EQ(d.Text(kFileNameBox), c.fileName);
      ExpectStatus(d, kRemoved, c.stored[static_cast<size_t>(c.deleted)]);
      d.Click(kDoneButton);
    });
    EXPECT_EQ(Stored(), c.left);
  }
}

TEST_F(ProfileDialogTest, DeleteRefusesWhatIsNotStored) {
  Store(u"Office", u"OFFICE.ICC");
  const struct {
    const char* why;
    std::u16string description;
    const char16_t* tip;
  } cases[] = {
      {"no description", u"", kDescriptionNeededTip},
      {"not stored", u"Camera", kNoFileNameTip},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    Manage([&](DialogDriver& d) {
      TypeDescription(d, c.description);
      d.Click(kDeleteButton);
      ExpectBalloon(d, kDescriptionCombo, c.tip);
      EXPECT_EQ(d.Items(kDescriptionCombo), Names{u"Office"});
      d.Click(kDoneButton);
    });
  }
  EXPECT_EQ(Stored(), Names{u"Office"});
}

TEST_F(ProfileDialogTest, ADropDownHidesOnlyTheBalloonAtTheFileName) {
  Manage([&](DialogDriver& d) {
    TypeDescription(d, u"Long");
    d.Type(kFileNameBox, u"toolongname.icc");
    d.Click(kAddButton);
    ExpectBalloon(d, kFileNameBox, kDosNameTip);
    DropDown(d);
    ExpectBalloon(d, 0, nullptr);

    TypeDescription(d, u"");
    d.Click(kAddButton);
    ExpectBalloon(d, kDescriptionCombo, kBothNeededTip);
    DropDown(d);
    ExpectBalloon(d, kDescriptionCombo, kBothNeededTip);
    d.Click(kDoneButton);
  });
}

TEST_F(ProfileDialogTest, ABalloonGoesWhenTheNextActionSucceeds) {
  Manage([&](DialogDriver& d) {
    TypeDescription(d, u"Camera");
    d.Type(kFileNameBox, u"toolongname.icc");
    d.Click(kAddButton);
    ExpectBalloon(d, kFileNameBox, kDosNameTip);
    d.Type(kFileNameBox, u"cam.icc");
    d.Click(kAddButton);
    ExpectBalloon(d, 0, nullptr);
    d.Click(kDoneButton);
  });
  EXPECT_EQ(StoredFile(u"Camera"), u"CAM.ICC");
}

TEST_F(ProfileDialogTest, BoxesTakeNoMoreThanARecordHolds) {
  Manage([](DialogDriver& d) {
    d.Type(kFileNameBox, std::u16string(40, u'f'));
    EXPECT_EQ(d.Text(kFileNameBox), std::u16string(32, u'f'));
    d.Type(kDescriptionCombo, std::u16string(70, u'd'));
    EXPECT_EQ(d.Text(kDescriptionCombo), std::u16string(63, u'd'));
    d.Click(kDoneButton);
  });
}

TEST_F(ProfileDialogTest, CancelClosesWithTwoAndKeepsWhatWasStored) {
  EXPECT_EQ(Manage([](DialogDriver& d) {
              TypeDescription(d, u"Camera");
              d.Type(kFileNameBox, u"cam.icc");
              d.Click(kAddButton);
              d.Command(IDCANCEL);
            }),
            kProfilesCancelled);
  EXPECT_EQ(StoredFile(u"Camera"), u"CAM.ICC");
}

TEST_F(ProfileDialogTest, HelpForTheDialogAndItsControls) {
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
  Manage([&](DialogDriver& d) {
    d.Click(kHelpButton);
    helpOn(d, kFileNameBox);
    helpOn(d, kStatusLine);  // the status line has no topic
    helpOn(d, kDeleteButton);
    EXPECT_TRUE(d.Open());
    d.Click(kDoneButton);
  });
  platform::SetPageReceiver(nullptr, nullptr);
  const std::u16string root = Module().HelpRoot();
  EXPECT_EQ(pages, (std::vector<std::u16string>{root + u"110.html", root + u"1302.html",
                                                root + u"1303.html"}));
}

TEST_F(ProfileDialogTest, NothingToManageWithoutTheSheetsParameters) {
  context_.commonUi = nullptr;
  test::ModalScript modal(kHelpButton, [](DialogDriver& d) { d.Click(kDoneButton); });
  EXPECT_EQ(ShowProfileManager(nullptr, &context_, ProfileKind::kRgbSource), kProfilesCancelled);
  EXPECT_EQ(modal.runs(), 0);
}

}  // namespace
}  // namespace kx::ui
