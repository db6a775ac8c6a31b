// Single-line edits: text set by the program as given, typed text within the entry limit
// and (ES_NUMBER) digits only, the selection that typing replaces, and the notifications.
#include <algorithm>

#include "dialogs_internal.h"

namespace kx::platform::detail {
namespace {

constexpr char16_t kBackspace = 8;

struct EditState : ControlState {
  EntrySelection selection;
};

EditState& StateOf(HWND edit) { return static_cast<EditState&>(*edit->state); }

LRESULT GetSelection(const EntrySelection& selection, WPARAM startOut, LPARAM endOut) {
  if (auto* start = reinterpret_cast<DWORD*>(startOut)) *start = static_cast<DWORD>(selection.start);
  if (auto* end = reinterpret_cast<DWORD*>(endOut)) *end = static_cast<DWORD>(selection.end);
  return host::MakeLParam(static_cast<host::WORD>(std::min<size_t>(selection.start, 0xFFFF)),
                          static_cast<host::WORD>(std::min<size_t>(selection.end, 0xFFFF)));
}

}  // namespace

Typed TypeCharacter(std::u16string& text, EntrySelection& selection, char16_t character,
                    bool digitsOnly) {
  const size_t start = std::min(selection.start, text.size());
  const size_t end = std::clamp(selection.end, start, text.size());
  if (character == kBackspace) {
    if (start != end) {
      text.erase(start, end - start);
      selection.start = selection.end = start;
      return Typed::Changed;
    }
    if (start == 0) return Typed::Nothing;
    text.erase(start - 1, 1);
    selection.start = selection.end = start - 1;
    return Typed::Changed;
  }
  if (character < u' ') return Typed::Nothing;  // other control characters type nothing
  if (digitsOnly && (character < u'0' || character > u'9')) return Typed::Nothing;
  if (text.size() - (end - start) + 1 > selection.limit) return Typed::LimitReached;
  text.replace(start, end - start, 1, character);
  selection.start = selection.end = start + 1;
  return Typed::Changed;
}

void SelectRange(const std::u16string& text, EntrySelection& selection, WPARAM start,
                 LPARAM end) {
  const auto startIndex = static_cast<host::INT_PTR>(static_cast<int32_t>(start));
  if (startIndex < 0) {
    selection.start = selection.end;  // removes the selection, keeps the caret
    return;
  }
  const auto clampIndex = [&text](host::INT_PTR index) {
    return index < 0 ? text.size() : std::min(static_cast<size_t>(index), text.size());
  };
  size_t first = clampIndex(startIndex);
  size_t last = clampIndex(static_cast<int32_t>(end));
  if (first > last) std::swap(first, last);
  selection.start = first;
  selection.end = last;
}

std::unique_ptr<ControlState> MakeEditState() { return std::make_unique<EditState>(); }

LRESULT EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  EntrySelection& selection = StateOf(window).selection;
  switch (message) {
    case host::WM_SETTEXT:
      // Text set by the program is neither limited nor filtered, as on Windows.
      window->text = TextIn(lParam);
      selection.start = selection.end = 0;
      NotifyParent(window, host::EN_UPDATE);
      if (Live(window) != nullptr) NotifyParent(window, host::EN_CHANGE);
      return 1;
    case host::WM_CHAR:
      if ((window->style & host::ES_READONLY) != 0) return 0;
      switch (TypeCharacter(window->text, selection, static_cast<char16_t>(wParam),
                            (window->style & host::ES_NUMBER) != 0)) {
        case Typed::Nothing:
          return 0;
        case Typed::LimitReached:
          // The system reports the full entry, and then a change, though the text stays.
          NotifyParent(window, host::EN_MAXTEXT);
          if (Live(window) == nullptr) return 0;
          break;
        case Typed::Changed:
          break;
      }
      NotifyParent(window, host::EN_UPDATE);
      if (Live(window) != nullptr) NotifyParent(window, host::EN_CHANGE);
      return 0;
    case host::EM_LIMITTEXT:
      selection.limit = wParam == 0 ? 0x7FFFFFFE : wParam;
      return 0;
    case host::EM_GETLIMITTEXT:
      return static_cast<LRESULT>(selection.limit);
    case host::EM_SETSEL:
      SelectRange(window->text, selection, wParam, lParam);
      return 0;
    case host::EM_GETSEL:
      return GetSelection(selection, wParam, lParam);
    case host::WM_SETFOCUS:
      NotifyParent(window, host::EN_SETFOCUS);
      return 0;
    case host::WM_KILLFOCUS:
      NotifyParent(window, host::EN_KILLFOCUS);
      return 0;
    default:
      return DefaultProcedure(window, message, wParam, lParam);
  }
}

}  // namespace kx::platform::detail
