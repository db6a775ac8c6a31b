// Dialogs described once, as a table of controls in code, from which the in-memory dialog
// template (DLGTEMPLATEEX) is built on every system. There is no second copy of a dialog
// in a resource script.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "host/window.h"

namespace kx::platform {

// The predefined control classes a template names by ordinal, and the common controls it
// names by class name.
enum class ControlKind : uint16_t {
  Button = 0x0080,  // push buttons, check boxes, radio buttons, group boxes (by style)
  Edit = 0x0081,
  Static = 0x0082,
  ListBox = 0x0083,
  ComboBox = 0x0085,
  UpDown = 1,       // msctls_updown32
  Progress = 2,     // msctls_progress32
};

// One control. Positions and sizes are dialog units; the caption is UTF-8.
struct ControlSpec {
  int id = 0;
  ControlKind kind = ControlKind::Static;
  const char* caption = "";
  int16_t x = 0;
  int16_t y = 0;
  int16_t width = 0;
  int16_t height = 0;
  host::DWORD style = 0;     // WS_CHILD is always added, WS_VISIBLE unless hidden
  host::DWORD exStyle = 0;
  bool hidden = false;
  int limit = 0;             // edit and combo boxes: the entry limit in characters (0: none)
  int spinMin = 0;           // up-down controls: the range, when spinMin < spinMax
  int spinMax = 0;
};

// One dialog or property page. The caption is UTF-8.
struct DialogSpec {
  int templateId = 0;
  const char* caption = "";
  int16_t width = 0;
  int16_t height = 0;
  host::DWORD style = 0;     // DS_SETFONT and DS_SHELLFONT are always added
  host::DWORD exStyle = 0;
  std::span<const ControlSpec> controls;
};

// The dialog font every template names.
inline constexpr char16_t kDialogFontName[] = u"MS Shell Dlg";
inline constexpr uint16_t kDialogFontPointSize = 9;

// The template's bytes, DWORD-aligned as the dialog calls want them.
std::vector<uint32_t> BuildDialogTemplate(const DialogSpec& spec);

// What a template cannot carry: entry limits (EM_LIMITTEXT, CB_LIMITTEXT) and spin ranges
// (UDM_SETRANGE). Called from the dialog's WM_INITDIALOG.
void ApplyControlLimits(host::HWND dialog, const DialogSpec& spec);

}  // namespace kx::platform
