// printer install and remove: a print server's queue gets an entry in the spooler store,
// which its settings stores and DevOpts hang from.
#include <gtest/gtest.h>

#include <fstream>

#include "outcome.h"
#include "platform/spooler.h"
#include "settings_tool_run.h"
#include "watermarks/watermark_store.h"

namespace kx::settings_tool {
namespace {

constexpr char kQueue[] = "Queue 2";

TEST_F(SettingsToolTest, AnInstalledQueueKeepsItsStoresUntilRemoved) {
  const std::vector<std::string> queue = {"--printer", kQueue};
  const auto run = [&](std::vector<std::string> words) {
    words.insert(words.begin(), queue.begin(), queue.end());
    return RunRaw(words);
  };
  EXPECT_EQ(run({"watermark", "list"}).status, kExitNoPrinter);
  ToolRun installed = run({"printer", "install", "--ppd", KX48T7_SAMPLE_PPD});
  ASSERT_EQ(installed.status, kExitOk) << installed.err;
  ASSERT_EQ(run({"watermark", "add", "Draft", "text=DRAFT"}).status, kExitOk);
  // Installing again (a new PPD, say) keeps what the printer has.
  installed = run({"printer", "install", "--ppd", KX48T7_SAMPLE_PPD});
  ASSERT_EQ(installed.status, kExitOk) << installed.err;
  EXPECT_EQ(ui::LoadWatermark(u"Draft", u"Queue 2").text[0], u'D');
  ASSERT_EQ(run({"printer", "remove"}).status, kExitOk);
  const platform::OpenedPrinter gone(u"Queue 2");
  EXPECT_EQ(gone.handle(), nullptr);
  EXPECT_EQ(run({"printer", "remove"}).status, kExitNoPrinter);
}

TEST_F(SettingsToolTest, APrinterIsInstalledOnlyWithAPpd) {
  const std::string notPpd = Path("notes.txt").string();
  std::ofstream(notPpd) << "not a PPD\n";
  const struct {
    const char* label;
    std::vector<std::string> arguments;
    int status;
  } cases[] = {
      {"no --ppd", {"printer", "install"}, kExitUsage},
      {"a missing file", {"printer", "install", "--ppd", Path("none.ppd").string()}, kExitUsage},
      {"a file that is no PPD", {"printer", "install", "--ppd", notPpd}, kExitUsage},
      {"--ppd elsewhere", {"printer", "remove", "--ppd", KX48T7_SAMPLE_PPD}, kExitUsage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::vector<std::string> arguments = {"--printer", kQueue};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const ToolRun tool = RunRaw(arguments);
    EXPECT_EQ(tool.status, c.status);
    EXPECT_FALSE(tool.err.empty());
  }
  const platform::OpenedPrinter none(u"Queue 2");
  EXPECT_EQ(none.handle(), nullptr);
}

}  // namespace
}  // namespace kx::settings_tool
