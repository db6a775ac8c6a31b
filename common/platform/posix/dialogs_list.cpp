// Combo boxes (drop-down lists and drop-downs with an edit part) and list boxes: one item
// list with the same rules behind the CB_* and LB_* messages.
#include <algorithm>
#include <optional>

#include "dialogs_internal.h"

namespace kx::platform::detail {
namespace {

// What a CB_* or LB_* message asks of the item list.
enum class ListOperation {
  AddString,
  InsertString,
  DeleteString,
  ResetContent,
  GetCount,
  GetCurrentSelection,
  SetCurrentSelection,
  GetText,
  GetTextLength,
  GetItemData,
  SetItemData,
  FindPrefix,
  FindExact,
  SelectString,
};

struct ListMessage {
  UINT combo;
  UINT list;
  ListOperation operation;
};

constexpr UINT kNoListMessage = 0;

constexpr ListMessage kListMessages[] = {
    {host::CB_ADDSTRING, host::LB_ADDSTRING, ListOperation::AddString},
    {host::CB_INSERTSTRING, host::LB_INSERTSTRING, ListOperation::InsertString},
    {host::CB_DELETESTRING, host::LB_DELETESTRING, ListOperation::DeleteString},
    {host::CB_RESETCONTENT, host::LB_RESETCONTENT, ListOperation::ResetContent},
    {host::CB_GETCOUNT, host::LB_GETCOUNT, ListOperation::GetCount},
    {host::CB_GETCURSEL, host::LB_GETCURSEL, ListOperation::GetCurrentSelection},
    {host::CB_SETCURSEL, host::LB_SETCURSEL, ListOperation::SetCurrentSelection},
    {host::CB_GETLBTEXT, host::LB_GETTEXT, ListOperation::GetText},
    {host::CB_GETLBTEXTLEN, host::LB_GETTEXTLEN, ListOperation::GetTextLength},
    {host::CB_GETITEMDATA, host::LB_GETITEMDATA, ListOperation::GetItemData},
    {host::CB_SETITEMDATA, host::LB_SETITEMDATA, ListOperation::SetItemData},
    {host::CB_FINDSTRING, host::LB_FINDSTRING, ListOperation::FindPrefix},
    {host::CB_FINDSTRINGEXACT, host::LB_FINDSTRINGEXACT, ListOperation::FindExact},
    {host::CB_SELECTSTRING, host::LB_SELECTSTRING, ListOperation::SelectString},
};

constexpr LRESULT kError = -1;  // CB_ERR and LB_ERR

struct Item {
  std::u16string text;
  LPARAM data = 0;
};

struct ListState : ControlState {
  std::vector<Item> items;
  host::INT_PTR selected = -1;
  bool sorted = false;
  bool combo = false;
  bool dropDownList = false;  // a combo box without an edit part
  bool notify = false;        // list boxes: LBS_NOTIFY
  bool dropped = false;
  EntrySelection entry;       // the edit part of a drop-down combo box
};

ListState& StateOf(HWND window) { return static_cast<ListState&>(*window->state); }

std::optional<ListOperation> OperationOf(const ListState& state, UINT message) {
  for (const ListMessage& known : kListMessages) {
    if (message == (state.combo ? known.combo : known.list) && message != kNoListMessage) {
      return known.operation;
    }
  }
  return std::nullopt;
}

bool InRange(const ListState& state, WPARAM index) {
  return static_cast<host::INT_PTR>(index) >= 0 && index < state.items.size();
}

// The combo box's own text follows the selection, except in the edit part of a drop-down,
// which keeps what was typed until another item is chosen.
void ShowSelection(HWND window, ListState& state) {
  if (!state.combo) return;
  window->text = state.selected >= 0 ? state.items[static_cast<size_t>(state.selected)].text
                                     : std::u16string();
  state.entry.start = 0;
  state.entry.end = window->text.size();
}

LRESULT Insert(ListState& state, size_t at, std::u16string text) {
  state.items.insert(state.items.begin() + static_cast<std::ptrdiff_t>(at),
                     Item{.text = std::move(text), .data = 0});
  if (state.selected >= 0 && at <= static_cast<size_t>(state.selected)) ++state.selected;
  return static_cast<LRESULT>(at);
}

// Where a sorted list puts a new item: before the first item that sorts after it or
// equal to it, as the system's binary search does for a new item equal to one item.
size_t SortedPosition(const ListState& state, const std::u16string& text) {
  const auto at = std::lower_bound(
      state.items.begin(), state.items.end(), text,
      [](const Item& item, const std::u16string& key) { return CompareForSort(item.text, key) < 0; });
  return static_cast<size_t>(at - state.items.begin());
}

LRESULT Delete(HWND window, ListState& state, WPARAM index) {
  if (!InRange(state, index)) return kError;
  state.items.erase(state.items.begin() + static_cast<std::ptrdiff_t>(index));
  const auto removed = static_cast<host::INT_PTR>(index);
  if (state.selected == removed) {
    state.selected = -1;
    if (state.dropDownList) ShowSelection(window, state);
  } else if (state.selected > removed) {
    --state.selected;
  }
  return static_cast<LRESULT>(state.items.size());
}

// Searches start after `start` (-1: at the first item) and wrap around, case ignored.
LRESULT Find(const ListState& state, WPARAM start, const std::u16string& text, bool exact) {
  if (text.empty() || state.items.empty()) return kError;
  auto from = static_cast<host::INT_PTR>(static_cast<int32_t>(start));
  if (from < 0 || static_cast<size_t>(from) >= state.items.size()) from = -1;
  const size_t count = state.items.size();
  for (size_t step = 1; step <= count; ++step) {
    const size_t index = (static_cast<size_t>(from + 1) + step - 1) % count;
    const std::u16string& item = state.items[index].text;
    if (exact ? EqualIgnoringCase(item, text) : StartsWithIgnoringCase(item, text)) {
      return static_cast<LRESULT>(index);
    }
  }
  return kError;
}

LRESULT SetSelection(HWND window, ListState& state, WPARAM index) {
  if (!InRange(state, index)) {
    // -1 clears the selection; an index past the end leaves it as it is (what the system's
    // controls do, though the combo box's documentation says it clears). Both answer
    // CB_ERR.
    if (static_cast<host::INT_PTR>(index) == -1) {
      state.selected = -1;
      ShowSelection(window, state);
    }
    return kError;
  }
  state.selected = static_cast<host::INT_PTR>(index);
  ShowSelection(window, state);
  return static_cast<LRESULT>(index);
}

LRESULT Apply(HWND window, ListState& state, ListOperation operation, WPARAM wParam,
              LPARAM lParam) {
  switch (operation) {
    case ListOperation::AddString: {
      std::u16string text = TextIn(lParam);
      const size_t at = state.sorted ? SortedPosition(state, text) : state.items.size();
      return Insert(state, at, std::move(text));
    }
    case ListOperation::InsertString: {
      const auto at = static_cast<host::INT_PTR>(static_cast<int32_t>(wParam));
      if (at > static_cast<host::INT_PTR>(state.items.size())) return kError;
      return Insert(state, at < 0 ? state.items.size() : static_cast<size_t>(at),
                    TextIn(lParam));
    }
    case ListOperation::DeleteString:
      return Delete(window, state, wParam);
    case ListOperation::ResetContent:
      state.items.clear();
      state.selected = -1;
      ShowSelection(window, state);
      return 1;
    case ListOperation::GetCount:
      return static_cast<LRESULT>(state.items.size());
    case ListOperation::GetCurrentSelection:
      return state.selected;
    case ListOperation::SetCurrentSelection:
      return SetSelection(window, state, wParam);
    case ListOperation::GetText:
      if (!InRange(state, wParam) || lParam == 0) return kError;
      // The caller's buffer holds the item's text; its size is the caller's promise.
      return CopyTextOut(state.items[wParam].text, state.items[wParam].text.size() + 1, lParam);
    case ListOperation::GetTextLength:
      return InRange(state, wParam) ? static_cast<LRESULT>(state.items[wParam].text.size())
                                    : kError;
    case ListOperation::GetItemData:
      return InRange(state, wParam) ? state.items[wParam].data : kError;
    case ListOperation::SetItemData:
      if (!InRange(state, wParam)) return kError;
      state.items[wParam].data = lParam;
      return 1;
    case ListOperation::FindPrefix:
    case ListOperation::FindExact:
      return Find(state, wParam, TextIn(lParam), operation == ListOperation::FindExact);
    case ListOperation::SelectString: {
      const LRESULT found = Find(state, wParam, TextIn(lParam), false);
      if (found == kError) return kError;
      return SetSelection(window, state, static_cast<WPARAM>(found));
    }
  }
  return kError;
}

LRESULT ComboMessage(HWND window, ListState& state, UINT message, WPARAM wParam,
                     LPARAM lParam) {
  switch (message) {
    case host::WM_SETTEXT:
      if (state.dropDownList) {
        // A drop-down list shows only its items: the text selects the item it names.
        const LRESULT found = Find(state, static_cast<WPARAM>(-1), TextIn(lParam), true);
        if (found == kError) return kError;
        SetSelection(window, state, static_cast<WPARAM>(found));
        return 1;
      }
      window->text = TextIn(lParam);
      state.entry.start = state.entry.end = 0;
      return 1;
    case host::WM_CHAR:
      if (!state.dropDownList &&
          TypeCharacter(window->text, state.entry, static_cast<char16_t>(wParam), false) ==
              Typed::Changed) {
        NotifyParent(window, host::CBN_EDITCHANGE);
      }
      return 0;
    case host::CB_LIMITTEXT:
      state.entry.limit = wParam == 0 ? 0x7FFFFFFE : wParam;
      return 1;
    case host::CB_GETEDITSEL:
      if (auto* start = reinterpret_cast<DWORD*>(wParam)) *start = static_cast<DWORD>(state.entry.start);
      if (auto* end = reinterpret_cast<DWORD*>(lParam)) *end = static_cast<DWORD>(state.entry.end);
      return host::MakeLParam(static_cast<host::WORD>(state.entry.start),
                              static_cast<host::WORD>(state.entry.end));
    case host::CB_SHOWDROPDOWN:
      state.dropped = wParam != 0;
      return 1;
    case host::CB_GETDROPPEDSTATE:
      return state.dropped ? 1 : 0;
    case host::WM_SETFOCUS:
      NotifyParent(window, host::CBN_SETFOCUS);
      return 0;
    case host::WM_KILLFOCUS:
      // Losing the focus closes the list without taking a choice from it.
      state.dropped = false;
      NotifyParent(window, host::CBN_SELENDCANCEL);
      if (Live(window) != nullptr) NotifyParent(window, host::CBN_KILLFOCUS);
      return 0;
    default:
      return DefaultProcedure(window, message, wParam, lParam);
  }
}

LRESULT ListBoxMessage(HWND window, const ListState& state, UINT message, WPARAM wParam,
                       LPARAM lParam) {
  switch (message) {
    case host::WM_SETFOCUS:
      if (state.notify) NotifyParent(window, host::LBN_SETFOCUS);
      return 0;
    case host::WM_KILLFOCUS:
      if (state.notify) NotifyParent(window, host::LBN_KILLFOCUS);
      return 0;
    default:
      return DefaultProcedure(window, message, wParam, lParam);
  }
}

}  // namespace

std::unique_ptr<ControlState> MakeListState(HWND window) {
  auto state = std::make_unique<ListState>();
  state->combo = window->kind == WindowKind::ComboBox;
  if (state->combo) {
    state->sorted = (window->style & host::CBS_SORT) != 0;
    state->dropDownList = (window->style & host::CBS_DROPDOWNLIST) == host::CBS_DROPDOWNLIST;
  } else {
    state->sorted = (window->style & host::LBS_SORT) != 0;
    state->notify = (window->style & host::LBS_NOTIFY) != 0;
  }
  return state;
}

LRESULT ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ListState& state = StateOf(window);
  if (const std::optional<ListOperation> operation = OperationOf(state, message)) {
    return Apply(window, state, *operation, wParam, lParam);
  }
  return state.combo ? ComboMessage(window, state, message, wParam, lParam)
                     : ListBoxMessage(window, state, message, wParam, lParam);
}

}  // namespace kx::platform::detail
