// The preview verbs hand the job's record to the preview library and leave a PNG.
#include <gtest/gtest.h>

#include "settings_tool_run.h"

namespace kx::settings_tool {
namespace {

constexpr char kPngSignature[] = "\x89PNG\r\n\x1A\n";

TEST_F(SettingsToolTest, PreviewsWriteAPicture) {
  ASSERT_EQ(Tool({"watermark", "add", "Stamp", "text=PREVIEW 미리보기", "fontSize=90"}).status, 0);
  ASSERT_EQ(Tool({"custom-setting", "add", "Marked", "watermark.text=SET", "watermark.enabled=1"}).status, 0);
  const struct {
    const char* group;
    const char* name;
  } cases[] = {{"watermark", "Stamp"}, {"custom-setting", "Marked"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    const std::string png = Path(std::string(c.group) + ".png").string();
    const ToolRun run = Tool({c.group, "preview", c.name, "--png", png});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(test::ReadTextFile(png).starts_with(kPngSignature));
  }
}

TEST_F(SettingsToolTest, PreviewOfASettingWithoutWatermarkFails) {
  ASSERT_EQ(Tool({"custom-setting", "add", "Bare", "watermark.enabled=0"}).status, 0);
  const ToolRun run = Tool({"custom-setting", "preview", "Bare", "--png", Path("bare.png").string()});
  EXPECT_EQ(run.status, 8);
  EXPECT_NE(run.err.find("Bare"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace kx::settings_tool
