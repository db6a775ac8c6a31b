#include "joboptions/email_dialog.h"

#include <algorithm>
#include <string>

#include "dialog_routines.h"
#include "help_path.h"
#include "joboptions/email_layout.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "session_dialog.h"
#include "settings/record.h"
#include "settings/record_text.h"
#include "tips.h"

namespace kx::ui {
namespace email {
namespace {

using namespace host;

// 유효한 이메일 주소를 입력하십시오 (enter a valid e-mail address)
constexpr char kInvalidAddressMessage[] =
    "\xC0\xAF\xC8\xBF\xC7\xD1 \xC0\xCC\xB8\xDE\xC0\xCF \xC1\xD6\xBC\xD2\xB8\xA6 \xC0\xD4\xB7\xC2"
    "\xC7\xCF\xBD\xCA\xBD\xC3\xBF\xC0";

// The dialog closes with this after OK and Cancel alike: its caller reads the record.
constexpr INT_PTR kClosed = 1;

constexpr int kBalloonControls[] = {kAddressBox};

// The printable ASCII characters a PJL string carries unchanged, but its quote.
constexpr char16_t kFirstPrintable = 0x21;
constexpr char16_t kLastPrintable = 0x7E;

struct Session {
  settings::PrivateRecord* record = nullptr;
  Tips balloon{TipHideRule::SameControl};
};

bool IsChecked(HWND dialog, int id) {
  return platform::SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0) ==
         static_cast<LRESULT>(BST_CHECKED);
}

void EnableAddress(HWND dialog, bool enable) {
  platform::EnableWindow(platform::GetDlgItem(dialog, kAddressBox), enable);
}

void OnInit(HWND dialog, Session& session) {
  const settings::PrivateRecord& record = *session.record;
  const bool notify = record.emailNotify != 0;
  platform::SendDlgItemMessage(dialog, kNotifyCheck, BM_SETCHECK,
                               notify ? BST_CHECKED : BST_UNCHECKED, 0);
  platform::ApplyControlLimits(dialog, EmailDialogSpec());
  platform::SetDlgItemText(dialog, kAddressBox,
                           std::u16string(settings::FieldText(record.emailAddress)));
  EnableAddress(dialog, notify);
  session.balloon.Create(dialog, kBalloonControls, ConvertMessage(kInvalidAddressMessage));
}

void OnNotifyClicked(HWND dialog) {
  const bool notify = IsChecked(dialog, kNotifyCheck);
  EnableAddress(dialog, notify);
  if (notify) platform::SetFocus(platform::GetDlgItem(dialog, kAddressBox));
}

// The address as the box holds it, no longer than the record's field takes.
std::u16string TypedAddress(HWND dialog) {
  std::u16string address = platform::GetDlgItemText(dialog, kAddressBox);
  address.resize(std::min(address.size(), static_cast<size_t>(kAddressLimit)));
  return address;
}

void OnOk(HWND dialog, Session& session) {
  const bool notify = IsChecked(dialog, kNotifyCheck);
  if (notify) {
    const std::u16string address = TypedAddress(dialog);
    if (!IsUsableEmailAddress(address)) {
      session.balloon.ShowAt(kAddressBox);
      return;
    }
    settings::StoreText(session.record->emailAddress, address);
  }
  session.record->emailNotify = notify ? 1 : 0;
  platform::EndDialog(dialog, kClosed);
}

void OpenDialogHelp() { platform::OpenPage(TopicPage(Module().HelpRoot(), kEmailDialogId)); }

INT_PTR OnCommand(HWND dialog, Session& session, int id, UINT code) {
  if (id == kAddressBox) {
    // Any change of the address answers the balloon.
    if (code == EN_CHANGE) session.balloon.Hide(code, kAddressBox);
    return 0;
  }
  if (code != BN_CLICKED) return 0;
  switch (id) {
    case kNotifyCheck:
      OnNotifyClicked(dialog);
      break;
    case IDOK:
      OnOk(dialog, session);
      break;
    case IDCANCEL:
      platform::EndDialog(dialog, kClosed);
      break;
    case kHelpButton:
      OpenDialogHelp();
      break;
    default:
      return 0;
  }
  return 1;
}

INT_PTR OnMessage(HWND dialog, Session& session, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, session, LoWord(wParam), HiWord(wParam));
    case WM_MOUSEMOVE:
      session.balloon.Hide(message, 0);
      return 0;
    default:
      return 0;
  }
}

struct EmailDialog {
  using Session = email::Session;
  static const platform::DialogSpec& Spec() { return EmailDialogSpec(); }
  static const DialogHelp& Help() { return EmailHelp(); }
  static void OnInit(HWND dialog, Session& session) { email::OnInit(dialog, session); }
  static INT_PTR OnMessage(HWND dialog, Session& session, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    return email::OnMessage(dialog, session, message, wParam, lParam);
  }
};

}  // namespace

TipState EmailBalloonOf(HWND dialog) {
  const Session* session = SessionOfDialog<Session>(dialog);
  if (session == nullptr) return {};
  return session->balloon.state();
}

}  // namespace email

// The job header carries the address inside a quoted PJL string of 8-bit characters: a
// quote or a line end would end it early, a blank or control character is not part of an
// address, and a character beyond Latin-1 cuts it short. Refusing such an address keeps
// the printer from mailing someone else.
bool IsUsableEmailAddress(std::u16string_view address) {
  if (address.empty() || address.find(u'@') == std::u16string_view::npos) return false;
  return std::all_of(address.begin(), address.end(), [](char16_t c) {
    return c >= email::kFirstPrintable && c <= email::kLastPrintable && c != u'"';
  });
}

host::INT_PTR ShowEmailNotification(host::HWND owner, PageSetContext* context) {
  settings::PrivateRecord* record = RecordOfContext(context);
  if (record == nullptr) return email::kClosed;
  email::Session session;
  session.record = record;
  return RunSessionDialog<email::EmailDialog>(owner, &session);
}

}  // namespace kx::ui
