// Buttons: push buttons, check boxes, radio buttons and group boxes.
#include "dialogs_internal.h"
#include "platform/dialogs.h"

namespace kx::platform::detail {
namespace {

struct ButtonState : ControlState {
  WPARAM check = host::BST_UNCHECKED;
};

ButtonState& StateOf(HWND button) { return static_cast<ButtonState&>(*button->state); }

DWORD TypeOf(HWND button) { return button->style & host::BS_TYPEMASK; }

bool IsRadio(HWND window) {
  return window->kind == WindowKind::Button && TypeOf(window) == host::BS_AUTORADIOBUTTON;
}

void SetCheck(HWND button, WPARAM check) {
  StateOf(button).check = check;
  // A checked radio button is the one its group tabs to, as on Windows.
  if (IsRadio(button)) {
    if (check == host::BST_CHECKED) {
      button->style |= host::WS_TABSTOP;
    } else {
      button->style &= ~host::WS_TABSTOP;
    }
  }
}

// The group of a control: from the last WS_GROUP control at or before it to the control
// before the next WS_GROUP one.
std::vector<HWND> GroupOf(HWND control) {
  HWND parent = control->parent;
  if (parent == nullptr) return {control};
  const std::vector<HWND>& siblings = parent->children;
  size_t at = 0;
  while (at < siblings.size() && siblings[at] != control) ++at;
  size_t first = at;
  while (first > 0 && (siblings[first]->style & host::WS_GROUP) == 0) --first;
  std::vector<HWND> group{siblings[first]};
  for (size_t i = first + 1; i < siblings.size() && (siblings[i]->style & host::WS_GROUP) == 0;
       ++i) {
    group.push_back(siblings[i]);
  }
  return group;
}

void Click(HWND button) {
  if ((button->style & host::WS_DISABLED) != 0 || TypeOf(button) == host::BS_GROUPBOX) return;
  // A click takes the focus first, so the control that had it reports losing it before
  // the button reports the click.
  SetFocus(button);
  if (Live(button) == nullptr) return;
  if (TypeOf(button) == host::BS_AUTOCHECKBOX) {
    SetCheck(button, StateOf(button).check == host::BST_CHECKED ? host::BST_UNCHECKED
                                                                : host::BST_CHECKED);
  } else if (IsRadio(button)) {
    for (HWND other : GroupOf(button)) {
      if (other != button && IsRadio(other)) SetCheck(other, host::BST_UNCHECKED);
    }
    SetCheck(button, host::BST_CHECKED);
  }
  NotifyParent(button, host::BN_CLICKED);
}

}  // namespace

std::unique_ptr<ControlState> MakeButtonState() { return std::make_unique<ButtonState>(); }

LRESULT ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case host::BM_GETCHECK:
      return static_cast<LRESULT>(StateOf(window).check);
    case host::BM_SETCHECK:
      SetCheck(window, wParam);
      return 0;
    case host::BM_CLICK:
      Click(window);
      return 0;
    default:
      return DefaultProcedure(window, message, wParam, lParam);
  }
}

}  // namespace kx::platform::detail
