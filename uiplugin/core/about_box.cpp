#include "about_box.h"

#include <string>

#include "host/call_barrier.h"
#include "platform/dialogs.h"
#include "version_strings.h"

namespace kx::ui {
namespace {

using namespace host;
using platform::ControlKind;
using platform::ControlSpec;

// The texts are the box's own, so they are kept as UTF-16 here rather than as code page
// 949 messages: they read right whatever the system's ANSI code page is.
constexpr char16_t kTitlePrefix[] = u"정보";
constexpr char16_t kDriverLine[] = u"Windows(R) 2000 프린터 포스트 스크립터 드라이버 Version";
// A blank line between the parts: a static control breaks lines at CR LF.
constexpr char16_t kParagraph[] = u"\r\n\r\n";

constexpr ControlSpec kControls[] = {
    {.id = kAboutTextId, .kind = ControlKind::Static, .x = 7, .y = 7, .width = 172,
     .height = 60, .style = SS_LEFT | SS_NOPREFIX},
    {.id = IDOK, .kind = ControlKind::Button, .caption = "확인", .x = 68, .y = 74, .width = 50,
     .height = 14, .style = BS_DEFPUSHBUTTON | WS_TABSTOP},
};

// No caption: the title is set when the box opens.
constexpr platform::DialogSpec kSpec = {
    .templateId = kAboutBoxId,
    .width = 186,
    .height = 95,
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
    .controls = kControls,
};

std::u16string VersionString(const platform::VersionResource* version, const char16_t* name) {
  std::u16string value;
  if (version == nullptr || !ReadVersionString(*version, name, &value)) return {};
  return value;
}

// The left edge half the box's width left of the pointer, the top a fifth of its height
// above it: the box opens where the user asked for it.
void PlaceAtPointer(HWND dialog) {
  POINT pointer{};
  RECT box{};
  if (!platform::GetCursorPos(&pointer) || !platform::GetWindowRect(dialog, &box)) return;
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  platform::MoveWindow(dialog, pointer.x - width / 2, pointer.y - height / 5, width, height, true);
}

std::u16string AboutText(const platform::VersionResource* version) {
  const std::u16string legal = VersionString(version, u"LegalCopyright");
  const std::u16string company = VersionString(version, u"CompanyName");
  std::u16string text = VersionString(version, u"FileDescription");
  text.append(kParagraph).append(kDriverLine).append(u" ");
  text.append(VersionString(version, u"ProductVersion")).append(kParagraph);
  if (!legal.empty() && !company.empty()) text.append(legal).append(u" ").append(company);
  text.append(kParagraph);
  return text;
}

void OnInit(HWND dialog, const platform::VersionResource* version) {
  PlaceAtPointer(dialog);
  const std::u16string product = VersionString(version, u"ProductName");
  if (!product.empty()) platform::SetWindowText(dialog, kTitlePrefix + (u" " + product));
  platform::SetDlgItemText(dialog, kAboutTextId, AboutText(version));
}

INT_PTR KX_STDCALL AboutBoxProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return DialogBarrier([&]() -> INT_PTR {
    switch (message) {
      case WM_INITDIALOG:
        OnInit(dialog, reinterpret_cast<const platform::VersionResource*>(lParam));
        return 1;
      case WM_COMMAND:
        if (LoWord(wParam) == IDOK) return platform::EndDialog(dialog, 1);
        if (LoWord(wParam) == IDCANCEL) return platform::EndDialog(dialog, 0);
        return 0;
      default:
        return 0;
    }
  });
}

}  // namespace

const platform::DialogSpec& AboutBoxSpec() { return kSpec; }

INT_PTR ShowAboutBox(HWND owner, const platform::VersionResource* version) {
  const std::vector<uint32_t> dialogTemplate = platform::BuildDialogTemplate(kSpec);
  return platform::DialogBoxIndirectParam(dialogTemplate.data(), owner, AboutBoxProcedure,
                                          reinterpret_cast<LPARAM>(version));
}

}  // namespace kx::ui
