#include "joboptions/custom_settings_dialog.h"

#include <memory>
#include <string>
#include <vector>

#include "colour/colour_sets.h"
#include "dialog_routines.h"
#include "help_path.h"
#include "joboptions/custom_settings_layout.h"
#include "joboptions/custom_settings_store.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "session_dialog.h"
#include "settings/record_text.h"
#include "watermarks/watermark_store.h"

namespace kx::ui {
namespace custom_settings {
namespace {

using namespace host;
using settings::PrivateRecord;

// 없음 (none): always listed, and stands for no custom setting.
constexpr TextRow kNoneRows[] = {{.value = 0, .text = "\xBE\xF8\xC0\xBD"}};
constexpr TextTable kNone{kNoneRows};

std::u16string NoneName() { return ToUtf16(kNoneRows[0].text); }
// "없음" as the user may type it, case ignored.
bool MeansNone(std::u16string_view name) { return NameInTable(kNone, name); }

// One open dialog: the job's record it edits, whose store it uses, and the record as it
// was when the dialog opened.
struct Session {
  const PageSetContext* context = nullptr;
  PrivateRecord* record = nullptr;
  std::u16string printer;
  std::unique_ptr<PrivateRecord> snapshot = std::make_unique<PrivateRecord>();
};

HWND Combo(HWND dialog) { return platform::GetDlgItem(dialog, kNameCombo); }

LRESULT ComboMessage(HWND dialog, UINT message, WPARAM wParam, const char16_t* text = nullptr) {
  return platform::SendMessage(Combo(dialog), message, wParam, reinterpret_cast<LPARAM>(text));
}

void Enable(HWND dialog, int id, bool enable) {
  platform::EnableWindow(platform::GetDlgItem(dialog, id), enable);
}

void EnableSaveAndDelete(HWND dialog, bool save, bool remove) {
  Enable(dialog, kSaveButton, save);
  Enable(dialog, kDeleteButton, remove);
}

std::u16string CurrentName(const Session& session) {
  return std::u16string(settings::FieldText(session.record->customSettingName));
}

void SetCurrentName(Session& session, std::u16string_view name) {
  settings::StoreText(session.record->customSettingName, name);
}

// The name the box holds, as much of it as a setting's name keeps.
std::u16string BoxName(HWND dialog) {
  std::u16string name = platform::GetDlgItemText(dialog, kNameCombo);
  if (name.size() > kCustomSettingNameLimit) name.resize(kCustomSettingNameLimit);
  return name;
}

// Lists the stored settings and "없음"; the number of stored ones.
size_t ListSettings(HWND dialog, const Session& session) {
  ComboMessage(dialog, CB_RESETCONTENT, 0);
  const std::vector<std::u16string> names = ListCustomSettings(session.printer);
  for (const std::u16string& name : names) ComboMessage(dialog, CB_ADDSTRING, 0, name.c_str());
  const std::u16string none = NoneName();
  ComboMessage(dialog, CB_ADDSTRING, 0, none.c_str());
  return names.size();
}

// The list again, the buttons for the job's setting name, and the entry of that name
// chosen (its first entry beginning with it); a name the list does not hold chooses
// "없음", which can be neither saved nor deleted.
void Refresh(HWND dialog, const Session& session) {
  const size_t stored = ListSettings(dialog, session);
  const std::u16string current = CurrentName(session);
  const bool none = current == NoneName();
  EnableSaveAndDelete(dialog, !none, stored != 0 && !none);
  const LRESULT found = ComboMessage(dialog, CB_FINDSTRING, static_cast<WPARAM>(-1), current.c_str());
  if (found != CB_ERR) {
    ComboMessage(dialog, CB_SETCURSEL, static_cast<WPARAM>(found));
    return;
  }
  const std::u16string noneName = NoneName();
  const LRESULT noneEntry =
      ComboMessage(dialog, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), noneName.c_str());
  ComboMessage(dialog, CB_SETCURSEL, static_cast<WPARAM>(noneEntry));
  EnableSaveAndDelete(dialog, false, false);
}

void OnInit(HWND dialog, Session& session) {
  *session.snapshot = *session.record;
  Refresh(dialog, session);
}

void OnChosen(HWND dialog, Session& session) {
  const LRESULT chosen = ComboMessage(dialog, CB_GETCURSEL, 0);
  if (chosen == CB_ERR) return;
  SetCurrentName(session, ComboItemText(Combo(dialog), chosen));
  Refresh(dialog, session);
}

// A name being typed can be saved or deleted unless it is none.
void OnTyped(HWND dialog) {
  const std::u16string name = BoxName(dialog);
  const bool usable = !name.empty() && !MeansNone(name);
  EnableSaveAndDelete(dialog, usable, usable);
}

void OnSave(HWND dialog, Session& session) {
  const std::u16string name = BoxName(dialog);
  SetCurrentName(session, name);
  // A failed write leaves the name unlisted; the refresh shows that.
  StoreCustomSetting(name, *session.record, session.printer);
  Refresh(dialog, session);
}

// The job's setting name stays: the list's choice follows it.
void OnDelete(HWND dialog, Session& session) {
  RemoveCustomSetting(BoxName(dialog), session.printer);
  Refresh(dialog, session);
}

// Makes sure the stores hold what the applied record names: its watermark in the
// library and, for a user colour set, that set.
void KeepNamedEntries(const Session& session) {
  const PrivateRecord& record = *session.record;
  if (record.watermark.enabled != 0) StoreWatermark(record.watermark, session.printer);
  const ppd::PpdImage* ppd = session.context->ppd;
  if (ppd != nullptr && ppd->colorDevice != 0 && record.quickColorSet == kUserColourSet) {
    SaveColourSet(settings::FieldText(record.colorSetName), session.printer, record);
  }
}

// The chosen setting becomes the job's record, or (not stored yet) the job's record is
// stored under the name. The printer's device options are never a stored setting's.
void OnOk(HWND dialog, Session& session) {
  const std::u16string name = BoxName(dialog);
  SetCurrentName(session, name);
  if (!name.empty() && !MeansNone(name)) {
    if (!LoadCustomSetting(name, session.printer, session.record)) {
      StoreCustomSetting(name, *session.record, session.printer);
    }
    session.record->devOpts = session.snapshot->devOpts;
    KeepNamedEntries(session);
  }
  platform::EndDialog(dialog, kApplied);
}

// Saved and deleted settings stay so; the job keeps the setting name it came with.
void OnCancel(HWND dialog, Session& session) {
  settings::StoreText(session.record->customSettingName,
                      settings::FieldText(session.snapshot->customSettingName));
  platform::EndDialog(dialog, kCancelled);
}

INT_PTR OnCommand(HWND dialog, Session& session, int id, UINT code) {
  if (id == kNameCombo) {
    if (code == CBN_SELCHANGE) {
      OnChosen(dialog, session);
    } else if (code == CBN_EDITCHANGE) {
      OnTyped(dialog);
    }
    return 0;
  }
  if (code != BN_CLICKED) return 0;
  switch (id) {
    case kSaveButton:
      OnSave(dialog, session);
      return 1;
    case kDeleteButton:
      OnDelete(dialog, session);
      return 1;
    case IDOK:
      OnOk(dialog, session);
      return 1;
    case IDCANCEL:
      OnCancel(dialog, session);
      return 1;
    case kHelpButton:
      platform::OpenPage(TopicPage(Module().HelpRoot(), kCustomSettingsDialogId));
      return 1;
    default:
      return 0;
  }
}

struct CustomSettingsDialog {
  using Session = custom_settings::Session;
  static const platform::DialogSpec& Spec() { return CustomSettingsDialogSpec(); }
  static const DialogHelp& Help() { return CustomSettingsHelp(); }
  static void OnInit(HWND dialog, Session& session) { custom_settings::OnInit(dialog, session); }
  static INT_PTR OnMessage(HWND dialog, Session& session, UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND) return 0;
    return OnCommand(dialog, session, LoWord(wParam), HiWord(wParam));
  }
};

}  // namespace
}  // namespace custom_settings

host::INT_PTR ShowCustomSettings(host::HWND owner, PageSetContext* context) {
  settings::PrivateRecord* record = RecordOfContext(context);
  if (record == nullptr) return custom_settings::kCancelled;
  custom_settings::Session session;
  session.context = context;
  session.record = record;
  session.printer = PrinterNameOfContext(*context);
  return RunSessionDialog<custom_settings::CustomSettingsDialog>(owner, &session);
}

}  // namespace kx::ui
