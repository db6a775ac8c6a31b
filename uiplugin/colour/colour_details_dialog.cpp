#include "colour/colour_details_dialog.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "colour/colour_details_layout.h"
#include "colour/colour_details_session.h"
#include "colour/profile_dialog.h"
#include "dialog_routines.h"
#include "help_path.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "session_dialog.h"
#include "platform/shell.h"
#include "watermarks/watermark_store.h"

namespace kx::ui {
namespace details {
namespace {

using namespace host;
using settings::PrivateRecord;

constexpr uint8_t kGrayModel = 1;
constexpr uint8_t kColourModel = 2;
constexpr char16_t kDownloadFromColour[] = u"0";
constexpr char kDownloadMessage[] =
    "\xB4\xD9\xBF\xEE\xB7\xCE\xB5\xE5 \xB0\xFC\xB8\xAE\xC0\xDA \xBD\xC3\xC0\xDB\xC7\xD2 "
    "\xBC\xF6 \xBE\xF8\xC0\xBD.\n \xC0\xAF\xC6\xBF\xB8\xAE\xC6\xBC\xB8\xA6 "
    "\xBC\xB3\xC4\xA1, \xB6\xC7\xB4\xC2 \xC0\xE7\xBC\xB3\xC4\xA1 \xC7\xCF\xBD\xCA\xBD\xC3\xBF\xC0";
// 다운로드 관리자 시작할 수 없음.\n 유틸리티를 설치, 또는 재설치 하십시오

constexpr int kDownloadTipControls[] = {kDownloadButton};

// What only a colour job uses: intents, gray treatment and the profiles.
constexpr int kColourOnly[] = {
    kGraphicsIntentList, kImageIntentList, kGraphicsGrayList, kImageGrayList, kIntentsRadio,
    kRgbSourceList,      kRgbSourceButton, kSimulationList,   kSimulationButton,
    kDestinationList,    kDestinationButton, kProfileRadio,
};
// What lives on the printer's disk: the profiles and the download manager that puts them
// there.
constexpr int kDiskOnly[] = {kRgbSourceList,   kRgbSourceButton,   kSimulationList,
                             kSimulationButton, kDestinationList, kDestinationButton,
                             kDownloadButton};

DetailsSession* SessionOf(HWND dialog) { return SessionOfDialog<DetailsSession>(dialog); }

bool IsChecked(HWND dialog, int id) {
  return platform::SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0) ==
         static_cast<LRESULT>(BST_CHECKED);
}

void Check(HWND dialog, int id, bool checked) {
  platform::SendDlgItemMessage(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// A list whose PPD feature is missing stays disabled whatever the rules say.
void Enable(HWND dialog, const DetailsSession& session, int id, bool enable) {
  const bool missing = std::find(session.missingLists.begin(), session.missingLists.end(), id) !=
                       session.missingLists.end();
  platform::EnableWindow(platform::GetDlgItem(dialog, id), enable && !missing);
}

bool ColourChosen(HWND dialog) { return IsChecked(dialog, kColourRadio); }
bool IntentsChosen(HWND dialog) { return IsChecked(dialog, kIntentsRadio); }
bool HasHardDisk(const DetailsSession& session) {
  return session.record->devOpts.installedOptions[settings::kHasHardDisk] != 0;
}

void ApplyColourModelRule(HWND dialog, const DetailsSession& session) {
  const bool colour = ColourChosen(dialog);
  for (const int id : kColourOnly) Enable(dialog, session, id, colour);
}

// The printer's intents, or an RGB source profile in their stead.
void ApplyIntentsRule(HWND dialog, const DetailsSession& session) {
  const bool colour = ColourChosen(dialog);
  const bool intents = IntentsChosen(dialog);
  Enable(dialog, session, kGraphicsIntentList, colour && intents);
  Enable(dialog, session, kImageIntentList, colour && intents);
  Enable(dialog, session, kRgbSourceList, colour && !intents);
  Enable(dialog, session, kRgbSourceButton, colour && !intents);
}

// Without a disk there is nowhere for a profile to be: the printer's intents are the only
// choice. A gray job keeps them disabled all the same, as the colour model has it.
void ApplyNoDiskRule(HWND dialog, const DetailsSession& session) {
  if (HasHardDisk(session)) return;
  const bool colour = ColourChosen(dialog);
  Check(dialog, kIntentsRadio, true);
  Check(dialog, kProfileRadio, false);
  Enable(dialog, session, kIntentsRadio, colour);
  Enable(dialog, session, kGraphicsIntentList, colour);
  Enable(dialog, session, kImageIntentList, colour);
  Enable(dialog, session, kProfileRadio, false);
  for (const int id : kDiskOnly) Enable(dialog, session, id, false);
}

void OnInit(HWND dialog, DetailsSession& session) {
  const PrivateRecord& record = *session.record;
  Check(dialog, kGrayRadio, record.colorMode == kGrayModel);
  Check(dialog, kColourRadio, record.colorMode == kColourModel);
  Check(dialog, kIntentsRadio, record.useColorIntents != 0);
  Check(dialog, kProfileRadio, record.useColorIntents == 0);
  FillFeatureLists(dialog, session);
  for (const ProfileList& list : kProfileLists) FillProfileList(dialog, session, list);
  session.opening = record;
  ApplyColourModelRule(dialog, session);
  ApplyIntentsRule(dialog, session);
  ApplyNoDiskRule(dialog, session);
  session.downloadTip.Create(dialog, kDownloadTipControls, ToUtf16(kDownloadMessage));
}

// The store may have changed in the manager: the list is made again, keeping the entry
// the user had chosen when it is still there.
void OnManageProfiles(HWND dialog, DetailsSession& session, ProfileKind kind) {
  const ProfileList* list = ProfileListOf(kind);
  if (list == nullptr) return;
  const std::u16string chosen = SelectedText(dialog, list->listId);
  ShowProfileManager(dialog, session.context, kind);
  FillProfileList(dialog, session, *list);
  SelectExactText(dialog, list->listId, chosen);
}

void OnDownloadManager(DetailsSession& session) {
  if (!StartDownloadManager(kDownloadFromColour)) session.downloadTip.ShowAt(kDownloadButton);
}

// The record takes the dialog's choices; the result says whether the block changed, so
// that an unchanged block does not turn a predefined colour set into the user's own.
INT_PTR TakeChoices(HWND dialog, const DetailsSession& session) {
  PrivateRecord& record = *session.record;
  record.colorMode = IsChecked(dialog, kGrayRadio) ? kGrayModel : kColourModel;
  record.useColorIntents = IntentsChosen(dialog) ? 1 : 0;
  TakeFeatureLists(dialog, &record);
  for (const ProfileList& list : kProfileLists) TakeProfileList(dialog, session, list, &record);
  constexpr INT_PTR kChanged = 1;
  constexpr INT_PTR kUnchanged = 2;
  return ColourBlocksDiffer(record, session.opening) ? kChanged : kUnchanged;
}

void OpenDialogHelp() {
  platform::OpenPage(TopicPage(Module().HelpRoot(), kColourDetailsDialogId));
}

INT_PTR OnCommand(HWND dialog, DetailsSession& session, int id, UINT code) {
  if (code != BN_CLICKED) return 0;
  switch (id) {
    case kGrayRadio:
      ApplyColourModelRule(dialog, session);
      break;
    case kColourRadio:
      ApplyColourModelRule(dialog, session);
      ApplyIntentsRule(dialog, session);
      ApplyNoDiskRule(dialog, session);
      break;
    case kIntentsRadio:
    case kProfileRadio:
      // The radios check themselves; the intents flag is read from them at OK.
      ApplyIntentsRule(dialog, session);
      break;
    case kRgbSourceButton:
    case kSimulationButton:
    case kDestinationButton:
      OnManageProfiles(dialog, session, static_cast<ProfileKind>(id));
      break;
    case kDownloadButton:
      OnDownloadManager(session);
      break;
    case kOkButton:
      platform::EndDialog(dialog, TakeChoices(dialog, session));
      break;
    case kCancelButton:
      platform::EndDialog(dialog, kCancelButton);
      break;
    case kHelpButton:
      OpenDialogHelp();
      break;
    default:
      return 0;
  }
  return 1;
}

INT_PTR OnMessage(HWND dialog, DetailsSession& session, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return 0;
  return OnCommand(dialog, session, LoWord(wParam), HiWord(wParam));
}

struct DetailsDialog {
  using Session = DetailsSession;
  static const platform::DialogSpec& Spec() { return ColourDetailsDialogSpec(); }
  static const DialogHelp& Help() { return DetailsHelp(); }
  static void OnInit(HWND dialog, Session& session) { details::OnInit(dialog, session); }
  static INT_PTR OnMessage(HWND dialog, Session& session, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    return details::OnMessage(dialog, session, message, wParam, lParam);
  }
};

}  // namespace

DownloadTip DownloadTipOf(HWND dialog) {
  const DetailsSession* session = SessionOf(dialog);
  if (session == nullptr) return {};
  return {.window = session->downloadTip.window(), .shownAt = session->downloadTip.shownControl()};
}

}  // namespace details

host::INT_PTR ShowColourDetails(host::HWND owner, PageSetContext* context) {
  constexpr host::INT_PTR kUnchanged = 2;
  settings::PrivateRecord* record = RecordOfContext(context);
  if (record == nullptr) return kUnchanged;
  auto session = std::make_unique<details::DetailsSession>();
  session->context = context;
  session->record = record;
  session->printer = PrinterNameOfContext(*context);
  return RunSessionDialog<details::DetailsDialog>(owner, session.get());
}

}  // namespace kx::ui
