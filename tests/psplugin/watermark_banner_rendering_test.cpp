// Watermarks and banner pages as Ghostscript prints them: jobs rendered through the
// plug-in are rasterised to 8-bit gray pages (PGM) and compared pixel by pixel.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "hostsim/document_copier.h"
#include "platform/environment.h"
#include "settings/record_text.h"
#include "support/ghostscript.h"
#include "support/loaded_plugin.h"

namespace kx::ps {
namespace {

using hostsim::DeviceModeSettings;
using settings::PrivateRecord;
using settings::StoreText;

constexpr int kDpi = 36;
constexpr uint8_t kWhite = 255;

using Page = test::GrayPage;

// A rectangle in points from the page's lower left corner.
struct Area {
  double left, bottom, right, top;
  bool Holds(const Page& page, int column, int row) const {
    const double x = (column + 0.5) * 72.0 / kDpi;
    const double y = (page.height - row - 0.5) * 72.0 / kDpi;
    return x >= left && x <= right && y >= bottom && y <= top;
  }
};

// A small DSC document: `pages` pages, each running `body` before its showpage.
std::string Document(int pages, const std::string& body) {
  std::string text =
      "%!PS-Adobe-3.0\n%%Pages: " + std::to_string(pages) + "\n%%EndComments\n"
      "%%BeginProlog\n%%EndProlog\n%%BeginSetup\n%%EndSetup\n";
  for (int page = 1; page <= pages; ++page) {
    const std::string number = std::to_string(page);
    text += "%%Page: " + number + " " + number + "\n" + body + "showpage\n";
  }
  return text + "%%Trailer\n%%EOF\n";
}

std::string BlankDocument(int pages) { return Document(pages, ""); }

// Every page paints an opaque white box over its middle (10 % margins).
std::string WhiteBoxDocument(int pages) {
  return Document(pages,
                  "gsave currentpagedevice /PageSize get aload pop /BoxH exch def /BoxW exch def\n"
                  "1 setgray BoxW 0.1 mul BoxH 0.1 mul BoxW 0.8 mul BoxH 0.8 mul rectfill grestore\n");
}

using Adjust = std::function<void(PrivateRecord&)>;

// A gray watermark "XXXX" in Courier 72 pt at gray .50, not turned, centred.
void GrayWatermark(PrivateRecord& r) {
  r.watermark.enabled = 1;
  StoreText(r.watermark.text, u"XXXX");
  r.watermark.angle = 0;
}

class RenderingTest : public test::LoadedPluginTest {
 protected:
  std::string Job(const std::string& document, const Adjust& adjust,
                  const DeviceModeSettings& mode = {}) {
    auto& device = Device(mode);
    if (adjust) adjust(device.record());
    device.StartDoc(u"Rendering check");
    std::string error;
    EXPECT_TRUE(hostsim::CopyDocument(device, document, &error)) << error;
    return device.spool().bytes;
  }

