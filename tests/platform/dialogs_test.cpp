// The dialog services as the pages use them. Every expectation here is what user32 and
// comctl32 do, so the same tests run against the headless services and against Windows.
#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/shell.h"

namespace kx::platform {
namespace {

using namespace kx::host;  // the window constants, as a Windows program sees them

enum ControlId : int {
  kNameEdit = 100,
  kNumberEdit = 101,
  kSortedCombo = 102,
  kPlainCombo = 103,
  kSortedList = 104,
  kCopiesEdit = 105,
  kCopiesSpin = 106,
  kPlainEdit = 107,
  kPlainSpin = 108,
  kCollateCheck = 110,
  kRadioFirst = 111,
  kRadioSecond = 112,
  kRadioThird = 113,
  kOtherGroupRadio = 114,
  kApplyButton = 115,
  kLabel = 116,
};

constexpr int kNameLimit = 5;
constexpr int kNumberLimit = 3;
constexpr int kCopiesMin = 1;
constexpr int kCopiesMax = 9999;

constexpr ControlSpec kControls[] = {
    {.id = kNameEdit, .kind = ControlKind::Edit, .x = 8, .y = 8, .width = 80, .height = 12,
     .style = WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, .exStyle = WS_EX_CLIENTEDGE,
     .limit = kNameLimit},
    {.id = kNumberEdit, .kind = ControlKind::Edit, .x = 8, .y = 24, .width = 40, .height = 12,
     .style = WS_TABSTOP | ES_NUMBER, .limit = kNumberLimit},
    {.id = kSortedCombo, .kind = ControlKind::ComboBox, .x = 8, .y = 40, .width = 100,
     .height = 80, .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT},
    {.id = kPlainCombo, .kind = ControlKind::ComboBox, .x = 8, .y = 56, .width = 100,
     .height = 80, .style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {.id = kSortedList, .kind = ControlKind::ListBox, .x = 120, .y = 8, .width = 100,
     .height = 60, .style = WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_SORT | LBS_NOTIFY},
    {.id = kCopiesEdit, .kind = ControlKind::Edit, .x = 8, .y = 72, .width = 40, .height = 12,
     .style = WS_TABSTOP | ES_NUMBER},
    {.id = kCopiesSpin, .kind = ControlKind::UpDown, .style = UDS_AUTOBUDDY | UDS_SETBUDDYINT |
                                                             UDS_ALIGNRIGHT | UDS_ARROWKEYS,
     .spinMin = kCopiesMin, .spinMax = kCopiesMax},
    {.id = kPlainEdit, .kind = ControlKind::Edit, .x = 8, .y = 88, .width = 40, .height = 12,
     .style = WS_TABSTOP},
    {.id = kPlainSpin, .kind = ControlKind::UpDown,
     .style = UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS},
    {.id = kCollateCheck, .kind = ControlKind::Button, .caption = "Collate", .x = 8, .y = 104,
     .width = 60, .height = 10, .style = WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX},
    {.id = kRadioFirst, .kind = ControlKind::Button, .caption = "Portrait", .x = 8, .y = 118,
     .width = 60, .height = 10, .style = WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
    {.id = kRadioSecond, .kind = ControlKind::Button, .caption = "Landscape", .x = 8,
     .y = 130, .width = 60, .height = 10, .style = BS_AUTORADIOBUTTON},
    {.id = kRadioThird, .kind = ControlKind::Button, .caption = "Rotated", .x = 8, .y = 142,
     .width = 60, .height = 10, .style = BS_AUTORADIOBUTTON},
    {.id = kOtherGroupRadio, .kind = ControlKind::Button, .caption = "Mirror", .x = 80,
     .y = 118, .width = 60, .height = 10, .style = WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
    {.id = kApplyButton, .kind = ControlKind::Button, .caption = "Apply", .x = 80, .y = 142,
     .width = 50, .height = 14, .style = WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON},
    {.id = kLabel, .kind = ControlKind::Static, .caption = "Copies:", .x = 60, .y = 72,
     .width = 40, .height = 8, .style = SS_LEFT},
};

constexpr DialogSpec kDialog = {
    .templateId = 1,
    .caption = "Dialog services",
    .width = 240,
    .height = 170,
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME,
    .controls = kControls,
};

struct Command {
  int id;
  UINT code;
  bool operator==(const Command&) const = default;
};

// What the dialog procedure saw, and how it answers.
struct Recorder {
  const DialogSpec* spec = &kDialog;
  std::vector<Command> commands;
  std::vector<std::pair<UINT_PTR, UINT>> notifications;  // (idFrom, code)
  LONG_PTR notifyResult = 0;
  std::u16string tipText = u"Toner is low";
  INT_PTR endInInit = 0;  // nonzero: EndDialog with this value during WM_INITDIALOG

  bool Saw(int id, UINT code) const {
    for (const Command& command : commands) {
      if (command == Command{id, code}) return true;
    }
    return false;
  }
  size_t Count(int id, UINT code) const {
    size_t count = 0;
    for (const Command& command : commands) count += command == Command{id, code} ? 1 : 0;
    return count;
  }
};

Recorder* RecorderOf(HWND dialog) {
  return reinterpret_cast<Recorder*>(GetWindowLongPtr(dialog, GWLP_USERDATA));
}

INT_PTR KX_STDCALL RecordingProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtr(dialog, GWLP_USERDATA, lParam);
    auto* recorder = reinterpret_cast<Recorder*>(lParam);
    ApplyControlLimits(dialog, *recorder->spec);
    if (recorder->endInInit != 0) EndDialog(dialog, recorder->endInInit);
    return 1;
  }
  Recorder* recorder = RecorderOf(dialog);
  if (recorder == nullptr) return 0;
  switch (message) {
    case WM_COMMAND:
      recorder->commands.push_back({LoWord(wParam), HiWord(wParam)});
      return 1;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      recorder->notifications.emplace_back(header->idFrom, header->code);
      if (header->code == TTN_GETDISPINFOW) {
        reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = recorder->tipText.data();
        return 1;
      }
      SetWindowLongPtr(dialog, DWLP_MSGRESULT, recorder->notifyResult);
      return 1;
    }
    default:
      return 0;
  }
}

LPARAM Text(const char16_t* text) { return reinterpret_cast<LPARAM>(text); }

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_ = CreateDialogIndirectParam(templateBytes_.data(), nullptr, RecordingProcedure,
                                        reinterpret_cast<LPARAM>(&recorder_));
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override {
    if (dialog_ != nullptr) DestroyWindow(dialog_);
  }

  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessage(dialog_, id, message, wParam, lParam);
  }
  void Type(int id, const std::u16string& characters) {
    for (char16_t c : characters) Send(id, WM_CHAR, c);
  }

