#include "joboptions/postscript_options_dialog.h"

#include <string>

#include "dialog_routines.h"
#include "help_path.h"
#include "joboptions/postscript_options_layout.h"
#include "joboptions/postscript_timeout.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "platform/file_dialog.h"
#include "platform/files.h"
#include "platform/module.h"
#include "platform/shell.h"
#include "session_dialog.h"
#include "settings/record_text.h"
#include "tips.h"

namespace kx::ui {
namespace postscript_options {
namespace {

using namespace host;
using settings::PrivateRecord;

// The balloon texts (code page 949).
// 외부 헤더 파일 이름이 비어있습니다. 입력하십시오
constexpr char kHeaderEmptyMessage[] =
    "\xBF\xDC\xBA\xCE \xC7\xEC\xB4\xF5 \xC6\xC4\xC0\xCF \xC0\xCC\xB8\xA7\xC0\xCC \xBA\xF1\xBE\xEE"
    "\xC0\xD6\xBD\xC0\xB4\xCF\xB4\xD9. \xC0\xD4\xB7\xC2\xC7\xCF\xBD\xCA\xBD\xC3\xBF\xC0";
// 범위 값은 0와 3000 사이여야 합니다
constexpr char kTimeoutRangeMessage[] =
    "\xB9\xFC\xC0\xA7 \xB0\xAA\xC0\xBA 0\xBF\xCD 3000 \xBB\xE7\xC0\xCC\xBF\xA9\xBE\xDF \xC7\xD5"
    "\xB4\xCF\xB4\xD9";
// 외부 헤더 파일을 찾을 수 없습니다. 경로를 확인하십시오
constexpr char kHeaderMissingMessage[] =
    "\xBF\xDC\xBA\xCE \xC7\xEC\xB4\xF5 \xC6\xC4\xC0\xCF\xC0\xBB \xC3\xA3\xC0\xBB \xBC\xF6 \xBE\xF8"
    "\xBD\xC0\xB4\xCF\xB4\xD9. \xB0\xE6\xB7\xCE\xB8\xA6 \xC8\xAE\xC0\xCE\xC7\xCF\xBD\xCA\xBD\xC3"
    "\xBF\xC0";
// 외부 헤더 파일의 경로가 너무 깁니다. 64자 이내로 입력하십시오
constexpr char kHeaderTooLongMessage[] =
    "\xBF\xDC\xBA\xCE \xC7\xEC\xB4\xF5 \xC6\xC4\xC0\xCF\xC0\xC7 \xB0\xE6\xB7\xCE\xB0\xA1 \xB3\xCA"
    "\xB9\xAB \xB1\xE9\xB4\xCF\xB4\xD9. 64\xC0\xDA \xC0\xCC\xB3\xBB\xB7\xCE \xC0\xD4\xB7\xC2\xC7"
    "\xCF\xBD\xCA\xBD\xC3\xBF\xC0";
// The open-file dialog's title: 브라우즈
constexpr char kBrowseTitle[] = "\xBA\xEA\xB6\xF3\xBF\xEC\xC1\xEE";

// Where colour and header files of the printer drivers are kept, under the system
// directory.
constexpr char16_t kHeaderFolder[] = u"\\spool\\drivers\\color";
constexpr char16_t kDefaultExtension[] = u"*.ps";
constexpr DWORD kBrowseFlags = OFN_HIDEREADONLY | OFN_CREATEPROMPT | OFN_NONETWORKBUTTON;
// The first system that offers the external header file and knows the extended
// open-file structure.
constexpr int kHeaderSystemVersion = 5;

// How the dialog treats the external header on this system.
enum class HeaderGroup {
  kOffered,  // shown and filled from the record
  kHidden,   // the system offers none: hidden, and the record's values kept
};

struct Session {
  PrivateRecord* record = nullptr;
  std::optional<int> systemVersion;
  HeaderGroup header = HeaderGroup::kOffered;
  Tips balloon{TipHideRule::SameControl};
  std::u16string message;  // the balloon's text, asked for when it is shown
};

// A system whose version cannot be read is offered the header file, filled from the record:
// shown but left empty, OK would drop the job's header file unseen.
HeaderGroup HeaderGroupFor(std::optional<int> systemVersion) {
  if (systemVersion && *systemVersion < kHeaderSystemVersion) return HeaderGroup::kHidden;
  return HeaderGroup::kOffered;
}

void Check(HWND dialog, int id, bool checked) {
  platform::SendDlgItemMessage(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
bool IsChecked(HWND dialog, int id) {
  return platform::SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0) ==
         static_cast<LRESULT>(BST_CHECKED);
}
uint32_t Flag(HWND dialog, int id) { return IsChecked(dialog, id) ? 1 : 0; }
void Enable(HWND dialog, int id, bool enabled) {
  platform::EnableWindow(platform::GetDlgItem(dialog, id), enabled);
}
void Hide(HWND dialog, int id) { platform::ShowWindow(platform::GetDlgItem(dialog, id), SW_HIDE); }

void EnableHeaderPath(HWND dialog) {
  const bool used = IsChecked(dialog, kExternalHeaderBox);
  Enable(dialog, kHeaderPathBox, used);
  Enable(dialog, kBrowseButton, used);
}

// The controls show the record; done at opening and whenever the dialog is shown or hidden.
void Fill(HWND dialog, const Session& session) {
  const PrivateRecord& record = *session.record;
  Check(dialog, kAppPostScriptBox, record.allowAppPostScript != 0);
  Check(dialog, kErrorPageBox, record.printPsErrors != 0);
  platform::ApplyControlLimits(dialog, PostScriptOptionsDialogSpec());
  platform::SetDlgItemText(dialog, kTimeoutBox, TimeoutText(record.jobTimeout));
  Hide(dialog, kAppPostScriptBox);
  switch (session.header) {
    case HeaderGroup::kOffered:
      Check(dialog, kExternalHeaderBox, record.useExternalHeader != 0);
      EnableHeaderPath(dialog);
      platform::SetDlgItemText(dialog, kHeaderPathBox,
                               std::u16string(settings::FieldText(record.externalHeaderFile)));
      break;
    case HeaderGroup::kHidden:
      for (const int id : {+kHeaderGroup, +kExternalHeaderBox, +kHeaderPathBox, +kBrowseButton}) {
        Hide(dialog, id);
      }
      break;
  }
}

void ShowBalloon(Session& session, int controlId, const char* message) {
  session.message = ConvertMessage(message);
  session.balloon.ShowAt(controlId);
}

void OnInit(HWND dialog, Session& session) {
  Fill(dialog, session);
  session.balloon.Create(dialog, kBalloonControls);
}

void OnUseHeaderClicked(HWND dialog) {
  EnableHeaderPath(dialog);
  if (IsChecked(dialog, kExternalHeaderBox)) {
    platform::SetFocus(platform::GetDlgItem(dialog, kHeaderPathBox));
  }
}

platform::OpenFileRequest BrowseRequest(HWND dialog, const Session& session) {
  platform::OpenFileRequest request{
      .owner = dialog,
      .title = ToUtf16(kBrowseTitle),
      .filters = {{u"*.eps", u"*.eps"}, {u"*.ps", u"*.ps"}, {u"*.eps;*.ps", u"*.eps;*.ps"},
                  {u"*.*", u"*.*"}},
      .filterIndex = 1,
      .initialDirectory = {},
      .defaultExtension = kDefaultExtension,
      .flags = kBrowseFlags,
      .oldStructure = !session.systemVersion || *session.systemVersion < kHeaderSystemVersion,
  };
  const std::u16string system = platform::SystemDirectory();
  if (!system.empty()) request.initialDirectory = system + kHeaderFolder;
  return request;
}

void OnBrowse(HWND dialog, Session& session) {
  const std::optional<std::u16string> chosen =
      platform::GetOpenFileName(BrowseRequest(dialog, session));
  if (!chosen) return;
  platform::SetDlgItemText(dialog, kHeaderPathBox, *chosen);
  // Said at once: OK would refuse it anyway.
  if (chosen->size() > kMaxHeaderPath) {
    ShowBalloon(session, kHeaderPathBox, kHeaderTooLongMessage);
  }
}

// The message that refuses the header path, or null when it may be stored. The rendering
// plug-in reads the file inside the spooler, where nobody sees why it was skipped: the
// path must name an existing file, and whole, as a cut path names another.
const char* HeaderPathProblem(const std::u16string& path, bool used) {
  if (path.size() > kMaxHeaderPath) return kHeaderTooLongMessage;
  if (!used) return nullptr;
  if (path.empty()) return kHeaderEmptyMessage;
  if (!platform::IsRegularFile(path)) return kHeaderMissingMessage;
  return nullptr;
}

void OnOk(HWND dialog, Session& session) {
  const bool headerShown = session.header != HeaderGroup::kHidden;
  const std::u16string path = platform::GetDlgItemText(dialog, kHeaderPathBox);
  const bool used = IsChecked(dialog, kExternalHeaderBox);
  if (headerShown) {
    if (const char* problem = HeaderPathProblem(path, used)) {
      ShowBalloon(session, kHeaderPathBox, problem);
      return;
    }
  }
  const std::optional<uint32_t> timeout =
      ParseTimeout(platform::GetDlgItemText(dialog, kTimeoutBox));
  if (!timeout) {
    ShowBalloon(session, kTimeoutBox, kTimeoutRangeMessage);
    return;
  }
  PrivateRecord& record = *session.record;
  record.jobTimeout = *timeout;
  record.allowAppPostScript = Flag(dialog, kAppPostScriptBox);
  record.printPsErrors = Flag(dialog, kErrorPageBox);
  // Where the system offers no header file, the job keeps what it was given elsewhere.
  if (headerShown) {
    record.useExternalHeader = used ? 1 : 0;
    settings::StoreText(record.externalHeaderFile, path);
  }
  platform::EndDialog(dialog, kPostScriptOk);
}

INT_PTR OnCommand(HWND dialog, Session& session, int id, UINT code) {
  if (id == kTimeoutBox || id == kHeaderPathBox) {
    // A changed text answers the balloon shown at its box.
    if (code == EN_CHANGE) session.balloon.Hide(code, id);
    return 0;
  }
  if (code != BN_CLICKED) return 0;
  switch (id) {
    case kExternalHeaderBox:
      OnUseHeaderClicked(dialog);
      return 1;
    case kBrowseButton:
      OnBrowse(dialog, session);
      return 1;
    case IDOK:
      OnOk(dialog, session);
      return 1;
    case IDCANCEL:
      platform::EndDialog(dialog, kPostScriptCancelled);
      return 1;
    case kHelpButton:
      platform::OpenPage(TopicPage(Module().HelpRoot(), kPostScriptOptionsDialogId));
      return 1;
    default:
      return 0;
  }
}

INT_PTR OnNotify(Session& session, const NMHDR* header) {
  if (header == nullptr || header->code != TTN_GETDISPINFOW) return 0;
  auto* request = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
  request->lpszText = session.message.data();
  return 1;
}

INT_PTR OnMessage(HWND dialog, Session& session, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, session, LoWord(wParam), HiWord(wParam));
    case WM_NOTIFY:
      return OnNotify(session, reinterpret_cast<const NMHDR*>(lParam));
    case WM_SHOWWINDOW:
      Fill(dialog, session);
      return 0;
    case WM_MOUSEMOVE:
      session.balloon.Hide(message, 0);
      return 0;
    default:
      return 0;
  }
}

struct PostScriptOptionsDialog {
  using Session = postscript_options::Session;
  static const platform::DialogSpec& Spec() { return PostScriptOptionsDialogSpec(); }
  static const DialogHelp& Help() { return PostScriptOptionsHelp(); }
  static void OnInit(HWND dialog, Session& session) { postscript_options::OnInit(dialog, session); }
  static INT_PTR OnMessage(HWND dialog, Session& session, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    return postscript_options::OnMessage(dialog, session, message, wParam, lParam);
  }
};

}  // namespace

TipState PostScriptBalloonOf(host::HWND dialog) {
  const Session* session = SessionOfDialog<Session>(dialog);
  if (session == nullptr) return {};
  return session->balloon.state();
}

}  // namespace postscript_options

host::INT_PTR ShowPostScriptOptions(host::HWND owner, PageSetContext* context) {
  settings::PrivateRecord* record = RecordOfContext(context);
  if (record == nullptr) return postscript_options::kPostScriptCancelled;
  return RunPostScriptOptions(owner, record, platform::SystemMajorVersion());
}

host::INT_PTR RunPostScriptOptions(host::HWND owner, settings::PrivateRecord* record,
                                   std::optional<int> systemMajorVersion) {
  if (record == nullptr) return postscript_options::kPostScriptCancelled;
  postscript_options::Session session;
  session.record = record;
  session.systemVersion = systemMajorVersion;
  session.header = postscript_options::HeaderGroupFor(systemMajorVersion);
  return RunSessionDialog<postscript_options::PostScriptOptionsDialog>(owner, &session);
}

}  // namespace kx::ui