  // The job's pages as Ghostscript prints them; the job must run without an error.
  std::vector<Page> Render(const std::string& job) {
    test::GhostscriptRun run;
    std::vector<Page> pages = test::RenderGrayPages(job, kDpi, &run);
    EXPECT_EQ(run.status, 0) << run.output;
    return pages;
  }
  std::vector<Page> Render(const std::string& document, const Adjust& adjust,
                           const DeviceModeSettings& mode = {}) {
    return Render(Job(document, adjust, mode));
  }
};

// Where the centred "XXXX" must fall: half its width (86.4 pt) and about its height around
// the page's centre, with a margin.
Area TextArea(const Page& page) {
  const double cx = page.width * 36.0 / kDpi;
  const double cy = page.height * 36.0 / kDpi;
  return {cx - 96, cy - 50, cx + 96, cy + 50};
}

struct Difference {
  int changed = 0;        // pixels that differ
  int outside = 0;        // of those, outside the area
  int notGray = 0;        // of those, not the watermark's gray in the marked page
};

Difference Compare(const Page& plain, const Page& marked, const Area& area) {
  Difference difference;
  for (int row = 0; row < plain.height; ++row) {
    for (int column = 0; column < plain.width; ++column) {
      if (plain.At(column, row) == marked.At(column, row)) continue;
      ++difference.changed;
      if (!area.Holds(plain, column, row)) ++difference.outside;
      const uint8_t value = marked.At(column, row);
      if (value < 110 || value > 145) ++difference.notGray;
    }
  }
  return difference;
}

TEST_F(RenderingTest, GrayWatermarkMarksOnlyWhereItsTextIs) {
  const struct {
    const char* name;
    std::string document;
  } documents[] = {{"blank page", BlankDocument(1)}, {"sample page", hostsim::SampleDocument(1)}};
  for (const auto& d : documents) {
    SCOPED_TRACE(d.name);
    const std::vector<Page> plain = Render(d.document, nullptr);
    const std::vector<Page> marked = Render(d.document, GrayWatermark);
    ASSERT_EQ(plain.size(), 1u);
    ASSERT_EQ(marked.size(), 1u);
    const Difference difference = Compare(plain[0], marked[0], TextArea(plain[0]));
    EXPECT_GT(difference.changed, 150);
    EXPECT_EQ(difference.outside, 0);
    EXPECT_EQ(difference.notGray, 0);
  }
}

TEST_F(RenderingTest, BackgroundLiesUnderThePageForegroundOverIt) {
  const std::string document = WhiteBoxDocument(1);
  const std::vector<Page> plain = Render(document, nullptr);
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_TRUE(plain[0].Blank());
  const std::vector<Page> under = Render(document, GrayWatermark);
  ASSERT_EQ(under.size(), 1u);
  EXPECT_EQ(under[0].pixels, plain[0].pixels);
  const std::vector<Page> over = Render(document, [](PrivateRecord& r) {
    GrayWatermark(r);
    r.watermark.background = 0;
  });
  ASSERT_EQ(over.size(), 1u);
  const Difference difference = Compare(plain[0], over[0], TextArea(plain[0]));
  EXPECT_GT(difference.changed, 150);
  EXPECT_EQ(difference.outside, 0);
  EXPECT_EQ(difference.notGray, 0);
}

TEST_F(RenderingTest, OutlineLeavesTheInsideOfLettersWhite) {
  auto bigBlack = [](uint32_t outline) {
    return [=](PrivateRecord& r) {
      r.watermark.enabled = 1;
      StoreText(r.watermark.text, u"IHI");
      StoreText(r.watermark.fontName, u"Helvetica-Bold");
      r.watermark.fontSize = 200;
      r.watermark.shadeOrColour = 100;
      r.watermark.angle = 0;
      r.watermark.outlineOnly = outline;
    };
  };
  const std::vector<Page> filled = Render(BlankDocument(1), bigBlack(0));
  const std::vector<Page> outlined = Render(BlankDocument(1), bigBlack(1));
  ASSERT_EQ(filled.size(), 1u);
  ASSERT_EQ(outlined.size(), 1u);
  const Page& fill = filled[0];
  // Pixels deep inside the filled letters: black with black all around (5 x 5).
  int inside = 0;
  int insideWhenOutlined = 0;
  int outlineInk = 0;
  for (int row = 2; row < fill.height - 2; ++row) {
    for (int column = 2; column < fill.width - 2; ++column) {
      if (outlined[0].At(column, row) != kWhite) ++outlineInk;
      bool deep = true;
      for (int dy = -2; dy <= 2 && deep; ++dy) {
        for (int dx = -2; dx <= 2 && deep; ++dx) deep = fill.At(column + dx, row + dy) == 0;
      }
      if (!deep) continue;
      ++inside;
      if (outlined[0].At(column, row) == kWhite) ++insideWhenOutlined;
    }
  }
  EXPECT_GT(inside, 100);
  EXPECT_GT(outlineInk, 100);
  EXPECT_EQ(insideWhenOutlined, inside);
}

TEST_F(RenderingTest, FirstPageOnly) {
  for (const uint32_t background : {1u, 0u}) {
    SCOPED_TRACE(background);
    const std::vector<Page> pages = Render(BlankDocument(3), [=](PrivateRecord& r) {
      GrayWatermark(r);
      r.watermark.background = background;
      r.watermark.firstPageOnly = 1;
    });
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_FALSE(pages[0].Blank());
    EXPECT_TRUE(pages[1].Blank());
    EXPECT_TRUE(pages[2].Blank());
  }
}

// The Central-European variant re-encodes the font with the host's _CEEnc vector.
TEST_F(RenderingTest, CentralEuropeanWatermarkIsDrawn) {
  test::ScopedEnvironment acp("KX48T7_ACP", "1250");
  test::ScopedEnvironment oemcp("KX48T7_OEMCP", "852");
  const std::string job = Job(BlankDocument(1), [](PrivateRecord& r) {
    GrayWatermark(r);
    StoreText(r.watermark.text, u"\u0158\u017D\u010C");
  });
  ASSERT_NE(job.find("/Watermark <D88EC8>"), std::string::npos);
  const std::vector<Page> pages = Render(job);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_FALSE(pages[0].Blank());
}

// A banner page shows its labels in the column left of the values (0.75 to 2.5 inches
// across the banner layout, around its owner and accounting lines).
bool ShowsLabels(const Page& page) {
  const Area column{0.85 * 72, 2.5 * 72, 2.3 * 72, 6.0 * 72};
  int ink = 0;
  for (int row = 0; row < page.height; ++row) {
    for (int x = 0; x < page.width; ++x) {
      if (page.At(x, row) != kWhite && column.Holds(page, x, row)) ++ink;
    }
  }
  return ink > 10;
}

TEST_F(RenderingTest, BannerPagesAroundTheDocument) {
  struct Case {
    const char* name;
    int documentPages;
    uint32_t header;
    uint32_t trailer;
    host::SHORT duplex;
    const char* layout;  // per printed page: B banner, D document, - blank
  };
  const Case cases[] = {
      {"header, simplex", 2, 1, 0, 1, "BDD"},
      {"header, duplex", 2, 1, 0, 2, "B-DD"},
      {"trailer, simplex", 2, 0, 1, 1, "DDB"},
      {"trailer, duplex, even sheets", 2, 0, 1, 2, "DDB"},
      {"trailer, duplex, odd sheets", 3, 0, 1, 3, "DDD-B"},
      {"both, simplex", 1, 1, 1, 1, "BDB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DeviceModeSettings mode{1, 2100, 2970, 1, 15, c.duplex, 256};
    const std::string document = hostsim::SampleDocument(c.documentPages);
    const std::vector<Page> plain = Render(document, nullptr, mode);
    ASSERT_EQ(plain.size(), static_cast<size_t>(c.documentPages));
    for (const Page& page : plain) EXPECT_FALSE(ShowsLabels(page));
    const std::vector<Page> pages = Render(document, [&](PrivateRecord& r) {
      r.headerPage = c.header;
      r.trailerPage = c.trailer;
      StoreText(r.devOpts.userName, u"ab");
      std::strcpy(r.devOpts.userNameAnsi, "ab");
      std::strcpy(r.devOpts.hostNameAnsi, "host");
      std::strcpy(r.devOpts.chargeNumberAnsi, "42");
    }, mode);
    const std::string layout = c.layout;
    ASSERT_EQ(pages.size(), layout.size());
    size_t documentPage = 0;
    for (size_t i = 0; i < layout.size(); ++i) {
      SCOPED_TRACE(i);
      switch (layout[i]) {
        case 'B': EXPECT_TRUE(ShowsLabels(pages[i])); break;
        case '-': EXPECT_TRUE(pages[i].Blank()); break;
        default: EXPECT_EQ(pages[i].pixels, plain[documentPage++].pixels); break;
      }
    }
  }
}

// Every kind of watermark and banner text runs without a PostScript error.
TEST_F(RenderingTest, EveryVariantRuns) {
  struct Variant {
    std::string name;
    std::function<void(settings::WatermarkRecord&, PrivateRecord&)> change;
    DeviceModeSettings mode = {};
    const char* acp = nullptr;
  };
  using W = settings::WatermarkRecord&;
  using R = PrivateRecord&;
  auto banners = [](R r) {
    r.headerPage = r.trailerPage = 1;
    StoreText(r.devOpts.userName, u"\u0158(a)\\");
    std::strcpy(r.devOpts.userNameAnsi, "?(a)\\");
    std::strcpy(r.devOpts.hostNameAnsi, "<host>");
    std::strcpy(r.devOpts.chargeNumberAnsi, "%1)");
  };
  std::vector<Variant> variants = {
      {"under", [](W, R) {}},
      {"over, outline", [](W w, R) { w.background = 0; w.outlineOnly = 1; }},
      {"empty text", [](W w, R) { StoreText(w.text, u""); }},
      {"font name with delimiters", [](W w, R) { StoreText(w.fontName, u"Times (x) /y"); }},
      {"colour, offsets", [](W w, R) { w.colourFlag = 1; w.shadeOrColour = 3; w.offsetX = -306; w.offsetY = 396; }},
      {"landscape", [](W, R) {}, {2, 2100, 2970, 1, 15, 1, 256}},
      {"Central European", [](W w, R) { StoreText(w.text, u"\u0158\u00E1d"); }, {}, "1250"},
      {"banners and watermark, duplex, 2 copies",
       [&](W, R r) {
         banners(r);
         r.watermarkCodePage = 1250;
       },
       {1, 2100, 2970, 2, 15, 2, 256}},
      {"banners only, empty fields", [](W w, R r) { w.enabled = 0; r.headerPage = r.trailerPage = 1; }},
  };
  for (const uint32_t background : {0u, 1u}) {
    for (const uint32_t firstPageOnly : {0u, 1u}) {
      const std::string flags = std::to_string(background) + std::to_string(firstPageOnly);
      auto flagged = [=](W w) {
        w.background = background;
        w.firstPageOnly = firstPageOnly;
      };
      variants.push_back({"booklet " + flags, [=](W w, R r) { flagged(w); r.booklet = 1; },
                          {1, 2100, 2970, 1, 15, 3, 256}});
      variants.push_back({"2-up, rotated " + flags, [=](W w, R r) { flagged(w); r.nupCode = 1; r.rotation = 90; }});
    }
  }
  for (const Variant& variant : variants) {
    SCOPED_TRACE(variant.name);
    test::ScopedEnvironment acp("KX48T7_ACP", variant.acp);
    const std::string job = Job(hostsim::SampleDocument(3), [&](R r) {
      r.watermark.enabled = 1;
      StoreText(r.watermark.text, u"Draft (copy) \\ <x> %");
      variant.change(r.watermark, r);
    }, variant.mode);
    const test::GhostscriptRun run = test::RunGhostscript(job);
    EXPECT_EQ(run.status, 0) << run.output;
  }
}

}  // namespace
}  // namespace kx::ps