  std::vector<uint32_t> templateBytes_ = BuildDialogTemplate(kDialog);
  Recorder recorder_;
  HWND dialog_ = nullptr;
};

// --- Dialogs from templates ---------------------------------------------------------

using DialogTemplateTest = DialogTest;

TEST_F(DialogTemplateTest, MakesEveryControlWithItsClassTextAndParent) {
  const std::vector<HWND> children = ChildWindows(dialog_);
  ASSERT_GE(children.size(), std::size(kControls));
  struct Expected {
    int id;
    const char16_t* className;
  };
  const Expected expected[] = {{kNameEdit, u"Edit"},         {kSortedCombo, u"ComboBox"},
                               {kSortedList, u"ListBox"},    {kCopiesSpin, u"msctls_updown32"},
                               {kCollateCheck, u"Button"},   {kLabel, u"Static"}};
  for (const Expected& control : expected) {
    SCOPED_TRACE(control.id);
    HWND window = Item(control.id);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), dialog_);
    EXPECT_EQ(GetDlgCtrlID(window), control.id);
    // Class names compare without case on Windows; the predefined ones are spelled so.
    std::u16string name = GetClassName(window);
    for (char16_t& c : name) c = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    std::u16string wanted = control.className;
    for (char16_t& c : wanted) c = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    EXPECT_EQ(name, wanted);
  }
  EXPECT_EQ(GetWindowText(dialog_), u"Dialog services");
  EXPECT_EQ(GetDlgItemText(dialog_, kLabel), u"Copies:");
  EXPECT_EQ(GetDlgItemText(dialog_, kRadioSecond), u"Landscape");
  EXPECT_TRUE(IsWindowVisible(dialog_));
  EXPECT_EQ(GetDlgItem(dialog_, 999), nullptr);
}

TEST_F(DialogTemplateTest, InitialisationReturningTrueFocusesTheFirstTabStop) {
  EXPECT_EQ(GetFocus(), Item(kNameEdit));
}

TEST_F(DialogTemplateTest, ControlsSitInsideTheDialogInScreenCoordinates) {
  RECT dialogRect{};
  RECT labelRect{};
  ASSERT_TRUE(GetWindowRect(dialog_, &dialogRect));
  ASSERT_TRUE(GetWindowRect(Item(kLabel), &labelRect));
  EXPECT_GT(labelRect.right, labelRect.left);
  EXPECT_GT(labelRect.bottom, labelRect.top);
  EXPECT_GE(labelRect.left, dialogRect.left);
  EXPECT_GE(labelRect.top, dialogRect.top);
  EXPECT_LE(labelRect.right, dialogRect.right);
  EXPECT_LE(labelRect.bottom, dialogRect.bottom);
}

TEST_F(DialogTemplateTest, DestroyingTheDialogDestroysItsControls) {
  HWND edit = Item(kNameEdit);
  ASSERT_TRUE(IsWindow(edit));
  EXPECT_TRUE(DestroyWindow(dialog_));
  EXPECT_FALSE(IsWindow(dialog_));
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_NE(GetFocus(), edit);
  dialog_ = nullptr;
}

