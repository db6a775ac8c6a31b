#include <gtest/gtest.h>

#include <string>

#include "dialog_fixture.h"
#include "platform/dialogs.h"
#include "tips.h"

namespace kx::ui {
namespace {

using namespace host;

constexpr int kFirst = 1282;
constexpr int kSecond = 1281;
constexpr platform::ControlSpec kControls[] = {
    {.id = kFirst, .kind = platform::ControlKind::ComboBox, .x = 10, .y = 10, .width = 60,
     .height = 50, .style = CBS_DROPDOWNLIST},
    {.id = kSecond, .kind = platform::ControlKind::Edit, .x = 10, .y = 40, .width = 60,
     .height = 12},
};
constexpr platform::DialogSpec kSpec = {.templateId = 992, .caption = "tips", .width = 150,
                                        .height = 80, .controls = kControls};
constexpr int kTipControls[] = {kFirst, kSecond};

// The dialog's tip text, asked for when a tip shows (TTN_GETDISPINFOW).
std::u16string tipMessage = u"값이 너무 큽니다.";

INT_PTR KX_STDCALL AnswerTipText(HWND, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return 0;
  auto* request = reinterpret_cast<NMTTDISPINFOW*>(lParam);
  if (request->hdr.code != TTN_GETDISPINFOW) return 0;
  request->lpszText = tipMessage.data();
  return 1;
}

TEST(Tips, ShownAtTheControlWithTheDialogsText) {
  test::TestDialog dialog(kSpec, AnswerTipText);
  Tips tips(TipHideRule::OtherControl);
  tips.Create(dialog.get(), kTipControls);
  ASSERT_NE(tips.window(), nullptr);
  EXPECT_FALSE(platform::IsWindowVisible(tips.window()));

  tips.ShowAt(kSecond);
  EXPECT_EQ(tips.shownControl(), kSecond);
  EXPECT_TRUE(platform::IsWindowVisible(tips.window()));
  EXPECT_EQ(platform::GetWindowText(tips.window()), tipMessage);
  RECT control{};
  RECT tip{};
  ASSERT_TRUE(platform::GetWindowRect(dialog.item(kSecond), &control));
  ASSERT_TRUE(platform::GetWindowRect(tips.window(), &tip));
  // The tip points at the control's top right corner (a balloon's stem ends there, so
  // the window itself may lie around the point).
  EXPECT_TRUE(tip.left <= control.right && control.right <= tip.right)
      << tip.left << ".." << tip.right << " " << control.right;
  EXPECT_TRUE(tip.top <= control.top && control.top <= tip.bottom)
      << tip.top << ".." << tip.bottom << " " << control.top;

  tips.Hide(WM_MOUSEMOVE, kSecond);
  EXPECT_EQ(tips.shownControl(), 0);
  EXPECT_FALSE(platform::IsWindowVisible(tips.window()));
}

TEST(Tips, AFixedTextNeedsNoAnswer) {
  test::TestDialog dialog(kSpec);
  Tips tips(TipHideRule::SameControl);
  tips.Create(dialog.get(), kTipControls, u"이름을 입력하십시오.");
  tips.ShowAt(kFirst);
  EXPECT_TRUE(platform::IsWindowVisible(tips.window()));
  EXPECT_EQ(platform::GetWindowText(tips.window()), u"이름을 입력하십시오.");
}

TEST(Tips, HiddenAsTheDialogKindsRuleSays) {
  struct Case {
    const char* name;
    TipHideRule rule;
    UINT event;
    int control;
    bool hidden;
  };
  constexpr UINT kDropDown = WM_COMMAND;  // any event other than mouse movement
  const Case cases[] = {
      {"other-control rule, same control", TipHideRule::OtherControl, kDropDown, kFirst, false},
      {"other-control rule, other control", TipHideRule::OtherControl, kDropDown, kSecond, true},
      {"same-control rule, same control", TipHideRule::SameControl, kDropDown, kFirst, true},
      {"same-control rule, other control", TipHideRule::SameControl, kDropDown, kSecond, false},
      {"mouse movement, other-control rule", TipHideRule::OtherControl, WM_MOUSEMOVE, kFirst, true},
      {"mouse movement, same-control rule", TipHideRule::SameControl, WM_MOUSEMOVE, kSecond, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TestDialog dialog(kSpec, AnswerTipText);
    Tips tips(c.rule);
    tips.Create(dialog.get(), kTipControls);
    tips.ShowAt(kFirst);
    tips.Hide(c.event, c.control);
    EXPECT_EQ(tips.shownControl(), c.hidden ? 0 : kFirst);
    EXPECT_EQ(platform::IsWindowVisible(tips.window()), !c.hidden);
  }
}

}  // namespace
}  // namespace kx::ui
