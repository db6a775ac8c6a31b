// Export and import: a whole group goes out to a file and comes back byte for byte as
// the UI plug-in reads it; a file import cannot take is refused before anything is
// written.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>

#include "colour/colour_sets.h"
#include "colour/profile_store.h"
#include "joboptions/custom_settings_store.h"
#include "json.h"
#include "settings_tool_run.h"
#include "user_store.h"
#include "watermarks/watermark_store.h"

namespace kx::settings_tool {
namespace {

using Bytes = std::vector<uint8_t>;

template <typename T>
Bytes BytesOf(const T& value) {
  const auto* begin = reinterpret_cast<const uint8_t*>(&value);
  return Bytes(begin, begin + sizeof value);
}

std::u16string Wide(const std::string& text) { return platform::Utf8ToUtf16(text); }

// The stored value as the UI plug-in reads it; empty when it reads none.
using StoredBytes = std::function<Bytes(const std::u16string& printer, const std::string& name)>;

struct RoundTripCase {
  const char* group;
  std::vector<std::string> scope;
  std::vector<std::vector<std::string>> adds;  // NAME FIELD=VALUE...
  StoredBytes stored;
};

const RoundTripCase kRoundTrips[] = {
    {"watermark", {},
     {{"Draft", "text=Draft \"copy\"\\1", "fontSize=200", "angle=90", "background=0"},
      {"기밀 문서", "text=기밀", "colourFlag=1", "shadeOrColour=4", "offsetY=-396", "firstPageOnly=1",
       "fontName=Times-Roman"}},
     [](const std::u16string& printer, const std::string& name) {
       settings::WatermarkRecord record{};
       const bool read = ui::PrinterRecordStore(printer, ui::kWatermarkStore, sizeof record, 31)
                             .Read(Wide(name), &record);
       return read ? BytesOf(record) : Bytes{};
     }},
    {"colour-set", {},
     {{"Proof", "graphicsIntent=3", "useColorIntents=1", "rgbSourceName=sRGB 표준"},
      {"Gray", "graphicsProcessGray=1", "imageProcessGray=1"}},
     [](const std::u16string& printer, const std::string& name) {
       settings::PrivateRecord record{};
       if (!ui::LoadColourSet(Wide(name), printer, &record)) return Bytes{};
       const auto* block = reinterpret_cast<const uint8_t*>(&record) + ui::kColourBlockOffset;
       return Bytes(block, block + ui::kColourBlockSize);
     }},
    {"profile", {},
     {{"Coated", "--kind", "simulation", "fileName=coated.icc"},
      {"Coated", "--kind", "destination", "fileName=dest.icm"},
      {"모니터", "--kind", "rgb-source", "fileName=mon.icc"}},
     [](const std::u16string& printer, const std::string& name) {
       Bytes all;
       for (const ui::ProfileKind kind : {ui::ProfileKind::kRgbSource, ui::ProfileKind::kSimulation,
                                          ui::ProfileKind::kDestination}) {
         ui::ProfileRecord record{};
         if (ui::ReadProfile(kind, printer, Wide(name), &record)) {
           const Bytes bytes = BytesOf(record);
           all.insert(all.end(), bytes.begin(), bytes.end());
         }
       }
       return all;
     }},
    {"custom-setting", {},
     {{"Booklet", "booklet=1", "nupCode=2", "watermark.text=초안", "watermark.enabled=1",
       "emailAddress=kim@example.kr", "overlays[0].fileName=FORM.OVL", "jobTimeout=300"},
      {"Plain", "headerPage=1"}},
     [](const std::u16string& printer, const std::string& name) {
       settings::PrivateRecord record{};
       return ui::LoadCustomSetting(Wide(name), printer, &record) ? BytesOf(record) : Bytes{};
     }},
};

std::vector<std::string> DeleteArgs(const RoundTripCase& c, const std::vector<std::string>& add) {
  std::vector<std::string> args = {c.group, "delete", add[0]};
  for (size_t i = 1; i + 1 < add.size(); ++i) {
    if (add[i] == "--kind") args.insert(args.end(), {"--kind", add[i + 1]});
  }
  return args;
}

TEST_F(SettingsToolTest, ExportedGroupImportsBackByteForByte) {
  for (const RoundTripCase& c : kRoundTrips) {
    SCOPED_TRACE(c.group);
    std::vector<Bytes> before;
    for (const auto& add : c.adds) {
      std::vector<std::string> args = {c.group, "add"};
      args.insert(args.end(), add.begin(), add.end());
      const ToolRun run = Tool(args);
      ASSERT_EQ(run.status, 0) << run.err;
    }
    for (const auto& add : c.adds) {
      before.push_back(c.stored(printer(), add[0]));
      ASSERT_FALSE(before.back().empty());
    }
    const std::string file = Path(std::string(c.group) + ".json").string();
    ToolRun run = Tool({c.group, "export", "--file", file});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const auto& add : c.adds) {
      if (!c.stored(printer(), add[0]).empty()) {
        ASSERT_EQ(Tool(DeleteArgs(c, add)).status, 0);
      }
    }
    ASSERT_TRUE(c.stored(printer(), c.adds[0][0]).empty());

    run = Tool({c.group, "import", "--file", file});
    ASSERT_EQ(run.status, 0) << run.err;
    for (size_t i = 0; i < c.adds.size(); ++i) {
      EXPECT_EQ(c.stored(printer(), c.adds[i][0]), before[i]) << c.adds[i][0];
    }
  }
}

TEST_F(SettingsToolTest, ExportOfOneNameHoldsThatEntryOnly) {
  ASSERT_EQ(Tool({"watermark", "add", "One", "text=1"}).status, 0);
  ASSERT_EQ(Tool({"watermark", "add", "Two", "text=2"}).status, 0);
  const std::string file = Path("one.json").string();
  ASSERT_EQ(Tool({"watermark", "export", "One", "--file", file}).status, 0);
  Json document;
  std::string error;
  ASSERT_TRUE(ParseJson(test::ReadTextFile(file), &document, &error)) << error;
  ASSERT_EQ(document.Find("entries")->items().size(), 1u);
  EXPECT_EQ(document.Find("entries")->items()[0].Find("name")->text(), "One");
  EXPECT_EQ(document.Find("group")->text(), "watermark");
}

// A file that import refuses, as text; "{good}" stands for a valid watermark entry and
// "{group}" for the group's line.
struct RefusedFile {
  const char* what;
  std::string text;
  int status;
  std::string message;
};

TEST_F(SettingsToolTest, ImportRefusesABadFileWithoutWritingAnything) {
  const std::string head = R"({"format": "kx48t7-settings", "version": 1, "group": "watermark", "entries": [)";
  const std::string good = R"({"name": "Good", "fields": {"text": "ok", "fontSize": 100}})";
  const RefusedFile files[] = {
      {"not JSON", head + good + ",", 2, "JSON error"},
      {"another group", R"({"format": "kx48t7-settings", "version": 1, "group": "colour-set", "entries": []})", 2,
       "no watermark entries"},
      {"another format", R"({"format": "other", "version": 1, "group": "watermark", "entries": []})", 2, "format"},
      {"a name twice", head + good + "," + good + "]}", 2, "twice"},
      {"a field that is no text or number", head + good + R"(, {"name": "B", "fields": {"angle": [1]}}]})", 2,
       "angle"},
      {"an unknown field", head + good + R"(, {"name": "B", "fields": {"tilt": 3}}]})", 2, "tilt"},
      {"a value out of range after a good entry",
       head + good + R"(, {"name": "B", "fields": {"text": "b", "angle": 400}}]})", 5, "0 to 360"},
      {"a predefined name", head + good + R"(, {"name": "대외비", "fields": {"text": "x"}}]})", 6, "대외비"},
  };
  for (const RefusedFile& file : files) {
    SCOPED_TRACE(file.what);
    const std::string path = Path("import.json").string();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << file.text;
    const ToolRun run = Tool({"watermark", "import", "--file", path});
    EXPECT_EQ(run.status, file.status) << run.err;
    EXPECT_NE(run.err.find(file.message), std::string::npos) << run.err;
    EXPECT_EQ(Tool({"watermark", "show", "Good"}).status, 4) << "the good entry was written";
  }
}

}  // namespace
}  // namespace kx::settings_tool