TEST_F(DialogTemplateTest, NotifyResultComesFromMessageResult) {
  NMHDR header{.hwndFrom = Item(kSortedList), .idFrom = kSortedList, .code = PSN_APPLY};
  const struct {
    LONG_PTR answer;
  } cases[] = {{PSNRET_INVALID}, {0x1234}, {PSNRET_NOERROR}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.answer);
    recorder_.notifyResult = test.answer;
    EXPECT_EQ(SendMessage(dialog_, WM_NOTIFY, kSortedList, reinterpret_cast<LPARAM>(&header)),
              test.answer);
  }
  EXPECT_EQ(recorder_.notifications.size(), std::size(cases));
}

TEST_F(DialogTemplateTest, CaptionMessagesFallBackToTheDefault) {
  EXPECT_TRUE(SetWindowText(dialog_, u"Printing preferences"));
  EXPECT_EQ(GetWindowText(dialog_), u"Printing preferences");
}

TEST_F(DialogTemplateTest, WindowValuesKeepWhatWasStored) {
  HWND label = Item(kLabel);
  EXPECT_EQ(SetWindowLongPtr(label, GWLP_USERDATA, 77), 0);
  EXPECT_EQ(SetWindowLongPtr(label, GWLP_USERDATA, 78), 77);
  EXPECT_EQ(GetWindowLongPtr(label, GWLP_USERDATA), 78);
}

// --- Enabled, visible and focus state -------------------------------------------------

using DialogStateTest = DialogTest;

TEST_F(DialogStateTest, EnableAndShowAnswerThePreviousState) {
  HWND button = Item(kApplyButton);
  EXPECT_FALSE(EnableWindow(button, false));  // was enabled
  EXPECT_TRUE(EnableWindow(button, false));   // was disabled
  EXPECT_FALSE(IsWindowEnabled(button));
  EXPECT_TRUE(EnableWindow(button, true));
  EXPECT_TRUE(IsWindowEnabled(button));

  EXPECT_TRUE(ShowWindow(button, SW_HIDE));   // was visible
  EXPECT_FALSE(ShowWindow(button, SW_HIDE));  // was hidden
  EXPECT_FALSE(IsWindowVisible(button));
  EXPECT_FALSE(ShowWindow(button, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(button));

  // A visible child of a hidden dialog is not visible.
  ShowWindow(dialog_, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(button));
  EXPECT_NE(GetWindowStyle(button) & WS_VISIBLE, 0u);
}

TEST_F(DialogStateTest, LosingTheFocusIsReportedToTheParent) {
  SetFocus(Item(kNameEdit));
  recorder_.commands.clear();

  // What the parent hears, in order: the loser first. A combo box that loses the focus
  // also reports that its list closed without a choice.
  struct Step {
    int gains;
    std::vector<Command> reported;
  };
  const Step steps[] = {
      {kSortedCombo, {{kNameEdit, EN_KILLFOCUS}, {kSortedCombo, CBN_SETFOCUS}}},
      {kNumberEdit,
       {{kSortedCombo, CBN_SELENDCANCEL}, {kSortedCombo, CBN_KILLFOCUS},
        {kNumberEdit, EN_SETFOCUS}}},
      {kApplyButton, {{kNumberEdit, EN_KILLFOCUS}}},
  };
  int previous = kNameEdit;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.gains);
    recorder_.commands.clear();
    EXPECT_EQ(SetFocus(Item(step.gains)), Item(previous));
    EXPECT_EQ(GetFocus(), Item(step.gains));
    EXPECT_EQ(recorder_.commands, step.reported);
    previous = step.gains;
  }
}

TEST_F(DialogStateTest, AClickTakesTheFocusBeforeItIsReported) {
  SetFocus(Item(kNameEdit));
  recorder_.commands.clear();
  Send(kApplyButton, BM_CLICK);
  ASSERT_EQ(recorder_.commands.size(), 2u);
  EXPECT_EQ(recorder_.commands[0], (Command{kNameEdit, EN_KILLFOCUS}));
  EXPECT_EQ(recorder_.commands[1], (Command{kApplyButton, BN_CLICKED}));
}

// --- Edits --------------------------------------------------------------------------

using DialogEditTest = DialogTest;

TEST_F(DialogEditTest, TypedTextKeepsTheLimitButSetTextDoesNot) {
  EXPECT_EQ(Send(kNameEdit, EM_GETLIMITTEXT), kNameLimit);
  SetDlgItemText(dialog_, kNameEdit, u"");
  Type(kNameEdit, u"Booklets");
  EXPECT_EQ(GetDlgItemText(dialog_, kNameEdit), u"Bookl");

  SetDlgItemText(dialog_, kNameEdit, u"Watermark");
  EXPECT_EQ(GetDlgItemText(dialog_, kNameEdit), u"Watermark");
  Send(kNameEdit, EM_SETSEL, 9, 9);
  Type(kNameEdit, u"s");
  EXPECT_EQ(GetDlgItemText(dialog_, kNameEdit), u"Watermark");
}

