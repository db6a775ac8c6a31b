// The overlay and watermark page (dialog 102) in a host's sheet, driven through its
// controls: the 8.3 rule for overlay names, the composite numbers, the job's watermark
// chosen, added, edited and deleted against the printer's library, the download manager,
// the sheet's notifications and the page's help.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "hostsim/host_sheet.h"
#include "page_set.h"
#include "platform/codepage.h"
#include "platform/dialog_template.h"
#include "platform/dialogs.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/win32_errors.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/temp_store.h"
#include "user_store.h"
#include "watermarks/overlay_names.h"
#include "watermarks/overlay_page.h"
#include "watermarks/watermark_editor.h"
#include "watermarks/watermark_store.h"

namespace kx::ui {
namespace {

using namespace host;
using settings::FieldText;
using settings::StoreText;
using settings::WatermarkRecord;

// The page's controls.
constexpr int kWatermarkGroup = 1021, kWatermarkList = 1022, kFirstPageOnly = 1023;
constexpr int kEdit = 1024, kAdd = 1025, kDelete = 1026, kOverlayGroup = 1027;
constexpr int kAllCheck = 1028, kAllName = 1029, kFirstCheck = 1030, kFirstName = 1031;
constexpr int kOddCheck = 1032, kOddName = 1033, kEvenCheck = 1034, kEvenName = 1035;
constexpr int kCompositeCheck = 1036, kCompositeName = 1037, kCompositeFirst = 1039;
constexpr int kCompositePeriod = 1042, kDownloadManager = 1394;
constexpr int kCompositeGroup[] = {1037, 1038, 1039, 1040, 1041, 1042, 1043};
constexpr char16_t kBackspace[] = u"\b";
// The editor's name and text boxes and its buttons.
constexpr int kEditorName = 1221, kEditorText = 1222, kEditorSave = 1241, kEditorCancel = 1242;
constexpr int kEditorDefaults = 1244;

constexpr char16_t kNameMessage[] =
    u"오버레이 파일이름은 일반 DOS 이름짓기 규약(8.3)과 일치해야 됩니다. 재입력하십시오.";
constexpr char16_t kRangeMessage[] = u"범위 값은 1 와 99 사이여야 합니다";
constexpr char16_t kDownloadMessage[] =
    u"다운로드 관리자 시작할 수 없음.\n 유틸리티를 설치, 또는 재설치 하십시오";
constexpr char16_t kDownloadKey[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\VXDownMgr.exe";

// ---- The 8.3 rule on its own ----

TEST(OverlayNames, SplitAsTheSystemSplitsPaths) {
  struct Case {
    std::u16string_view path, drive, directory, base, extension;
  };
  const Case cases[] = {
      {u"C:\\forms\\form1.ovl", u"C:", u"\\forms\\", u"form1", u".ovl"},
      {u"a/b\\c.d.e", u"", u"a/b\\", u"c.d", u".e"},
      {u"a.b.c", u"", u"", u"a.b", u".c"},
      {u".profile", u"", u"", u"", u".profile"},
      {u"form1", u"", u"", u"form1", u""},
      {u"x:", u"x:", u"", u"", u""},
      {u"dir.d\\name", u"", u"dir.d\\", u"name", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
    const PathParts parts = SplitPath(c.path);
    EXPECT_EQ(parts.drive, c.drive);
    EXPECT_EQ(parts.directory, c.directory);
    EXPECT_EQ(parts.baseName, c.base);
    EXPECT_EQ(parts.extension, c.extension);
  }
}

TEST(OverlayNames, EightThreeNamesAreUpperCasedOthersLeftAlone) {
  struct Case {
    std::u16string_view name;
    bool valid;
    std::u16string_view result;
  };
  const Case cases[] = {
      {u"form1.ovl", true, u"FORM1.OVL"},
      {u"form1", true, u"FORM1"},
      {u"양식.ps", true, u"양식.PS"},
      {u"my form.ps", true, u"MY FORM.PS"},
      {u"$%'-_@~`.!()", true, u"$%'-_@~`.!()"},
      {u"^#& .a", true, u"^#& .A"},
      {u"café.é", true, u"CAFÉ.É"},
      {u"ÿ÷", true, u"Ÿ÷"},
      {u"a.", true, u"A."},
      {u"12345678.abc", true, u"12345678.ABC"},
      {u"123456789", false, u"123456789"},
      {u"overlay01.ps", false, u"overlay01.ps"},
      {u"form.ovlx", false, u"form.ovlx"},
      {u"a.b.c", false, u"a.b.c"},
      {u".ovl", false, u".ovl"},
      {u"a+b.ovl", false, u"a+b.ovl"},
      {u"form.o;l", false, u"form.o;l"},
      {u"", false, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
    std::u16string name(c.name);
    EXPECT_EQ(MakeOverlayName(&name), c.valid);
    EXPECT_EQ(name, c.result);
  }
}

// ---- The page in a sheet ----

struct ProgramStart {
  int count = 0;
  std::u16string program;
  std::vector<std::u16string> arguments;
};

bool TakeProgram(void* context, const std::u16string& program,
                 const std::vector<std::u16string>& arguments) {
  auto* start = static_cast<ProgramStart*>(context);
  ++start->count;
  start->program = program;
  start->arguments = arguments;
  return true;
}

bool TakePage(void* context, const std::u16string& page) {
  static_cast<std::vector<std::u16string>*>(context)->push_back(page);
  return true;
}

WatermarkRecord UserWatermark(std::u16string_view name, std::u16string_view text) {
  WatermarkRecord record = NewWatermarkRecord();
  StoreText(record.name, name);
  StoreText(record.text, text);
  record.fontSize = 40;
  record.angle = 10;
  return record;
}

class OverlayPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetRecordDefaults(&record_, nullptr);
    record_.devOpts.installedOptions[settings::kHasHardDisk] = 1;
  }
  void TearDown() override {
    sheet_.reset();
    platform::SetModalDialogResponder(nullptr, nullptr);
    platform::SetProgramReceiver(nullptr, nullptr);
    platform::SetPageReceiver(nullptr, nullptr);
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser,
                                 PrinterStorePath(printer_, kWatermarkStore));
    platform::DeleteRegistryTree(platform::Hive::kLocalMachine, kDownloadKey);
  }

  void Open() {
    param_.cbSize = sizeof(param_);
    param_.pPrinterName = printer_.data();
    param_.pOEMDM = &record_;
    context_.commonUi = &param_;
    std::string error;
    sheet_ = hostsim::HostSheet::CreateWithPage(OverlayPageSpec(), OverlayPageProcedure,
                                                reinterpret_cast<LPARAM>(&context_), &error);
    ASSERT_NE(sheet_, nullptr) << error;
    sheet_->SetActive(0);
  }

  // The Korean texts are code page 949 text converted through the system's ANSI code page.
  bool Korean() const { return codePages_.active(); }

  hostsim::HostSheet& sheet() { return *sheet_; }
  HWND Item(int id) { return sheet_->Control(0, id); }
  bool Focused(int id) { return platform::GetFocus() == Item(id); }
  std::u16string Balloon() {
    return test::BalloonShown(BalloonOfOverlayPage(sheet_->page(0))).text;
  }
  int BalloonAt() { return BalloonOfOverlayPage(sheet_->page(0)).shownAt; }
  std::u16string Selected() {
    const int index = sheet_->Selection(0, kWatermarkList);
    return index < 0 ? u"" : sheet_->Items(0, kWatermarkList)[static_cast<size_t>(index)];
  }
  bool Listed(std::u16string_view name) {
    const auto items = sheet_->Items(0, kWatermarkList);
    return std::find(items.begin(), items.end(), name) != items.end();
  }
  // The editor's user, for as long as the script lives.
  static std::unique_ptr<test::ModalScript> Editor(test::ModalScript::Script script) {
    return std::make_unique<test::ModalScript>(kEditorDefaults, std::move(script));
  }

  // The library, read and written in the store itself.
  std::optional<WatermarkRecord> Stored(const std::u16string& name) {
    std::unique_ptr<platform::RegistryKey> key;
    if (platform::OpenRegistryKey(platform::Hive::kCurrentUser,
                                  PrinterStorePath(printer_, kWatermarkStore),
                                  &key) != platform::kErrorSuccess) {
      return std::nullopt;
    }
    WatermarkRecord record{};
    uint32_t type = 0;
    uint32_t size = sizeof(record);
    if (key->QueryValue(name, &type, reinterpret_cast<uint8_t*>(&record), &size) !=
            platform::kErrorSuccess ||
        size != sizeof(record)) {
      return std::nullopt;
    }
    return record;
  }
  void Store(const WatermarkRecord& record) {
    std::unique_ptr<platform::RegistryKey> key;
    bool created = false;
    ASSERT_EQ(
        platform::CreateRegistryKey(platform::Hive::kCurrentUser,
                                    PrinterStorePath(printer_, kWatermarkStore), &key, &created),
        platform::kErrorSuccess);
    ASSERT_EQ(key->SetValue(std::u16string(FieldText(record.name)), platform::kRegBinary,
                            reinterpret_cast<const uint8_t*>(&record), sizeof(record)),
              platform::kErrorSuccess);
  }
  void Choose(const WatermarkRecord& record) {
    record_.watermark = record;
    record_.watermark.enabled = 1;
  }

  test::TempStore store_;
  test::SystemCodePages codePages_{nullptr, nullptr};
  std::u16string printer_ = u"Overlay Page Printer";
  settings::PrivateRecord record_{};
  OEMCUIPPARAM param_{};
  PageSetContext context_;
  std::unique_ptr<hostsim::HostSheet> sheet_;
};

TEST_F(OverlayPageTest, WithoutAPrinterDiskTheOverlaysAreOff) {
  for (const bool disk : {false, true}) {
    SCOPED_TRACE(disk ? "disk" : "no disk");
    record_.devOpts.installedOptions[settings::kHasHardDisk] = disk ? 1 : 0;
    record_.overlays[settings::kOverlayEvenPages].enabled = 1;
    record_.overlays[settings::kOverlayComposite].enabled = 1;
    Open();
    if (Korean()) {
      EXPECT_EQ(sheet().Text(0, kOverlayGroup),
                disk ? u"오버레이" : u"프린터 디스크가 없으면 오버레이를 사용할 수 없습니다");
    }
    for (const int id : {kOverlayGroup, kAllCheck, kFirstCheck, kOddCheck, kEvenCheck,
                         kCompositeCheck, kEvenName, kDownloadManager}) {
      EXPECT_EQ(sheet().Enabled(0, id), disk) << id;
    }
    for (const int id : kCompositeGroup) EXPECT_EQ(sheet().Enabled(0, id), disk) << id;
    // Entries that are off keep their names out of reach.
    for (const int id : {kAllName, kFirstName, kOddName})
      EXPECT_FALSE(sheet().Enabled(0, id)) << id;
    EXPECT_TRUE(sheet().Checked(0, kEvenCheck));
  }
}

// Typing into each overlay's box stores the name in that overlay's entry, in upper case
// when it is a DOS name; other names stay as typed and the balloon says why.
TEST_F(OverlayPageTest, OverlayNamesFollowTheEightThreeRule) {
  struct Case {
    int box;
    settings::OverlaySlot slot;
    std::u16string_view typed, stored;
    bool refused;
  };
  const Case cases[] = {
      {kAllName, settings::kOverlayAllPages, u"form1.ovl", u"FORM1.OVL", false},
      {kFirstName, settings::kOverlayFirstPage, u"overlay01.ps", u"overlay01.ps", true},
      {kEvenName, settings::kOverlayEvenPages, u"a.b.c", u"a.b.c", true},
      {kOddName, settings::kOverlayOddPages, u"양식.ps", u"양식.PS", false},
      {kCompositeName, settings::kOverlayComposite, u"my form.ps", u"MY FORM.PS", false},
      {kAllName, settings::kOverlayAllPages, u"form1", u"FORM1", false},
  };
  for (auto& overlay : record_.overlays) overlay.enabled = 1;
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
    ASSERT_TRUE(sheet().Type(0, c.box, c.typed));
    EXPECT_EQ(FieldText(record_.overlays[c.slot].fileName), c.stored);
    EXPECT_EQ(BalloonAt(), c.refused ? c.box : 0);
    if (c.refused && Korean()) {
      EXPECT_EQ(Balloon(), kNameMessage);
    }
  }
  // Typing elsewhere closed each balloon above; a click leaves it, the mouse takes it.
  ASSERT_TRUE(sheet().Type(0, kFirstName, u"overlay01.ps"));
  ASSERT_TRUE(sheet().Click(0, kOddCheck));
  EXPECT_EQ(BalloonAt(), kFirstName);
  platform::SendMessage(sheet().page(0), WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(BalloonAt(), 0);
  EXPECT_EQ(Balloon(), u"");
}

TEST_F(OverlayPageTest, EmptyingANameTurnsItsOverlayOff) {
  struct Case {
    int check, box;
    settings::OverlaySlot slot;
    bool away;
    bool turnedOff;
  };
  const Case cases[] = {
      {kOddCheck, kOddName, settings::kOverlayOddPages, false, true},
      {kCompositeCheck, kCompositeName, settings::kOverlayComposite, false, true},
      // Another application is active: nothing is turned off behind the user's back.
      {kOddCheck, kOddName, settings::kOverlayOddPages, true, false},
  };
  constexpr UINT kActivateApp = 0x001C;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    record_.overlays[c.slot].enabled = 1;
    StoreText(record_.overlays[c.slot].fileName, u"ODD.OVL");
    Open();
    if (c.away) platform::SendMessage(sheet().page(0), kActivateApp, 0, 0);
    ASSERT_TRUE(sheet().Type(0, c.box, kBackspace));
    EXPECT_EQ(FieldText(record_.overlays[c.slot].fileName), u"");
    EXPECT_EQ(record_.overlays[c.slot].enabled, c.turnedOff ? 0u : 1u);
    EXPECT_EQ(sheet().Checked(0, c.check), !c.turnedOff);
    EXPECT_EQ(sheet().Enabled(0, c.box), !c.turnedOff);
    EXPECT_EQ(Focused(c.check), c.turnedOff);
    if (c.slot == settings::kOverlayComposite) {
      for (const int id : kCompositeGroup) EXPECT_EQ(sheet().Enabled(0, id), !c.turnedOff) << id;
    }
    // The name box lost the focus.
    EXPECT_EQ(sheet().Changed(0), c.turnedOff);
  }
}

TEST_F(OverlayPageTest, CheckingAnOverlayOpensItsNameBox) {
  Open();
  ASSERT_TRUE(sheet().Click(0, kCompositeCheck));
  EXPECT_EQ(record_.overlays[settings::kOverlayComposite].enabled, 1u);
  for (const int id : kCompositeGroup) EXPECT_TRUE(sheet().Enabled(0, id)) << id;
  EXPECT_TRUE(Focused(kCompositeName));
  EXPECT_TRUE(sheet().Changed(0));
  ASSERT_TRUE(sheet().Click(0, kFirstCheck));
  EXPECT_EQ(record_.overlays[settings::kOverlayFirstPage].enabled, 1u);
  EXPECT_TRUE(Focused(kFirstName));
  ASSERT_TRUE(sheet().Click(0, kFirstCheck));
  EXPECT_EQ(record_.overlays[settings::kOverlayFirstPage].enabled, 0u);
  EXPECT_FALSE(sheet().Enabled(0, kFirstName));
}

// Out-of-range numbers never reach the record: the box shows the stored number again,
// selected, or keeps the focus until it holds one.
TEST_F(OverlayPageTest, CompositeNumbersStayFromOneToNinetyNine) {
  struct Case {
    int box, other;
    uint32_t settings::OverlayEntry::*field;
  };
  const Case cases[] = {{kCompositePeriod, kCompositeFirst, &settings::OverlayEntry::period},
                        {kCompositeFirst, kCompositePeriod, &settings::OverlayEntry::firstPage}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    // The previous case's sheet shares the record: closed before the record is set up,
    // it cannot act on it when the new sheet's window takes the focus from its page.
    sheet_.reset();
    settings::OverlayEntry& composite = record_.overlays[settings::kOverlayComposite];
    composite.enabled = 1;
    StoreText(composite.fileName, u"FORM.OVL");
    composite.*c.field = 3;
    Open();
    ASSERT_TRUE(sheet().Type(0, c.box, u"0"));
    EXPECT_EQ(sheet().Text(0, c.box), u"3");
    EXPECT_EQ(BalloonAt(), c.box);
    if (Korean()) {
      EXPECT_EQ(Balloon(), kRangeMessage);
    }
    DWORD start = 1, end = 0;
    platform::SendMessage(Item(c.box), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                          reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 1u);
    EXPECT_EQ(composite.*c.field, 3u);

    ASSERT_TRUE(sheet().Type(0, c.box, kBackspace));
    ASSERT_TRUE(sheet().Focus(0, kAllCheck));
    EXPECT_TRUE(Focused(c.box));
    EXPECT_EQ(composite.*c.field, 3u);

    ASSERT_TRUE(sheet().Type(0, c.box, u"42"));
    ASSERT_TRUE(sheet().Focus(0, c.other));
    EXPECT_EQ(composite.*c.field, 42u);
    EXPECT_TRUE(Focused(c.other));
  }
}

// A composite overlay without a name is turned off once the user leaves its controls;
// moving between them, or to the About box, keeps it.
TEST_F(OverlayPageTest, LeavingANamelessCompositeTurnsItOff) {
  struct Case {
    const char* name;
    int target;
    bool viaAboutBox;
    bool turnedOff;
  };
  const Case cases[] = {{"to another overlay", kAllCheck, false, true},
                        {"to the other number", kCompositeFirst, false, false},
                        {"to its name", kCompositeName, false, false},
                        {"into the About box", 0, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The previous case's sheet shares the record: closed before the record is set up,
    // it cannot act on it when the new sheet's window takes the focus from its page.
    sheet_.reset();
    settings::OverlayEntry& composite = record_.overlays[settings::kOverlayComposite];
    composite.enabled = 1;
    StoreText(composite.fileName, u"");
    Open();
    ASSERT_TRUE(sheet().Type(0, kCompositePeriod, u"5"));
    if (c.viaAboutBox) {
      platform::SetMenuResponder([](void*, const std::vector<platform::MenuItem>& items) {
        return items.empty() ? UINT{0} : items[0].command;
      }, nullptr);
      platform::SetModalDialogResponder([](void*, HWND dialog) {
        platform::SetFocus(dialog);
        platform::EndDialog(dialog, IDOK);
      }, nullptr);
      sheet().ContextMenu(0, 0, 10, 10);
      platform::SetMenuResponder(nullptr, nullptr);
      platform::SetModalDialogResponder(nullptr, nullptr);
    } else {
      ASSERT_TRUE(sheet().Focus(0, c.target));
    }
    EXPECT_EQ(composite.period, 5u);
    EXPECT_EQ(composite.enabled, c.turnedOff ? 0u : 1u);
    EXPECT_EQ(sheet().Checked(0, kCompositeCheck), !c.turnedOff);
    EXPECT_EQ(sheet().Enabled(0, kCompositeName), !c.turnedOff);
  }
}

TEST_F(OverlayPageTest, ChoosingAWatermarkGivesTheJobItsRecord) {
  if (!Korean()) GTEST_SKIP() << "the predefined names need the Korean code page";
  Store(UserWatermark(u"Memo", u"Internal"));
  record_.watermark.firstPageOnly = 1;
  Open();
  EXPECT_EQ(Selected(), u"없음");

  ASSERT_TRUE(sheet().ChooseText(0, kWatermarkList, u"대외비"));
  const WatermarkRecord& job = record_.watermark;
  EXPECT_EQ(FieldText(job.name), u"대외비");
  EXPECT_EQ(FieldText(job.text), u"대외비");
  EXPECT_EQ(job.enabled, 1u);
  EXPECT_EQ(job.fontSize, 72);
  EXPECT_EQ(job.angle, 45);
  EXPECT_EQ(job.shadeOrColour, 50);
  EXPECT_EQ(job.firstPageOnly, 0u);
  EXPECT_TRUE(sheet().Enabled(0, kEdit));
  EXPECT_TRUE(sheet().Enabled(0, kFirstPageOnly));
  EXPECT_FALSE(sheet().Enabled(0, kDelete));  // predefined
  EXPECT_TRUE(sheet().Changed(0));

  ASSERT_TRUE(sheet().Click(0, kFirstPageOnly));
  EXPECT_EQ(job.firstPageOnly, 1u);

  ASSERT_TRUE(sheet().ChooseText(0, kWatermarkList, u"memo"));
  EXPECT_EQ(FieldText(job.text), u"Internal");
  EXPECT_EQ(job.fontSize, 40);
  EXPECT_EQ(job.firstPageOnly, 0u);
  EXPECT_FALSE(sheet().Checked(0, kFirstPageOnly));
  EXPECT_TRUE(sheet().Enabled(0, kDelete));

  ASSERT_TRUE(sheet().ChooseText(0, kWatermarkList, u"없음"));
  EXPECT_EQ(job.enabled, 0u);
  EXPECT_EQ(FieldText(job.name), u"");
  for (const int id : {kEdit, kDelete, kFirstPageOnly}) EXPECT_FALSE(sheet().Enabled(0, id)) << id;
}

// At opening the job's watermark takes what the library holds now; whether it marks the
// first page only stays the job's.
TEST_F(OverlayPageTest, OpeningBringsTheJobsWatermarkUpToDate) {
  if (!Korean()) GTEST_SKIP() << "the predefined names need the Korean code page";
  Store(UserWatermark(u"Memo", u"New text"));
  WatermarkRecord old = UserWatermark(u"Memo", u"Old text");
  old.firstPageOnly = 1;
  Choose(old);
  Open();
  EXPECT_EQ(FieldText(record_.watermark.text), u"New text");
  EXPECT_EQ(record_.watermark.firstPageOnly, 1u);
  EXPECT_EQ(Selected(), u"Memo");
  EXPECT_TRUE(sheet().Checked(0, kFirstPageOnly));
  EXPECT_TRUE(sheet().Enabled(0, kDelete));
  sheet_.reset();

  // "없음" is never a watermark.
  Choose(UserWatermark(u"없음", u"없음"));
  Open();
  EXPECT_EQ(record_.watermark.enabled, 0u);
  EXPECT_EQ(Selected(), u"없음");
  sheet_.reset();

  // A name the library no longer holds keeps printing under that name with the library's
  // defaults, on every page; the list has nothing to show for it.
  WatermarkRecord gone = UserWatermark(u"Gone", u"Old text");
  gone.firstPageOnly = 1;
  Choose(gone);
  Open();
  EXPECT_EQ(record_.watermark.enabled, 1u);
  EXPECT_EQ(FieldText(record_.watermark.text), u"Gone");
  EXPECT_EQ(record_.watermark.firstPageOnly, 0u);
  EXPECT_EQ(Selected(), u"없음");
  EXPECT_FALSE(sheet().Checked(0, kFirstPageOnly));
  EXPECT_FALSE(sheet().Enabled(0, kEdit));
}

TEST_F(OverlayPageTest, ANegativeImageLeavesNoWatermarkToChoose) {
  if (!Korean()) GTEST_SKIP() << "the captions need the Korean code page";
  for (const uint32_t negative : {1u, 0u}) {
    SCOPED_TRACE(negative);
    Choose(UserWatermark(u"대외비", u"대외비"));
    record_.negativeImage = negative;
    Open();
    EXPECT_EQ(sheet().Text(0, kWatermarkGroup),
              negative ? u"음화 이미지 인쇄중 워터마크를 인쇄할 수 없습니다." : u"워터마크");
    for (const int id : {kWatermarkList, kAdd, kEdit, kFirstPageOnly}) {
      EXPECT_EQ(sheet().Enabled(0, id), negative == 0) << id;
    }
    EXPECT_FALSE(sheet().Enabled(0, kDelete));
    EXPECT_EQ(Selected(), u"대외비");
  }
}

TEST_F(OverlayPageTest, AddThatIsNotSavedLeavesNoWatermark) {
  if (!Korean()) GTEST_SKIP() << "the predefined names need the Korean code page";
  Open();
  ASSERT_TRUE(sheet().ChooseText(0, kWatermarkList, u"복사"));
  const auto editor = Editor([](test::DialogDriver& user) {
    user.Enter(kEditorName, u"Half done");
    user.Enter(kEditorText, u"Half done");
    user.Click(kEditorCancel);
  });
  ASSERT_TRUE(sheet().Click(0, kAdd));
  EXPECT_EQ(Selected(), u"없음");
  EXPECT_EQ(record_.watermark.enabled, 0u);
  EXPECT_EQ(FieldText(record_.watermark.name), u"없음");
  for (const int id : {kEdit, kDelete, kFirstPageOnly}) EXPECT_FALSE(sheet().Enabled(0, id)) << id;
  EXPECT_FALSE(Stored(u"Half done"));
}

// Waits on the editor: it is the editor's dialog that the responder plays.
TEST_F(OverlayPageTest, AddThatIsSavedIsListedAndChosen) {
  if (!Korean()) GTEST_SKIP() << "the predefined names need the Korean code page";
  Open();
  ASSERT_TRUE(sheet().ChooseText(0, kWatermarkList, u"복사"));
  const auto editor = Editor([](test::DialogDriver& user) {
    // A new watermark starts empty.
    EXPECT_EQ(user.Text(kEditorName), u"");
    user.Enter(kEditorName, u"Draft");
    user.Enter(kEditorText, u"DRAFT");
    user.Click(kEditorSave);
  });
  ASSERT_TRUE(sheet().Click(0, kAdd));
  ASSERT_EQ(editor->runs(), 1);
  EXPECT_EQ(Selected(), u"Draft");
  EXPECT_EQ(FieldText(record_.watermark.text), u"DRAFT");
  for (const int id : {kEdit, kDelete, kFirstPageOnly}) EXPECT_TRUE(sheet().Enabled(0, id)) << id;
}

// Waits on the editor.
TEST_F(OverlayPageTest, EditKeepsOnlySavedChanges) {
  Store(UserWatermark(u"Memo", u"Internal"));
  Choose(UserWatermark(u"Memo", u"Internal"));
  Open();
  // How the user leaves the editor: Cancel, Escape, Save.
  for (const int close : {kEditorCancel, IDCANCEL, kEditorSave}) {
    SCOPED_TRACE(close);
    const auto editor = Editor([close](test::DialogDriver& user) {
      user.Enter(kEditorText, u"Changed");
      if (close == IDCANCEL) {
        user.Command(IDCANCEL);
      } else {
        user.Click(close);
      }
    });
    ASSERT_TRUE(sheet().Click(0, kEdit));
    ASSERT_EQ(editor->runs(), 1);
    EXPECT_EQ(FieldText(record_.watermark.text), close == kEditorSave ? u"Changed" : u"Internal");
  }
}

TEST_F(OverlayPageTest, DeleteRemovesAUserWatermark) {
  if (!Korean()) GTEST_SKIP() << "the predefined names need the Korean code page";
  Store(UserWatermark(u"Memo", u"Internal"));
  Choose(UserWatermark(u"Memo", u"Internal"));
  Open();
  ASSERT_TRUE(sheet().Enabled(0, kDelete));
  ASSERT_TRUE(sheet().Click(0, kDelete));
  EXPECT_FALSE(Stored(u"Memo"));
  EXPECT_FALSE(Listed(u"Memo"));
  EXPECT_EQ(Selected(), u"없음");
  EXPECT_EQ(record_.watermark.enabled, 0u);
  for (const int id : {kEdit, kDelete, kFirstPageOnly}) EXPECT_FALSE(sheet().Enabled(0, id)) << id;
}

// Cancel of the sheet undoes the page: the record's overlays and watermark, and the
// library entry of the watermark the job had (changed by an Edit and Save meanwhile).
TEST_F(OverlayPageTest, CancellingTheSheetRestoresRecordAndLibrary) {
  WatermarkRecord memo = UserWatermark(u"Memo", u"Internal");
  memo.firstPageOnly = 1;
  Store(memo);
  Choose(memo);
  record_.overlayPageValue = 7;
  const settings::PrivateRecord before = record_;
  Open();
  Store(UserWatermark(u"Memo", u"Edited elsewhere"));
  record_.overlayPageValue = 9;
  ASSERT_TRUE(sheet().Click(0, kAllCheck));
  ASSERT_TRUE(sheet().Type(0, kAllName, u"form1.ovl"));
  ASSERT_TRUE(sheet().Click(0, kFirstPageOnly));
  sheet().Reset(0);
  EXPECT_EQ(std::memcmp(&record_.overlays, &before.overlays, sizeof(before.overlays)), 0);
  EXPECT_EQ(std::memcmp(&record_.watermark, &before.watermark, sizeof(before.watermark)), 0);
  EXPECT_EQ(record_.overlayPageValue, 7u);
  const std::optional<WatermarkRecord> stored = Stored(u"Memo");
  ASSERT_TRUE(stored);
  EXPECT_EQ(FieldText(stored->text), u"Internal");
}

// Waits on the editor.
TEST_F(OverlayPageTest, CancelAfterEditAndSaveRestoresTheLibraryEntry) {
  Store(UserWatermark(u"Memo", u"Internal"));
  Choose(UserWatermark(u"Memo", u"Internal"));
  Open();
  {
    const auto editor = Editor([](test::DialogDriver& user) {
      user.Enter(kEditorText, u"Changed");
      user.Click(kEditorSave);
    });
    ASSERT_TRUE(sheet().Click(0, kEdit));
    ASSERT_EQ(editor->runs(), 1);
  }
  ASSERT_EQ(FieldText(Stored(u"Memo").value_or(WatermarkRecord{}).text), u"Changed");
  sheet().Reset(0);
  EXPECT_EQ(FieldText(record_.watermark.text), u"Internal");
  EXPECT_EQ(FieldText(Stored(u"Memo").value_or(WatermarkRecord{}).text), u"Internal");
}

// A printer connected from a print server keeps a library of its own.
TEST_F(OverlayPageTest, AConnectedPrintersLibrary) {
  const std::u16string local = printer_;
  Store(UserWatermark(u"Local only", u"L"));
  printer_ = u"\\\\server\\printer";
  Store(UserWatermark(u"Shared", u"From the server"));
  Open();
  EXPECT_TRUE(Listed(u"Shared"));
  EXPECT_FALSE(Listed(u"Local only"));
  ASSERT_TRUE(sheet().ChooseText(0, kWatermarkList, u"Shared"));
  EXPECT_EQ(FieldText(record_.watermark.text), u"From the server");
  platform::DeleteRegistryTree(platform::Hive::kCurrentUser,
                               PrinterStorePath(local, kWatermarkStore));
}

TEST_F(OverlayPageTest, TheDownloadManagerStartsWhenRegistered) {
  ProgramStart start;
  platform::SetProgramReceiver(TakeProgram, &start);
  Open();
  ASSERT_TRUE(sheet().Click(0, kDownloadManager));
  EXPECT_EQ(start.count, 0);
  EXPECT_EQ(BalloonAt(), kDownloadManager);
  if (Korean()) {
    EXPECT_EQ(Balloon(), kDownloadMessage);
  }
  EXPECT_TRUE(sheet().Changed(0));

  std::unique_ptr<platform::RegistryKey> key;
  bool created = false;
  ASSERT_EQ(
      platform::CreateRegistryKey(platform::Hive::kLocalMachine, kDownloadKey, &key, &created),
      platform::kErrorSuccess);
  const std::u16string folder = u"C:\\Utilities\\Download";
  ASSERT_EQ(
      key->SetValue(u"Path", platform::kRegSz, reinterpret_cast<const uint8_t*>(folder.c_str()),
                    static_cast<uint32_t>((folder.size() + 1) * sizeof(char16_t))),
      platform::kErrorSuccess);
  ASSERT_TRUE(sheet().Click(0, kDownloadManager));
  EXPECT_EQ(start.count, 1);
  EXPECT_EQ(start.program, folder + u"\\VXDownMgr.exe");
  EXPECT_EQ(start.arguments, std::vector<std::u16string>{u"1"});
}

// The rendering plug-in's copy of the text, in the system's ANSI code page, is made
// whenever the page is entered, left or applied; the page never refuses either.
TEST_F(OverlayPageTest, TheAnsiCopyOfTheTextFollowsTheWatermark) {
  Store(UserWatermark(u"Memo", u"Internal use"));
  Store(UserWatermark(u"Korean", u"대외비"));
  Open();
  struct Case {
    std::u16string_view choice;
    UINT notification;
    std::string_view ansi;
  };
  const Case cases[] = {{u"Memo", PSN_SETACTIVE, "Internal use"},
                        {u"Memo", PSN_KILLACTIVE, "Internal use"},
                        {u"Memo", PSN_APPLY, "Internal use"},
                        {u"Korean", PSN_APPLY, "\xB4\xEB\xBF\xDC\xBA\xF1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notification);
    if (c.choice == u"Korean" && !Korean()) continue;
    ASSERT_TRUE(sheet().ChooseText(0, kWatermarkList, c.choice));
    std::memset(record_.watermarkTextAnsi, 'x', sizeof(record_.watermarkTextAnsi));
    record_.watermarkCodePage = 0;
    EXPECT_EQ(sheet().Notify(0, c.notification), PSNRET_NOERROR);
    EXPECT_EQ(std::string_view(record_.watermarkTextAnsi, c.ansi.size() + 1),
              std::string(c.ansi) + '\0');
    EXPECT_EQ(record_.watermarkCodePage, platform::AnsiCodePage());
  }
}

TEST_F(OverlayPageTest, HelpForThePageAndEachControl) {
  std::vector<std::u16string> pages;
  platform::SetPageReceiver(TakePage, &pages);
  Open();
  const int topics[] = {1022, 1023, 1024, 1025, 1026, 1028, 1029, 1030, 1031, 1032,
                        1033, 1034, 1035, 1036, 1037, 1039, 1040, 1042, 1043, 1394};
  sheet().Help(0);
  for (const int id : topics) sheet().HelpRequest(0, id);
  ASSERT_EQ(pages.size(), std::size(topics) + 1);
  // Every page named is one the plug-in ships beside its module.
  const std::filesystem::path shipped =
      std::filesystem::path(KX48T7UI_MODULE_PATH).parent_path() / "KX48T7PS";
  for (size_t i = 0; i < pages.size(); ++i) {
    const std::string topic = i == 0 ? "102" : std::to_string(topics[i - 1]);
    SCOPED_TRACE(topic);
    const std::u16string suffix(topic.begin(), topic.end());
    EXPECT_TRUE(pages[i].ends_with(suffix + u".html"));
    EXPECT_TRUE(std::filesystem::exists(shipped / (topic + ".html")));
  }
}

}  // namespace
}  // namespace kx::ui
