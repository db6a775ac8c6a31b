#include "ppd_conformance/entry_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kx::ppd::conformance {
namespace {

using Lines = std::vector<std::pair<std::string, size_t>>;  // keyword, line number

size_t OffsetOfLine(std::string_view text, size_t line) {
  size_t offset = 0;
  for (size_t i = 0; i < line; ++i) offset = text.find('\n', offset) + 1;
  return offset;
}

std::map<std::string, size_t, std::less<>> AtLines(std::string_view text, const Lines& lines) {
  std::map<std::string, size_t, std::less<>> offsets;
  for (const auto& [keyword, line] : lines) offsets[keyword] = OffsetOfLine(text, line);
  return offsets;
}

struct ScanCase {
  const char* name;
  const char* text;
  Lines firstEntry;
  Lines openUi;
};

TEST(EntryScanTest, FindsTheEntryThatCreatesEachFeature) {
  const ScanCase cases[] = {
      {"an ordinary feature starts at its OpenUI",
       "*PPD-Adobe: \"4.3\"\n*OpenUI *HPNup/Pages: PickOne\n*HPNup One: \"\"\n",
       {{"HPNup", 1}},
       {{"HPNup", 1}}},
      {"a default before OpenUI creates a predefined feature",
       "*DefaultPageSize: A4\n*OpenUI *PageSize: PickOne\n*PageSize A4: \"a\"\n",
       {{"PageSize", 0}},
       {{"PageSize", 1}}},
      {"PageRegion, JCLResolution and InstalledMemory land in predefined features",
       "*OpenUI *PageRegion: PickOne\n*JCLOpenUI *JCLResolution: PickOne\n"
       "*OpenUI *InstalledMemory: PickOne\n",
       {{"PageSize", 0}, {"Resolution", 1}, {"VMOption", 2}},
       {{"PageRegion", 0}, {"JCLResolution", 1}, {"InstalledMemory", 2}}},
      {"OpenUI on Duplex creates nothing; its default does",
       "*OpenUI *Duplex: PickOne\n*DefaultDuplex: None\n*Duplex None: \"\"\n",
       {{"Duplex", 1}},
       {{"Duplex", 0}}},
      {"lines inside a quoted value, comments and queries are not entries",
       "*Foo: \"first\n*OpenUI *Inside: PickOne\nlast\"\n*%OpenUI *Comment: PickOne\n"
       "*?Resolution: \"\n*OpenUI *InQuery: Boolean\n\"\n*OpenUI *After: Boolean\n",
       {{"After", 7}},
       {{"After", 7}}},
  };
  for (const ScanCase& scan : cases) {
    SCOPED_TRACE(scan.name);
    const EntryPositions positions = ScanEntries(scan.text);
    EXPECT_EQ(positions.firstEntry, AtLines(scan.text, scan.firstEntry));
    EXPECT_EQ(positions.openUi, AtLines(scan.text, scan.openUi));
  }
}

struct OptionCase {
  const char* feature;
  const char* option;
  size_t line;  // kNotFound for none
};

TEST(EntryScanTest, OptionsTakeTheLineOfTheFirstEntryNamingThem) {
  const std::string text =
      "*RequiresPageRegion Front: False\n"                  // 0
      "*RequiresPageRegion All: True\n"                     // 1
      "*OpenUI *InputSlot: PickOne\n"                       // 2
      "*InputSlot Auto/Automatic: \"\"\n"                   // 3
      "*InputSlot Front/Front tray: \"1\"\n"                // 4
      "*ImageableArea A5/A5: \"0 0 1 1\"\n"                 // 5
      "*PageSize A5: \"a5\"\n"                              // 6
      "*JCLResolution\t600dpi: \"<0A>\"\n"                  // 7
      "*OpenUI *HPNup: PickOne\n"                           // 8
      "*HPNup Two/Two up: \"\n*HPNup Fake: \"\n*End\n";     // 9-11
  const OptionCase cases[] = {
      {"InputSlot", "Front", 0}, {"InputSlot", "All", 1},   {"InputSlot", "Auto", 3},
      {"PageSize", "A5", 5},     {"Resolution", "600dpi", 7}, {"HPNup", "Two", 9},
      {"HPNup", "Fake", EntryPositions::kNotFound},         {"PageSize", "Front", EntryPositions::kNotFound},
  };
  const EntryPositions positions = ScanEntries(text);
  for (const OptionCase& option : cases) {
    SCOPED_TRACE(std::string(option.feature) + " " + option.option);
    const size_t expected = option.line == EntryPositions::kNotFound
                                ? EntryPositions::kNotFound
                                : OffsetOfLine(text, option.line);
    EXPECT_EQ(positions.OptionEntry(option.feature, option.option), expected);
  }
}

TEST(EntryScanTest, KeepsTheFirstVmOptionTranslationsAndLanguageEncoding) {
  const EntryPositions positions = ScanEntries(
      "*LanguageEncoding:\tJIS83-RKSJ \r\n"
      "*VMOption 64Meg/64 MB: \"600\"\r\n"
      "*VMOption 128Meg: \"1200\"\r\n"
      "*VMOption 64Meg/Second: \"601\"\r\n"
      "*Foo: \"\n*VMOption Quoted/Inside: \"\n"
      "*LanguageEncoding: ISOLatin1\n");
  EXPECT_EQ(positions.languageEncoding, "JIS83-RKSJ");
  EXPECT_EQ(positions.vmOptionTranslations,
            (std::map<std::string, std::string, std::less<>>{{"128Meg", ""}, {"64Meg", "64 MB"}}));
}

}  // namespace
}  // namespace kx::ppd::conformance