TEST_F(DialogEditTest, TypingReplacesTheSelectionAndBackspaceDeletes) {
  SetDlgItemText(dialog_, kNameEdit, u"Draft");
  Send(kNameEdit, EM_SETSEL, 0, -1);
  Type(kNameEdit, u"Top");
  EXPECT_EQ(GetDlgItemText(dialog_, kNameEdit), u"Top");
  Type(kNameEdit, std::u16string(1, u'\b'));
  EXPECT_EQ(GetDlgItemText(dialog_, kNameEdit), u"To");
  DWORD start = 0xDEADBEEF;
  DWORD end = 0xDEADBEEF;
  Send(kNameEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 2u);
}

TEST_F(DialogEditTest, DigitsOnlyAppliesToTypedText) {
  SetDlgItemText(dialog_, kNumberEdit, u"");
  Type(kNumberEdit, u"7x-8");
  EXPECT_EQ(GetDlgItemText(dialog_, kNumberEdit), u"78");
  SetDlgItemText(dialog_, kNumberEdit, u"12a45");
  EXPECT_EQ(GetDlgItemText(dialog_, kNumberEdit), u"12a45");
}

TEST_F(DialogEditTest, EveryChangeIsReported) {
  recorder_.commands.clear();
  SetDlgItemText(dialog_, kNumberEdit, u"");
  EXPECT_EQ(recorder_.Count(kNumberEdit, EN_CHANGE), 1u);
  Type(kNumberEdit, u"1x2");  // the letter is refused and changes nothing
  EXPECT_EQ(recorder_.Count(kNumberEdit, EN_CHANGE), 3u);
  // The limit of 3 refuses the fourth digit; the system reports the full entry and, for
  // the refused digit too, a change.
  Type(kNumberEdit, u"34");
  EXPECT_EQ(GetDlgItemText(dialog_, kNumberEdit), u"123");
  EXPECT_EQ(recorder_.Count(kNumberEdit, EN_MAXTEXT), 1u);
  EXPECT_EQ(recorder_.Count(kNumberEdit, EN_CHANGE), 5u);
}

// --- Combo and list boxes -------------------------------------------------------------

// The messages of one kind of list, so that combo and list boxes run the same cases.
struct ListMessages {
  int id;
  UINT add, insert, remove, count, setSelection, getSelection, getText, getTextLength,
      getData, setData, find, findExact;
};
constexpr ListMessages kSortedLists[] = {
    {kSortedCombo, CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_GETCOUNT, CB_SETCURSEL,
     CB_GETCURSEL, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_GETITEMDATA, CB_SETITEMDATA,
     CB_FINDSTRING, CB_FINDSTRINGEXACT},
    {kSortedList, LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_GETCOUNT, LB_SETCURSEL,
     LB_GETCURSEL, LB_GETTEXT, LB_GETTEXTLEN, LB_GETITEMDATA, LB_SETITEMDATA, LB_FINDSTRING,
     LB_FINDSTRINGEXACT},
};

// The font names in the order they are added, and their sorted order.
constexpr const char16_t* kFontNames[] = {u"Courier", u"helvetica", u"Times-Roman", u"굴림",
                                          u"바탕",    u"Arial",     u"arial Black"};
constexpr const char16_t* kSortedFontNames[] = {u"Arial",       u"arial Black", u"Courier",
                                                u"helvetica",   u"Times-Roman", u"굴림",
                                                u"바탕"};

