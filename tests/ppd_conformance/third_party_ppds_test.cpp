#include "ppd_conformance/third_party_ppds.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <iterator>

namespace kx::ppd::corpus {
namespace {
namespace fs = std::filesystem;

void WritePlain(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

void WriteGzip(const fs::path& file, const std::string& text) {
  gzFile out = gzopen(file.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  ASSERT_EQ(gzwrite(out, text.data(), static_cast<unsigned>(text.size())),
            static_cast<int>(text.size()));
  ASSERT_EQ(gzclose(out), Z_OK);
}

std::string ReadPlain(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ThirdPartyPpdsTest, PpdNamesAreRecognisedInAnyCase) {
  const std::pair<const char*, bool> cases[] = {
      {"/a/HP_LaserJet_5.ppd", true}, {"b.PPD", true},       {"c.ppd.gz", true},
      {"d.PPD.GZ", true},             {"e.ppd.bak", false},  {"f.gz", false},
      {"ppd", false},                 {"/usr/share/ppd", false},
  };
  for (const auto& [name, isPpd] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(IsPpdName(name), isPpd);
  }
}

TEST(ThirdPartyPpdsTest, UnpackCopiesPlainAndGunzipsCompressedPpds) {
  const ScratchDirectory source("kx-ppd-source");
  const ScratchDirectory target("kx-ppd-target");
  WritePlain(source.path() / "plain.ppd", "*PPD-Adobe: \"4.3\"\n");
  WriteGzip(source.path() / "packed.PPD.gz", "*PPD-Adobe: \"4.2\"\n*NickName: \"x\"\n");
  WritePlain(source.path() / "README", "not a PPD");

  const FileList unpacked = UnpackPpds(
      {source.path() / "plain.ppd", source.path() / "packed.PPD.gz", source.path() / "README"},
      target.path());

  ASSERT_EQ(unpacked.error, "");
  ASSERT_EQ(unpacked.files,
            (std::vector<fs::path>{target.path() / "packed.PPD", target.path() / "plain.ppd"}));
  EXPECT_EQ(ReadPlain(unpacked.files[0]), "*PPD-Adobe: \"4.2\"\n*NickName: \"x\"\n");
  EXPECT_EQ(ReadPlain(unpacked.files[1]), "*PPD-Adobe: \"4.3\"\n");
}

TEST(ThirdPartyPpdsTest, TwoSourcesForOneCopyAreAnError) {
  const ScratchDirectory source("kx-ppd-source");
  const ScratchDirectory target("kx-ppd-target");
  fs::create_directory(source.path() / "other");
  WritePlain(source.path() / "same.ppd", "one");
  WriteGzip(source.path() / "other" / "same.ppd.gz", "two");

  const FileList unpacked = UnpackPpds(
      {source.path() / "same.ppd", source.path() / "other" / "same.ppd.gz"}, target.path());

  EXPECT_NE(unpacked.error.find("same.ppd"), std::string::npos) << unpacked.error;
  EXPECT_TRUE(unpacked.files.empty());
}

TEST(ThirdPartyPpdsTest, APackageThatIsNotInstalledIsAnError) {
  const FileList files = PackageFiles("kx-no-such-package");
  EXPECT_NE(files.error.find("not installed"), std::string::npos) << files.error;
  EXPECT_TRUE(files.files.empty());
}

TEST(ThirdPartyPpdsTest, DriverListGivesEachFileOnceForTheMakersAsked) {
  const std::string listing =
      "\"drv:0/ppd/pkg/Sharp/sh2.ppd\" en \"Sharp\" \"Sharp 2\" \"MFG:Sharp;\"\n"
      "\"drv:0/ppd/pkg/Brother/br1.ppd\" en \"Brother\" \"Brother 1\" \"\"\n"
      "\"drv:1/ppd/pkg/Sharp/sh2.ppd\" en \"Sharp\" \"Sharp 2 other model\" \"\"\n"
      "\"drv:0/ppd/pkg/Sharp/sh1.ppd\" en \"SHARP\" \"Sharp 1\" \"\"\n"
      "\"drv:0/ppd/pkg/Ricoh/r1.ppd\" en \"Ricoh\" \"Ricoh 1\" \"\"\n"
      "\"drv:0/ppd/pkg/Sharp/EU/sh0.ppd\" en \"Sharp\" \"Sharp 0\" \"\"\n"
      "not a list line\n\n";

  const std::vector<DriverPpd> ppds = ParseDriverList(listing, {"Brother", "Sharp"});

  std::vector<std::string> seen;
  for (const DriverPpd& ppd : ppds) seen.push_back(ppd.maker + " " + ppd.name + " " + ppd.uri);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Brother br1.ppd drv:0/ppd/pkg/Brother/br1.ppd",
                      "Sharp sh0.ppd drv:0/ppd/pkg/Sharp/EU/sh0.ppd",
                      "Sharp sh1.ppd drv:0/ppd/pkg/Sharp/sh1.ppd",
                      "Sharp sh2.ppd drv:0/ppd/pkg/Sharp/sh2.ppd",
                  }));
}

TEST(ThirdPartyPpdsTest, EveryNthStartsAtEachMakersFirst) {
  std::vector<DriverPpd> ppds;
  for (const char* maker : {"A", "B"}) {
    for (int i = 0; i < 5; ++i) ppds.push_back({"", maker, std::to_string(i)});
  }
  ppds.push_back({"", "C", "only"});
  const struct {
    size_t step;
    std::vector<std::string> expected;
  } cases[] = {
      {1, {"A0", "A1", "A2", "A3", "A4", "B0", "B1", "B2", "B3", "B4", "Conly"}},
      {2, {"A0", "A2", "A4", "B0", "B2", "B4", "Conly"}},
      {10, {"A0", "B0", "Conly"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    std::vector<std::string> sampled;
    for (const DriverPpd& ppd : EveryNthOfEachMaker(ppds, c.step)) {
      sampled.push_back(ppd.maker + ppd.name);
    }
    EXPECT_EQ(sampled, c.expected);
  }
}

// A stand-in driver program: `cat <uri>` writes the URI's last part as the file's text,
// and fails for URIs ending in "missing.ppd".
fs::path WriteFakeDriver(const fs::path& directory) {
  const fs::path driver = directory / "driver";
  WritePlain(driver,
             "#!/bin/sh\n"
             "[ \"$1\" = cat ] || exit 2\n"
             "case \"$2\" in *missing.ppd) exit 1 ;; esac\n"
             "printf '*PPD-Adobe: \"4.3\"\\n*%% %s\\n' \"${2##*/}\"\n");
  fs::permissions(driver, fs::perms::owner_all);
  return driver;
}

TEST(ThirdPartyPpdsTest, DriverWritesEachPpdIntoTheDirectory) {
  const ScratchDirectory bin("kx-ppd-bin");
  const ScratchDirectory target("kx-ppd-target");
  const fs::path driver = WriteFakeDriver(bin.path());

  const FileList written = WriteDriverPpds(
      driver,
      {{"drv:0/ppd/pkg/B/two.ppd", "B", "two.ppd"}, {"drv:0/ppd/pkg/A/one.ppd", "A", "one.ppd"},
       {"drv:0/ppd/pkg/A/three.ppd", "A", "three.ppd"}},
      target.path());

  ASSERT_EQ(written.error, "");
  ASSERT_EQ(written.files,
            (std::vector<fs::path>{target.path() / "one.ppd", target.path() / "three.ppd",
                                   target.path() / "two.ppd"}));
  EXPECT_EQ(ReadPlain(written.files[0]), "*PPD-Adobe: \"4.3\"\n*% one.ppd\n");
  EXPECT_EQ(ReadPlain(written.files[2]), "*PPD-Adobe: \"4.3\"\n*% two.ppd\n");
}

TEST(ThirdPartyPpdsTest, AFailingDriverRunOrTwoPpdsOfOneNameAreErrors) {
  const ScratchDirectory bin("kx-ppd-bin");
  const fs::path driver = WriteFakeDriver(bin.path());
  const struct {
    const char* label;
    std::vector<DriverPpd> ppds;
    const char* named;  // a part of the error
  } cases[] = {
      {"the driver fails", {{"drv:0/ppd/pkg/A/one.ppd", "A", "one.ppd"},
                            {"drv:0/ppd/pkg/A/missing.ppd", "A", "missing.ppd"}},
       "missing.ppd"},
      {"one name twice", {{"drv:0/ppd/pkg/A/same.ppd", "A", "same.ppd"},
                          {"drv:0/ppd/pkg/B/same.ppd", "B", "same.ppd"}},
       "same.ppd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const ScratchDirectory target("kx-ppd-target");
    const FileList written = WriteDriverPpds(driver, c.ppds, target.path());
    EXPECT_NE(written.error.find(c.named), std::string::npos) << written.error;
    EXPECT_TRUE(written.files.empty());
  }
}

TEST(ThirdPartyPpdsTest, ScratchDirectoryGoesWithItsContents) {
  fs::path kept;
  {
    const ScratchDirectory scratch("kx-ppd-scratch");
    kept = scratch.path();
    WritePlain(kept / "file.ppd", "x");
    ASSERT_TRUE(fs::exists(kept / "file.ppd"));
  }
  EXPECT_FALSE(fs::exists(kept));
}

}  // namespace
}  // namespace kx::ppd::corpus
