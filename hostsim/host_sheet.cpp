#include "hostsim/host_sheet.h"

#include <algorithm>

#include "platform/dialogs.h"

namespace kx::hostsim {

using namespace host;

namespace {

constexpr char16_t kSheetTitle[] = u"Printing Preferences";

enum class ListKind { None, Combo, List };

ListKind KindOf(HWND control) {
  if (control == nullptr) return ListKind::None;
  std::u16string name = platform::GetClassName(control);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; });
  if (name == u"combobox") return ListKind::Combo;
  if (name == u"listbox") return ListKind::List;
  return ListKind::None;
}

// The messages of the two kinds of list, side by side.
struct ListMessages {
  UINT setSelection;
  UINT getSelection;
  UINT count;
  UINT textLength;
  UINT text;
  UINT findExact;
  UINT selectionChanged;
};
constexpr ListMessages kComboMessages = {CB_SETCURSEL,    CB_GETCURSEL, CB_GETCOUNT,
                                         CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_FINDSTRINGEXACT,
                                         CBN_SELCHANGE};
constexpr ListMessages kListMessages = {LB_SETCURSEL,  LB_GETCURSEL, LB_GETCOUNT,
                                        LB_GETTEXTLEN, LB_GETTEXT,   LB_FINDSTRINGEXACT,
                                        LBN_SELCHANGE};

