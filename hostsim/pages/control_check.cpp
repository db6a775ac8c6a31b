#include "control_check.h"  // before <windows.h>: host/window.h has names it defines

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>

#include "platform/text.h"

namespace kx::hostsim {
namespace {

struct ClassName {
  platform::ControlKind kind;
  const wchar_t* name;
};
constexpr ClassName kClassNames[] = {
    {platform::ControlKind::Button, L"Button"},
    {platform::ControlKind::Edit, L"Edit"},
    {platform::ControlKind::Static, L"Static"},
    {platform::ControlKind::ListBox, L"ListBox"},
    {platform::ControlKind::ComboBox, L"ComboBox"},
    {platform::ControlKind::UpDown, L"msctls_updown32"},
    {platform::ControlKind::Progress, L"msctls_progress32"},
};

const wchar_t* ExpectedClass(platform::ControlKind kind) {
  for (const ClassName& entry : kClassNames) {
    if (entry.kind == kind) return entry.name;
  }
  return L"";
}

std::string Utf8(const std::wstring& text) {
  return platform::Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

std::wstring ClassOf(::HWND control) {
  wchar_t name[64] = {};
  ::GetClassNameW(control, name, static_cast<int>(std::size(name)));
  return name;
}

std::wstring TextOf(::HWND control) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(
      ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The kinds whose caption is the control's text as the user reads it.
bool ShowsCaption(platform::ControlKind kind) {
  return kind == platform::ControlKind::Button || kind == platform::ControlKind::Static;
}

// The window's own controls (not their parts, such as a combo box's edit), in the order
// the dialog manager made them.
std::vector<::HWND> ControlsOf(::HWND window) {
  std::vector<::HWND> controls;
  for (::HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    controls.push_back(child);
  }
  return controls;
}

}  // namespace

std::vector<std::string> DifferencesFromTable(host::HWND window, const platform::DialogSpec& spec) {
  std::vector<std::string> differences;
  const std::vector<::HWND> controls = ControlsOf(reinterpret_cast<::HWND>(window));
  if (controls.size() != spec.controls.size()) {
    differences.push_back("the window has " + std::to_string(controls.size()) +
                          " controls, its table " + std::to_string(spec.controls.size()));
  }
  const size_t compared = std::min(controls.size(), spec.controls.size());
  for (size_t index = 0; index < compared; ++index) {
    const platform::ControlSpec& expected = spec.controls[index];
    ::HWND control = controls[index];
    const std::string where = "control " + std::to_string(index) + " (id " +
                              std::to_string(expected.id) + "): ";
    const int id = ::GetDlgCtrlID(control);
    if (id != expected.id) differences.push_back(where + "id " + std::to_string(id));
    const std::wstring className = ClassOf(control);
    if (::lstrcmpiW(className.c_str(), ExpectedClass(expected.kind)) != 0) {
      differences.push_back(where + "class " + Utf8(className));
    }
    if (ShowsCaption(expected.kind)) {
      const std::wstring text = TextOf(control);
      const std::u16string caption = platform::Utf8ToUtf16(expected.caption);
      if (text.compare(0, caption.size(), std::wstring(caption.begin(), caption.end())) != 0) {
        differences.push_back(where + "text \"" + Utf8(text) + "\", table \"" + expected.caption +
                              "\"");
      }
    }
  }
  return differences;
}

}  // namespace kx::hostsim
