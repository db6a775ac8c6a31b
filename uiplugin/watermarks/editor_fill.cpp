#include <string>

#include "dialog_routines.h"
#include "platform/dialogs.h"
#include "settings/record_text.h"
#include "watermarks/editor_layout.h"
#include "watermarks/editor_session.h"
#include "watermarks/editor_state.h"
#include "watermarks/watermark_store.h"

namespace kx::ui::editor {
namespace {

using namespace host;
using settings::FieldText;

constexpr WPARAM kNoSelection = static_cast<WPARAM>(-1);

void SetNumber(HWND dialog, int id, int32_t value) {
  const std::string digits = std::to_string(value);
  platform::SetDlgItemText(dialog, id, std::u16string(digits.begin(), digits.end()));
}

void Check(HWND dialog, int id, bool checked) {
  platform::SendDlgItemMessage(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Enable(HWND dialog, int id, bool enable) {
  platform::EnableWindow(platform::GetDlgItem(dialog, id), enable);
}

// The black entry alone, for a printer or job without colour.
TextTable BlackOnly() {
  for (size_t i = 0; i < kWatermarkColours.size(); ++i) {
    if (kWatermarkColours[i].value == kBlackColourCode) return kWatermarkColours.subspan(i, 1);
  }
  return {};
}

void FillFontList(HWND dialog, const ppd::PpdImage* ppd) {
  HWND list = platform::GetDlgItem(dialog, kFontList);
  platform::SendMessage(list, CB_RESETCONTENT, 0, 0);
  if (ppd == nullptr) return;
  for (const ppd::PpdFont* font = ppd::FirstFont(ppd); font != nullptr;
       font = ppd::NextFont(ppd, font)) {
    const std::u16string name = ToUtf16(ppd::String(ppd, font->name));
    if (!name.empty()) {
      platform::SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
  }
}

// The first font whose name begins with the record's, case ignored; none when no font
// does (the record keeps its name).
void SelectFont(HWND dialog, std::u16string_view fontName) {
  HWND list = platform::GetDlgItem(dialog, kFontList);
  LRESULT found = CB_ERR;
  if (!fontName.empty()) {
    const std::u16string wanted(fontName);
    found = platform::SendMessage(list, CB_FINDSTRING, kNoSelection,
                                  reinterpret_cast<LPARAM>(wanted.c_str()));
  }
  platform::SendMessage(list, CB_SETCURSEL, found < 0 ? kNoSelection : static_cast<WPARAM>(found),
                        0);
}

void ShowPosition(HWND dialog, const settings::WatermarkRecord& record) {
  const bool centred = record.offsetX == 0 && record.offsetY == 0;
  Check(dialog, kCentreRadio, centred);
  Check(dialog, kRelativeRadio, !centred);
  SetNumber(dialog, kXBox, record.offsetX);
  SetNumber(dialog, kYBox, record.offsetY);
  EnablePositionGroup(dialog, !centred);
}

// A colour shows the shade black would come back to, which cannot be changed meanwhile.
void ShowColour(HWND dialog, const EditorSession& session) {
  const settings::WatermarkRecord& record = *session.record;
  const bool colour = session.colourCapable && record.colourFlag != 0;
  if (colour) {
    SelectByValue(dialog, kColourList, static_cast<uint32_t>(record.shadeOrColour));
    SetNumber(dialog, kShadeBox, EditorState().savedShade);
  } else {
    SelectByValue(dialog, kColourList, kBlackColourCode);
    SetNumber(dialog, kShadeBox, record.shadeOrColour);
  }
  Enable(dialog, kShadeBox, !colour);
  Enable(dialog, kShadeSpin, !colour);
}

}  // namespace

void EnablePositionGroup(HWND dialog, bool enable) {
  for (const int id : kPositionGroup) Enable(dialog, id, enable);
}

void FillLists(HWND dialog, const EditorSession& session) {
  FillComboWithValues(dialog, kColourList,
                      session.colourCapable ? kWatermarkColours : BlackOnly(), kBlackColourCode);
  Enable(dialog, kColourList, session.colourCapable);
  FillFontList(dialog, session.ppd);
}

void FillControls(HWND dialog, const EditorSession& session) {
  const settings::WatermarkRecord& record = *session.record;
  // A saved watermark keeps its name: it is the library's key.
  platform::SetDlgItemText(dialog, kNameBox, std::u16string(FieldText(record.name)));
  Enable(dialog, kNameBox, !session.editingExisting);
  platform::SetDlgItemText(dialog, kTextBox, std::u16string(FieldText(record.text)));
  Check(dialog, kBackgroundCheck, record.background != 0);
  Check(dialog, kOutlineCheck, record.outlineOnly != 0);
  ShowPosition(dialog, record);
  SetNumber(dialog, kAngleBox, record.angle);
  ShowColour(dialog, session);
  SelectFont(dialog, FieldText(record.fontName));
  SetNumber(dialog, kSizeBox, record.fontSize);
}

}  // namespace kx::ui::editor