class DialogListTest : public DialogTest {
 protected:
  std::u16string ItemText(const ListMessages& list, LRESULT index) {
    const LRESULT length = Send(list.id, list.getTextLength, static_cast<WPARAM>(index));
    if (length < 0) return u"<error>";
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    Send(list.id, list.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
  }
  std::vector<std::u16string> AllTexts(const ListMessages& list) {
    std::vector<std::u16string> texts;
    const LRESULT count = Send(list.id, list.count);
    for (LRESULT i = 0; i < count; ++i) texts.push_back(ItemText(list, i));
    return texts;
  }
  // Adds the font names, each with its position in kFontNames as its item data.
  void AddFonts(const ListMessages& list) {
    for (size_t i = 0; i < std::size(kFontNames); ++i) {
      const LRESULT at = Send(list.id, list.add, 0, Text(kFontNames[i]));
      ASSERT_GE(at, 0);
      Send(list.id, list.setData, static_cast<WPARAM>(at), static_cast<LPARAM>(i + 1));
    }
  }
  void ExpectDataFollowsText(const ListMessages& list) {
    const LRESULT count = Send(list.id, list.count);
    for (LRESULT i = 0; i < count; ++i) {
      const std::u16string text = ItemText(list, i);
      SCOPED_TRACE(std::string(text.begin(), text.end()));
      const LRESULT data = Send(list.id, list.getData, static_cast<WPARAM>(i));
      ASSERT_GE(data, 1);
      ASSERT_LE(static_cast<size_t>(data), std::size(kFontNames));
      EXPECT_EQ(text, kFontNames[data - 1]);
    }
  }
};

TEST_F(DialogListTest, SortedListsOrderLatinCaseBlindThenKorean) {
  for (const ListMessages& list : kSortedLists) {
    SCOPED_TRACE(list.id);
    AddFonts(list);
    const std::vector<std::u16string> expected(std::begin(kSortedFontNames),
                                               std::end(kSortedFontNames));
    EXPECT_EQ(AllTexts(list), expected);
    // Digits sort before letters; the index of the new item is returned.
    EXPECT_EQ(Send(list.id, list.add, 0, Text(u"1200 dpi")), 0);
    // Inserting never sorts.
    EXPECT_EQ(Send(list.id, list.insert, 2, Text(u"Zapf")), 2);
    EXPECT_EQ(ItemText(list, 2), u"Zapf");
    EXPECT_EQ(Send(list.id, list.insert, static_cast<WPARAM>(-1), Text(u"Avant")),
              static_cast<LRESULT>(std::size(kFontNames)) + 2);
  }
}

TEST_F(DialogListTest, ItemDataStaysWithItsItem) {
  for (const ListMessages& list : kSortedLists) {
    SCOPED_TRACE(list.id);
    AddFonts(list);
    ExpectDataFollowsText(list);
    // Deleting answers the items left; the others keep their data.
    EXPECT_EQ(Send(list.id, list.remove, 1), static_cast<LRESULT>(std::size(kFontNames)) - 1);
    EXPECT_EQ(Send(list.id, list.remove, 99), CB_ERR);
    ExpectDataFollowsText(list);
    EXPECT_EQ(Send(list.id, list.getData, 99), CB_ERR);
  }
}

TEST_F(DialogListTest, SearchesIgnoreCaseAndWrapAround) {
  struct Search {
    bool exact;
    WPARAM start;
    const char16_t* text;
    LRESULT found;
  };
  const WPARAM fromTheStart = static_cast<WPARAM>(-1);
  const Search searches[] = {
      {true, fromTheStart, u"ARIAL", 0},  {false, fromTheStart, u"TIM", 4},
      {false, fromTheStart, u"ari", 0},   {false, 0, u"ari", 1},
      {false, 1, u"ari", 0},              {true, 0, u"arial", 0},
      {true, fromTheStart, u"Aria", CB_ERR}, {false, fromTheStart, u"굴", 5},
      {false, 3, u"helvetica", 3},        {false, fromTheStart, u"Zapf", CB_ERR},
  };
  for (const ListMessages& list : kSortedLists) {
    AddFonts(list);
    for (const Search& search : searches) {
      SCOPED_TRACE(testing::Message() << list.id << " start " << static_cast<int>(search.start)
                                      << (search.exact ? " exact" : " prefix"));
      EXPECT_EQ(Send(list.id, search.exact ? list.findExact : list.find, search.start,
                     Text(search.text)),
                search.found);
    }
  }
}

TEST_F(DialogListTest, SelectionRules) {
  for (const ListMessages& list : kSortedLists) {
    SCOPED_TRACE(list.id);
    AddFonts(list);
    EXPECT_EQ(Send(list.id, list.getSelection), CB_ERR);
    EXPECT_EQ(Send(list.id, list.setSelection, 3), 3);
    EXPECT_EQ(Send(list.id, list.getSelection), 3);
    // Removing an item before the selection keeps the same item selected.
    Send(list.id, list.remove, 0);
    EXPECT_EQ(Send(list.id, list.getSelection), 2);
    EXPECT_EQ(ItemText(list, 2), u"helvetica");
    // -1 clears the selection and still answers CB_ERR; an index past the end answers
    // CB_ERR and leaves the selection.
    EXPECT_EQ(Send(list.id, list.setSelection, static_cast<WPARAM>(-1)), CB_ERR);
    EXPECT_EQ(Send(list.id, list.getSelection), CB_ERR);
    Send(list.id, list.setSelection, 1);
    EXPECT_EQ(Send(list.id, list.setSelection, 99), CB_ERR);
    EXPECT_EQ(Send(list.id, list.getSelection), 1);
  }
}

TEST_F(DialogListTest, ADropDownListShowsItsSelectionWithoutNotifying) {
  const ListMessages& combo = kSortedLists[0];
  AddFonts(combo);
  recorder_.commands.clear();
  Send(combo.id, CB_SETCURSEL, 4);
  EXPECT_EQ(GetDlgItemText(dialog_, combo.id), u"Times-Roman");
  EXPECT_EQ(Send(combo.id, CB_SELECTSTRING, static_cast<WPARAM>(-1), Text(u"cour")), 2);
  EXPECT_EQ(GetDlgItemText(dialog_, combo.id), u"Courier");
  EXPECT_EQ(Send(combo.id, CB_SELECTSTRING, static_cast<WPARAM>(-1), Text(u"Zapf")), CB_ERR);
  EXPECT_EQ(Send(combo.id, CB_GETCURSEL), 2);
  Send(combo.id, CB_SETCURSEL, static_cast<WPARAM>(-1));
  EXPECT_EQ(GetDlgItemText(dialog_, combo.id), u"");
  EXPECT_FALSE(recorder_.Saw(combo.id, CBN_SELCHANGE));
}

TEST_F(DialogListTest, AnUnsortedComboKeepsTheOrderGivenAndEmptiesOnReset) {
  const char16_t* const names[] = {u"Letter", u"A4", u"legal"};
  for (const char16_t* name : names) Send(kPlainCombo, CB_ADDSTRING, 0, Text(name));
  EXPECT_EQ(Send(kPlainCombo, CB_INSERTSTRING, 0, Text(u"Tabloid")), 0);
  EXPECT_EQ(Send(kPlainCombo, CB_GETCOUNT), 4);
  EXPECT_EQ(Send(kPlainCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), Text(u"LEGAL")), 3);
  Send(kPlainCombo, CB_SETCURSEL, 1);
  Send(kPlainCombo, CB_RESETCONTENT);
  EXPECT_EQ(Send(kPlainCombo, CB_GETCOUNT), 0);
  EXPECT_EQ(Send(kPlainCombo, CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(GetDlgItemText(dialog_, kPlainCombo), u"");
}

// --- Buttons ---------------------------------------------------------------------------

using DialogButtonTest = DialogTest;

TEST_F(DialogButtonTest, ClicksToggleCheckBoxesAndMoveTheRadioChoiceInsideItsGroup) {
  Send(kOtherGroupRadio, BM_SETCHECK, BST_CHECKED);
  struct Click {
    int id;
    std::array<WPARAM, 5> checks;  // collate, first, second, third, other group
  };
  const Click clicks[] = {
      {kCollateCheck, {BST_CHECKED, 0, 0, 0, BST_CHECKED}},
      {kRadioSecond, {BST_CHECKED, 0, BST_CHECKED, 0, BST_CHECKED}},
      {kRadioThird, {BST_CHECKED, 0, 0, BST_CHECKED, BST_CHECKED}},
      {kCollateCheck, {0, 0, 0, BST_CHECKED, BST_CHECKED}},
      {kRadioFirst, {0, BST_CHECKED, 0, 0, BST_CHECKED}},
  };
  const int ids[] = {kCollateCheck, kRadioFirst, kRadioSecond, kRadioThird, kOtherGroupRadio};
  for (const Click& click : clicks) {
    SCOPED_TRACE(click.id);
    recorder_.commands.clear();
    Send(click.id, BM_CLICK);
    EXPECT_TRUE(recorder_.Saw(click.id, BN_CLICKED));
    for (size_t i = 0; i < std::size(ids); ++i) {
      SCOPED_TRACE(ids[i]);
      EXPECT_EQ(static_cast<WPARAM>(Send(ids[i], BM_GETCHECK)), click.checks[i]);
    }
  }
}

// --- Spins -----------------------------------------------------------------------------

using DialogSpinTest = DialogTest;

TEST_F(DialogSpinTest, TheRangeClampsThePositionAndTheBuddyShowsIt) {
  EXPECT_EQ(reinterpret_cast<HWND>(Send(kCopiesSpin, UDM_GETBUDDY)), Item(kCopiesEdit));
  const LRESULT range = Send(kCopiesSpin, UDM_GETRANGE);
  EXPECT_EQ(LoWord(static_cast<uintptr_t>(range)), kCopiesMax);
  EXPECT_EQ(HiWord(static_cast<uintptr_t>(range)), kCopiesMin);

  struct Step {
    int set;
    int position;
  };
  const Step steps[] = {{5, 5}, {0, kCopiesMin}, {20000, kCopiesMax}, {1234, 1234}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.set);
    Send(kCopiesSpin, UDM_SETPOS, 0, MakeLParam(static_cast<WORD>(step.set), 0));
    const LRESULT position = Send(kCopiesSpin, UDM_GETPOS);
    EXPECT_EQ(HiWord(static_cast<uintptr_t>(position)), 0);
    EXPECT_EQ(LoWord(static_cast<uintptr_t>(position)), step.position);
  }
  // With thousands separators the buddy does not show the bare digits, and the position
  // is still read back from it.
  EXPECT_NE(GetDlgItemText(dialog_, kCopiesEdit), u"1234");
}

TEST_F(DialogSpinTest, ThePositionIsReadFromTheBuddyText) {
  struct Case {
    const char16_t* text;
    bool valid;
    int position;
  };
  const Case cases[] = {{u"42", true, 42}, {u"abc", false, 0}, {u"0", false, 0},
                        {u"9999", true, 9999}};
  for (const Case& test : cases) {
    SCOPED_TRACE(std::string(test.text, test.text + std::char_traits<char16_t>::length(test.text)));
    SetDlgItemText(dialog_, kCopiesEdit, test.text);
    const LRESULT position = Send(kCopiesSpin, UDM_GETPOS);
    EXPECT_EQ(HiWord(static_cast<uintptr_t>(position)) == 0, test.valid);
    if (test.valid) {
      EXPECT_EQ(LoWord(static_cast<uintptr_t>(position)), test.position);
    }
  }
}

TEST_F(DialogSpinTest, ADefaultSpinRunsFromOneHundredDownToZero) {
  const LRESULT range = Send(kPlainSpin, UDM_GETRANGE);
  EXPECT_EQ(LoWord(static_cast<uintptr_t>(range)), 0);    // maximum
  EXPECT_EQ(HiWord(static_cast<uintptr_t>(range)), 100);  // minimum
  Send(kPlainSpin, UDM_SETRANGE, 0, MakeLParam(30000, 0));
  EXPECT_EQ(Send(kPlainSpin, UDM_SETPOS, 0, MakeLParam(12345, 0)), 0);  // the previous one
  EXPECT_EQ(GetDlgItemText(dialog_, kPlainEdit), u"12345");
}

// --- Tooltips ----------------------------------------------------------------------------

using DialogTooltipTest = DialogTest;

TEST_F(DialogTooltipTest, TrackingAToolAsksItsWindowForTheText) {
  HWND tip = CreateTooltipWindow(dialog_, TTS_NOPREFIX);
  ASSERT_NE(tip, nullptr);
  constexpr UINT_PTR kToolId = 7;
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = dialog_;
  tool.uId = kToolId;
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  ASSERT_NE(SendMessage(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)), 0);
  SendMessage(tip, TTM_SETMAXTIPWIDTH, 0, 300);
  constexpr int kX = 100;
  constexpr int kY = 120;
  SendMessage(tip, TTM_TRACKPOSITION, 0, MakeLParam(kX, kY));
  EXPECT_FALSE(IsWindowVisible(tip));

