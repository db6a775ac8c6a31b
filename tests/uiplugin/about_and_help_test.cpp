#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "about_box.h"
#include "context_help.h"
#include "dialog_fixture.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

namespace kx::ui {
namespace {

using namespace host;

// A version resource with the strings given under one translation.
class FakeVersion final : public platform::VersionResource {
 public:
  explicit FakeVersion(std::map<std::u16string, std::u16string> strings)
      : strings_(std::move(strings)) {}
  bool FirstTranslation(uint16_t* language, uint16_t* codePage) const override {
    *language = 0x0409;
    *codePage = 1200;
    return true;
  }
  bool QueryString(const std::u16string& subBlock, std::u16string* value) const override {
    const std::u16string prefix = u"\\StringFileInfo\\040904b0\\";
    if (subBlock.substr(0, prefix.size()) != prefix) return false;
    const auto found = strings_.find(subBlock.substr(prefix.size()));
    if (found == strings_.end()) return false;
    *value = found->second;
    return true;
  }

 private:
  std::map<std::u16string, std::u16string> strings_;
};

const std::map<std::u16string, std::u16string> kAllStrings = {
    {u"ProductName", u"Product X"},   {u"FileDescription", u"UI part"},
    {u"ProductVersion", u"2.3.4.5"},  {u"LegalCopyright", u"(C) 2026"},
    {u"CompanyName", u"Company Y"},
};

// What a user would see in the box, and how they close it.
struct AboutBoxView {
  bool opened = false;
  std::u16string title;
  std::u16string text;
  RECT rect{};
  int button = IDOK;
};

void LookAndClose(void* context, HWND dialog) {
  auto* view = static_cast<AboutBoxView*>(context);
  view->opened = true;
  view->title = platform::GetWindowText(dialog);
  view->text = platform::GetDlgItemText(dialog, kAboutTextId);
  platform::GetWindowRect(dialog, &view->rect);
  platform::SendMessage(dialog, WM_COMMAND, MakeWParam(static_cast<WORD>(view->button), BN_CLICKED),
                        0);
}

class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetModalDialogResponder(LookAndClose, &view_); }
  void TearDown() override { platform::SetModalDialogResponder(nullptr, nullptr); }
  AboutBoxView view_;
};

TEST_F(AboutBoxTest, ShowsTheVersionStringsAndClosesWithOk) {
  const FakeVersion version(kAllStrings);
  EXPECT_EQ(ShowAboutBox(nullptr, &version), 1);
  ASSERT_TRUE(view_.opened);
  EXPECT_EQ(view_.title, u"정보 Product X");
  EXPECT_EQ(view_.text,
            u"UI part\r\n\r\nWindows(R) 2000 프린터 포스트 스크립터 드라이버 Version 2.3.4.5"
            u"\r\n\r\n(C) 2026 Company Y\r\n\r\n");
  // Opened at the pointer: half its width to the left, a fifth of its height above.
  POINT pointer{};
  ASSERT_TRUE(platform::GetCursorPos(&pointer));
  const LONG width = view_.rect.right - view_.rect.left;
  const LONG height = view_.rect.bottom - view_.rect.top;
  EXPECT_GT(width, 0);
  EXPECT_EQ(view_.rect.left, pointer.x - width / 2);
  EXPECT_EQ(view_.rect.top, pointer.y - height / 5);
}

TEST_F(AboutBoxTest, CancelClosesWithZero) {
  view_.button = IDCANCEL;
  const FakeVersion version(kAllStrings);
  EXPECT_EQ(ShowAboutBox(nullptr, &version), 0);
  EXPECT_TRUE(view_.opened);
}

