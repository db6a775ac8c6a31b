#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "hostsim/host_sheet.h"
#include "platform/dialog_template.h"
#include "platform/dialogs.h"

namespace kx::hostsim {
namespace {

using namespace host;

constexpr int kDigits = 100;  // digits only, at most 5
constexpr int kCheck = 101;
constexpr int kCombo = 102;
constexpr int kList = 103;
constexpr int kHidden = 104;

constexpr std::array kControls = {
    platform::ControlSpec{.id = kDigits, .kind = platform::ControlKind::Edit, .x = 5, .y = 5,
                          .width = 60, .height = 12, .style = WS_TABSTOP | ES_NUMBER, .limit = 5},
    platform::ControlSpec{.id = kCheck, .kind = platform::ControlKind::Button, .caption = "Check",
                          .x = 5, .y = 20, .width = 60, .height = 10,
                          .style = WS_TABSTOP | BS_AUTOCHECKBOX},
    platform::ControlSpec{.id = kCombo, .kind = platform::ControlKind::ComboBox, .x = 5, .y = 35,
                          .width = 60, .height = 60, .style = WS_TABSTOP | CBS_DROPDOWNLIST},
    platform::ControlSpec{.id = kList, .kind = platform::ControlKind::ListBox, .x = 70, .y = 5,
                          .width = 60, .height = 40, .style = WS_TABSTOP | LBS_NOTIFY},
    platform::ControlSpec{.id = kHidden, .kind = platform::ControlKind::Static, .caption = "x",
                          .x = 70, .y = 50, .width = 20, .height = 8, .hidden = true},
};
const platform::DialogSpec kPage = {.templateId = 900, .caption = "Test", .width = 140,
                                    .height = 80, .style = WS_CHILD | DS_CONTROL,
                                    .controls = kControls};

// What the test page's procedure saw.
struct PageLog {
  const PROPSHEETPAGEW* description = nullptr;  // WM_INITDIALOG's lParam
  std::vector<std::pair<WORD, WORD>> commands;  // (id, code)
  std::vector<UINT> notifications;
  HWND contextTarget = nullptr;
  LPARAM contextPosition = 0;
  int helpControl = 0;
};

// A small property page: an apply with an empty edit is refused; a click of the check
// box marks the page changed, a reset unchanged.
INT_PTR KX_STDCALL TestPage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* log = reinterpret_cast<PageLog*>(platform::GetWindowLongPtr(dialog, GWLP_USERDATA));
  switch (message) {
    case WM_INITDIALOG: {
      const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
      log = reinterpret_cast<PageLog*>(description->lParam);
      log->description = description;
      platform::SetWindowLongPtr(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(log));
      platform::ApplyControlLimits(dialog, kPage);
      for (const char16_t* text : {u"Alpha", u"Beta", u"Gamma"}) {
        const auto item = reinterpret_cast<LPARAM>(text);
        platform::SendDlgItemMessage(dialog, kCombo, CB_ADDSTRING, 0, item);
        platform::SendDlgItemMessage(dialog, kList, LB_ADDSTRING, 0, item);
      }
      return 1;
    }
    case WM_COMMAND:
      log->commands.emplace_back(LoWord(wParam), HiWord(wParam));
      if (LoWord(wParam) == kCheck && HiWord(wParam) == BN_CLICKED) {
        platform::SendMessage(platform::GetParent(dialog), PSM_CHANGED,
                              reinterpret_cast<WPARAM>(dialog), 0);
      }
      return 1;
    case WM_NOTIFY: {
      const auto* notify = reinterpret_cast<const PSHNOTIFY*>(lParam);
      log->notifications.push_back(notify->hdr.code);
      if (notify->hdr.code == PSN_APPLY) {
        const bool empty = platform::GetDlgItemText(dialog, kDigits).empty();
        platform::SetWindowLongPtr(dialog, DWLP_MSGRESULT, empty ? PSNRET_INVALID : PSNRET_NOERROR);
      } else if (notify->hdr.code == PSN_RESET) {
        platform::SendMessage(platform::GetParent(dialog), PSM_UNCHANGED,
                              reinterpret_cast<WPARAM>(dialog), 0);
      }
      return 1;
    }
    case WM_CONTEXTMENU:
      log->contextTarget = reinterpret_cast<HWND>(wParam);
      log->contextPosition = lParam;
      return 1;
    case WM_HELP:
      log->helpControl = reinterpret_cast<const HELPINFO*>(lParam)->iCtrlId;
      return 1;
    default:
      return 0;
  }
}

class HostSheetTest : public ::testing::Test {
 protected:
  PROPSHEETPAGEW Description(PageLog* log) {
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DLGINDIRECT;
    page.pResource = template_.data();
    page.pfnDlgProc = &TestPage;
    page.lParam = reinterpret_cast<LPARAM>(log);
    return page;
  }
  void Make(size_t pages) {
    std::vector<PROPSHEETPAGEW> descriptions;
    for (size_t i = 0; i < pages; ++i) descriptions.push_back(Description(&logs_[i]));
    std::string error;
    sheet_ = HostSheet::Create(descriptions, &error);
    ASSERT_NE(sheet_, nullptr) << error;
  }

