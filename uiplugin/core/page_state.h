// The state object of a property page: made at WM_INITDIALOG over the sheet's settings
// record (or its context alone), kept with the page window, freed at WM_DESTROY. A page
// whose sheet has no record gets none: it stays as its template made it, and only its
// help answers.
//
// The state type is constructed as State(page, context, record) and has OnInit().
#pragma once

#include <memory>

#include "host/window.h"
#include "page_set.h"
#include "platform/dialogs.h"

namespace kx::ui {

template <typename State>
State* PageStateOf(host::HWND page) {
  return reinterpret_cast<State*>(platform::GetWindowLongPtr(page, host::GWLP_USERDATA));
}

// At WM_INITDIALOG, with the page's initialisation parameter.
template <typename State>
void CreatePageState(host::HWND page, host::LPARAM init) {
  PageSetContext* context = ContextOfPage(init);
  settings::PrivateRecord* record = RecordOfContext(context);
  if (record == nullptr) return;
  auto state = std::make_unique<State>(page, context, record);
  platform::SetWindowLongPtr(page, host::GWLP_USERDATA, reinterpret_cast<host::LONG_PTR>(state.get()));
  state.release()->OnInit();
}

// At WM_INITDIALOG, for a page that works from the sheet's context alone (its printer,
// name and PPD) and needs no settings record: the state type is constructed as
// State(page, context).
template <typename State>
void CreateContextPageState(host::HWND page, host::LPARAM init) {
  PageSetContext* context = ContextOfPage(init);
  if (context == nullptr || context->commonUi == nullptr) return;
  auto state = std::make_unique<State>(page, context);
  platform::SetWindowLongPtr(page, host::GWLP_USERDATA, reinterpret_cast<host::LONG_PTR>(state.get()));
  state.release()->OnInit();
}

// At WM_DESTROY.
template <typename State>
void DestroyPageState(host::HWND page) {
  std::unique_ptr<State> state(PageStateOf<State>(page));
  platform::SetWindowLongPtr(page, host::GWLP_USERDATA, 0);
}

// What every page with a state object does with the sheet's messages: WM_INITDIALOG makes
// the state with `create`, WM_DESTROY frees it, WM_COMMAND and WM_NOTIFY go to the
// state's OnCommand(id, code) and OnNotify(header), and any other message to `other`
// (when given). A page without a state answers 0.
template <typename State>
host::INT_PTR DispatchPageMessage(
    host::HWND page, host::UINT message, host::WPARAM wParam, host::LPARAM lParam,
    void (*create)(host::HWND page, host::LPARAM init),
    void (*other)(State& state, host::UINT message, host::WPARAM wParam) = nullptr) {
  if (message == host::WM_INITDIALOG) {
    create(page, lParam);
    return 1;
  }
  State* state = PageStateOf<State>(page);
  if (state == nullptr) return 0;
  switch (message) {
    case host::WM_DESTROY:
      DestroyPageState<State>(page);
      return 0;
    case host::WM_COMMAND:
      state->OnCommand(host::LoWord(wParam), host::HiWord(wParam));
      return 0;
    case host::WM_NOTIFY:
      if (lParam == 0) return 0;
      return state->OnNotify(*reinterpret_cast<host::NMHDR*>(lParam));
    default:
      if (other != nullptr) other(*state, message, wParam);
      return 0;
  }
}

}  // namespace kx::ui
