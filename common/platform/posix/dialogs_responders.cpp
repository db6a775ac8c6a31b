// Message boxes, popup menus and modal dialogs answered by the thread's responders: on a
// system without a desktop nobody else can answer them.
#include "dialogs_internal.h"
#include "platform/dialogs.h"

namespace kx::platform {
namespace {

constexpr UINT kButtonKindMask = 0x000F;

template <typename Function>
struct Responder {
  Function function = nullptr;
  void* context = nullptr;
};

// Per thread, as a user answers on the thread whose window asks.
struct Responders {
  Responder<MessageBoxResponder> messageBox;
  Responder<MenuResponder> menu;
  Responder<ModalDialogResponder> modal;
};

Responders& ThreadResponders() {
  thread_local Responders responders;
  return responders;
}

// The first button of a message box, which is what an unanswered box gives.
int FirstButton(UINT type) {
  switch (type & kButtonKindMask) {
    case host::MB_YESNO:
    case host::MB_YESNOCANCEL:
      return host::IDYES;
    default:
      return host::IDOK;
  }
}

}  // namespace

namespace detail {

void RespondToModalDialog(HWND dialog) {
  const Responder<ModalDialogResponder> responder = ThreadResponders().modal;
  if (responder.function != nullptr) responder.function(responder.context, dialog);
}

}  // namespace detail

int MessageBox(HWND /*owner*/, const std::u16string& text, const std::u16string& caption,
               UINT type) {
  const Responder<MessageBoxResponder> responder = ThreadResponders().messageBox;
  if (responder.function == nullptr) return FirstButton(type);
  return responder.function(responder.context, text, caption, type);
}

UINT TrackPopupMenu(HWND /*owner*/, const std::vector<MenuItem>& items, int /*x*/, int /*y*/) {
  const Responder<MenuResponder> responder = ThreadResponders().menu;
  if (responder.function == nullptr) return 0;
  return responder.function(responder.context, items);
}

void SetMessageBoxResponder(MessageBoxResponder responder, void* context) {
  ThreadResponders().messageBox = {responder, responder != nullptr ? context : nullptr};
}

void SetMenuResponder(MenuResponder responder, void* context) {
  ThreadResponders().menu = {responder, responder != nullptr ? context : nullptr};
}

void SetModalDialogResponder(ModalDialogResponder responder, void* context) {
  ThreadResponders().modal = {responder, responder != nullptr ? context : nullptr};
}

}  // namespace kx::platform
