// The banner pages' text, byte for byte: the job's arguments, the labels and the fixed
// programs around them.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <string>
#include <vector>

#include "banner_blocks.h"
#include "host/oemps.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/loaded_plugin.h"

namespace kx::ps {
namespace {

// Fills an 8-bit field with `text`, up to its whole capacity (no terminating NUL when
// the text fills it), zero after it.
template <size_t N>
void FillField(char (&field)[N], std::string_view text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), std::min(N, text.size()));
}

using hostsim::DeviceModeSettings;
using settings::StoreText;

using namespace host;

constexpr char kOneCopy[] = "<< /NumCopies 1 >> setpagedevice\n";
// The seven labels in code page 949, as the array holds them on a 949 system.
constexpr char kLabelArray[] =
    " /HTarray\r\n\t  [ <C0DBBEF7> <BFEBB5B53A> <C3E6C0FC20C8B8BCF6> <C8A3BDBAC6AE> "
    "<C0CEBCE2B5C820BFEBC1F63A> <C0DBBEF720BDC3C0DB> <C0DBBEF720C1BEB7E1> ] def\r\n"
    "  /RetrieveOps\r\n";

uint64_t Fnv1a(std::string_view text) {
  uint64_t hash = 0xCBF29CE484222325u;
  for (const char c : text) {
    hash ^= static_cast<uint8_t>(c);
    hash *= 0x100000001B3u;
  }
  return hash;
}

class BannerTest : public test::LoadedPluginTest {
 protected:
  void SetOwner(const char16_t* wide, const char* ansi) {
    StoreText(record().devOpts.userName, wide);
    FillField(record().devOpts.userNameAnsi, ansi);
  }
  // The trailer of a job of `pages` pages.
  std::string Trailer(uint16_t pages) {
    At(PSINJECT_COMMENTS);
    for (uint16_t page = 0; page < pages; ++page) At(PSINJECT_BEGINPAGESETUP);
    return At(PSINJECT_EOF);
  }
};

// The programs are written unchanged: their lengths and contents are fixed.
TEST_F(BannerTest, ProgramBlocks) {
  struct Block {
    const char* name;
    std::string_view text;
    size_t length;
    uint64_t hash;
  };
  const Block blocks[] = {
      {"C", banner_blocks::kCommonDefinitions, 958, 0xCC209FDF498FE65Au},
      {"U", banner_blocks::kFontsAndUtilities, 1400, 0xE1D6060A98BFD275u},
      {"S", banner_blocks::kPageScaling, 616, 0xA6FBB600F5A53C6Eu},
      {"AH", banner_blocks::kHeaderArguments, 565, 0xE1E2EC6D705F8023u},
      {"AT", banner_blocks::kTrailerArguments, 509, 0xFFBC35C8AF2BB15Du},
      {"R", banner_blocks::kLabelRetrieval, 333, 0xCAAAC877BDDC94B7u},
      {"P", banner_blocks::kPageComponents, 1255, 0xB51ACCA5DB861BAFu},
      {"H", banner_blocks::kHeaderPage, 987, 0xBDA715CF0C1CDA7Cu},
      {"T", banner_blocks::kTrailerPage, 1014, 0x5B6DDEE48F04285Fu},
      {"TR", banner_blocks::kTrailerRun, 87, 0xC1D46DB5FA84D71Du},
  };
  for (const Block& block : blocks) {
    SCOPED_TRACE(block.name);
    EXPECT_EQ(block.text.size(), block.length);
    EXPECT_EQ(Fnv1a(block.text), block.hash);
  }
}

TEST_F(BannerTest, HeaderPageForOwnerAb) {
  test::SystemCodePages codePages(nullptr, nullptr);  // the texts below are code page 949's
  if (!codePages.active()) GTEST_SKIP() << "written for the code pages 949/949";
  Device();
  record().headerPage = 1;
  SetOwner(u"ab", "ab");
  const int writesBefore = device_->spool().pluginWrites;
  const std::string expected =
      std::string(kOneCopy) + "<6162>\n<>\n<>\n(JOB) 4 (1)\r\n" +
      std::string(banner_blocks::kCommonDefinitions) + std::string(banner_blocks::kFontsAndUtilities) +
      std::string(banner_blocks::kPageScaling) + std::string(banner_blocks::kHeaderArguments) +
      kLabelArray + std::string(banner_blocks::kLabelRetrieval) +
      std::string(banner_blocks::kPageComponents) + std::string(banner_blocks::kHeaderPage) +
      kOneCopy;
  EXPECT_EQ(At(PSINJECT_ENDSETUP), expected);
  // The copies line, the arguments, eight program pieces, the copies line.
  EXPECT_EQ(device_->spool().pluginWrites - writesBefore, 11);
  EXPECT_EQ(At(PSINJECT_EOF), "");
}