TEST_F(AboutBoxTest, MissingStringsAreLeftOut) {
  struct Case {
    const char* name;
    std::vector<std::u16string> missing;
    std::u16string title;
    std::u16string text;
  };
  const std::u16string driver = u"Windows(R) 2000 프린터 포스트 스크립터 드라이버 Version ";
  const Case cases[] = {
      {"no product name: the title stays empty", {u"ProductName"}, u"",
       u"UI part\r\n\r\n" + driver + u"2.3.4.5\r\n\r\n(C) 2026 Company Y\r\n\r\n"},
      {"no company: no rights line", {u"CompanyName"}, u"정보 Product X",
       u"UI part\r\n\r\n" + driver + u"2.3.4.5\r\n\r\n\r\n\r\n"},
      {"no description, no version", {u"FileDescription", u"ProductVersion"}, u"정보 Product X",
       u"\r\n\r\n" + driver + u"\r\n\r\n(C) 2026 Company Y\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::map<std::u16string, std::u16string> strings = kAllStrings;
    for (const std::u16string& name : c.missing) strings.erase(name);
    const FakeVersion version(strings);
    view_ = AboutBoxView{};
    EXPECT_EQ(ShowAboutBox(nullptr, &version), 1);
    EXPECT_EQ(view_.title, c.title);
    EXPECT_EQ(view_.text, c.text);
  }
  view_ = AboutBoxView{};
  EXPECT_EQ(ShowAboutBox(nullptr, nullptr), 1);
  EXPECT_EQ(view_.title, u"");
  EXPECT_EQ(view_.text, u"\r\n\r\n" + driver + u"\r\n\r\n\r\n\r\n");
}

// Context help: the pages opened, the menus offered and the About boxes shown.
constexpr int kNamedButton = 1301;
constexpr int kUnnamedButton = 1302;
constexpr int kDialogTopic = 991;
constexpr platform::ControlSpec kHelpControls[] = {
    {.id = kNamedButton, .kind = platform::ControlKind::Button, .caption = "A", .width = 40,
     .height = 14},
    {.id = kUnnamedButton, .kind = platform::ControlKind::Button, .caption = "B", .y = 20,
     .width = 40, .height = 14},
};
constexpr platform::DialogSpec kHelpSpec = {.templateId = kDialogTopic, .caption = "help",
                                            .width = 120, .height = 60, .controls = kHelpControls};
constexpr HelpTopic kTopics[] = {{kNamedButton, kNamedButton}, {0, 0}, {kUnnamedButton, 5}};
const DialogHelp kHelp = {kDialogTopic, kTopics};

struct HelpSeen {
  std::vector<std::u16string> pages;
  std::vector<std::vector<platform::MenuItem>> menus;
  UINT menuAnswer = 0;
  int aboutBoxes = 0;
};

bool TakePage(void* context, const std::u16string& page) {
  static_cast<HelpSeen*>(context)->pages.push_back(page);
  return true;
}
UINT TakeMenu(void* context, const std::vector<platform::MenuItem>& items) {
  auto* seen = static_cast<HelpSeen*>(context);
  seen->menus.push_back(items);
  return seen->menuAnswer;
}
void CountAboutBox(void* context, HWND dialog) {
  ++static_cast<HelpSeen*>(context)->aboutBoxes;
  platform::EndDialog(dialog, 1);
}

class ContextHelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetPageReceiver(TakePage, &seen_);
    platform::SetMenuResponder(TakeMenu, &seen_);
    platform::SetModalDialogResponder(CountAboutBox, &seen_);
  }
  void TearDown() override {
    platform::SetPageReceiver(nullptr, nullptr);
    platform::SetMenuResponder(nullptr, nullptr);
    platform::SetModalDialogResponder(nullptr, nullptr);
  }
  std::u16string Page(const std::u16string& topic) {
    return Module().HelpRoot() + topic + u".html";
  }
  bool Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return AnswerHelpRequest(dialog_.get(), message, wParam, lParam, kHelp);
  }
  HelpSeen seen_;
  test::TestDialog dialog_{kHelpSpec};
};

TEST_F(ContextHelpTest, HelpOnAControlOpensItsTopic) {
  HELPINFO info{};
  info.cbSize = sizeof(info);
  info.iContextType = HELPINFO_WINDOW;
  info.iCtrlId = kNamedButton;
  info.hItemHandle = dialog_.item(kNamedButton);
  EXPECT_TRUE(Send(WM_HELP, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_TRUE(Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog_.item(kNamedButton)),
                   MakeLParam(10, 10)));
  // A control past the table's end has no topic.
  info.iCtrlId = kUnnamedButton;
  EXPECT_TRUE(Send(WM_HELP, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_TRUE(Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog_.item(kUnnamedButton)),
                   MakeLParam(10, 10)));
  EXPECT_EQ(seen_.pages, (std::vector<std::u16string>{Page(u"1301"), Page(u"1301")}));
  EXPECT_TRUE(seen_.menus.empty());
}

TEST_F(ContextHelpTest, TheDialogsOwnTopicForPageHelpAndTheHelpButton) {
  NMHDR header{};
  header.hwndFrom = dialog_.get();
  header.code = PSN_HELP;
  EXPECT_TRUE(Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)));
  EXPECT_TRUE(Send(WM_COMMAND, MakeWParam(kHelpButtonId, BN_CLICKED), 0));
  header.code = PSN_APPLY;
  EXPECT_FALSE(Send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)));
  EXPECT_FALSE(Send(WM_COMMAND, MakeWParam(IDOK, BN_CLICKED), 0));
  EXPECT_FALSE(Send(WM_INITDIALOG, 0, 0));
  EXPECT_EQ(seen_.pages, (std::vector<std::u16string>{Page(u"991"), Page(u"991")}));
}

TEST_F(ContextHelpTest, TheDialogsContextMenuOffersTheAboutBox) {
  for (const UINT answer : {UINT{0}, kAboutCommand}) {
    SCOPED_TRACE(answer);
    seen_ = HelpSeen{};
    seen_.menuAnswer = answer;
    EXPECT_TRUE(Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog_.get()), MakeLParam(40, 30)));
    ASSERT_EQ(seen_.menus.size(), 1u);
    ASSERT_EQ(seen_.menus[0].size(), 1u);
    EXPECT_EQ(seen_.menus[0][0].command, kAboutCommand);
    EXPECT_EQ(seen_.menus[0][0].text, u"정보...");
    EXPECT_EQ(seen_.aboutBoxes, answer == kAboutCommand ? 1 : 0);
    EXPECT_TRUE(seen_.pages.empty());
  }
}

}  // namespace
}  // namespace kx::ui
