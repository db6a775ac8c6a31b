// The information page's own wiring, with the page procedure linked in: its help topics,
// and a driver reset on a sheet that has no settings record yet.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/information_page.h"
#include "hostsim/host_sheet.h"
#include "module_state.h"
#include "page_set.h"
#include "platform/dialog_template.h"
#include "platform/shell.h"

namespace kx::ui {
namespace {

using namespace host;

constexpr int kDriverReset = 1208;

bool TakePage(void* context, const std::u16string& page) {
  static_cast<std::vector<std::u16string>*>(context)->push_back(page);
  return true;
}

class InformationPageWiringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetPageReceiver(TakePage, &pages_);
    std::string error;
    sheet_ = hostsim::HostSheet::CreateWithPage(InformationPageSpec(), InformationPageProcedure,
                                                reinterpret_cast<LPARAM>(&context_), &error);
    ASSERT_NE(sheet_, nullptr) << error;
  }
  void TearDown() override { platform::SetPageReceiver(nullptr, nullptr); }

  std::u16string Topic(const std::u16string& topic) {
    return Module().HelpRoot() + topic + u".html";
  }

  std::vector<std::u16string> pages_;
  PageSetContext context_;
  std::unique_ptr<hostsim::HostSheet> sheet_;
};

TEST_F(InformationPageWiringTest, HelpOpensThePageAndButtonTopics) {
  sheet_->Help(0);
  sheet_->HelpRequest(0, kDriverReset);
  EXPECT_EQ(pages_, (std::vector<std::u16string>{Topic(u"106"), Topic(u"1208")}));
}

TEST_F(InformationPageWiringTest, ResetWithoutARecordChangesNothing) {
  ASSERT_TRUE(sheet_->Click(0, kDriverReset));
  EXPECT_TRUE(sheet_->sheetMessages().empty());
}

}  // namespace
}  // namespace kx::ui
