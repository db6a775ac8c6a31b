#include <gtest/gtest.h>

#include "hostsim/document_copier.h"
#include "settings/record_text.h"
#include "support/loaded_plugin.h"

namespace kx::hostsim {
namespace {

const std::string kExit = "\x1B%-12345X";
// What the plug-in writes into these documents with the default settings and no PPD.
const std::string kGray = "<</ProcessColorModel /DeviceGray >>setpagedevice\r\n";
const std::string kSingleCopy =
    "featurebegin{\n%%BeginNonPPDFeature: NumCopies 1\n"
    "1  /languagelevel where {pop languagelevel}{1} ifelse\n"
    "2 ge { 1 dict dup /NumCopies 4 -1 roll put setpagedevice }{ userdict /#copies 3 -1 roll put } ifelse\n"
    "%%EndNonPPDFeature\n}featurecleanup\n\n";


class DocumentCopierTest : public test::LoadedPluginTest {
 protected:
  std::string Copy(const std::string& document, bool expectSuccess = true) {
    auto& device = Device();
    std::string error;
    EXPECT_EQ(CopyDocument(device, document, &error), expectSuccess) << error;
    error_ = error;
    return device.spool().bytes;
  }
  std::string error_;
};

TEST_F(DocumentCopierTest, JobIsFramedByThePjlHeaderAndTheUniversalExit) {
  const std::string document = SampleDocument(2);
  const std::string job = Copy(document);
  ASSERT_TRUE(job.starts_with(kExit + "@PJL\r\n"));
  const size_t postscript = job.find("%!PS-Adobe-3.0\n");
  ASSERT_NE(postscript, std::string::npos);
  // The document's own text comes through whole, in order, between the host's.
  std::string_view rest = std::string_view(job).substr(postscript);
  for (std::string_view line : {std::string_view("%%BeginProlog\n"), std::string_view("} bind def\n"),
                                std::string_view("%%Page: 2 2\n"), std::string_view("2 SamplePage\nshowpage\n")}) {
    const size_t at = rest.find(line);
    ASSERT_NE(at, std::string_view::npos) << line;
    rest.remove_prefix(at + line.size());
  }
  EXPECT_EQ(rest, "%%Trailer\n%%EOF\n" + kExit);
  EXPECT_EQ(device_->record().pageCounter, 2);
}

// The show-page injection goes right before the page's showpage, which is put on a line
// of its own when it ends a longer line.
TEST_F(DocumentCopierTest, MissingSectionsAreMade) {
  const std::string job = Copy(
      "%!PS-Adobe-3.0\n%%Pages: 2\n"
      "/box { 0 0 10 10 rectfill } def\n"
      "%%Page: 1 1\nbox showpage\n"
      "%%Page: 2 2\nbox\n");
  const std::string expected =
      "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n"
      "%%BeginProlog\n" + kGray + std::string(kHostProcSet) +
      "/box { 0 0 10 10 rectfill } def\n%%EndProlog\n"
      "%%BeginSetup\n" + kSingleCopy + std::string(kHostSetup) + "%%EndSetup\n"
      "%%Page: 1 1\n%%BeginPageSetup\n%%EndPageSetup\nbox \nshowpage\n"
      "%%Page: 2 2\n%%BeginPageSetup\n%%EndPageSetup\nbox\n%%EOF\n";
  EXPECT_EQ(job.substr(job.find("%!PS")), expected + kExit);
  EXPECT_EQ(device_->record().pageCounter, 2);
}

TEST_F(DocumentCopierTest, CrLfDocumentsAndTheLastLineWithoutEnd) {
  const std::string job = Copy(
      "%!PS-Adobe-3.0\r\n%%EndComments\r\n%%Page: 1 1\r\nshowpage\r\n%%EOF");
  EXPECT_NE(job.find("%%EndComments\r\n%%BeginProlog\n" + kGray + std::string(kHostProcSet) +
                     "%%EndProlog\n"),
            std::string::npos);
  EXPECT_TRUE(job.ends_with("%%EOF\n" + kExit));
}

TEST_F(DocumentCopierTest, DocumentsWithoutStructureAreRefused) {
  for (const char* document : {"", "showpage\n", "%!PS\n%%Page: 1 1\nshowpage\n",
                               "%!PS-Adobe-3.0\n/x 1 def\nshowpage\n"}) {
    SCOPED_TRACE(document);
    const std::string job = Copy(document, false);
    EXPECT_TRUE(job.empty());
    EXPECT_NE(error_.find("not a DSC document"), std::string::npos);
  }
}

}  // namespace
}  // namespace kx::hostsim
