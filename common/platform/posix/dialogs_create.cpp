// Dialogs made from in-memory templates (DLGTEMPLATEEX), modal and modeless, and the other
// top-level windows: the host's sheet window and tooltips.
#include <cstring>
#include <optional>
#include <span>

#include "dialogs_internal.h"
#include "platform/dialogs.h"

namespace kx::platform {

using detail::Dispatch;
using detail::Live;
using detail::Lock;
using detail::MakeWindow;
using detail::System;
using detail::WindowKind;
using host::DWORD;
using host::WORD;

namespace {

constexpr WORD kExtendedSignature = 0xFFFF;
constexpr WORD kOrdinalMarker = 0xFFFF;
constexpr char16_t kDialogClassName[] = u"#32770";
constexpr char16_t kHostClassName[] = u"KX48T7HostWindow";
constexpr char16_t kTooltipClassName[] = u"tooltips_class32";

// A name-or-ordinal field of the template.
struct NameOrOrdinal {
  WORD ordinal = 0;
  std::u16string name;
};

struct ControlTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  int16_t x = 0, y = 0, width = 0, height = 0;
  int id = 0;
  NameOrOrdinal windowClass;
  std::u16string caption;
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  int16_t x = 0, y = 0, width = 0, height = 0;
  std::u16string caption;
  std::vector<ControlTemplate> controls;
};

// Reads the template's fields in order. Templates come from the caller's memory, whose
// size the call does not pass (as on Windows): the reader trusts the counts it finds.
class TemplateReader {
 public:
  explicit TemplateReader(const void* start) : start_(static_cast<const uint8_t*>(start)) {}

  template <typename T>
  T Read() {
    T value;
    std::memcpy(&value, start_ + offset_, sizeof value);
    offset_ += sizeof value;
    return value;
  }
  std::u16string Text() {
    std::u16string text;
    for (char16_t unit = Read<char16_t>(); unit != u'\0'; unit = Read<char16_t>()) {
      text.push_back(unit);
    }
    return text;
  }
  NameOrOrdinal Field() {
    const WORD first = Read<WORD>();
    if (first == 0) return {};
    if (first == kOrdinalMarker) return {.ordinal = Read<WORD>(), .name = {}};
    std::u16string name(1, static_cast<char16_t>(first));
    name += Text();
    return {.ordinal = 0, .name = std::move(name)};
  }
  void AlignToDword() { offset_ = (offset_ + 3) & ~size_t{3}; }
  void Skip(size_t bytes) { offset_ += bytes; }

