// A modal dialog of the plug-in whose state is one object of its caller's: handed over as
// the creation parameter, kept with the window while it lives, and given to every
// handler. The dialog answers the help requests of its help table like every dialog.
//
// A dialog describes itself with a traits type:
//   using Session = ...;
//   static const platform::DialogSpec& Spec();
//   static const DialogHelp& Help();
//   static void OnInit(host::HWND dialog, Session& session);
//   // Every other message but WM_DESTROY and the help requests; the procedure's answer.
//   static host::INT_PTR OnMessage(host::HWND dialog, Session& session, host::UINT message,
//                                  host::WPARAM wParam, host::LPARAM lParam);
#pragma once

#include <cstdint>
#include <vector>

#include "context_help.h"
#include "host/call_barrier.h"
#include "host/window.h"
#include "platform/dialog_template.h"
#include "platform/dialogs.h"

namespace kx::ui {

// The session of an open dialog; null before WM_INITDIALOG and after WM_DESTROY.
template <typename Session>
Session* SessionOfDialog(host::HWND dialog) {
  return reinterpret_cast<Session*>(platform::GetWindowLongPtr(dialog, host::GWLP_USERDATA));
}

template <typename Dialog>
host::INT_PTR KX_STDCALL SessionDialogProcedure(host::HWND dialog, host::UINT message,
                                                host::WPARAM wParam, host::LPARAM lParam) {
  using Session = typename Dialog::Session;
  return host::DialogBarrier([&]() -> host::INT_PTR {
    if (message == host::WM_INITDIALOG) {
      auto* session = reinterpret_cast<Session*>(lParam);
      platform::SetWindowLongPtr(dialog, host::GWLP_USERDATA,
                                 reinterpret_cast<host::LONG_PTR>(session));
      Dialog::OnInit(dialog, *session);
      return 1;
    }
    Session* session = SessionOfDialog<Session>(dialog);
    if (session == nullptr) return 0;
    if (message == host::WM_DESTROY) {
      platform::SetWindowLongPtr(dialog, host::GWLP_USERDATA, 0);
      return 0;
    }
    if (AnswerHelpRequest(dialog, message, wParam, lParam, Dialog::Help())) return 1;
    return Dialog::OnMessage(dialog, *session, message, wParam, lParam);
  });
}

// Opens the dialog modally over `session` and returns its result.
template <typename Dialog>
host::INT_PTR RunSessionDialog(host::HWND owner, typename Dialog::Session* session) {
  const std::vector<uint32_t> dialogTemplate = platform::BuildDialogTemplate(Dialog::Spec());
  return platform::DialogBoxIndirectParam(dialogTemplate.data(), owner,
                                          SessionDialogProcedure<Dialog>,
                                          reinterpret_cast<host::LPARAM>(session));
}

}  // namespace kx::ui
