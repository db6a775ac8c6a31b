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

}  // namespace kx::ui
