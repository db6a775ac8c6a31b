// A modeless dialog of the platform's dialog services for the shared routines to work on,
// destroyed at the end of the test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/dialogs.h"

namespace kx::test {

class TestDialog {
 public:
  explicit TestDialog(const platform::DialogSpec& spec, host::DLGPROC procedure = Ignore)
      : template_(platform::BuildDialogTemplate(spec)),
        dialog_(platform::CreateDialogIndirectParam(template_.data(), nullptr, procedure, 0)) {
    EXPECT_NE(dialog_, nullptr);
  }
  ~TestDialog() {
    if (dialog_ != nullptr) platform::DestroyWindow(dialog_);
  }
  TestDialog(const TestDialog&) = delete;
  TestDialog& operator=(const TestDialog&) = delete;

  host::HWND get() const { return dialog_; }
  host::HWND item(int id) const { return platform::GetDlgItem(dialog_, id); }

  // The combo box's items: text and item data, in list order.
  std::vector<std::pair<std::u16string, host::LRESULT>> ComboItems(int id) const {
    std::vector<std::pair<std::u16string, host::LRESULT>> items;
    const host::LRESULT count = platform::SendDlgItemMessage(dialog_, id, host::CB_GETCOUNT, 0, 0);
    for (host::LRESULT index = 0; index < count; ++index) {
      const auto at = static_cast<host::WPARAM>(index);
      const host::LRESULT length =
          platform::SendDlgItemMessage(dialog_, id, host::CB_GETLBTEXTLEN, at, 0);
      std::u16string text(static_cast<size_t>(length) + 1, u'\0');
      platform::SendDlgItemMessage(dialog_, id, host::CB_GETLBTEXT, at,
                                   reinterpret_cast<host::LPARAM>(text.data()));
      text.resize(static_cast<size_t>(length));
      items.emplace_back(text, platform::SendDlgItemMessage(dialog_, id, host::CB_GETITEMDATA,
                                                            at, 0));
    }
    return items;
  }
  host::LRESULT Selection(int id) const {
    return platform::SendDlgItemMessage(dialog_, id, host::CB_GETCURSEL, 0, 0);
  }

 private:
  static host::INT_PTR KX_STDCALL Ignore(host::HWND, host::UINT, host::WPARAM, host::LPARAM) {
    return 0;
  }
  std::vector<uint32_t> template_;
  host::HWND dialog_;
};

}  // namespace kx::test
