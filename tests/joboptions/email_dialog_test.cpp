// The e-mail notification driven as a user drives it, over the platform's dialog
// services: what it shows, the notification box, OK with good and refused addresses, the
// balloon, Cancel and help.
#include "joboptions/email_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "joboptions/email_layout.h"
#include "page_set.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/temp_store.h"

namespace kx::ui {
namespace {

using namespace host;
using namespace email;
using settings::FieldText;
using settings::PrivateRecord;
using test::DialogDriver;

constexpr char16_t kInvalidAddress[] = u"유효한 이메일 주소를 입력하십시오";
constexpr char16_t kStoredAddress[] = u"print-room@example.com";

bool TakePage(void* context, const std::u16string& page) {
  static_cast<std::vector<std::u16string>*>(context)->push_back(page);
  return true;
}

bool EndsWith(const std::u16string& text, std::u16string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class EmailDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetRecordDefaults(record_.get(), nullptr);
    record_->emailNotify = 0;
    settings::StoreText(record_->emailAddress, kStoredAddress);
    param_.cbSize = sizeof(param_);
    param_.pOEMDM = record_.get();
    context_.commonUi = &param_;
  }
  void TearDown() override { platform::SetPageReceiver(nullptr, nullptr); }

  // Opens the dialog with `script` as its user; the dialog's result.
  INT_PTR Open(const test::ModalScript::Script& script) {
    test::ModalScript modal(kHelpButton, script);
    const INT_PTR result = ShowEmailNotification(nullptr, &context_);
    EXPECT_EQ(modal.runs(), 1);
    return result;
  }

  static void SetAddress(const DialogDriver& d, std::u16string_view address) {
    platform::SetDlgItemText(d.dialog(), kAddressBox, std::u16string(address));
  }
  static void CheckNotify(const DialogDriver& d, bool on) {
    if (d.Checked(kNotifyCheck) != on) d.Click(kNotifyCheck);
  }
  // The balloon's control while it is shown, 0 when none is.
  static int BalloonAt(const DialogDriver& d) {
    return test::BalloonShown(EmailBalloonOf(d.dialog())).at;
  }
  static std::u16string BalloonText(const DialogDriver& d) {
    return platform::GetWindowText(EmailBalloonOf(d.dialog()).window);
  }

  bool korean() const { return codePages_.active(); }
  std::u16string StoredAddress() const { return std::u16string(FieldText(record_->emailAddress)); }

