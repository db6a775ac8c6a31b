// The page host's check of a real window against its control table: it must see what a
// dialog really shows, and say where it differs.
#include "control_check.h"

#include <gtest/gtest.h>

#include "platform/dialogs.h"

namespace kx::hostsim {
namespace {

using platform::ControlKind;

constexpr platform::ControlSpec kControls[] = {
    {.id = 1001, .kind = ControlKind::Static, .caption = "버전", .width = 60, .height = 10},
    {.id = 1002, .kind = ControlKind::Edit, .x = 70, .width = 60, .height = 12},
    {.id = 1003, .kind = ControlKind::Button, .caption = "확인", .y = 20, .width = 50, .height = 14},
    {.id = 1004, .kind = ControlKind::Static, .y = 40, .width = 60, .height = 10},
};
constexpr platform::DialogSpec kSpec = {
    .templateId = 990, .caption = "표", .width = 150, .height = 60, .controls = kControls};

host::INT_PTR KX_STDCALL Procedure(host::HWND, host::UINT, host::WPARAM, host::LPARAM) {
  return 0;
}

class ControlCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialogTemplate_ = platform::BuildDialogTemplate(kSpec);
    dialog_ = platform::CreateDialogIndirectParam(dialogTemplate_.data(), nullptr, Procedure, 0);
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override {
    if (dialog_ != nullptr) platform::DestroyWindow(dialog_);
  }
  void SetText(int id, const char16_t* text) {
    platform::SetWindowText(platform::GetDlgItem(dialog_, id), text);
  }

  std::vector<uint32_t> dialogTemplate_;
  host::HWND dialog_ = nullptr;
};

TEST_F(ControlCheckTest, WhatTheDialogFillsInPassesAndChangedCaptionsDoNot) {
  EXPECT_TRUE(DifferencesFromTable(dialog_, kSpec).empty());
  // Texts a dialog fills or completes: an edit's, an empty label's, a label's ending.
  SetText(1002, u"typed");
  SetText(1004, u"상태");
  SetText(1001, u"버전 1.0.0.1");
  EXPECT_TRUE(DifferencesFromTable(dialog_, kSpec).empty());

  SetText(1003, u"취소");
  SetText(1001, u"판");
  const std::vector<std::string> differences = DifferencesFromTable(dialog_, kSpec);
  ASSERT_EQ(differences.size(), 2u);
  EXPECT_NE(differences[0].find("id 1001"), std::string::npos) << differences[0];
  EXPECT_NE(differences[1].find("id 1003"), std::string::npos) << differences[1];
}

TEST_F(ControlCheckTest, MissingControlsAndOtherTablesAreReported) {
  static constexpr platform::ControlSpec kOther[] = {
      {.id = 1001, .kind = ControlKind::Button, .caption = "버전", .width = 60, .height = 10},
      {.id = 1005, .kind = ControlKind::Edit, .width = 60, .height = 12},
  };
  constexpr platform::DialogSpec kOtherSpec = {
      .templateId = 991, .caption = "다른 표", .width = 150, .height = 60, .controls = kOther};
  const std::vector<std::string> differences = DifferencesFromTable(dialog_, kOtherSpec);
  // The count, the first control's class and the second's id.
  ASSERT_EQ(differences.size(), 3u);
  EXPECT_NE(differences[1].find("class Static"), std::string::npos) << differences[1];
  EXPECT_NE(differences[2].find("id 1002"), std::string::npos) << differences[2];
}

}  // namespace
}  // namespace kx::hostsim
