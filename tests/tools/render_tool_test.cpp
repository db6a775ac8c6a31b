// kx48t7-render as its users run it: a separate process, its options, its output and
// its exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "filter_fixture.h"
#include "support/process_run.h"
#include "support/temp_store.h"

namespace kx::render {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

class RenderToolTest : public ::testing::Test {
 protected:
  ToolRun Render(const std::string& arguments) {
    const fs::path errPath = dir_ / "stderr.txt";
    const std::string command = std::string(KX48T7_RENDER_PATH) + " " + arguments + " 2>" +
                                errPath.string();
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> buffer;
    size_t count;
    while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), count);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFile(errPath);
    return run;
  }
  static std::string ReadFile(const fs::path& path) { return test::ReadTextFile(path.string()); }

  test::TempStore store_;
  fs::path dir_ = store_.directory();
};

TEST_F(RenderToolTest, SampleDocumentWithPjlHeader) {
  const ToolRun run = Render("--pages 2 --set userName=kim --set jobName=Quarterly");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.starts_with("\x1B%-12345X@PJL\r\n@PJL JOB NAME = \"Quarterly\"\r\n"));
  EXPECT_NE(run.out.find("@PJL SET USERNAME = \"kim\"\r\n"), std::string::npos);
  EXPECT_NE(run.out.find("%%Page: 2 2\n"), std::string::npos);
  EXPECT_TRUE(run.out.ends_with("%%EOF\n\x1B%-12345X"));
}

TEST_F(RenderToolTest, DocumentNameComesFromTheFile) {
  const fs::path document = dir_ / "letter.ps";
  std::ofstream(document) << "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n%%EOF\n";
  const fs::path output = dir_ / "job.prn";
  const ToolRun run = Render(document.string() + " -o " + output.string());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
  EXPECT_NE(ReadFile(output).find("@PJL JOB NAME = \"letter.ps\""), std::string::npos);
}

TEST_F(RenderToolTest, RecordRoundTripThroughFiles) {
  const fs::path saved = dir_ / "saved.rec";
  ToolRun run = Render("--set negativeImage=1 --set watermark.text=기밀 --record-out " + saved.string());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(fs::file_size(saved), 5816u);
  run = Render("--record " + saved.string() + " --print-record");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\nnegativeImage=1\n"), std::string::npos);
  EXPECT_NE(run.out.find("\nwatermark.text=기밀\n"), std::string::npos);
  EXPECT_NE(run.out.find("\njobName=Sample\n"), std::string::npos);  // written by the last job
  EXPECT_NE(run.out.find("\nsnmpCommunity=kestra\n"), std::string::npos);
}

TEST_F(RenderToolTest, UserNameFillsItsCopies) {
  const ToolRun run = Render("--set userName=홍길동 --set userNameAnsi=x --print-record");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\nuserNameUtf8=홍길동\n"), std::string::npos);
  EXPECT_NE(run.out.find("\nuserNameAnsi=x\n"), std::string::npos);  // set later: it wins
}