  test::TempStore store_;
  test::SystemCodePages codePages_{nullptr, nullptr};
  std::unique_ptr<PrivateRecord> record_ = std::make_unique<PrivateRecord>();
  OEMCUIPPARAM param_{};
  PageSetContext context_;
};

// The box shows the stored address either way; it can be edited only while the printer
// is to notify.
TEST_F(EmailDialogTest, OpensWithTheRecordsNotification) {
  for (const uint32_t notify : {0u, 1u}) {
    SCOPED_TRACE(notify);
    record_->emailNotify = notify;
    EXPECT_EQ(Open([&](DialogDriver& d) {
                EXPECT_EQ(d.Checked(kNotifyCheck), notify != 0);
                EXPECT_EQ(d.Text(kAddressBox), kStoredAddress);
                EXPECT_EQ(d.Enabled(kAddressBox), notify != 0);
                EXPECT_EQ(BalloonAt(d), 0);
                d.Click(IDCANCEL);
              }),
              1);
  }
}

TEST_F(EmailDialogTest, TheNotificationBoxEnablesAndFocusesTheAddress) {
  Open([&](DialogDriver& d) {
    d.Focus(kNotifyCheck);
    d.Click(kNotifyCheck);
    EXPECT_TRUE(d.Checked(kNotifyCheck));
    EXPECT_TRUE(d.Enabled(kAddressBox));
    EXPECT_EQ(platform::GetFocus(), d.Control(kAddressBox));
    d.Click(kNotifyCheck);
    EXPECT_FALSE(d.Checked(kNotifyCheck));
    EXPECT_FALSE(d.Enabled(kAddressBox));
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(record_->emailNotify, 0u);
}

TEST_F(EmailDialogTest, TheAddressBoxTakesWhatTheRecordHolds) {
  record_->emailNotify = 1;
  const std::u16string longest = u"a@" + std::u16string(257, u'b');
  Open([&](DialogDriver& d) {
    d.Type(kAddressBox, longest + u"cd");
    EXPECT_EQ(d.Text(kAddressBox), longest);
    d.Click(IDOK);
  });
  EXPECT_EQ(StoredAddress(), longest);
}

TEST_F(EmailDialogTest, OkStoresAUsableAddressAndTurnsNotificationOn) {
  for (const std::u16string address : {u"kim@example.com", u"kim.lee+print_2@mail.example.co.kr"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(address.begin(), address.end())));
    record_->emailNotify = 0;
    EXPECT_EQ(Open([&](DialogDriver& d) {
                CheckNotify(d, true);
                d.Type(kAddressBox, address);
                d.Click(IDOK);
                EXPECT_FALSE(d.Open());
              }),
              1);
    EXPECT_EQ(record_->emailNotify, 1u);
    EXPECT_EQ(StoredAddress(), address);
  }
}

// An address the job header could not carry as typed is refused like a missing one: the
// balloon says so at the box, the dialog stays open and the record keeps its values.
TEST_F(EmailDialogTest, OkRefusesAnAddressTheJobCannotCarry) {
  struct Case {
    const char* what;
    std::u16string address;
  };
  const Case cases[] = {
      {"empty", u""},
      {"no at sign", u"kim.example.com"},
      {"blank", u"kim lee@example.com"},
      {"quote", u"kim\"@example.com"},
      {"Korean character", u"김@example.com"},
      {"Latin-1 character", u"j\u00F6rg@example.com"},
      {"character above 0xFF", u"kim@example.com\u2019"},
      {"tab", u"kim@example.com\t"},
      {"line end", u"kim@example.com\r\n@PJL"},
      {"delete", u"kim@example.com\u007F"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(IsUsableEmailAddress(c.address));
    EXPECT_EQ(Open([&](DialogDriver& d) {
                CheckNotify(d, true);
                SetAddress(d, c.address);
                d.Click(IDOK);
                EXPECT_TRUE(d.Open());
                EXPECT_EQ(BalloonAt(d), kAddressBox);
                if (korean()) { EXPECT_EQ(BalloonText(d), kInvalidAddress); }
                d.Click(IDCANCEL);
              }),
              1);
    EXPECT_EQ(record_->emailNotify, 0u);
    EXPECT_EQ(StoredAddress(), kStoredAddress);
  }
}

// With notification off the box is not read: its text, usable or not, is not stored.
TEST_F(EmailDialogTest, OkWithNotificationOffKeepsTheAddress) {
  record_->emailNotify = 1;
  for (const std::u16string typed : {u"", u"other@example.com", u"no address"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(typed.begin(), typed.end())));
    record_->emailNotify = 1;
    EXPECT_EQ(Open([&](DialogDriver& d) {
                SetAddress(d, typed);
                CheckNotify(d, false);
                d.Click(IDOK);
                EXPECT_FALSE(d.Open());
              }),
              1);
    EXPECT_EQ(record_->emailNotify, 0u);
    EXPECT_EQ(StoredAddress(), kStoredAddress);
  }
}

TEST_F(EmailDialogTest, CancelStoresNothing) {
  for (const int cancel : {IDCANCEL, 0}) {
    SCOPED_TRACE(cancel);
    EXPECT_EQ(Open([&](DialogDriver& d) {
                CheckNotify(d, true);
                d.Type(kAddressBox, u"other@example.com");
                // Escape reaches the dialog as IDCANCEL without a click on the button.
                if (cancel == IDCANCEL) {
                  d.Click(IDCANCEL);
                } else {
                  d.Command(IDCANCEL);
                }
                EXPECT_FALSE(d.Open());
              }),
              1);
    EXPECT_EQ(record_->emailNotify, 0u);
    EXPECT_EQ(StoredAddress(), kStoredAddress);
  }
}

// The balloon answers the refused address: it goes when the address changes or the
// mouse moves over the dialog, and a second refusal shows it again.
TEST_F(EmailDialogTest, TheBalloonGoesOnTypingAndMouseMovement) {
  record_->emailNotify = 1;
  Open([&](DialogDriver& d) {
    SetAddress(d, u"kim");
    d.Click(IDOK);
    ASSERT_EQ(BalloonAt(d), kAddressBox);
    d.Type(kAddressBox, u"kim@");
    EXPECT_EQ(BalloonAt(d), 0);
    SetAddress(d, u"");
    d.Click(IDOK);
    ASSERT_EQ(BalloonAt(d), kAddressBox);
    platform::SendMessage(d.dialog(), WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(BalloonAt(d), 0);
    EXPECT_TRUE(d.Open());
    d.Click(IDCANCEL);
  });
}

TEST_F(EmailDialogTest, HelpOpensTheTopicsPages) {
  std::vector<std::u16string> pages;
  platform::SetPageReceiver(&TakePage, &pages);
  Open([&](DialogDriver& d) {
    d.Click(kHelpButton);
    HELPINFO info{};
    info.cbSize = sizeof(info);
    info.iCtrlId = kAddressBox;
    platform::SendMessage(d.dialog(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_TRUE(d.Open());
    d.Click(IDCANCEL);
  });
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_TRUE(EndsWith(pages[0], u"113.html"));
  EXPECT_TRUE(EndsWith(pages[1], u"1362.html"));
}

}  // namespace
}  // namespace kx::ui
