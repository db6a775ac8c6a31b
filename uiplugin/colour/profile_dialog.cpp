#include "colour/profile_dialog.h"

#include <string>
#include <vector>

#include "colour/profile_dialog_layout.h"
#include "context_help.h"
#include "dialog_routines.h"
#include "help_path.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "session_dialog.h"
#include "platform/shell.h"
#include "platform/win32_errors.h"
#include "tips.h"
#include "watermarks/overlay_names.h"

namespace kx::ui {
namespace profiles {
namespace {

using namespace host;

// The balloon texts (code page 949).
// 프로파일 설명 사본을 추가할 수 없습니다
constexpr char kCopyMessage[] =
    "\xC7\xC1\xB7\xCE\xC6\xC4\xC0\xCF \xBC\xB3\xB8\xED \xBB\xE7\xBA\xBB\xC0\xBB \xC3\xDF\xB0\xA1"
    "\xC7\xD2 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9";
// 프로필의 파일이름과 설명을 구체화해야 합니다
constexpr char kBothNeededMessage[] =
    "\xC7\xC1\xB7\xCE\xC7\xCA\xC0\xC7 \xC6\xC4\xC0\xCF\xC0\xCC\xB8\xA7\xB0\xFA \xBC\xB3\xB8\xED"
    "\xC0\xBB \xB1\xB8\xC3\xBC\xC8\xAD\xC7\xD8\xBE\xDF \xC7\xD5\xB4\xCF\xB4\xD9";
// 다운로드된 파일 이름은 일정한 DOS 이름짓기 규약(8.3)을 준수해야 합니다. 다시 입력하십시오...
constexpr char kDosNameMessage[] =
    "\xB4\xD9\xBF\xEE\xB7\xCE\xB5\xE5\xB5\xC8 \xC6\xC4\xC0\xCF \xC0\xCC\xB8\xA7\xC0\xBA \xC0\xCF"
    "\xC1\xA4\xC7\xD1 DOS \xC0\xCC\xB8\xA7\xC1\xFE\xB1\xE2 \xB1\xD4\xBE\xE0(8.3)\xC0\xBB \xC1\xD8"
    "\xBC\xF6\xC7\xD8\xBE\xDF \xC7\xD5\xB4\xCF\xB4\xD9. \xB4\xD9\xBD\xC3 \xC0\xD4\xB7\xC2\xC7\xCF"
    "\xBD\xCA\xBD\xC3\xBF\xC0...";
// 파일 설명을 구체화해야 합니다
constexpr char kDescriptionNeededMessage[] =
    "\xC6\xC4\xC0\xCF \xBC\xB3\xB8\xED\xC0\xBB \xB1\xB8\xC3\xBC\xC8\xAD\xC7\xD8\xBE\xDF \xC7\xD5"
    "\xB4\xCF\xB4\xD9";
// 프로필의 파일 이름이 없습니다.
constexpr char kNoFileNameMessage[] =
    "\xC7\xC1\xB7\xCE\xC7\xCA\xC0\xC7 \xC6\xC4\xC0\xCF \xC0\xCC\xB8\xA7\xC0\xCC \xBE\xF8\xBD\xC0"
    "\xB4\xCF\xB4\xD9.";
// The status line's texts, followed directly by the description.
constexpr char kAddedStatus[] = "\xC7\xC1\xB7\xCE\xC6\xC4\xC0\xCF \xC3\xDF\xB0\xA1";  // 프로파일 추가
constexpr char kRemovedStatus[] = "\xC7\xC1\xB7\xCE\xC7\xCA \xC1\xA6\xB0\xC5";  // 프로필 제거

constexpr LRESULT kNoEntry = -1;

// One open dialog: the kind it manages, whose store it is, and its balloon.
struct Session {
  ProfileKind kind = ProfileKind::kRgbSource;
  std::u16string printer;
  Tips balloon{TipHideRule::SameControl};
  std::u16string message;  // the balloon's text, asked for when it is shown
};

Session* SessionOf(HWND dialog) { return SessionOfDialog<Session>(dialog); }

HWND Combo(HWND dialog) { return platform::GetDlgItem(dialog, kDescriptionCombo); }

LRESULT ComboMessage(HWND dialog, UINT message, WPARAM wParam, const char16_t* text = nullptr) {
  return platform::SendMessage(Combo(dialog), message, wParam, reinterpret_cast<LPARAM>(text));
}

// The stored file name of a description; empty when its record cannot be read.
std::u16string StoredFileName(const Session& session, const std::u16string& description) {
  ProfileRecord record{};
  if (!ReadProfile(session.kind, session.printer, description, &record)) return {};
  return std::u16string(record.fileName);
}

void ShowFileNameOf(HWND dialog, const Session& session, LRESULT index) {
  const std::u16string description = index >= 0 ? ComboItemText(Combo(dialog), index) : std::u16string();
  platform::SetDlgItemText(dialog, kFileNameBox,
                           description.empty() ? u"" : StoredFileName(session, description));
}

void ShowBalloon(Session& session, int controlId, const char* message) {
  session.message = ConvertMessage(message);
  session.balloon.ShowAt(controlId);
}

// A new action answers for itself: the balloon of an earlier one goes.
void HideBalloon(Session& session) {
  session.balloon.Hide(BN_CLICKED, session.balloon.shownControl());
}

void ShowStatus(HWND dialog, const char* status, const std::u16string& description) {
  platform::SetDlgItemText(dialog, kStatusLine, ToUtf16(status) + description);
}

void OnInit(HWND dialog, Session& session) {
  platform::ApplyControlLimits(dialog, ProfileDialogSpec());
  for (const std::u16string& description : ListProfiles(session.kind, session.printer)) {
    ComboMessage(dialog, CB_ADDSTRING, 0, description.c_str());
  }
  const LRESULT first = ComboMessage(dialog, CB_SETCURSEL, 0);
  ShowFileNameOf(dialog, session, first);
  session.balloon.Create(dialog, kTipControls);
}

// The description and the file name as the boxes hold them, cut to what the store takes.
std::u16string BoxText(HWND dialog, int id, size_t limit) {
  std::u16string text = platform::GetDlgItemText(dialog, id);
  if (text.size() > limit) text.resize(limit);
  return text;
}

void OnAdd(HWND dialog, Session& session) {
  HideBalloon(session);
  // The box shows a listed description, or was typed over while one stayed chosen.
  if (ComboMessage(dialog, CB_GETCURSEL, 0) != kNoEntry) {
    ShowBalloon(session, kDescriptionCombo, kCopyMessage);
    return;
  }
  const std::u16string description = BoxText(dialog, kDescriptionCombo, kMaxProfileDescription);
  std::u16string fileName = BoxText(dialog, kFileNameBox, kMaxProfileFileName);
  if (description.empty() || fileName.empty()) {
    ShowBalloon(session, kDescriptionCombo, kBothNeededMessage);
    return;
  }
  // A description typed again whole would list twice and overwrite the stored profile.
  if (ComboMessage(dialog, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), description.c_str()) >=
      0) {
    ShowBalloon(session, kDescriptionCombo, kCopyMessage);
    return;
  }
  if (!MakeOverlayName(&fileName)) {
    ShowBalloon(session, kFileNameBox, kDosNameMessage);
    return;
  }
  // Only a stored profile is listed: the list is what the printer's store holds.
  if (WriteProfile(session.kind, session.printer, description, fileName) !=
      platform::kErrorSuccess) {
    ShowBalloon(session, kDescriptionCombo, kBothNeededMessage);
    return;
  }
  const LRESULT added = ComboMessage(dialog, CB_ADDSTRING, 0, description.c_str());
  ShowStatus(dialog, kAddedStatus, description);
  ComboMessage(dialog, CB_SETCURSEL, static_cast<WPARAM>(added));
  ShowFileNameOf(dialog, session, added);
}

// After an entry went: the one that took its place is chosen; when the last entry went,
// none is, and the file name shown is the first entry's.
void SelectAfterRemoval(HWND dialog, const Session& session, LRESULT removed) {
  const LRESULT remaining = ComboMessage(dialog, CB_GETCOUNT, 0);
  if (remaining <= 0) {
    ComboMessage(dialog, CB_SETCURSEL, static_cast<WPARAM>(kNoEntry));
    platform::SetDlgItemText(dialog, kFileNameBox, u"");
    return;
  }
  if (removed < remaining) {
    ComboMessage(dialog, CB_SETCURSEL, static_cast<WPARAM>(removed));
    ShowFileNameOf(dialog, session, removed);
    return;
  }
  ComboMessage(dialog, CB_SETCURSEL, static_cast<WPARAM>(kNoEntry));
  ShowFileNameOf(dialog, session, 0);
}

void OnDelete(HWND dialog, Session& session) {
  HideBalloon(session);
  const std::u16string description = platform::GetDlgItemText(dialog, kDescriptionCombo);
  if (description.empty()) {
    ShowBalloon(session, kDescriptionCombo, kDescriptionNeededMessage);
    return;
  }
  if (!DeleteProfile(session.kind, session.printer, description)) {
    ShowBalloon(session, kDescriptionCombo, kNoFileNameMessage);
    return;
  }
  const LRESULT entry =
      ComboMessage(dialog, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), description.c_str());
  if (entry < 0) return;
  ComboMessage(dialog, CB_DELETESTRING, static_cast<WPARAM>(entry));
  ShowStatus(dialog, kRemovedStatus, description);
  SelectAfterRemoval(dialog, session, entry);
}

void OpenDialogHelp() { platform::OpenPage(TopicPage(Module().HelpRoot(), kProfileDialogId)); }

INT_PTR OnCommand(HWND dialog, Session& session, int id, UINT code) {
  if (id == kDescriptionCombo) {
    if (code == CBN_SELCHANGE) {
      ShowFileNameOf(dialog, session, ComboMessage(dialog, CB_GETCURSEL, 0));
    } else if (code == CBN_DROPDOWN) {
      // The open list covers the file name box, and with it the balloon there.
      session.balloon.Hide(code, kFileNameBox);
    }
    return 0;
  }
  if (code != BN_CLICKED) return 0;
  switch (id) {
    case kAddButton:
      OnAdd(dialog, session);
      break;
    case kDeleteButton:
      OnDelete(dialog, session);
      break;
    case kDoneButton:
    case IDOK:  // Enter
      platform::EndDialog(dialog, kProfilesDone);
      break;
    case IDCANCEL:  // Escape or the close box
      platform::EndDialog(dialog, kProfilesCancelled);
      break;
    case kHelpButton:
      OpenDialogHelp();
      break;
    default:
      return 0;
  }
  return 1;
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
    case WM_MOUSEMOVE:
      session.balloon.Hide(message, 0);
      return 0;
    default:
      return 0;
  }
}

struct ProfileDialog {
  using Session = profiles::Session;
  static const platform::DialogSpec& Spec() { return ProfileDialogSpec(); }
  static const DialogHelp& Help() { return ProfileHelp(); }
  static void OnInit(HWND dialog, Session& session) { profiles::OnInit(dialog, session); }
  static INT_PTR OnMessage(HWND dialog, Session& session, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    return profiles::OnMessage(dialog, session, message, wParam, lParam);
  }
};

}  // namespace

TipState ProfileBalloonOf(HWND dialog) {
  const Session* session = SessionOf(dialog);
  if (session == nullptr) return {};
  return session->balloon.state();
}

}  // namespace profiles

host::INT_PTR ShowProfileManager(host::HWND owner, PageSetContext* context, ProfileKind kind) {
  if (context == nullptr || context->commonUi == nullptr) return profiles::kProfilesCancelled;
  profiles::Session session;
  session.kind = kind;
  session.printer = PrinterNameOfContext(*context);
  return RunSessionDialog<profiles::ProfileDialog>(owner, &session);
}

}  // namespace kx::ui
