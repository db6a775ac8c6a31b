#include "watermarks/watermark_editor.h"

#include <optional>
#include <string>
#include <vector>

#include "context_help.h"
#include "dialog_routines.h"
#include "help_path.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "session_dialog.h"
#include "platform/shell.h"
#include "platform/win32_errors.h"
#include "settings/record_text.h"
#include "watermarks/editor_layout.h"
#include "watermarks/editor_session.h"
#include "watermarks/editor_state.h"
#include "watermarks/editor_values.h"
#include "watermarks/watermark_store.h"

namespace kx::ui {
namespace editor {
namespace {

using namespace host;
using settings::FieldText;
using settings::WatermarkRecord;

constexpr WPARAM kBalloonWidth = 150;  // pixels
// Save reads at most this much of a numeric box.
constexpr size_t kCheckedTextLength = 15;
constexpr char16_t kStoreFailedMessage[] = u"워터마크를 저장할 수 없습니다.";

EditorSession* SessionOf(HWND dialog) { return SessionOfDialog<EditorSession>(dialog); }

// A colour printer, and a job printed in colour.
bool ColourCapable(const PageSetContext& context, const settings::PrivateRecord& settings) {
  constexpr uint8_t kColourMode = 2;
  return context.ppd != nullptr && context.ppd->colorDevice != 0 &&
         settings.colorMode == kColourMode;
}

std::u16string TextOf(HWND dialog, int id) { return platform::GetDlgItemText(dialog, id); }

// Closes the balloon, whichever box it is shown at: no control has the id 0, so the
// balloon always belongs to another control than the one named.
void CloseBalloon(EditorSession& session) {
  constexpr int kNoControl = 0;
  session.balloon.Hide(EN_KILLFOCUS, kNoControl);
}

void ShowBalloon(EditorSession& session, int boxId, const char* message) {
  EditorState().message = ConvertMessage(message);
  session.balloon.ShowAt(boxId);
}

// Where colour does not print, a colour watermark becomes black, in the shade black had.
void MakeBlackWithoutColour(EditorSession& session) {
  WatermarkRecord& record = *session.record;
  if (session.colourCapable || record.colourFlag == 0) return;
  record.colourFlag = 0;
  record.shadeOrColour = EditorState().savedShade;
}

void OnInit(HWND dialog, EditorSession& session) {
  WatermarkRecord& record = *session.record;
  session.editingExisting = !FieldText(record.name).empty();
  WatermarkEditorState& state = EditorState();
  if (state.savedShade == WatermarkEditorState::kShadeUnset) {
    state.savedShade = NewWatermarkRecord().shadeOrColour;
  }
  MakeBlackWithoutColour(session);
  platform::ApplyControlLimits(dialog, WatermarkEditorSpec());
  FillLists(dialog, session);
  FillControls(dialog, session);
  session.balloon.Create(dialog, kCheckedBoxes);
  platform::SendMessage(session.balloon.window(), TTM_SETMAXTIPWIDTH, 0,
                        static_cast<LPARAM>(kBalloonWidth));
}

// A box's value enters the record when the box is left; a number out of its field's
// range stays out and is named in the balloon.
void OnBoxLeft(HWND dialog, EditorSession& session, int boxId) {
  CloseBalloon(session);
  WatermarkRecord& record = *session.record;
  if (boxId == kNameBox) {
    settings::StoreText(record.name, TextOf(dialog, kNameBox));
    return;
  }
  if (boxId == kTextBox) {
    settings::StoreText(record.text, TextOf(dialog, kTextBox));
    return;
  }
  const NumberField* field = NumberFieldOf(boxId);
  // The shade box holds a shade only while black is chosen.
  if (field == nullptr || (field == &ShadeField() && record.colourFlag != 0)) return;
  if (const std::optional<int32_t> value = AcceptedValue(*field, TextOf(dialog, boxId))) {
    record.*(field->field) = *value;
  } else {
    ShowBalloon(session, boxId, field->message);
  }
}

// The font chosen; a record whose font is not in the list keeps its name.
void OnFontListLeft(HWND dialog, EditorSession& session) {
  CloseBalloon(session);
  HWND list = platform::GetDlgItem(dialog, kFontList);
  const LRESULT selected = platform::SendMessage(list, CB_GETCURSEL, 0, 0);
  session.record->fontIndex = static_cast<int32_t>(selected < 0 ? CB_ERR : selected);
  if (selected < 0) return;
  settings::StoreText(session.record->fontName, ComboItemText(list, selected));
}

void OnColourChosen(HWND dialog, EditorSession& session) {
  ApplyColourChoice(session.record, SelectedValue(dialog, kColourList),
                    TextOf(dialog, kShadeBox), &EditorState().savedShade);
  const bool black = session.record->colourFlag == 0;
  if (black) {
    const std::string shade = std::to_string(session.record->shadeOrColour);
    platform::SetDlgItemText(dialog, kShadeBox, std::u16string(shade.begin(), shade.end()));
  }
  platform::EnableWindow(platform::GetDlgItem(dialog, kShadeBox), black);
  platform::EnableWindow(platform::GetDlgItem(dialog, kShadeSpin), black);
}

bool IsChecked(HWND dialog, int id) {
  return platform::SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0) ==
         static_cast<LRESULT>(BST_CHECKED);
}

// Centred: no offset. Relative: the offsets change only when their boxes are left.
void OnPositionClicked(HWND dialog, EditorSession& session, int radioId) {
  if (radioId == kCentreRadio) {
    session.record->offsetX = 0;
    session.record->offsetY = 0;
  }
  EnablePositionGroup(dialog, radioId == kRelativeRadio);
}

struct Refusal {
  int boxId;
  const char* message;
};

// The first check the boxes' texts fail, in the order the user reads them.
std::optional<Refusal> FirstRefusal(HWND dialog, const EditorSession& session) {
  const std::u16string name = TextOf(dialog, kNameBox);
  if (name.empty()) return Refusal{kNameBox, kNameAndTextMessage};
  if (!session.editingExisting && IsPredefinedWatermark(name)) {
    return Refusal{kNameBox, kPredefinedNameMessage};
  }
  if (TextOf(dialog, kTextBox).empty()) return Refusal{kTextBox, kNameAndTextMessage};
  for (const NumberField& field : NumberFields()) {
    const std::u16string text = TextOf(dialog, field.boxId).substr(0, kCheckedTextLength);
    if (!AcceptedValue(field, text)) return Refusal{field.boxId, field.message};
  }
  return std::nullopt;
}

void Close(HWND dialog, EditorSession& session, INT_PTR result) {
  session.closing = true;
  platform::EndDialog(dialog, result);
}

// Save by the Enter key leaves the focus where it was: the value typed there is taken as
// if the box had been left, or it would be missing from the stored watermark.
void TakeFocusedValue(HWND dialog, EditorSession& session) {
  const HWND focus = platform::GetFocus();
  if (focus == nullptr || platform::GetParent(focus) != dialog) return;
  const int id = platform::GetDlgCtrlID(focus);
  if (id == kFontList) {
    OnFontListLeft(dialog, session);
  } else if (id == kNameBox || id == kTextBox || NumberFieldOf(id) != nullptr) {
    OnBoxLeft(dialog, session, id);
  }
}

// Stores the record as the boxes left it; a store that fails keeps the editor open, so
// the user knows the watermark is not saved.
void OnSave(HWND dialog, EditorSession& session) {
  TakeFocusedValue(dialog, session);
  CloseBalloon(session);
  if (const std::optional<Refusal> refusal = FirstRefusal(dialog, session)) {
    ShowBalloon(session, refusal->boxId, refusal->message);
    return;
  }
  if (StoreWatermark(*session.record, session.printer) != platform::kErrorSuccess) {
    platform::MessageBox(dialog, kStoreFailedMessage, platform::GetWindowText(dialog),
                         MB_OK | MB_ICONERROR);
    return;
  }
  Close(dialog, session, kEditorSaved);
}

bool IsPredefinedName(std::u16string_view name) {
  for (const TextRow& row : kPredefinedWatermarks) {
    if (ToUtf16(row.text) == name) return true;
  }
  return false;
}

// A predefined watermark goes back to its factory state, a user watermark to its last
// saved version, a new one to the new-record default.
void OnDefaults(HWND dialog, EditorSession& session) {
  const std::u16string key(session.editingExisting ? FieldText(session.record->name) : u"");
  WatermarkRecord defaults{};
  if (IsPredefinedName(key)) {
    defaults = NewWatermarkRecord();
    settings::StoreText(defaults.text, key);
  } else {
    defaults = LoadWatermark(key, session.printer);
  }
  settings::StoreText(defaults.name, key);
  *session.record = defaults;
  MakeBlackWithoutColour(session);
  FillControls(dialog, session);
}

void OpenEditorHelp() {
  platform::OpenPage(TopicPage(Module().HelpRoot(), kWatermarkEditorId));
}

INT_PTR OnCommand(HWND dialog, EditorSession& session, int id, UINT code) {
  if (code == EN_KILLFOCUS) {
    if (!session.closing) OnBoxLeft(dialog, session, id);
    return 0;
  }
  if (id == kFontList && code == CBN_KILLFOCUS) {
    if (!session.closing) OnFontListLeft(dialog, session);
    return 0;
  }
  if (id == kColourList && code == CBN_SELCHANGE) {
    OnColourChosen(dialog, session);
    return 0;
  }
  if (code != BN_CLICKED) return 0;
  switch (id) {
    case kBackgroundCheck:
      session.record->background = IsChecked(dialog, id) ? 1 : 0;
      break;
    case kOutlineCheck:
      session.record->outlineOnly = IsChecked(dialog, id) ? 1 : 0;
      break;
    case kCentreRadio:
    case kRelativeRadio:
      OnPositionClicked(dialog, session, id);
      break;
    case kSaveButton:
    case IDOK:  // Enter, when the dialog has no default button at that moment
      OnSave(dialog, session);
      break;
    case kCancelButton:
      Close(dialog, session, kEditorCancelled);
      break;
    case IDCANCEL:  // Escape or the close box
      Close(dialog, session, kEditorClosed);
      break;
    case kHelpButton:
      OpenEditorHelp();
      break;
    case kDefaultsButton:
      OnDefaults(dialog, session);
      break;
    default:
      return 0;
  }
  return 1;
}

INT_PTR OnNotify(const NMHDR* header) {
  if (header == nullptr || header->code != TTN_GETDISPINFOW) return 0;
  auto* request = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
  request->lpszText = EditorState().message.data();
  return 1;
}

INT_PTR OnMessage(HWND dialog, EditorSession& session, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, session, LoWord(wParam), HiWord(wParam));
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    default:
      return 0;
  }
}

struct EditorDialog {
  using Session = EditorSession;
  static const platform::DialogSpec& Spec() { return WatermarkEditorSpec(); }
  static const DialogHelp& Help() { return EditorHelp(); }
  static void OnInit(HWND dialog, Session& session) { editor::OnInit(dialog, session); }
  static INT_PTR OnMessage(HWND dialog, Session& session, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    return editor::OnMessage(dialog, session, message, wParam, lParam);
  }
};

}  // namespace
}  // namespace editor

host::INT_PTR ShowWatermarkEditor(host::HWND owner, PageSetContext* context) {
  settings::PrivateRecord* settings = RecordOfContext(context);
  if (settings == nullptr) return kEditorCancelled;
  editor::EditorSession session;
  session.record = &settings->watermark;
  session.ppd = context->ppd;
  session.printer = PrinterNameOfContext(*context);
  session.colourCapable = editor::ColourCapable(*context, *settings);
  return RunSessionDialog<editor::EditorDialog>(owner, &session);
}

TipState BalloonOf(host::HWND editor) {
  const editor::EditorSession* session = editor::SessionOf(editor);
  if (session == nullptr) return {};
  return session->balloon.state();
}

}  // namespace kx::ui