 private:
  const uint8_t* start_;
  size_t offset_ = 0;
};

ControlTemplate ReadControl(TemplateReader& in) {
  ControlTemplate control;
  in.AlignToDword();
  in.Read<DWORD>();  // help id
  control.exStyle = in.Read<DWORD>();
  control.style = in.Read<DWORD>();
  control.x = in.Read<int16_t>();
  control.y = in.Read<int16_t>();
  control.width = in.Read<int16_t>();
  control.height = in.Read<int16_t>();
  control.id = static_cast<int>(in.Read<DWORD>());
  control.windowClass = in.Field();
  control.caption = in.Field().name;
  const WORD extra = in.Read<WORD>();
  in.Skip(extra);
  return control;
}

std::optional<DialogTemplate> ReadTemplate(const void* bytes) {
  if (bytes == nullptr) return std::nullopt;
  TemplateReader in(bytes);
  DialogTemplate dialog;
  in.Read<WORD>();  // version
  if (in.Read<WORD>() != kExtendedSignature) return std::nullopt;
  in.Read<DWORD>();  // help id
  dialog.exStyle = in.Read<DWORD>();
  dialog.style = in.Read<DWORD>();
  const WORD count = in.Read<WORD>();
  dialog.x = in.Read<int16_t>();
  dialog.y = in.Read<int16_t>();
  dialog.width = in.Read<int16_t>();
  dialog.height = in.Read<int16_t>();
  in.Field();  // menu
  in.Field();  // window class
  dialog.caption = in.Text();
  if ((dialog.style & host::DS_SETFONT) != 0) {
    in.Read<WORD>();     // point size
    in.Read<WORD>();     // weight
    in.Read<uint8_t>();  // italic
    in.Read<uint8_t>();  // character set
    in.Text();           // typeface
  }
  for (WORD i = 0; i < count; ++i) dialog.controls.push_back(ReadControl(in));
  return dialog;
}

struct ControlClass {
  WindowKind kind;
  const char16_t* name;
};

// The predefined classes by ordinal, and the class names a template may give instead.
constexpr ControlClass kPredefinedClasses[] = {
    {WindowKind::Button, u"Button"},   {WindowKind::Edit, u"Edit"},
    {WindowKind::Static, u"Static"},   {WindowKind::ListBox, u"ListBox"},
    {WindowKind::Static, u"ScrollBar"}, {WindowKind::ComboBox, u"ComboBox"},
};
constexpr WORD kFirstPredefinedOrdinal = 0x0080;
constexpr ControlClass kCommonClasses[] = {
    {WindowKind::UpDown, u"msctls_updown32"},
    {WindowKind::Progress, u"msctls_progress32"},
};

std::optional<ControlClass> ResolveClass(const NameOrOrdinal& field) {
  if (field.name.empty()) {
    const size_t index = static_cast<size_t>(field.ordinal - kFirstPredefinedOrdinal);
    if (field.ordinal < kFirstPredefinedOrdinal || index >= std::size(kPredefinedClasses)) {
      return std::nullopt;
    }
    return kPredefinedClasses[index];
  }
  for (const auto& table : {std::span<const ControlClass>(kPredefinedClasses),
                            std::span<const ControlClass>(kCommonClasses)}) {
    for (const ControlClass& known : table) {
      if (detail::EqualIgnoringCase(field.name, known.name)) return known;
    }
  }
  return std::nullopt;
}

host::RECT PixelsOf(int16_t x, int16_t y, int16_t width, int16_t height) {
  const auto px = [](int units) { return units * detail::kBaseUnitX / 4; };
  const auto py = [](int units) { return units * detail::kBaseUnitY / 8; };
  return host::RECT{.left = px(x), .top = py(y), .right = px(x + width), .bottom = py(y + height)};
}

bool MakeControls(HWND dialog, const DialogTemplate& layout) {
  for (const ControlTemplate& spec : layout.controls) {
    const std::optional<ControlClass> controlClass = ResolveClass(spec.windowClass);
    if (!controlClass) return false;
    HWND control = MakeWindow(controlClass->kind, controlClass->name,
                              spec.style | host::WS_CHILD, dialog, nullptr);
    control->exStyle = spec.exStyle;
    control->id = spec.id;
    control->rect = PixelsOf(spec.x, spec.y, spec.width, spec.height);
    if (controlClass->kind != WindowKind::ComboBox && controlClass->kind != WindowKind::ListBox) {
      control->text = spec.caption;
    }
    detail::InitialiseControl(control);
    if (controlClass->kind == WindowKind::UpDown) detail::AttachUpDownBuddy(control);
  }
  return true;
}

// The first control that takes the focus by tabbing: visible, enabled, WS_TABSTOP.
HWND FirstTabStop(HWND dialog) {
  constexpr DWORD kWanted = host::WS_VISIBLE | host::WS_DISABLED | host::WS_TABSTOP;
  for (HWND child : dialog->children) {
    if ((child->style & kWanted) == (host::WS_VISIBLE | host::WS_TABSTOP)) return child;
  }
  return nullptr;
}

// Makes the dialog and its controls, sends WM_INITDIALOG and gives the focus as Windows
// does when the procedure returns TRUE. Returns null when the template cannot be used.
HWND MakeDialog(const void* bytes, HWND owner, host::DLGPROC procedure, LPARAM init,
                bool modal) {
  const std::optional<DialogTemplate> layout = ReadTemplate(bytes);
  if (!layout) return nullptr;
  const bool child = (layout->style & host::WS_CHILD) != 0;
  if (child && Live(owner) == nullptr) return nullptr;
  const DWORD visibleLater = layout->style & host::WS_VISIBLE;
  HWND dialog = MakeWindow(WindowKind::Dialog, kDialogClassName,
                           layout->style & ~host::WS_VISIBLE, child ? owner : nullptr,
                           child ? nullptr : Live(owner));
  dialog->exStyle = layout->exStyle;
  dialog->text = layout->caption;
  dialog->dialogProcedure = procedure;
  dialog->rect = PixelsOf(layout->x, layout->y, layout->width, layout->height);
  if (!MakeControls(dialog, *layout)) {
    DestroyWindow(dialog);
    return nullptr;
  }
  const bool wantsFocus =
      Dispatch(dialog, host::WM_INITDIALOG, reinterpret_cast<WPARAM>(FirstTabStop(dialog)),
               init) != 0;
  if (Live(dialog) == nullptr) return nullptr;
  // Pages (DS_CONTROL) made hidden leave the focus to the sheet that shows them.
  if (wantsFocus && ((layout->style & host::DS_CONTROL) == 0 || visibleLater != 0)) {
    if (HWND first = FirstTabStop(dialog)) SetFocus(first);
  }
  if (Live(dialog) != nullptr && (visibleLater != 0 || modal) && !dialog->ended) {
    ShowWindow(dialog, host::SW_SHOW);
  }
  return Live(dialog);
}

}  // namespace

