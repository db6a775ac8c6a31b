// Every store verb of every group, run as a process: what the tool writes is what the UI
// plug-in's store functions read back, and what they read is what the tool shows.
#include <gtest/gtest.h>

#include <functional>

#include "colour/colour_sets.h"
#include "colour/profile_store.h"
#include "joboptions/custom_settings_store.h"
#include "json.h"
#include "settings/record_text.h"
#include "settings_tool_run.h"
#include "watermarks/watermark_store.h"

namespace kx::settings_tool {
namespace {

using ReadBack = std::function<std::string(const std::u16string& printer, const std::string& name)>;

// One group's walk through its verbs: what add and edit set, and the UI plug-in's reading
// of the field they changed.
struct StoreCase {
  const char* group;
  std::vector<std::string> scope;  // options the group's verbs need (the profile kind)
  std::string name;
  std::vector<std::string> add;
  std::string shownAfterAdd;  // a line of `show`
  std::vector<std::string> edit;
  std::string shownAfterEdit;
  ReadBack readBack;          // the changed field as the UI plug-in reads it
  std::string readAfterAdd;
  std::string readAfterEdit;
};

std::u16string Wide(const std::string& text) { return platform::Utf8ToUtf16(text); }

const StoreCase kCases[] = {
    {.group = "watermark", .scope = {}, .name = "사내 Draft",
     .add = {"text=초안 DRAFT", "fontSize=120", "angle=30"}, .shownAfterAdd = "\nfontSize=120\n",
     .edit = {"colourFlag=1", "shadeOrColour=3", "offsetX=-306"}, .shownAfterEdit = "\noffsetX=-306\n",
     .readBack = [](const std::u16string& printer, const std::string& name) {
       const settings::WatermarkRecord w = ui::LoadWatermark(Wide(name), printer);
       return platform::Utf16ToUtf8(settings::FieldText(w.text)) + "/" + std::to_string(w.fontSize) +
              "/" + std::to_string(w.colourFlag) + "/" + std::to_string(w.shadeOrColour);
     },
     .readAfterAdd = "초안 DRAFT/120/0/50", .readAfterEdit = "초안 DRAFT/120/1/3"},
    {.group = "colour-set", .scope = {}, .name = "Office 사무",
     .add = {"graphicsIntent=2", "imageHalftone=1"}, .shownAfterAdd = "\ngraphicsIntent=2\n",
     .edit = {"graphicsIntent=4"}, .shownAfterEdit = "\ngraphicsIntent=4\n",
     .readBack = [](const std::u16string& printer, const std::string& name) {
       settings::PrivateRecord record{};
       if (!ui::LoadColourSet(Wide(name), printer, &record)) return std::string("none");
       return std::to_string(record.graphicsIntent) + "/" + std::to_string(record.imageHalftone);
     },
     .readAfterAdd = "2/1", .readAfterEdit = "4/1"},
    {.group = "profile", .scope = {"--kind", "simulation"}, .name = "Press 인쇄",
     .add = {"fileName=swop.icc"}, .shownAfterAdd = "\nfileName=SWOP.ICC\n",
     .edit = {"fileName=coated2.icm"}, .shownAfterEdit = "\nfileName=COATED2.ICM\n",
     .readBack = [](const std::u16string& printer, const std::string& name) {
       ui::ProfileRecord record{};
       if (!ui::ReadProfile(ui::ProfileKind::kSimulation, printer, Wide(name), &record)) return std::string("none");
       return platform::Utf16ToUtf8(settings::FieldText(record.fileName));
     },
     .readAfterAdd = "SWOP.ICC", .readAfterEdit = "COATED2.ICM"},
    {.group = "custom-setting", .scope = {}, .name = "보고서 Report",
     .add = {"rotation=90", "watermark.text=기밀"}, .shownAfterAdd = "\nrotation=90\n",
     .edit = {"rotation=270", "nupCode=2"}, .shownAfterEdit = "\nnupCode=2\n",
     .readBack = [](const std::u16string& printer, const std::string& name) {
       settings::PrivateRecord record{};
       if (!ui::LoadCustomSetting(Wide(name), printer, &record)) return std::string("none");
       return std::to_string(record.rotation) + "/" + std::to_string(record.nupCode) + "/" +
              platform::Utf16ToUtf8(settings::FieldText(record.customSettingName));
     },
     .readAfterAdd = "90/0/보고서 Report", .readAfterEdit = "270/2/보고서 Report"},
};

// A line of `list` that ends with the name (after the profile kind, if any).
bool Listed(const std::string& list, const std::string& name) {
  const std::string lines = "\n" + list;
  return lines.find("\n" + name + "\n") != std::string::npos ||
         lines.find("\t" + name + "\n") != std::string::npos;
}

std::vector<std::string> Args(const StoreCase& c, const std::string& verb,
                              const std::vector<std::string>& rest = {}) {
  std::vector<std::string> args = {c.group, verb};
  args.insert(args.end(), c.scope.begin(), c.scope.end());
  args.insert(args.end(), rest.begin(), rest.end());
  return args;
}

TEST_F(SettingsToolTest, EveryVerbOfEveryGroupMeetsTheUiStore) {
  for (const StoreCase& c : kCases) {
    SCOPED_TRACE(c.group);
    std::vector<std::string> add = {c.name};
    add.insert(add.end(), c.add.begin(), c.add.end());
    ToolRun run = Tool(Args(c, "add", add));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(c.readBack(printer(), c.name), c.readAfterAdd);

    run = Tool(Args(c, "list"));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Listed(run.out, c.name)) << run.out;

    run = Tool(Args(c, "show", {c.name}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(c.shownAfterAdd), std::string::npos) << run.out;

    std::vector<std::string> edit = {c.name};
    edit.insert(edit.end(), c.edit.begin(), c.edit.end());
    run = Tool(Args(c, "edit", edit));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(c.readBack(printer(), c.name), c.readAfterEdit);
    run = Tool(Args(c, "show", {c.name}));
    EXPECT_NE(run.out.find(c.shownAfterEdit), std::string::npos) << run.out;

    run = Tool(Args(c, "delete", {c.name}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Tool(Args(c, "show", {c.name})).status, 4);
    EXPECT_FALSE(Listed(Tool(Args(c, "list")).out, c.name));
  }
}

// What the UI plug-in stores, the tool lists and shows.
TEST_F(SettingsToolTest, ShowsWhatTheDialogsStored) {
  settings::WatermarkRecord watermark = ui::NewWatermarkRecord();
  settings::StoreText(watermark.name, u"승인");
  settings::StoreText(watermark.text, u"APPROVED");
  watermark.angle = 15;
  ASSERT_EQ(ui::StoreWatermark(watermark, printer()), 0u);
  ASSERT_EQ(ui::WriteProfile(ui::ProfileKind::kDestination, printer(), u"Glossy", u"GLOSS.ICC"), 0u);

  ToolRun run = Tool({"watermark", "show", "승인"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\ntext=APPROVED\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\nangle=15\n"), std::string::npos) << run.out;

  run = Tool({"profile", "list"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "destination\tGlossy\n");
}

TEST_F(SettingsToolTest, ListsPredefinedEntriesBesideStoredOnes) {
  const std::string confidential = platform::Utf16ToUtf8(ui::ToUtf16(ui::kPredefinedWatermarks[1].text));
  const std::string firstSet = platform::Utf16ToUtf8(ui::ToUtf16(ui::kPredefinedColourSets[0].text));
  ASSERT_EQ(Tool({"watermark", "add", "Mine", "text=X"}).status, 0);
  const struct {
    const char* group;
    std::string predefined;
    std::string stored;  // empty: none stored
  } cases[] = {{"watermark", confidential, "Mine"}, {"colour-set", firstSet, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    const ToolRun run = Tool({c.group, "list"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(c.predefined + "\t(predefined)\n"), std::string::npos) << run.out;
    if (!c.stored.empty()) {
      EXPECT_NE(run.out.find("\n" + c.stored + "\n"), std::string::npos) << run.out;
    }
  }
  // A predefined watermark nobody saved reads as the library gives it: named and written
  // as its name.
  const ToolRun shown = Tool({"watermark", "show", confidential});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_NE(shown.out.find("\ntext=" + confidential + "\n"), std::string::npos) << shown.out;
}

TEST_F(SettingsToolTest, JsonOutputIsOneDocumentWithNumbersAndUtf8) {
  ASSERT_EQ(Tool({"watermark", "add", "견본", "text=見本 Sample", "fontSize=96"}).status, 0);
  const struct {
    std::vector<std::string> args;
    std::function<void(const Json&)> check;
  } cases[] = {
      {{"--json", "watermark", "show", "견본"},
       [](const Json& json) {
         ASSERT_EQ(json.type(), Json::Type::kObject);
         EXPECT_EQ(json.Find("name")->text(), "견본");
         const Json* fields = json.Find("fields");
         ASSERT_NE(fields, nullptr);
         EXPECT_EQ(fields->Find("fontSize")->type(), Json::Type::kNumber);
         EXPECT_EQ(fields->Find("fontSize")->text(), "96");
         EXPECT_EQ(fields->Find("text")->text(), "見本 Sample");
       }},
      {{"watermark", "list", "--json"},
       [](const Json& json) {
         ASSERT_EQ(json.type(), Json::Type::kArray);
         int stored = 0;
         for (const Json& item : json.items()) stored += item.Find("predefined")->boolean() ? 0 : 1;
         EXPECT_EQ(stored, 1);
       }},
      {{"--json", "watermark", "delete", "견본"},
       [](const Json& json) { EXPECT_EQ(json.Find("done")->text(), "delete"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[1] + " " + c.args[2]);
    const ToolRun run = Tool(c.args);
    ASSERT_EQ(run.status, 0) << run.err;
    Json json;
    std::string error;
    ASSERT_TRUE(ParseJson(run.out, &json, &error)) << error << "\n" << run.out;
    c.check(json);
  }
}

}  // namespace
}  // namespace kx::settings_tool