TEST_F(BannerTest, HeaderPageOnADuplexJobEndsTheSheet) {
  struct Case {
    SHORT duplex;
    SHORT copies;
    const char* end;
  };
  const Case cases[] = {
      {2, 3, "do_HeaderPage\nshowpage\r\n<< /NumCopies 3 >> setpagedevice\n"},
      {3, 1, "do_HeaderPage\nshowpage\r\n<< /NumCopies 1 >> setpagedevice\n"},
      {1, 2, "do_HeaderPage\n<< /NumCopies 2 >> setpagedevice\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.duplex);
    Device({1, 2100, 2970, c.copies, 15, c.duplex, 256});
    record().headerPage = 1;
    const std::string text = At(PSINJECT_ENDSETUP);
    EXPECT_TRUE(text.starts_with(std::string(kOneCopy) + "<>\n<>\n<>\n(JOB) 4 (1)\r\n")) << text;
    EXPECT_TRUE(text.ends_with(c.end)) << text.substr(text.size() - 80);
  }
}

TEST_F(BannerTest, TrailerSheetsAndCopies) {
  test::SystemCodePages codePages(nullptr, nullptr);  // the texts below are code page 949's
  if (!codePages.active()) GTEST_SKIP() << "written for the code pages 949/949";
  struct Case {
    const char* name;
    uint16_t pages;
    uint16_t nupCode;
    SHORT duplex;
    SHORT copies;
    const char* start;  // what comes before the remaining fields
  };
  const Case cases[] = {
      {"5 pages simplex, 2 copies", 5, 0, 1, 2, "<< /NumCopies 1 >> setpagedevice\n(10)\n<"},
      {"5 pages duplex, 2 copies", 5, 0, 2, 2,
       "<< /NumCopies 1 >> setpagedevice\nshowpage\r\n(6)\n<"},
      {"7 pages 4-up duplex", 7, 2, 3, 1, "<< /NumCopies 1 >> setpagedevice\n(1)\n<"},
      {"17 pages 16-up simplex", 17, 5, 1, 1, "<< /NumCopies 1 >> setpagedevice\n(2)\n<"},
      {"3 pages 6-up duplex", 3, 3, 2, 1, "<< /NumCopies 1 >> setpagedevice\nshowpage\r\n(1)\n<"},
      {"unknown n-up code counts pages", 3, 9, 1, 1, "<< /NumCopies 1 >> setpagedevice\n(3)\n<"},
      {"no pages", 0, 0, 2, 1, "<< /NumCopies 1 >> setpagedevice\n(0)\n<"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Device({1, 2100, 2970, c.copies, 15, c.duplex, 256});
    record().trailerPage = 1;
    record().nupCode = c.nupCode;
    SetOwner(u"ab", "ab");
    const std::string expected =
        std::string(c.start) + "6162>\n<>\n<>\n(JOB) 5 (1)\r\n" +
        std::string(banner_blocks::kCommonDefinitions) +
        std::string(banner_blocks::kFontsAndUtilities) + std::string(banner_blocks::kPageScaling) +
        std::string(banner_blocks::kTrailerArguments) + kLabelArray +
        std::string(banner_blocks::kLabelRetrieval) + std::string(banner_blocks::kPageComponents) +
        std::string(banner_blocks::kTrailerPage) + std::string(banner_blocks::kTrailerRun);
    EXPECT_EQ(Trailer(c.pages), expected);
  }
}

TEST_F(BannerTest, FieldTexts) {
  struct Case {
    const char* name;
    uint16_t watermarkCodePage;
    std::u16string owner;
    std::string ownerAnsi;
    std::u16string host;
    std::string hostAnsi;
    const char* arguments;
  };
  const Case cases[] = {
      {"Central European owner", 1250, u"\u0158eha", "?eha", u"pc", "pc", "<D8656861>\n<7063>\n"},
      {"same owner elsewhere", 0, u"\u0158eha", "?eha", u"pc", "pc", "<3F656861>\n<7063>\n"},
      // Units up to U+00FF give their own byte; other units keep the ANSI byte.
      {"Latin-1 and other units", 1250, u"\u00E9\u4E00z", "\xE9?z", u"", "", "<E93F7A>\n<>\n"},
      // The wide string ends the text where it ends.
      {"wide text shorter", 1250, u"ab", "abcd", u"", "", "<6162>\n<>\n"},
      // Bytes that would end a PostScript string stay digits.
      {"delimiters", 0, u"", "(>)\\<", u"", "%\r\n", "<283E295C3C>\n<250D0A>\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Device();
    record().headerPage = 1;
    record().watermarkCodePage = c.watermarkCodePage;
    SetOwner(c.owner.c_str(), c.ownerAnsi.c_str());
    StoreText(record().devOpts.hostName, c.host);
    FillField(record().devOpts.hostNameAnsi, c.hostAnsi);
    EXPECT_EQ(At(PSINJECT_ENDSETUP).substr(0, sizeof(kOneCopy) - 1 + std::strlen(c.arguments)),
              std::string(kOneCopy) + c.arguments);
  }
}

// Copies filled to the last byte, without a NUL: the text is the whole array and no more.
TEST_F(BannerTest, FullFieldsEndAtTheirArrays) {
  for (const int codePage : {0, 1250}) {
    SCOPED_TRACE(codePage);
    Device();
    record().headerPage = 1;
    record().watermarkCodePage = static_cast<uint16_t>(codePage);
    auto& options = record().devOpts;
    std::memset(options.userNameAnsi, 'u', sizeof(options.userNameAnsi));
    std::memset(options.hostNameAnsi, 'h', sizeof(options.hostNameAnsi));
    std::memset(options.chargeNumberAnsi, 'c', sizeof(options.chargeNumberAnsi));
    // Wide strings without NUL, shorter than their ANSI copies.
    for (auto& unit : options.userName) unit = u'U';
    for (auto& unit : options.hostName) unit = u'H';
    for (auto& unit : options.chargeNumber) unit = u'C';
    auto repeat = [](const char* digits, size_t count) {
      std::string text;
      for (size_t i = 0; i < count; ++i) text += digits;
      return text;
    };
    const std::string expected =
        codePage == 1250
            ? "<" + repeat("55", 64) + repeat("75", 64) + ">\n<" + repeat("48", 16) + repeat("68", 16) +
                  ">\n<" + repeat("43", 8) + repeat("63", 8) + ">\n(JOB) 4 (1)\r\n"
            : "<" + repeat("75", 128) + ">\n<" + repeat("68", 32) + ">\n<" + repeat("63", 16) +
                  ">\n(JOB) 4 (1)\r\n";
    const std::string text = At(PSINJECT_ENDSETUP);
    EXPECT_EQ(text.substr(sizeof(kOneCopy) - 1, expected.size()), expected);
  }
}

TEST_F(BannerTest, LabelsFollowTheSystemCodePages) {
  struct Case {
    const char* acp;
    const char* oemcp;
    const char* firstLabels;  // the array's opening
  };
  const Case cases[] = {
      {nullptr, nullptr, " /HTarray\r\n\t  [ <C0DBBEF7> <BFEBB5B53A> "},
      // 1250 reads them as Latin-2 letters (0xC0 0xDB 0xBE 0xF7 as U+0154 U+0170 U+013E
      // U+00F7): the letters outside the mapping keep their OEM 852 bytes, U+00F7 its own.
      {"1250", "852", " /HTarray\r\n\t  [ <E8EB96F7> <BEEBB5B53A> "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.acp != nullptr ? c.acp : "default");
    test::SystemCodePages codePages(c.acp, c.oemcp);
    if (!codePages.active()) continue;  // another system's case (Windows)
    Device();
    record().trailerPage = 1;
    const std::string text = At(PSINJECT_EOF);
    EXPECT_NE(text.find(c.firstLabels), std::string::npos) << text.substr(0, 4000);
  }
  test::SystemCodePages defaults(nullptr, nullptr);
  if (!defaults.active()) return;  // the header page's labels below are code page 949's
  Device();
  record().headerPage = 1;
  EXPECT_NE(At(PSINJECT_ENDSETUP).find(kLabelArray), std::string::npos);
}

}  // namespace
}  // namespace kx::ps
