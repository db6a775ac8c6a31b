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