  std::vector<uint32_t> template_ = platform::BuildDialogTemplate(kPage);
  PageLog logs_[2];
  std::unique_ptr<HostSheet> sheet_;
};

TEST_F(HostSheetTest, PagesReceiveTheSheetsCopyOfTheirDescription) {
  Make(2);
  ASSERT_EQ(sheet_->pageCount(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    ASSERT_NE(logs_[i].description, nullptr);
    EXPECT_EQ(logs_[i].description->lParam, reinterpret_cast<LPARAM>(&logs_[i]));
    EXPECT_EQ(platform::GetParent(sheet_->page(i)), sheet_->window());
  }
  EXPECT_NE(logs_[0].description, logs_[1].description);
}

TEST_F(HostSheetTest, ApplyAnswerAndChangeMessages) {
  Make(2);
  EXPECT_EQ(sheet_->Apply(1), PSNRET_INVALID);
  EXPECT_TRUE(sheet_->Type(1, kDigits, u"7"));
  EXPECT_EQ(sheet_->Apply(1), PSNRET_NOERROR);
  EXPECT_EQ(logs_[1].notifications, (std::vector<UINT>{PSN_APPLY, PSN_APPLY}));
  EXPECT_TRUE(logs_[0].notifications.empty());

  EXPECT_TRUE(sheet_->Click(1, kCheck));
  EXPECT_TRUE(sheet_->Checked(1, kCheck));
  EXPECT_FALSE(sheet_->Checked(0, kCheck));
  EXPECT_TRUE(sheet_->Changed(1));
  EXPECT_FALSE(sheet_->Changed(0));
  sheet_->Reset(1);
  EXPECT_FALSE(sheet_->Changed(1));
  ASSERT_EQ(sheet_->sheetMessages().size(), 2u);
  EXPECT_EQ(sheet_->sheetMessages()[0].page, 1u);
  EXPECT_EQ(sheet_->sheetMessages()[0].message, PSM_CHANGED);
  EXPECT_EQ(sheet_->sheetMessages()[1].message, PSM_UNCHANGED);
}

// Typing goes through the edit's own rules: digits only, at most five.
TEST_F(HostSheetTest, TypingReplacesTheTextLikeAUser) {
  Make(1);
  EXPECT_TRUE(sheet_->Type(0, kDigits, u"12"));
  EXPECT_TRUE(sheet_->Type(0, kDigits, u"3a4567"));
  EXPECT_EQ(sheet_->Text(0, kDigits), u"34567");
  EXPECT_EQ(platform::GetFocus(), sheet_->Control(0, kDigits));
  EXPECT_FALSE(sheet_->Type(0, 999, u"1"));
}

TEST_F(HostSheetTest, ChoicesReachThePageAsSelectionChanges) {
  Make(1);
  struct Case {
    int id;
    WORD code;
  };
  for (const Case c : {Case{kCombo, CBN_SELCHANGE}, Case{kList, LBN_SELCHANGE}}) {
    SCOPED_TRACE(c.id);
    logs_[0].commands.clear();
    EXPECT_EQ(sheet_->Items(0, c.id), (std::vector<std::u16string>{u"Alpha", u"Beta", u"Gamma"}));
    EXPECT_EQ(sheet_->Selection(0, c.id), -1);
    EXPECT_TRUE(sheet_->Choose(0, c.id, 1));
    EXPECT_EQ(sheet_->Selection(0, c.id), 1);
    EXPECT_TRUE(sheet_->ChooseText(0, c.id, u"gamma"));
    EXPECT_EQ(sheet_->Selection(0, c.id), 2);
    // No such item: the page hears nothing.
    EXPECT_FALSE(sheet_->ChooseText(0, c.id, u"Delta"));
    EXPECT_EQ(sheet_->Selection(0, c.id), 2);
    EXPECT_FALSE(sheet_->Choose(0, c.id, 3));
    const std::pair<WORD, WORD> change(static_cast<WORD>(c.id), c.code);
    EXPECT_EQ(logs_[0].commands, (std::vector<std::pair<WORD, WORD>>{change, change}));
  }
  EXPECT_FALSE(sheet_->Choose(0, kDigits, 0));
}

TEST_F(HostSheetTest, ControlStateAndContextHelp) {
  Make(2);
  // Only the active page shows, as in a property sheet.
  EXPECT_FALSE(sheet_->Visible(0, kDigits));
  sheet_->SetActive(1);
  sheet_->SetActive(0);
  EXPECT_TRUE(sheet_->Visible(0, kDigits));
  EXPECT_FALSE(sheet_->Visible(1, kDigits));
  EXPECT_FALSE(sheet_->Visible(0, kHidden));
  EXPECT_EQ(logs_[1].notifications, (std::vector<UINT>{PSN_SETACTIVE}));
  platform::EnableWindow(sheet_->Control(0, kCheck), false);
  EXPECT_FALSE(sheet_->Enabled(0, kCheck));
  EXPECT_TRUE(sheet_->Enabled(0, kDigits));

  sheet_->ContextMenu(0, kCombo, 120, 240);
  EXPECT_EQ(logs_[0].contextTarget, sheet_->Control(0, kCombo));
  EXPECT_EQ(logs_[0].contextPosition, MakeLParam(120, 240));
  sheet_->ContextMenu(0, 0, 5, 6);
  EXPECT_EQ(logs_[0].contextTarget, sheet_->page(0));
  sheet_->HelpRequest(0, kList);
  EXPECT_EQ(logs_[0].helpControl, kList);
}

TEST_F(HostSheetTest, OnlyInMemoryTemplatesMakePages) {
  PROPSHEETPAGEW page = Description(&logs_[0]);
  page.dwFlags = 0;
  std::string error;
  EXPECT_EQ(HostSheet::Create(std::span(&page, 1), &error), nullptr);
  EXPECT_NE(error.find("in-memory template"), std::string::npos);
  EXPECT_EQ(logs_[0].description, nullptr);
}

}  // namespace
}  // namespace kx::hostsim