namespace detail {

void InitialiseControl(HWND control) {
  switch (control->kind) {
    case WindowKind::Button:
      control->state = MakeButtonState();
      break;
    case WindowKind::Edit:
      control->state = MakeEditState();
      break;
    case WindowKind::ListBox:
    case WindowKind::ComboBox:
      control->state = MakeListState(control);
      break;
    case WindowKind::UpDown:
      control->state = MakeUpDownState();
      break;
    case WindowKind::Progress:
      control->state = MakeProgressState();
      break;
    case WindowKind::Tooltip:
      control->state = MakeTooltipState();
      break;
    case WindowKind::Dialog:
    case WindowKind::Host:
    case WindowKind::Static:
      break;
  }
}

}  // namespace detail

HWND CreateDialogIndirectParam(const void* dialogTemplate, HWND owner, DLGPROC procedure,
                               LPARAM init) {
  Lock lock(System().mutex);
  detail::DispatchScope scope;
  return MakeDialog(dialogTemplate, owner, procedure, init, false);
}

INT_PTR DialogBoxIndirectParam(const void* dialogTemplate, HWND owner, DLGPROC procedure,
                               LPARAM init) {
  Lock lock(System().mutex);
  detail::DispatchScope scope;
  // The owner of a modal dialog is the top-level window of the given one, disabled while
  // the dialog runs.
  HWND topOwner = Live(owner);
  while (topOwner != nullptr && topOwner->parent != nullptr) topOwner = topOwner->parent;
  const bool disableOwner = topOwner != nullptr && IsWindowEnabled(topOwner);
  if (disableOwner) EnableWindow(topOwner, false);

  HWND dialog = MakeDialog(dialogTemplate, topOwner, procedure, init, true);
  INT_PTR result = -1;
  if (dialog != nullptr) {
    if (!dialog->ended) detail::RespondToModalDialog(dialog);
    if (Live(dialog) != nullptr) {
      if (!dialog->ended) EndDialog(dialog, host::IDCANCEL);
      result = dialog->endResult;
      DestroyWindow(dialog);
    } else {
      result = host::IDCANCEL;
    }
  }
  if (disableOwner && Live(topOwner) != nullptr) EnableWindow(topOwner, true);
  return result;
}

bool EndDialog(HWND dialog, INT_PTR result) {
  Lock lock(System().mutex);
  if (Live(dialog) == nullptr || dialog->kind != WindowKind::Dialog) return false;
  dialog->ended = true;
  dialog->endResult = result;
  ShowWindow(dialog, host::SW_HIDE);
  return true;
}

// Made visible, as on Windows: a window shown at the top level becomes the active one and
// takes the keyboard focus from whatever control held it in another window.
HWND CreateHostWindow(WNDPROC procedure, const std::u16string& title) {
  Lock lock(System().mutex);
  HWND window = MakeWindow(WindowKind::Host, kHostClassName, host::WS_CAPTION | host::WS_SYSMENU,
                           nullptr, nullptr);
  window->windowProcedure = procedure;
  window->text = title;
  ShowWindow(window, host::SW_SHOW);
  if (Live(window) != nullptr) SetFocus(window);
  return Live(window);
}

HWND CreateTooltipWindow(HWND owner, host::DWORD style) {
  Lock lock(System().mutex);
  HWND window = MakeWindow(WindowKind::Tooltip, kTooltipClassName, host::WS_POPUP | style,
                           nullptr, Live(owner));
  window->exStyle = host::WS_EX_TOPMOST;
  detail::InitialiseControl(window);
  return window;
}

}  // namespace kx::platform