TEST_F(RenderToolTest, UsageErrorsNameTheProblemAndRenderNothing) {
  struct Case {
    const char* arguments;
    const char* mentions;
  };
  const Case cases[] = {
      {"--set qualityMod=3", "qualityMod"},
      {"--set colorMode=300", "colorMode"},
      {"--set chargeNumber=123456789", "chargeNumber"},
      {"--devmode duplex=4", "duplex"},
      {"--devmode colour=1", "colour"},
      {"--bogus", "--bogus"},
      {"--set", "--set"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ToolRun run = Render(c.arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find(c.mentions), std::string::npos) << run.err;
  }
}

TEST_F(RenderToolTest, OtherFailuresExitWithOne) {
  const fs::path notDsc = dir_ / "plain.ps";
  std::ofstream(notDsc) << "%!PS\n1 1 moveto showpage\n";
  const fs::path shortRecord = dir_ / "short.rec";
  std::ofstream(shortRecord) << "WJ";
  for (const std::string& arguments :
       {notDsc.string(), (dir_ / "missing.ps").string(), "--record " + shortRecord.string()}) {
    SCOPED_TRACE(arguments);
    const ToolRun run = Render(arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.err.empty());
  }
}

TEST_F(RenderToolTest, SamplePpdByDefaultAndWarningsOnStandardError) {
  ToolRun run = Render("--pages 1");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("<</ProcessColorModel /DeviceCMYK >>setpagedevice"), std::string::npos);
  EXPECT_TRUE(run.err.empty()) << run.err;

  run = Render("--pages 1 --ppd '' --devmode paperLength=4800 --devmode defaultSource=257");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("<</ProcessColorModel /DeviceGray >>setpagedevice"), std::string::npos);
  EXPECT_NE(run.out.find("<< /PageSize [595 1295] /ImagingBBox null"), std::string::npos);
  EXPECT_NE(run.err.find("kx48t7-render: warning: VRX48T7-PSN PostScript:\n"
                         "The custom page size you selected is not suppported"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("Length: 17.99 in (457 mm)\nTray Selected: Tray 1\nDuplex Option: Simplex\n"),
            std::string::npos);
}

TEST_F(RenderToolTest, HelpDocumentsEveryOption) {
  const ToolRun run = Render("--help");
  ASSERT_EQ(run.status, 0);
  for (const char* option : {"--ppd", "--record", "--record-out", "--set", "--devmode",
                             "--document-name", "--print-record", "--pages", "--output",
                             "--printer", "--watermark", "--custom-setting", "KX48T7_ACP",
                             "KX48T7_OEMCP"}) {
    EXPECT_NE(run.out.find(option), std::string::npos) << option;
  }
}

// A printer of the store with the user's libraries: the job takes its entries by name.
class RenderFromStoreTest : public RenderToolTest {
 protected:
  test::FilterPrinter printer_;
};

TEST_F(RenderFromStoreTest, MissingPrintersAndEntriesAreNamed) {
  struct Case {
    std::string arguments;
    int status;
    const char* mentions;
  };
  const Case cases[] = {
      {"--printer Nowhere", 1, "Nowhere"},
      {"--printer Office --watermark Elsewhere", 1, "Elsewhere"},
      {"--printer Office --custom-setting Elsewhere", 1, "Elsewhere"},
      {"--printer Office --custom-setting Damaged", 1, "not a settings record"},
      {"--watermark 'Draft Plan'", 2, "--printer"},
      {"--printer ''", 2, "--printer"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ToolRun run = Render(c.arguments);
    EXPECT_EQ(run.status, c.status);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find(c.mentions), std::string::npos) << run.err;
  }
}

TEST_F(RenderFromStoreTest, EntriesBecomeTheJobsSettings) {
  struct Case {
    std::string arguments;
    std::vector<std::string> lines;  // record fields the job then has
  };
  const Case cases[] = {
      {"--printer Office", {"userName=accounts", "negativeImage=0"}},
      {"--printer Office --watermark 'Draft Plan'",
       {"watermark.text=PLAN-DRAFT-ONLY", "watermark.enabled=1", "watermarkTextAnsi=PLAN-DRAFT-ONLY"}},
      // A predefined watermark needs no entry of the library; "없음" (none) turns it off.
      {"--printer Office --watermark 대외비", {"watermark.text=대외비", "watermark.enabled=1"}},
      {"--printer Office --set watermark.enabled=1 --watermark 없음", {"watermark.enabled=1"}},
      {"--printer Office --watermark 없음", {"watermark.enabled=0"}},
      // The whole record, but the printer's device options stay the printer's.
      {"--printer Office --custom-setting Negative", {"negativeImage=1", "userName=accounts"}},
      {"--printer Office --custom-setting Negative --set negativeImage=0", {"negativeImage=0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ToolRun run = Render(c.arguments + " --print-record");
    ASSERT_EQ(run.status, 0) << run.err;
    for (const std::string& line : c.lines) {
      EXPECT_NE(run.out.find("\n" + line + "\n"), std::string::npos) << line;
    }
  }
}

}  // namespace
}  // namespace kx::render