  SendMessage(tip, TTM_TRACKACTIVATE, 1, reinterpret_cast<LPARAM>(&tool));
  bool asked = false;
  for (const auto& [id, code] : recorder_.notifications) {
    asked = asked || (id == kToolId && code == TTN_GETDISPINFOW);
  }
  EXPECT_TRUE(asked);
  EXPECT_TRUE(IsWindowVisible(tip));
  RECT where{};
  ASSERT_TRUE(GetWindowRect(tip, &where));
  // The tip stands at the tracking position (a frame may widen it by a pixel or two).
  EXPECT_NEAR(where.left, kX, 4);
  EXPECT_NEAR(where.top, kY, 4);

  std::array<char16_t, 80> buffer{};
  TOOLINFOW query{};
  query.cbSize = sizeof query;
  query.hwnd = dialog_;
  query.uId = kToolId;
  query.lpszText = buffer.data();
  SendMessage(tip, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&query));
  EXPECT_EQ(std::u16string(buffer.data()), recorder_.tipText);

  SendMessage(tip, TTM_TRACKACTIVATE, 0, reinterpret_cast<LPARAM>(&tool));
  EXPECT_FALSE(IsWindowVisible(tip));
  DestroyWindow(tip);
}

TEST_F(DialogTooltipTest, AToolWithItsOwnTextNeedsNoQuestion) {
  HWND tip = CreateTooltipWindow(dialog_, TTS_NOPREFIX);
  ASSERT_NE(tip, nullptr);
  std::u16string text = u"Prints on both sides";
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = dialog_;
  tool.uId = 8;
  tool.lpszText = text.data();
  SendMessage(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  text = u"changed after adding";  // the tooltip keeps its own copy

  std::array<char16_t, 80> buffer{};
  tool.lpszText = buffer.data();
  SendMessage(tip, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::u16string(buffer.data()), u"Prints on both sides");
  EXPECT_TRUE(recorder_.notifications.empty());
  DestroyWindow(tip);
}

// --- Modal dialogs, message boxes and menus -------------------------------------------

struct ModalScript {
  HWND owner = nullptr;
  HWND dialog = nullptr;
  bool ownerEnabledWhileRunning = true;
  std::u16string typedName;
};

void DriveModalDialog(void* context, HWND dialog) {
  auto* script = static_cast<ModalScript*>(context);
  script->dialog = dialog;
  script->ownerEnabledWhileRunning = IsWindowEnabled(script->owner);
  SendDlgItemMessage(dialog, kNameEdit, EM_SETSEL, 0, -1);
  for (char16_t c : std::u16string(u"Memo")) SendDlgItemMessage(dialog, kNameEdit, WM_CHAR, c, 0);
  script->typedName = GetDlgItemText(dialog, kNameEdit);
  SendDlgItemMessage(dialog, kCollateCheck, BM_CLICK, 0, 0);
  EndDialog(dialog, 42);
}

LRESULT KX_STDCALL HostProcedure(HWND, UINT, WPARAM, LPARAM) { return 0; }

TEST(DialogModalTest, TheResponderDrivesTheDialogAndEndDialogGivesTheResult) {
  HWND owner = CreateHostWindow(HostProcedure, u"Sheet");
  ASSERT_NE(owner, nullptr);
  ModalScript script;
  script.owner = owner;
  Recorder recorder;
  const std::vector<uint32_t> bytes = BuildDialogTemplate(kDialog);
  SetModalDialogResponder(DriveModalDialog, &script);
  const INT_PTR result = DialogBoxIndirectParam(bytes.data(), owner, RecordingProcedure,
                                                reinterpret_cast<LPARAM>(&recorder));
  SetModalDialogResponder(nullptr, nullptr);

  EXPECT_EQ(result, 42);
  EXPECT_EQ(script.typedName, u"Memo");
  EXPECT_TRUE(recorder.Saw(kCollateCheck, BN_CLICKED));
  EXPECT_FALSE(script.ownerEnabledWhileRunning);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(IsWindow(script.dialog));
  DestroyWindow(owner);
}

TEST(DialogModalTest, EndingDuringInitialisationGivesTheResult) {
  Recorder recorder;
  recorder.endInInit = 9;
  const std::vector<uint32_t> bytes = BuildDialogTemplate(kDialog);
  EXPECT_EQ(DialogBoxIndirectParam(bytes.data(), nullptr, RecordingProcedure,
                                   reinterpret_cast<LPARAM>(&recorder)),
            9);
}

TEST(DialogModalTest, PagesMadeInsideASheetWindowHaveItAsParent) {
  HWND sheet = CreateHostWindow(HostProcedure, u"Sheet");
  constexpr DialogSpec kPage = {.caption = "Page",
                                .width = 200,
                                .height = 100,
                                .style = DS_CONTROL | WS_CHILD,
                                .controls = kControls};
  Recorder recorder;
  recorder.spec = &kPage;
  const std::vector<uint32_t> bytes = BuildDialogTemplate(kPage);
  HWND page = CreateDialogIndirectParam(bytes.data(), sheet, RecordingProcedure,
                                        reinterpret_cast<LPARAM>(&recorder));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(GetParent(page), sheet);
  EXPECT_FALSE(IsWindowVisible(page));
  DestroyWindow(sheet);
  EXPECT_FALSE(IsWindow(page));
}

struct BoxSeen {
  std::u16string text;
  std::u16string caption;
  UINT type = 0;
};

int AnswerNo(void* context, const std::u16string& text, const std::u16string& caption,
             UINT type) {
  *static_cast<BoxSeen*>(context) = {text, caption, type};
  return IDNO;
}

UINT ChooseSecond(void* context, const std::vector<MenuItem>& items) {
  *static_cast<std::vector<MenuItem>*>(context) = items;
  return items.size() > 1 ? items[1].command : 0;
}

TEST(DialogResponderTest, MessageBoxesAndMenusAreAnsweredByTheResponders) {
  BoxSeen seen;
  SetMessageBoxResponder(AnswerNo, &seen);
  const int answer = MessageBox(nullptr, u"Delete the watermark?", u"Watermarks",
                                MB_YESNO | MB_ICONQUESTION);
  SetMessageBoxResponder(nullptr, nullptr);
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(seen.text, u"Delete the watermark?");
  EXPECT_EQ(seen.caption, u"Watermarks");
  EXPECT_EQ(seen.type, MB_YESNO | MB_ICONQUESTION);

  std::vector<MenuItem> offered;
  SetMenuResponder(ChooseSecond, &offered);
  const std::vector<MenuItem> items = {{.command = 10, .text = u"What's this?"},
                                       {.command = 0, .text = u""},
                                       {.command = 11, .text = u"Help"}};
  const UINT chosen = TrackPopupMenu(nullptr, {items[0], items[2]}, 10, 10);
  SetMenuResponder(nullptr, nullptr);
  EXPECT_EQ(chosen, 11u);
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_EQ(offered[0].text, u"What's this?");
}

bool TakePage(void* context, const std::u16string& page) {
  static_cast<std::vector<std::u16string>*>(context)->push_back(page);
  return true;
}

TEST(DialogResponderTest, PagesGoToTheThreadsReceiver) {
  std::vector<std::u16string> pages;
  SetPageReceiver(TakePage, &pages);
  const bool opened = OpenPage(u"https://example.com/help/watermarks.html");
  SetPageReceiver(nullptr, nullptr);
  EXPECT_TRUE(opened);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], u"https://example.com/help/watermarks.html");
}

}  // namespace
}  // namespace kx::platform
