// Watermark previews drawn by Ghostscript, read back and looked at: the page has the
// paper's proportions and the watermark's ink in its colour; bad requests are refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "platform/environment.h"
#include "preview_png.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/temp_store.h"
#include "watermark_preview.h"

namespace kx::preview {
namespace {

namespace fs = std::filesystem;

using png::Picture;
using png::Rgb;

// The editor's colour codes (colourFlag set) and the sample PPD's default paper (A4).
constexpr int32_t kBlue = 1;
constexpr int32_t kRed = 3;
constexpr double kA4Proportion = 595.0 / 842.0;

class PreviewRenderTest : public ::testing::Test {
 protected:
  // A job's record with a watermark as the library stores a new one, on the sample printer.
  static settings::PrivateRecord StoredStyleRecord(const std::u16string& text) {
    settings::PrivateRecord record{};
    settings::SetRecordDefaults(&record, nullptr);
    settings::StoreText(record.ppdFileName, fs::path(KX48T7_SAMPLE_PPD).u16string());
    settings::SetWatermarkNewDefault(&record.watermark);
    settings::StoreText(record.watermark.name, text);
    settings::StoreText(record.watermark.text, text);
    return record;
  }

  test::TempStore store_;
  fs::path dir_ = store_.directory();
};

TEST_F(PreviewRenderTest, DrawsTheWatermarkInItsColourOnThePaper) {
  struct Case {
    const char* name;
    uint32_t colourFlag;
    int32_t shadeOrColour;
    uint32_t outlineOnly;
    uint32_t background;
    Rgb ink;
    int tolerance;
  };
  const Case cases[] = {
      {"red fill over the page", 1, kRed, 0, 0, {255, 0, 0}, 0},
      {"blue outline under the page", 1, kBlue, 1, 1, {0, 0, 255}, 0},
      {"half shade of black", 0, 50, 0, 0, {128, 128, 128}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    settings::PrivateRecord record = StoredStyleRecord(u"CONFIDENTIAL");
    record.watermark.colourFlag = c.colourFlag;
    record.watermark.shadeOrColour = c.shadeOrColour;
    record.watermark.outlineOnly = c.outlineOnly;
    record.watermark.background = c.background;
    const fs::path png = dir_ / "preview.png";
    std::string error;
    ASSERT_TRUE(RenderWatermarkPreview(record, png.string(), &error)) << error;
    Picture picture;
    ASSERT_TRUE(png::ReadPng(png.string(), &picture));
    EXPECT_NEAR(static_cast<double>(picture.width) / picture.height, kA4Proportion, 0.005);
    EXPECT_FALSE(picture.AllWhite());
    EXPECT_TRUE(picture.Has(c.ink, c.tolerance));
  }
}

// Central-European systems re-encode the watermark font with the host's encoding vector,
// which the printer side must provide for the preview as for the job.
TEST_F(PreviewRenderTest, DrawsCentralEuropeanText) {
  const test::ScopedEnvironment ansi("KX48T7_ACP", "1250");
  const test::ScopedEnvironment oem("KX48T7_OEMCP", "852");
  settings::PrivateRecord record = StoredStyleRecord(u"D\u016Fv\u011Brn\u00E9");
  record.watermark.colourFlag = 1;
  record.watermark.shadeOrColour = kRed;
  const fs::path png = dir_ / "czech.png";
  std::string error;
  ASSERT_TRUE(RenderWatermarkPreview(record, png.string(), &error)) << error;
  Picture picture;
  ASSERT_TRUE(png::ReadPng(png.string(), &picture));
  EXPECT_TRUE(picture.Has({255, 0, 0}, 0));
}

TEST_F(PreviewRenderTest, RefusesWhatItCannotDraw) {
  const fs::path emptyFolder = dir_ / "no-programs";
  fs::create_directory(emptyFolder);
  struct Case {
    const char* name;
    bool watermarkEnabled;
    fs::path png;
    const char* searchPath;  // PATH for Ghostscript; null: unchanged
    const char* errorMentions;
  };
  const std::string noFolder = (dir_ / "missing-folder" / "preview.png").string();
  const Case cases[] = {
      {"no watermark", false, dir_ / "off.png", nullptr, "watermark"},
      {"folder missing", true, noFolder, nullptr, noFolder.c_str()},
      {"a folder, not a file", true, dir_, nullptr, dir_.c_str()},
      {"Ghostscript missing", true, dir_ / "no-gs.png", emptyFolder.c_str(), "Ghostscript"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<test::ScopedEnvironment> path;
    if (c.searchPath != nullptr) path.emplace("PATH", c.searchPath);
    settings::PrivateRecord record = StoredStyleRecord(u"CONFIDENTIAL");
    record.watermark.enabled = c.watermarkEnabled ? 1 : 0;
    std::string error;
    EXPECT_FALSE(RenderWatermarkPreview(record, c.png.string(), &error));
    EXPECT_NE(error.find(c.errorMentions), std::string::npos) << error;
    if (!fs::is_directory(c.png)) {
      EXPECT_FALSE(fs::exists(c.png));
    }
  }
}

}  // namespace
}  // namespace kx::preview
