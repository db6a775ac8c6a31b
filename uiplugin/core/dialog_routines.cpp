#include "dialog_routines.h"

#include <algorithm>

#include "module_state.h"
#include "platform/codepage.h"
#include "platform/dialogs.h"

namespace kx::ui {
namespace {

using namespace host;

LRESULT AddItem(HWND combo, const std::u16string& text) {
  return platform::SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void AddItemWithValue(HWND combo, const std::u16string& text, uint32_t value) {
  const LRESULT index = AddItem(combo, text);
  if (index >= 0) {
    platform::SendMessage(combo, CB_SETITEMDATA, static_cast<WPARAM>(index),
                          static_cast<LPARAM>(value));
  }
}

int SelectItemOfValue(HWND combo, uint32_t value) {
  const LRESULT count = platform::SendMessage(combo, CB_GETCOUNT, 0, 0);
  int chosen = 0;
  for (LRESULT index = 0; index < count; ++index) {
    const LRESULT data = platform::SendMessage(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (data != CB_ERR && static_cast<uint32_t>(data) == value) {
      chosen = static_cast<int>(index);
      break;
    }
  }
  platform::SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  return chosen;
}

char16_t FoldCase(char16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

// The names compared are Latin letters, digits and Hangul; only the Latin letters have case.
bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

// The feature's options: the resolution list comes from the PPD's own resolution feature
// when it has one.
const ppd::PpdOption* OptionsOf(const ppd::PpdImage* ppd, std::string_view keyword) {
  if (keyword == "Resolution") {
    if (const ppd::PpdFeature* feature = ppd::PredefinedFeature(ppd, ppd::kResolution)) {
      return ppd::FirstOption(ppd, feature);
    }
  }
  return ppd::PpdFindOptions(ppd, keyword);
}

const settings::NameRow* PairOf(settings::NameTable pairs, std::string_view optionKeyword) {
  for (const settings::NameRow& pair : pairs) {
    if (pair.name == nullptr || *pair.name == '\0') break;  // the list's end
    if (optionKeyword.starts_with(pair.name)) return &pair;
  }
  return nullptr;
}

}  // namespace

std::u16string ToUtf16(const char* text) {
  if (text == nullptr) return {};
  constexpr uint32_t kFlags = platform::kMbPrecomposed;
  const int needed = platform::MultiByteToWideChar(platform::kCpAcp, kFlags, text, -1, nullptr, 0);
  if (needed <= 0) return {};
  std::u16string converted(static_cast<size_t>(needed), u'\0');
  if (platform::MultiByteToWideChar(platform::kCpAcp, kFlags, text, -1, converted.data(),
                                    needed) <= 0) {
    return {};
  }
  converted.resize(static_cast<size_t>(needed - 1));  // the terminator
  return converted;
}

const char16_t* ConvertMessage(const char* text) {
  auto& buffer = Module().messageText;
  const std::u16string converted = ToUtf16(text);
  const size_t length = std::min(converted.size(), buffer.size() - 1);
  std::copy_n(converted.begin(), length, buffer.begin());
  buffer[length] = u'\0';
  return buffer.data();
}

int FillComboByText(HWND dialog, int controlId, TextTable table, std::u16string_view select) {
  HWND combo = platform::GetDlgItem(dialog, controlId);
  platform::SendMessage(combo, CB_RESETCONTENT, 0, 0);
  for (const TextRow& row : table) AddItem(combo, ToUtf16(row.text));
  const std::u16string wanted(select);
  const LRESULT index = platform::SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(wanted.c_str()));
  if (index < 0) return -1;
  platform::SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return static_cast<int>(index);
}

int FillComboWithValues(HWND dialog, int controlId, TextTable table, uint32_t select) {
  HWND combo = platform::GetDlgItem(dialog, controlId);
  platform::SendMessage(combo, CB_RESETCONTENT, 0, 0);
  for (const TextRow& row : table) AddItemWithValue(combo, ToUtf16(row.text), row.value);
  return SelectItemOfValue(combo, select);
}

uint32_t SelectedValue(HWND dialog, int controlId) {
  HWND combo = platform::GetDlgItem(dialog, controlId);
  LRESULT index = platform::SendMessage(combo, CB_GETCURSEL, 0, 0);
  if (index < 0) index = 0;
  const LRESULT data = platform::SendMessage(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == CB_ERR ? 0 : static_cast<uint32_t>(data);
}

std::u16string ComboItemText(HWND combo, LRESULT index) {
  if (index < 0) return {};
  const auto at = static_cast<WPARAM>(index);
  const LRESULT length = platform::SendMessage(combo, CB_GETLBTEXTLEN, at, 0);
  if (length < 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  platform::SendMessage(combo, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

int SelectByValue(HWND dialog, int controlId, uint32_t value) {
  return SelectItemOfValue(platform::GetDlgItem(dialog, controlId), value);
}

bool NameInTable(TextTable table, std::u16string_view name) {
  return std::any_of(table.begin(), table.end(), [&](const TextRow& row) {
    return EqualIgnoringCase(ToUtf16(row.text), name);
  });
}

bool FillComboFromPpdFeature(HWND combo, const ppd::PpdImage* ppd, std::string_view keyword,
                             settings::NameTable pairs, uint32_t select) {
  platform::SendMessage(combo, CB_RESETCONTENT, 0, 0);
  if (ppd == nullptr) return true;
  const ppd::PpdOption* option = OptionsOf(ppd, keyword);
  if (option == nullptr) {
    platform::EnableWindow(combo, false);
    return false;
  }
  for (; option != nullptr; option = ppd::NextOption(ppd, option)) {
    const char* optionKeyword = ppd::String(ppd, option->keyword);
    if (optionKeyword == nullptr) continue;
    const settings::NameRow* pair = PairOf(pairs, optionKeyword);
    if (pair == nullptr) continue;
    // An option without a translation is shown by its keyword.
    const char* translation = ppd::String(ppd, option->translation);
    const bool translated = translation != nullptr && *translation != '\0';
    AddItemWithValue(combo, ToUtf16(translated ? translation : optionKeyword), pair->number);
  }
  SelectItemOfValue(combo, select);
  return true;
}

}  // namespace kx::ui
