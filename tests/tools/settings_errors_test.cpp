// Each class of bad input, once per group where the group decides it differently: the
// exit code, a message that names the problem, and a store left as it was.
#include <gtest/gtest.h>

#include "colour/colour_sets.h"
#include "settings_tool_run.h"
#include "watermarks/watermark_store.h"

namespace kx::settings_tool {
namespace {

// The exit codes --help documents.
enum : int {
  kUsage = 2,
  kNoPrinter = 3,
  kUnknownName = 4,
  kOutOfRange = 5,
  kPredefined = 6,
  kExists = 7,
  kPreviewFailed = 8,
};

struct BadInput {
  std::vector<std::string> args;
  int status;
  std::vector<std::string> messageParts;  // each must appear on standard error
  // After the refusal, `show` of this entry (group, name, options) still finds nothing.
  std::vector<std::string> absentAfter = {};
};

std::string PredefinedWatermark(size_t index) {
  return platform::Utf16ToUtf8(ui::ToUtf16(ui::kPredefinedWatermarks[index].text));
}

std::vector<BadInput> BadInputs() {
  const std::string none = PredefinedWatermark(ui::kNoWatermark);
  const std::string colourSet =
      platform::Utf16ToUtf8(ui::ToUtf16(ui::kPredefinedColourSets[0].text));
  const std::string longName(32, 'n');
  return {
      // Usage.
      {{"watermark"}, kUsage, {"GROUP and a VERB"}},
      {{"watermark", "rename", "A"}, kUsage, {"no verb \"rename\""}},
      {{"devopts", "list"}, kUsage, {"no verb \"list\""}},
      {{"profile", "preview", "A", "--png", "x.png"}, kUsage, {"no verb \"preview\""}},
      {{"watermark", "add"}, kUsage, {"needs a NAME"}},
      {{"watermark", "list", "--frobnicate"}, kUsage, {"unknown option --frobnicate"}},
      {{"colour-set", "export", "--file"}, kUsage, {"--file needs a value"}},
      {{"watermark", "add", "W", "colour=1"}, kUsage, {"no field \"colour\""}, {"watermark", "W"}},
      {{"watermark", "add", "W", "name=V"}, kUsage, {"no field \"name\""}, {"watermark", "W"}},
      {{"custom-setting", "add", "S", "devOpts.userName=x"}, kUsage, {"no field"}},
      {{"profile", "add", "P", "fileName=A.ICC"}, kUsage, {"--kind"}},
      {{"profile", "list", "--kind", "cmyk"}, kUsage, {"no profile kind \"cmyk\"", "rgb-source"}},
      {{"profile", "add", "P", "--kind", "destination"}, kUsage, {"fileName="}},
      {{"devopts", "set"}, kUsage, {"needs FIELD=VALUE"}},
      {{"devopts", "set", "userNameAnsi=x"}, kUsage, {"userNameAnsi", "cannot be set"}},
      {{"devopts", "set", "colorMode=1"}, kUsage, {"no device option \"colorMode\""}},
      // A missing printer, in each group.
      {{"--printer", "No Such Printer", "watermark", "list"}, kNoPrinter, {"No Such Printer"}},
      {{"--printer", "No Such Printer", "colour-set", "add", "C"}, kNoPrinter, {"No Such Printer"}},
      {{"--printer", "No Such Printer", "profile", "list"}, kNoPrinter, {"No Such Printer"}},
      {{"--printer", "No Such Printer", "custom-setting", "show", "S"},
       kNoPrinter, {"No Such Printer"}},
      {{"--printer", "No Such Printer", "devopts", "show"}, kNoPrinter, {"No Such Printer"}},
      {{"--printer", "No Such Printer", "watermark", "preview", "W", "--png", "w.png"},
       kNoPrinter, {"No Such Printer"}},
      // Unknown names.
      {{"watermark", "show", "Nope"}, kUnknownName, {"no watermark \"Nope\""}},
      {{"watermark", "edit", "Nope", "fontSize=100"},
       kUnknownName, {"Nope"}, {"watermark", "Nope"}},
      {{"colour-set", "delete", "Nope"}, kUnknownName, {"no colour-set \"Nope\""}},
      {{"profile", "show", "Nope", "--kind", "rgb-source"},
       kUnknownName, {"no profile \"Nope\" of kind \"rgb-source\""}},
      {{"custom-setting", "edit", "Nope", "rotation=90"}, kUnknownName, {"Nope"}},
      {{"custom-setting", "preview", "Nope", "--png", "p.png"}, kUnknownName, {"Nope"}},
      // Values out of range: the field and the values it takes.
      {{"watermark", "add", "W", "fontSize=400"},
       kOutOfRange, {"fontSize: 400", "4 to 350"}, {"watermark", "W"}},
      {{"watermark", "add", "W", "offsetY=-500"},
       kOutOfRange, {"offsetY", "-396 to 396"}, {"watermark", "W"}},
      {{"watermark", "add", "W", "colourFlag=1", "shadeOrColour=50"},
       kOutOfRange, {"shadeOrColour: 50"}, {"watermark", "W"}},
      {{"watermark", "add", "W", "text="}, kOutOfRange, {"text"}, {"watermark", "W"}},
      {{"watermark", "add", "W", "fontIndex=-7"},
       kOutOfRange, {"fontIndex: -7"}, {"watermark", "W"}},
      {{"watermark", "add", longName}, kOutOfRange, {"name", "1 to 31"}},
      {{"colour-set", "add", "C", "graphicsIntent=9"},
       kOutOfRange, {"graphicsIntent: 9", "0 to 4"}, {"colour-set", "C"}},
      {{"colour-set", "add", "C", "colorMode=300"},
       kOutOfRange, {"colorMode", "300"}, {"colour-set", "C"}},
      {{"custom-setting", "add", "S", "rotation=45"},
       kOutOfRange, {"rotation: 45", "0, 90, 180, 270"}, {"custom-setting", "S"}},
      {{"custom-setting", "add", "S", "overlays[4].period=0"},
       kOutOfRange, {"overlays[4].period: 0", "1 to 99"}, {"custom-setting", "S"}},
      {{"custom-setting", "add", "S", "jobName=" + std::string(300, 'j')},
       kOutOfRange, {"jobName", "too long"}, {"custom-setting", "S"}},
      {{"profile", "add", "P", "--kind", "rgb-source", "fileName=LONGERNAME.ICC"},
       kOutOfRange, {"fileName", "LONGERNAME.ICC"}, {"profile", "P", "--kind", "rgb-source"}},
      {{"profile", "add", "P", "--kind", "rgb-source", "fileName=A.B.C"},
       kOutOfRange, {"fileName"}, {"profile", "P", "--kind", "rgb-source"}},
      {{"devopts", "set", "installedOptions[1]=2"},
       kOutOfRange, {"installedOptions[1]: 2", "0 to 1"}},
      {{"devopts", "set", "installedOptions[3]=1"},
       kOutOfRange, {"installedOptions[3]", "installedOptions[2]=1"}},
      {{"devopts", "set", "snmpCommunity=" + std::string(40, 'c')},
       kOutOfRange, {"snmpCommunity", "too long"}},
      // Names a predefined entry owns.
      {{"watermark", "delete", PredefinedWatermark(1)},
       kPredefined, {PredefinedWatermark(1), "predefined"}},
      {{"watermark", "add", PredefinedWatermark(2)}, kPredefined, {"predefined"}},
      {{"watermark", "edit", PredefinedWatermark(5), "fontSize=100"}, kPredefined, {"predefined"}},
      {{"colour-set", "delete", colourSet}, kPredefined, {colourSet}},
      {{"colour-set", "add", colourSet, "graphicsIntent=1"}, kPredefined, {colourSet}},
      {{"custom-setting", "add", none}, kPredefined, {none}},
      // The preview of "none", which prints no watermark.
      {{"watermark", "preview", none, "--png", "none.png"}, kPreviewFailed, {none}},
  };
}

TEST_F(SettingsToolTest, EachBadInputClassIsRefusedWithItsCodeAndChangesNothing) {
  for (const BadInput& bad : BadInputs()) {
    std::string command;
    for (const std::string& arg : bad.args) command += arg.substr(0, 40) + " ";
    SCOPED_TRACE(command);
    const ToolRun run = Tool(bad.args);
    EXPECT_EQ(run.status, bad.status) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
    for (const std::string& part : bad.messageParts) {
      EXPECT_NE(run.err.find(part), std::string::npos) << "missing " << part << " in " << run.err;
    }
    if (!bad.absentAfter.empty()) {
      std::vector<std::string> show = {bad.absentAfter[0], "show", bad.absentAfter[1]};
      show.insert(show.end(), bad.absentAfter.begin() + 2, bad.absentAfter.end());
      EXPECT_EQ(Tool(show).status, kUnknownName);
    }
  }
}

TEST_F(SettingsToolTest, AddOfAStoredNameKeepsTheStoredEntry) {
  const struct {
    std::vector<std::string> first;
    std::vector<std::string> again;
    std::vector<std::string> show;
    std::string kept;
  } cases[] = {
      {{"watermark", "add", "W", "fontSize=50"}, {"watermark", "add", "W", "fontSize=60"},
       {"watermark", "show", "W"}, "\nfontSize=50\n"},
      {{"profile", "add", "P", "--kind", "rgb-source", "fileName=A.ICC"},
       {"profile", "add", "P", "--kind", "rgb-source", "fileName=B.ICC"},
       {"profile", "show", "P", "--kind", "rgb-source"}, "\nfileName=A.ICC\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first[0]);
    ASSERT_EQ(Tool(c.first).status, 0);
    const ToolRun again = Tool(c.again);
    EXPECT_EQ(again.status, kExists);
    EXPECT_NE(again.err.find("use edit"), std::string::npos) << again.err;
    EXPECT_NE(Tool(c.show).out.find(c.kept), std::string::npos);
  }
}

TEST_F(SettingsToolTest, PrinterComesFromTheOptionElseFromTheEnvironment) {
  const struct {
    const char* environment;  // PRINTER; null: unset
    std::vector<std::string> args;
    int status;
  } cases[] = {
      {nullptr, {"watermark", "list"}, kUsage},
      {"", {"watermark", "list"}, kUsage},
      {kPrinter, {"watermark", "list"}, 0},
      {"Elsewhere", {"watermark", "list"}, kNoPrinter},
      {"Elsewhere", {"--printer", kPrinter, "watermark", "list"}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.environment ? c.environment : "(unset)");
    if (c.environment != nullptr) {
      setenv("PRINTER", c.environment, 1);
    } else {
      unsetenv("PRINTER");
    }
    EXPECT_EQ(RunRaw(c.args).status, c.status);
  }
  unsetenv("PRINTER");
}

TEST_F(SettingsToolTest, HelpNamesEveryExitCode) {
  const ToolRun run = RunRaw({"--help"});
  ASSERT_EQ(run.status, 0);
  for (const int code : {kUsage, kNoPrinter, kUnknownName, kOutOfRange, kPredefined, kExists,
                         kPreviewFailed}) {
    EXPECT_NE(run.out.find("\n  " + std::to_string(code) + "  "), std::string::npos) << code;
  }
}

}  // namespace
}  // namespace kx::settings_tool
