// The headless window system behind the dialog services: the window object that an HWND
// points to, the one process-wide window table, and the procedures of the control
// classes. Private to the POSIX implementation.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "host/window.h"

namespace kx::platform::detail {

using host::DWORD;
using host::HWND;
using host::LPARAM;
using host::LRESULT;
using host::UINT;
using host::WPARAM;

// What a window is, which decides the procedure that answers its messages.
enum class WindowKind {
  Dialog,
  Host,
  Button,
  Edit,
  Static,
  ListBox,
  ComboBox,
  UpDown,
  Progress,
  Tooltip,
};

// The private state of one control class. Each class keeps its own derived state.
struct ControlState {
  virtual ~ControlState() = default;
};

}  // namespace kx::platform::detail

namespace kx::host {

// One headless window. Child windows are owned by the window table, not by their parent,
// so that a handle stays comparable (and IsWindow answers false) after destruction.
struct WindowObject {
  platform::detail::WindowKind kind = platform::detail::WindowKind::Static;
  std::u16string className;
  DWORD style = 0;
  DWORD exStyle = 0;
  int id = 0;
  HWND parent = nullptr;  // child windows only
  HWND owner = nullptr;   // top-level windows only
  std::vector<HWND> children;  // in creation order
  std::u16string text;
  RECT rect{};  // relative to the parent's origin; screen coordinates for top-level windows
  LONG_PTR userData = 0;
  LONG_PTR messageResult = 0;  // DWLP_MSGRESULT of a dialog
  DLGPROC dialogProcedure = nullptr;
  WNDPROC windowProcedure = nullptr;
  bool ended = false;  // EndDialog was called
  INT_PTR endResult = 0;
  bool destroying = false;
  std::unique_ptr<platform::detail::ControlState> state;
};

}  // namespace kx::host

namespace kx::platform::detail {

// The base units of the dialog font: a dialog unit is a quarter of the average character
// width horizontally and an eighth of the character height vertically.
inline constexpr int kBaseUnitX = 7;
inline constexpr int kBaseUnitY = 15;

// Everything the services keep, one per process. Windows are used from the thread that
// made them, as on Windows; the lock only keeps the table itself consistent when several
// threads each drive their own dialogs. It is recursive because procedures call back.
struct WindowSystem {
  std::recursive_mutex mutex;
  std::unordered_set<HWND> windows;
  HWND focus = nullptr;
  host::POINT cursor{};
  // Windows destroyed while a message was being dispatched are freed once the outermost
  // dispatch returns, so that a procedure may destroy its own window.
  int dispatchDepth = 0;
  std::vector<HWND> graveyard;
};

WindowSystem& System();
using Lock = std::lock_guard<std::recursive_mutex>;

// Keeps destroyed windows allocated while it lives; the outermost scope frees them.
class DispatchScope {
 public:
  DispatchScope();
  ~DispatchScope();
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;
};

// A live window, or null for a handle that is null or destroyed.
HWND Live(HWND window);

// Makes a window (not yet sent anything) and enters it in the table.
HWND MakeWindow(WindowKind kind, std::u16string className, DWORD style, HWND parent,
                HWND owner);
// Makes the control state of a freshly made control and links its class behaviour.
void InitialiseControl(HWND control);

// The message dispatch: a window's own procedure (dialog procedure, host procedure or
// control class), then the default processing.
LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sends a control notification (WM_COMMAND) to the control's parent.
void NotifyParent(HWND control, UINT code);

// The procedures of the control classes.
LRESULT ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT UpDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ProgressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TooltipProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

std::unique_ptr<ControlState> MakeButtonState();
std::unique_ptr<ControlState> MakeEditState();
std::unique_ptr<ControlState> MakeListState(HWND window);
std::unique_ptr<ControlState> MakeUpDownState();
std::unique_ptr<ControlState> MakeProgressState();
std::unique_ptr<ControlState> MakeTooltipState();
// Lets the thread's responder drive a modal dialog that has been initialised.
void RespondToModalDialog(HWND dialog);
// Called once every control of a dialog exists (UDS_AUTOBUDDY looks at its siblings).
void AttachUpDownBuddy(HWND upDown);

// Text helpers for the WM_GETTEXT family: copies into a caller's buffer of `capacity`
// units with the terminating NUL, truncating as Windows does; returns units copied.
LRESULT CopyTextOut(const std::u16string& text, WPARAM capacity, LPARAM buffer);
std::u16string TextIn(LPARAM text);

// Order of the items of sorted lists: case ignored, punctuation and spaces before digits
// before Latin letters before other scripts. Negative, zero or positive.
int CompareForSort(std::u16string_view a, std::u16string_view b);
// Equality and prefix tests of the searches, case ignored.
bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b);
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

// Entry-edit behaviour shared by edits and the edit part of drop-down combo boxes: the
// selection (caret when empty) and the limit for typed text.
struct EntrySelection {
  size_t start = 0;
  size_t end = 0;
  size_t limit = 0x7FFFFFFE;
};
// What one typed character did.
enum class Typed {
  Nothing,       // refused (a control character, a non-digit in a digits-only edit)
  Changed,
  LimitReached,  // refused because the entry limit is reached
};
// Applies one typed character (WM_CHAR) to `text`.
Typed TypeCharacter(std::u16string& text, EntrySelection& selection, char16_t character,
                    bool digitsOnly);
// EM_SETSEL: -1 as start removes the selection, -1 as end means the end of the text.
void SelectRange(const std::u16string& text, EntrySelection& selection, WPARAM start,
                 LPARAM end);

}  // namespace kx::platform::detail