const ListMessages* MessagesOf(HWND control) {
  switch (KindOf(control)) {
    case ListKind::Combo:
      return &kComboMessages;
    case ListKind::List:
      return &kListMessages;
    case ListKind::None:
      break;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<HostSheet> HostSheet::Create(std::span<const PROPSHEETPAGEW> pages,
                                             std::string* error) {
  std::unique_ptr<HostSheet> sheet(new HostSheet());
  sheet->window_ = platform::CreateHostWindow(&HostSheet::SheetProcedure, kSheetTitle);
  if (sheet->window_ == nullptr) {
    *error = "the sheet window could not be made";
    return nullptr;
  }
  platform::SetWindowLongPtr(sheet->window_, GWLP_USERDATA,
                             reinterpret_cast<LONG_PTR>(sheet.get()));
  platform::ShowWindow(sheet->window_, SW_SHOW);
  sheet->descriptions_.assign(pages.begin(), pages.end());
  for (size_t i = 0; i < sheet->descriptions_.size(); ++i) {
    const PROPSHEETPAGEW& description = sheet->descriptions_[i];
    if ((description.dwFlags & PSP_DLGINDIRECT) == 0 || description.pResource == nullptr) {
      *error = "page " + std::to_string(i) + " has no in-memory template";
      return nullptr;
    }
    const HWND page = platform::CreateDialogIndirectParam(description.pResource, sheet->window_,
                                                          description.pfnDlgProc,
                                                          reinterpret_cast<LPARAM>(&description));
    if (page == nullptr) {
      *error = "page " + std::to_string(i) + " could not be made";
      return nullptr;
    }
    sheet->pages_.push_back(page);
  }
  return sheet;
}

std::unique_ptr<HostSheet> HostSheet::CreateWithPage(const platform::DialogSpec& spec,
                                                     DLGPROC procedure, LPARAM lParam,
                                                     std::string* error) {
  std::vector<uint32_t> dialogTemplate = platform::BuildDialogTemplate(spec);
  PROPSHEETPAGEW page{};
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_DLGINDIRECT | PSP_HASHELP;
  page.pResource = dialogTemplate.data();
  page.pfnDlgProc = procedure;
  page.lParam = lParam;
  std::unique_ptr<HostSheet> sheet = Create(std::span(&page, 1), error);
  // The vector's buffer, which the page's description points at, moves with it.
  if (sheet != nullptr) sheet->template_ = std::move(dialogTemplate);
  return sheet;
}

HostSheet::~HostSheet() {
  for (const HWND page : pages_) platform::DestroyWindow(page);
  if (window_ != nullptr) {
    platform::SetWindowLongPtr(window_, GWLP_USERDATA, 0);
    platform::DestroyWindow(window_);
  }
}

LRESULT HostSheet::SheetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
  auto* sheet = reinterpret_cast<HostSheet*>(platform::GetWindowLongPtr(window, GWLP_USERDATA));
  if (sheet != nullptr && (message == PSM_CHANGED || message == PSM_UNCHANGED)) {
    sheet->OnSheetMessage(message, reinterpret_cast<HWND>(wParam));
  }
  return 0;
}

// A page that is still being made (it may report a change from WM_INITDIALOG) is not in
// the list yet: it is the next one.
void HostSheet::OnSheetMessage(UINT message, HWND page) {
  const auto found = std::find(pages_.begin(), pages_.end(), page);
  messages_.push_back({static_cast<size_t>(found - pages_.begin()), message});
}

bool HostSheet::Changed(size_t page) const {
  for (auto it = messages_.rbegin(); it != messages_.rend(); ++it) {
    if (it->page == page) return it->message == PSM_CHANGED;
  }
  return false;
}

HWND HostSheet::Control(size_t page, int id) const {
  return platform::GetDlgItem(pages_[page], id);
}

LONG_PTR HostSheet::Notify(size_t page, UINT code, LPARAM lParam) {
  PSHNOTIFY notify{};
  notify.hdr.hwndFrom = window_;
  notify.hdr.idFrom = 0;
  notify.hdr.code = code;
  notify.lParam = lParam;
  platform::SetWindowLongPtr(pages_[page], DWLP_MSGRESULT, 0);
  platform::SendMessage(pages_[page], WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
  return platform::GetWindowLongPtr(pages_[page], DWLP_MSGRESULT);
}

LONG_PTR HostSheet::SetActive(size_t page) {
  if (active_ != page) {
    if (active_ < pages_.size()) platform::ShowWindow(pages_[active_], SW_HIDE);
    platform::ShowWindow(pages_[page], SW_SHOW);
    active_ = page;
  }
  return Notify(page, PSN_SETACTIVE);
}

bool HostSheet::Click(size_t page, int id) {
  const HWND control = Control(page, id);
  if (control == nullptr) return false;
  platform::SendMessage(control, BM_CLICK, 0, 0);
  return true;
}

bool HostSheet::Type(size_t page, int id, std::u16string_view text) {
  const HWND control = Control(page, id);
  if (control == nullptr) return false;
  platform::SetFocus(control);
  platform::SendMessage(control, EM_SETSEL, 0, -1);
  for (const char16_t c : text) platform::SendMessage(control, WM_CHAR, c, 1);
  return true;
}

bool HostSheet::Choose(size_t page, int id, int index) {
  const HWND control = Control(page, id);
  const ListMessages* messages = MessagesOf(control);
  if (messages == nullptr || index < 0) return false;
  if (platform::SendMessage(control, messages->setSelection, static_cast<WPARAM>(index), 0) !=
      index) {
    return false;
  }
  platform::SendMessage(
      pages_[page], WM_COMMAND,
      MakeWParam(static_cast<WORD>(id), static_cast<WORD>(messages->selectionChanged)),
      reinterpret_cast<LPARAM>(control));
  return true;
}

bool HostSheet::ChooseText(size_t page, int id, std::u16string_view text) {
  const HWND control = Control(page, id);
  const ListMessages* messages = MessagesOf(control);
  if (messages == nullptr) return false;
  const std::u16string wanted(text);
  const LRESULT index = platform::SendMessage(control, messages->findExact, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(wanted.c_str()));
  return index >= 0 && Choose(page, id, static_cast<int>(index));
}

bool HostSheet::Focus(size_t page, int id) {
  const HWND control = Control(page, id);
  if (control == nullptr) return false;
  platform::SetFocus(control);
  return true;
}

std::u16string HostSheet::Text(size_t page, int id) const {
  return platform::GetDlgItemText(pages_[page], id);
}

bool HostSheet::Checked(size_t page, int id) const {
  const HWND control = Control(page, id);
  return control != nullptr &&
         platform::SendMessage(control, BM_GETCHECK, 0, 0) == static_cast<LRESULT>(BST_CHECKED);
}

bool HostSheet::Enabled(size_t page, int id) const {
  const HWND control = Control(page, id);
  return control != nullptr && platform::IsWindowEnabled(control);
}

bool HostSheet::Visible(size_t page, int id) const {
  const HWND control = Control(page, id);
  return control != nullptr && platform::IsWindowVisible(control);
}

int HostSheet::Selection(size_t page, int id) const {
  const HWND control = Control(page, id);
  const ListMessages* messages = MessagesOf(control);
  if (messages == nullptr) return -1;
  return static_cast<int>(platform::SendMessage(control, messages->getSelection, 0, 0));
}

std::vector<std::u16string> HostSheet::Items(size_t page, int id) const {
  std::vector<std::u16string> texts;
  const HWND control = Control(page, id);
  const ListMessages* messages = MessagesOf(control);
  if (messages == nullptr) return texts;
  const LRESULT count = platform::SendMessage(control, messages->count, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length =
        platform::SendMessage(control, messages->textLength, static_cast<WPARAM>(i), 0);
    std::u16string text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, u'\0');
    platform::SendMessage(control, messages->text, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    texts.push_back(std::move(text));
  }
  return texts;
}

// The control's own window procedure passes a right click on to its dialog, naming
// itself in wParam; the page receives the same message here.
void HostSheet::ContextMenu(size_t page, int id, int x, int y) {
  const HWND target = id == 0 ? pages_[page] : Control(page, id);
  platform::SendMessage(pages_[page], WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target),
                        MakeLParam(static_cast<WORD>(x), static_cast<WORD>(y)));
}

void HostSheet::HelpRequest(size_t page, int id, int x, int y) {
  HELPINFO info{};
  info.cbSize = sizeof(HELPINFO);
  info.iContextType = HELPINFO_WINDOW;
  info.iCtrlId = id;
  info.hItemHandle = id == 0 ? pages_[page] : Control(page, id);
  info.MousePos = {x, y};
  platform::SendMessage(pages_[page], WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace kx::hostsim
