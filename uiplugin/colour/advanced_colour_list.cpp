#include "colour/advanced_colour_list.h"

#include <algorithm>

#include "colour/advanced_colour_layout.h"
#include "colour/colour_sets.h"
#include "dialog_routines.h"
#include "platform/dialogs.h"
#include "settings/record_text.h"

namespace kx::ui::advanced_colour {
namespace {

using namespace host;
using settings::FieldText;

// 컬러 프로필 이름이 비어있어 저장할 수 없습니다.
constexpr char kEmptyName[] =
    "\xC4\xC3\xB7\xAF \xC7\xC1\xB7\xCE\xC7\xCA \xC0\xCC\xB8\xA7\xC0\xCC "
    "\xBA\xF1\xBE\xEE\xC0\xD6\xBE\xEE \xC0\xFA\xC0\xE5\xC7\xD2 \xBC\xF6 "
    "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9.";
// 컬러 프로필 이름은 31자까지 쓸 수 있습니다.
constexpr char kLongName[] =
    "\xC4\xC3\xB7\xAF \xC7\xC1\xB7\xCE\xC7\xCA \xC0\xCC\xB8\xA7\xC0\xBA "
    "31\xC0\xDA\xB1\xEE\xC1\xF6 \xBE\xB5 \xBC\xF6 \xC0\xD6\xBD\xC0\xB4\xCF\xB4\xD9.";
// 설정한 Z컬러 이름을 덮어쓸 수 없습니다
constexpr char kPresetNotOverwritten[] =
    "\xBC\xB3\xC1\xA4\xC7\xD1 Z\xC4\xC3\xB7\xAF \xC0\xCC\xB8\xA7\xC0\xBB "
    "\xB5\xA4\xBE\xEE\xBE\xB5 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9";
// 앞서 설정한 Z컬러 이름을 삭제할 수 없습니다
constexpr char kPresetNotDeleted[] =
    "\xBE\xD5\xBC\xAD \xBC\xB3\xC1\xA4\xC7\xD1 Z\xC4\xC3\xB7\xAF \xC0\xCC\xB8\xA7\xC0\xBB "
    "\xBB\xE8\xC1\xA6\xC7\xD2 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9";
// "%s" 이(가) 이미존재합니다. 덮어 쓰시겠습니까?
constexpr char kOverwriteQuestion[] =
    "\"%s\" \xC0\xCC(\xB0\xA1) \xC0\xCC\xB9\xCC\xC1\xB8\xC0\xE7\xC7\xD5\xB4\xCF\xB4\xD9. "
    "\xB5\xA4\xBE\xEE \xBE\xB2\xBD\xC3\xB0\xDA\xBD\xC0\xB4\xCF\xB1\xEE?";
// 무효한 색 프로파일 이름
constexpr char kInvalidName[] =
    "\xB9\xAB\xC8\xBF\xC7\xD1 \xBB\xF6 \xC7\xC1\xB7\xCE\xC6\xC4\xC0\xCF \xC0\xCC\xB8\xA7";

constexpr std::u16string_view kNamePlaceholder = u"%s";
// The longest name the record's colorSetName (and so the store's list) holds.
constexpr size_t kMaxNameLength = std::size(settings::PrivateRecord{}.colorSetName) - 1;
constexpr int kNone = -1;

HWND SetList(HWND dialog) { return platform::GetDlgItem(dialog, kSetList); }

int ItemCount(HWND list) { return static_cast<int>(platform::SendMessage(list, CB_GETCOUNT, 0, 0)); }

// The set id of an item: 1 to 6 for a predefined set, 0 for a user set.
uint32_t ItemSet(HWND list, int index) {
  const LRESULT data =
      platform::SendMessage(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == CB_ERR ? kUserColourSet : static_cast<uint32_t>(data & 0xFF);
}

// The first item whose text is the name, exactly; kNone when no item's is.
int FindItem(HWND list, std::u16string_view name) {
  const int count = ItemCount(list);
  for (int index = 0; index < count; ++index) {
    if (ComboItemText(list, index) == name) return index;
  }
  return kNone;
}

int FindSet(HWND list, uint32_t set) {
  const int count = ItemCount(list);
  for (int index = 0; index < count; ++index) {
    if (ItemSet(list, index) == set) return index;
  }
  return kNone;
}

int AddItem(HWND list, const std::u16string& name, uint32_t set) {
  const LRESULT index =
      platform::SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  if (index >= 0) {
    platform::SendMessage(list, CB_SETITEMDATA, static_cast<WPARAM>(index),
                          static_cast<LPARAM>(set));
  }
  return static_cast<int>(index);
}

void Select(HWND list, int index) {
  platform::SendMessage(list, CB_SETCURSEL, static_cast<WPARAM>(std::max(index, 0)), 0);
}

// The item chosen from the list; kNone when the box holds a typed name instead (the edit
// text no longer being the selected item's, whether the control kept the selection or not).
int ChosenItem(HWND dialog) {
  const HWND list = SetList(dialog);
  const auto selected = static_cast<int>(platform::SendMessage(list, CB_GETCURSEL, 0, 0));
  if (selected < 0) return kNone;
  const bool shown = ComboItemText(list, selected) == platform::GetDlgItemText(dialog, kSetList);
  return shown ? selected : kNone;
}

// The box's text as far as it takes it.
std::u16string TypedName(HWND dialog) {
  return platform::GetDlgItemText(dialog, kSetList).substr(0, kSetNameLimit);
}

void ShowTip(AdvancedColourState& state, int controlId, const char* message) {
  state.tipText = ToUtf16(message);
  state.tips.ShowAt(controlId);
}

void Store(AdvancedColourState& state) {
  SaveColourSet(FieldText(state.record->colorSetName), state.printer, *state.record);
  state.userSetChanged = false;
}

void UsePredefinedSet(AdvancedColourState& state, uint32_t set) {
  state.record->quickColorSet = set;
  ApplyPredefinedColourSet(state.record);
  settings::StoreText(state.record->colorSetName, u"");
}

// A set that cannot be loaded leaves the colour settings as they are.
void UseUserSet(AdvancedColourState& state, const std::u16string& name) {
  state.record->quickColorSet = kUserColourSet;
  if (LoadColourSet(name, state.printer, state.record)) {
    // The stored block carries the number it had when stored; the job now uses this set.
    state.record->quickColorSet = kUserColourSet;
    settings::StoreText(state.record->colorSetName, name);
  }
}

void UseItem(HWND list, AdvancedColourState& state, int index) {
  const uint32_t set = ItemSet(list, index);
  if (set != kUserColourSet) {
    UsePredefinedSet(state, set);
  } else {
    UseUserSet(state, ComboItemText(list, index));
  }
  state.userSetChanged = false;
}

// The question names the set the job uses, which is the one stored on Yes.
void AskToOverwrite(HWND dialog, AdvancedColourState& state) {
  std::u16string question = ToUtf16(kOverwriteQuestion);
  const size_t at = question.find(kNamePlaceholder);
  if (at != std::u16string::npos) {
    question.replace(at, kNamePlaceholder.size(), FieldText(state.record->colorSetName));
  }
  if (platform::MessageBox(dialog, question, platform::GetWindowText(dialog),
                           MB_YESNO | MB_ICONQUESTION) == IDYES) {
    Store(state);
  }
}

void SaveTypedName(HWND dialog, AdvancedColourState& state) {
  const HWND list = SetList(dialog);
  const std::u16string name = TypedName(dialog);
  if (name.empty()) {
    ShowTip(state, kSaveButton, kEmptyName);
    return;
  }
  // The store's list and the job's set name hold no more; a longer name would be stored
  // under a name that can never be listed or chosen again.
  if (name.size() > kMaxNameLength) {
    ShowTip(state, kSaveButton, kLongName);
    return;
  }
  const int found = FindItem(list, name);
  if (found == kNone) {
    state.record->quickColorSet = kUserColourSet;
    settings::StoreText(state.record->colorSetName, name);
    AddItem(list, name, kUserColourSet);
    Store(state);
  } else if (ItemSet(list, found) != kUserColourSet) {
    ShowTip(state, kSaveButton, kPresetNotOverwritten);
  } else {
    AskToOverwrite(dialog, state);
  }
}

// The name Delete is about; empty when there is none.
std::u16string NameToDelete(HWND dialog, int selected) {
  const std::u16string typed = TypedName(dialog);
  if (!typed.empty() || selected < 0) return typed;
  return ComboItemText(SetList(dialog), selected);
}

}  // namespace

void FillSetList(HWND dialog, const AdvancedColourState& state) {
  const settings::PrivateRecord& record = *state.record;
  FillComboWithValues(dialog, kSetList, kPredefinedColourSets, record.quickColorSet);
  const HWND list = SetList(dialog);
  for (const std::u16string& name : ListColourSets(state.printer)) {
    AddItem(list, name, kUserColourSet);
  }
  int current = kNone;
  if (record.quickColorSet == kUserColourSet) {
    current = FindItem(list, FieldText(record.colorSetName));
    if (current == kNone) current = FindSet(list, kUserColourSet);
  } else {
    current = FindSet(list, record.quickColorSet);
  }
  Select(list, current);
}

void OnSetChosen(HWND dialog, AdvancedColourState& state) {
  const HWND list = SetList(dialog);
  const auto selected = static_cast<int>(platform::SendMessage(list, CB_GETCURSEL, 0, 0));
  if (selected >= 0) UseItem(list, state, selected);
}

void OnSave(HWND dialog, AdvancedColourState& state) {
  const int chosen = ChosenItem(dialog);
  if (chosen == kNone) {
    SaveTypedName(dialog, state);
  } else if (ItemSet(SetList(dialog), chosen) != kUserColourSet) {
    ShowTip(state, kSaveButton, kPresetNotOverwritten);
    platform::SetFocus(platform::GetDlgItem(dialog, kSaveButton));
  } else {
    AskToOverwrite(dialog, state);
  }
}

void OnDelete(HWND dialog, AdvancedColourState& state) {
  const HWND list = SetList(dialog);
  const auto selected = static_cast<int>(platform::SendMessage(list, CB_GETCURSEL, 0, 0));
  if (TypedName(dialog).empty() && selected >= 0 && ItemSet(list, selected) != kUserColourSet) {
    ShowTip(state, kDeleteButton, kPresetNotDeleted);
    return;
  }
  const std::u16string name = NameToDelete(dialog, selected);
  const int found = FindItem(list, name);
  if (found == kNone) {
    platform::MessageBox(dialog, ToUtf16(kInvalidName), platform::GetWindowText(dialog),
                         MB_OK | MB_ICONWARNING);
    return;
  }
  if (ItemSet(list, found) != kUserColourSet) {
    ShowTip(state, kDeleteButton, kPresetNotDeleted);
    return;
  }
  DeleteColourSet(name, state.printer);
  platform::SendMessage(list, CB_DELETESTRING, static_cast<WPARAM>(found), 0);
  // The item that took the deleted one's place, or the one before when it was the last.
  const int next = std::min(found, ItemCount(list) - 1);
  Select(list, next);
  UseItem(list, state, std::max(next, 0));
}

void StoreAsUserSet(HWND dialog, AdvancedColourState& state) {
  const std::u16string user = UserColourSetName();
  state.record->quickColorSet = kUserColourSet;
  settings::StoreText(state.record->colorSetName, user);
  Store(state);
  const HWND list = SetList(dialog);
  int index = FindItem(list, user);
  if (index == kNone) index = AddItem(list, user, kUserColourSet);
  Select(list, index);
}

}  // namespace kx::ui::advanced_colour
