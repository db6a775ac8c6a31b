#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "hostsim/host_items.h"
#include "platform/text.h"
#include "support/code_pages.h"
#include "support/temp_store.h"
#include "support/test_ppd.h"

namespace kx::hostsim {
namespace {

using namespace host;

struct ImageCloser {
  void operator()(const ppd::PpdImage* image) const { ppd::PpdClose(image); }
};
using ImagePtr = std::unique_ptr<const ppd::PpdImage, ImageCloser>;

ImagePtr Open(const std::string& path) {
  return ImagePtr(ppd::PpdOpen(platform::Utf8ToUtf16(path).c_str()));
}

std::vector<std::u16string> Names(std::span<const OPTITEM> items) {
  std::vector<std::u16string> names;
  for (const OPTITEM& item : items) names.push_back(HostItems::Name(item));
  return names;
}

class HostItemsTest : public ::testing::Test {
 protected:
  ImagePtr Write(const std::string& body) {
    ImagePtr image = Open(test::WriteTestPpd(store_.directory(), "items.ppd", body));
    EXPECT_NE(image, nullptr);
    return image;
  }
  test::TempStore store_;
};

// The mapping code finds the host's items by these facts: the section an item is in,
// its public device-mode id, its help index, its name and its choices' names.
TEST_F(HostItemsTest, SampleDocumentTree) {
  ImagePtr image = Open(KX48T7_SAMPLE_PPD);
  ASSERT_NE(image, nullptr);
  HostItems items(image.get(), HostItems::Tree::Document);

  for (const OPTITEM& item : items.items()) {
    SCOPED_TRACE(platform::Utf16ToUtf8(HostItems::Name(item)));
    EXPECT_EQ(item.cbSize, sizeof(OPTITEM));
    ASSERT_TRUE(item.Level == 1 || item.Level == 2);
    // Headers have no choices; every other item's selection is one of its choices.
    if (item.Level == 1) {
      EXPECT_EQ(item.pOptType, nullptr);
    } else {
      ASSERT_NE(item.pOptType, nullptr);
      EXPECT_LT(item.Sel, static_cast<LONG>(item.pOptType->Count));
      EXPECT_GE(item.Sel, 0);
    }
  }

  const OPTITEM* quality = items.FindByDmPub(DMPUB_PRINTQUALITY);
  ASSERT_NE(quality, nullptr);
  EXPECT_EQ(HostItems::Choices(*quality), (std::vector<std::u16string>{u"600 dpi", u"1200 dpi"}));
  EXPECT_EQ(quality->Sel, 0);
  const OPTITEM* colour = items.FindByDmPub(DMPUB_COLOR);
  ASSERT_NE(colour, nullptr);
  EXPECT_EQ(colour->Sel, kColourColourChoice);
  const OPTITEM* nup = items.FindByDmPub(DMPUB_NUP);
  ASSERT_NE(nup, nullptr);
  EXPECT_EQ(HostItems::Choices(*nup).size(), static_cast<size_t>(kNupBookletChoice + 1));
  EXPECT_EQ(HostItems::Choices(*nup)[kNupBookletChoice], u"Booklet");

  // The error handler's item is in the second-to-last section.
  const OPTITEM* errorHandler = items.FindByHelpIndex(kErrorHandlerHelpIndex);
  ASSERT_NE(errorHandler, nullptr);
  const std::span<OPTITEM> postScript = items.SectionFromEnd(1);
  EXPECT_TRUE(errorHandler >= postScript.data() &&
              errorHandler < postScript.data() + postScript.size());

  // The last section lists the PPD's features by translation, ordinary features in file
  // order, then the installable ones; each selects its default option.
  const std::vector<std::u16string> features = Names(items.SectionFromEnd(0));
  ASSERT_FALSE(features.empty());
  EXPECT_EQ(features.front(), u"Auto Continue");
  auto at = [&](std::u16string_view name) {
    return std::find(features.begin(), features.end(), name) - features.begin();
  };
  const auto hardDisk = at(u"Hard Disk");
  ASSERT_LT(hardDisk, std::ssize(features));
  for (const char16_t* ordinary :
       {u"Print Quality", u"Image Halftone", u"Tray Switch", u"Page Size"}) {
    SCOPED_TRACE(platform::Utf16ToUtf8(ordinary));
    EXPECT_LT(at(ordinary), hardDisk);
  }
  EXPECT_LT(hardDisk, at(u"Duplex Unit"));
  EXPECT_LT(at(u"Mailbox"), at(u"Total Printer Memory"));
  EXPECT_LT(at(u"Total Printer Memory"), std::ssize(features));

  const OPTITEM* autoContinue = items.Find(u"Auto Continue");
  ASSERT_NE(autoContinue, nullptr);
  EXPECT_EQ(HostItems::Choices(*autoContinue), (std::vector<std::u16string>{u"Off", u"On"}));
  EXPECT_EQ(autoContinue->Sel, 1);  // DefaultAutoContinue: True
  const OPTITEM* halftone = items.Find(u"Text and Graphics Halftone");
  ASSERT_NE(halftone, nullptr);
  const auto choices = HostItems::Choices(*halftone);
  ASSERT_LT(static_cast<size_t>(halftone->Sel), choices.size());
  EXPECT_EQ(choices[static_cast<size_t>(halftone->Sel)], u"High Frequency");
}

TEST_F(HostItemsTest, GrayscalePrinterStartsWithGrayscale) {
  ImagePtr image = Open(KX48T7_SAMPLE_MONO_PPD);
  ASSERT_NE(image, nullptr);
  HostItems items(image.get(), HostItems::Tree::Document);
  ASSERT_NE(items.FindByDmPub(DMPUB_COLOR), nullptr);
  EXPECT_EQ(items.FindByDmPub(DMPUB_COLOR)->Sel, kColourGrayscaleChoice);
}

TEST_F(HostItemsTest, PrinterTreeHoldsTheInstallableFeatures) {
  ImagePtr image = Open(KX48T7_SAMPLE_PPD);
  ASSERT_NE(image, nullptr);
  HostItems items(image.get(), HostItems::Tree::Printer);
  const std::vector<std::u16string> names = Names(items.SectionFromEnd(0));
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.front(), u"Hard Disk");
  EXPECT_EQ(std::count(names.begin(), names.end(), u"Page Size"), 0);
  const OPTITEM* disk = items.Find(u"Hard Disk");
  ASSERT_NE(disk, nullptr);
  EXPECT_EQ(disk->pOptType->Type, TVOT_2STATES);
  EXPECT_EQ(HostItems::Choices(*disk),
            (std::vector<std::u16string>{u"Not Installed", u"Installed"}));
  EXPECT_EQ(items.FindByDmPub(DMPUB_COLOR), nullptr);
}

// Names come from the ANSI code page (the translations are code page 949 text); a feature
// or option without a translation shows its keyword; the print quality item falls back to
// the quality modes.
TEST_F(HostItemsTest, NamesAndPrintQualityFromASmallPpd) {
  test::SystemCodePages codePages(nullptr, nullptr);
  if (!codePages.active()) GTEST_SKIP() << "written for the code pages 949/949";
  ImagePtr image = Write(
      "*OpenUI *PaperKind/<BFEBC1F6>: PickOne\n*DefaultPaperKind: Upper\n"
      "*PaperKind Lower/<BEC6B7A1>: \"1\"\n*PaperKind Upper: \"2\"\n"
      "*CloseUI: *PaperKind\n" +
      test::PickOneFeature("QualityMode", "Fine", {"Draft/Draft", "Fine/Fine"}));
  ASSERT_NE(image, nullptr);
  HostItems items(image.get(), HostItems::Tree::Document);
  const std::vector<std::u16string> features = Names(items.SectionFromEnd(0));
  EXPECT_EQ(features, (std::vector<std::u16string>{u"용지", u"QualityMode"}));
  const OPTITEM* tray = items.Find(u"용지");
  ASSERT_NE(tray, nullptr);
  EXPECT_EQ(HostItems::Choices(*tray), (std::vector<std::u16string>{u"아래", u"Upper"}));
  EXPECT_EQ(tray->Sel, 1);
  const OPTITEM* quality = items.FindByDmPub(DMPUB_PRINTQUALITY);
  ASSERT_NE(quality, nullptr);
  EXPECT_EQ(HostItems::Choices(*quality), (std::vector<std::u16string>{u"Draft", u"Fine"}));
  EXPECT_EQ(quality->Sel, 1);
}

TEST_F(HostItemsTest, WithoutAPpdOnlyTheHostsOwnItems) {
  for (const auto tree : {HostItems::Tree::Document, HostItems::Tree::Printer}) {
    SCOPED_TRACE(tree == HostItems::Tree::Document ? "document" : "printer");
    HostItems items(nullptr, tree);
    EXPECT_TRUE(items.SectionFromEnd(0).empty());
    EXPECT_EQ(items.FindByDmPub(DMPUB_PRINTQUALITY), nullptr);
  }
  HostItems document(nullptr, HostItems::Tree::Document);
  EXPECT_NE(document.FindByHelpIndex(kErrorHandlerHelpIndex), nullptr);
  ASSERT_NE(document.FindByDmPub(DMPUB_COLOR), nullptr);
  EXPECT_EQ(document.FindByDmPub(DMPUB_COLOR)->Sel, kColourGrayscaleChoice);
}

}  // namespace
}  // namespace kx::hostsim
