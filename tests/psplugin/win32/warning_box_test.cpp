// The plug-in's warning is a real message box on Windows: the host simulator takes the
// boxes shown on its thread and answers them, so nothing waits for a user.
#include <gtest/gtest.h>

#include <thread>

#include "host/oemps.h"
#include "hostsim/warning_log.h"
#include "platform/message_box.h"
#include "support/loaded_plugin.h"

namespace kx::ps {
namespace {

using namespace host;

TEST(WarningBoxTest, TheBoxIsShownAndItsTextTaken) {
  hostsim::WarningLog log;
  const std::u16string text = u"\uC6A9\uC9C0 \uD06C\uAE30\nsecond line";
  platform::ShowWarningBox(u"Title \u0158", text);
  platform::ShowWarningBox(u"", u"");
  const auto shown = log.Take();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].title, u"Title \u0158");
  EXPECT_EQ(shown[0].text, text);
  EXPECT_EQ(shown[1].title, u"");
  EXPECT_EQ(shown[1].text, u"");
}

TEST(WarningBoxTest, OnlyTheLoggingThreadsBoxesAreTaken) {
  hostsim::WarningLog log;
  std::thread([] {
    // This thread's boxes are not the log's: with a log of its own, the box is answered
    // by that log and never reaches the first.
    hostsim::WarningLog own;
    platform::ShowWarningBox(u"other", u"thread");
    EXPECT_EQ(own.Take().size(), 1u);
  }).join();
  EXPECT_TRUE(log.Take().empty());
}

class CustomPageSizeBoxTest : public test::LoadedPluginTest {};

TEST_F(CustomPageSizeBoxTest, ThePluginShowsItsBoxAtTheStreamStart) {
  hostsim::WarningLog log;
  auto& device = Device({1, 2100, 4800, 1, 257, 1, 256});
  EXPECT_EQ(device.Command(PSINJECT_BEGINSTREAM), S_OK);
  const auto shown = log.Take();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, u"VRX48T7-PSN PostScript");
  EXPECT_NE(shown[0].text.find(u"Tray Selected: Tray 1"), std::u16string::npos);
  // The job header follows the answered box.
  EXPECT_EQ(device.spool().bytes.rfind("\x1B%-12345X@PJL\r\n", 0), 0u);
}

}  // namespace
}  // namespace kx::ps
