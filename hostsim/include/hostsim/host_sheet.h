// The property sheet that holds a plug-in's pages, played through the platform's dialog
// services: a sheet window and one modeless dialog per page, made from the page's
// in-memory template. Tests send the sheet's notifications to a page and drive its
// controls by id the way a user's actions reach them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/compstui.h"
#include "host/window.h"
#include "platform/dialog_template.h"

namespace kx::hostsim {

// A PSM_CHANGED or PSM_UNCHANGED that a page sent to the sheet.
struct SheetMessage {
  size_t page = 0;
  host::UINT message = 0;
};

class HostSheet {
 public:
  // Makes the sheet window and a dialog for each page (in the given order). A page's
  // WM_INITDIALOG receives the address of the sheet's copy of its description, as a
  // property page's does; the description's own lParam is the plug-in's value. Only
  // in-memory templates (PSP_DLGINDIRECT) can be made. Null with *error set when a page
  // cannot be made.
  static std::unique_ptr<HostSheet> Create(std::span<const host::PROPSHEETPAGEW> pages,
                                           std::string* error);
  // A sheet of one page of the plug-in's, made as the plug-in adds it (an in-memory
  // template from `spec`, with help) with `lParam` as the page's own value; the sheet keeps
  // the template.
  static std::unique_ptr<HostSheet> CreateWithPage(const platform::DialogSpec& spec,
                                                   host::DLGPROC procedure, host::LPARAM lParam,
                                                   std::string* error);
  // Destroys the pages, then the sheet window.
  ~HostSheet();
  HostSheet(const HostSheet&) = delete;
  HostSheet& operator=(const HostSheet&) = delete;

  size_t pageCount() const { return pages_.size(); }
  host::HWND page(size_t index) const { return pages_[index]; }
  host::HWND window() const { return window_; }
  host::HWND Control(size_t page, int id) const;

  // A sheet notification (PSN_*) as WM_NOTIFY with a PSHNOTIFY carrying `lParam`;
  // returns the page's answer (its DWLP_MSGRESULT, cleared before the call).
  host::LONG_PTR Notify(size_t page, host::UINT code, host::LPARAM lParam = 0);
  // Shows `page` in place of the page shown before (pages start hidden), then tells it.
  host::LONG_PTR SetActive(size_t page);
  host::LONG_PTR KillActive(size_t page) { return Notify(page, host::PSN_KILLACTIVE); }
  // `ok`: the OK button rather than Apply.
  host::LONG_PTR Apply(size_t page, bool ok = true) {
    return Notify(page, host::PSN_APPLY, ok ? 1 : 0);
  }
  host::LONG_PTR Reset(size_t page) { return Notify(page, host::PSN_RESET); }
  host::LONG_PTR Help(size_t page) { return Notify(page, host::PSN_HELP); }

  // Control actions; false when the page has no control with that id (or, for Choose,
  // no item at that index).
  bool Click(size_t page, int id);
  // Focuses the control, selects its whole text and types `text` one character at a
  // time, so that entry limits and digits-only edits apply as to a user's typing.
  bool Type(size_t page, int id, std::u16string_view text);
  // Selects item `index` of a combo or list box and tells the page, as a user's choice
  // does (CBN_SELCHANGE or LBN_SELCHANGE).
  bool Choose(size_t page, int id, int index);
  // The same for the item with exactly this text (case ignored, as the control finds it).
  bool ChooseText(size_t page, int id, std::u16string_view text);
  bool Focus(size_t page, int id);

  // Control state.
  std::u16string Text(size_t page, int id) const;
  bool Checked(size_t page, int id) const;
  bool Enabled(size_t page, int id) const;
  bool Visible(size_t page, int id) const;
  // The selected item of a combo or list box (-1: none), and all its items' texts.
  int Selection(size_t page, int id) const;
  std::vector<std::u16string> Items(size_t page, int id) const;

  // Context help: a right click on a control (`id`) or on the page itself (id 0) at a
  // screen position, and the help key on a control.
  void ContextMenu(size_t page, int id, int x, int y);
  void HelpRequest(size_t page, int id, int x = 0, int y = 0);

  // PSM_CHANGED and PSM_UNCHANGED as the pages sent them, oldest first, and whether a
  // page's last one said changed.
  const std::vector<SheetMessage>& sheetMessages() const { return messages_; }
  bool Changed(size_t page) const;

 private:
  HostSheet() = default;
  static host::LRESULT KX_STDCALL SheetProcedure(host::HWND window, host::UINT message,
                                                 host::WPARAM wParam, host::LPARAM lParam);
  void OnSheetMessage(host::UINT message, host::HWND page);

  host::HWND window_ = nullptr;
  // Sized once, before any page is made: each page keeps the address of its copy.
  std::vector<host::PROPSHEETPAGEW> descriptions_;
  std::vector<uint32_t> template_;  // CreateWithPage's
  std::vector<host::HWND> pages_;
  size_t active_ = SIZE_MAX;  // none yet
  std::vector<SheetMessage> messages_;
};

}  // namespace kx::hostsim
