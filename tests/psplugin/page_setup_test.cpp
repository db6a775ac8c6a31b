#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/oemps.h"
#include "page_setup.h"
#include "hostsim/warning_log.h"
#include "platform/text.h"
#include "settings/record_text.h"
#include "support/loaded_plugin.h"
#include "support/test_ppd.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace kx::ps {
namespace {

using hostsim::DeviceModeSettings;

using namespace host;
using settings::StoreText;

class PageSetupTest : public test::LoadedPluginTest {
 protected:
  // Runs the page set-up points of `pages` pages, returning each page's text.
  std::vector<std::string> Pages(int pages, DWORD index = PSINJECT_ENDPAGESETUP) {
    std::vector<std::string> texts;
    At(PSINJECT_COMMENTS);
    for (int page = 0; page < pages; ++page) {
      const std::string begin = At(PSINJECT_BEGINPAGESETUP);
      const std::string end = At(PSINJECT_ENDPAGESETUP);
      texts.push_back(index == PSINJECT_BEGINPAGESETUP ? begin : end);
    }
    return texts;
  }
};

struct PageSizeCase {
  const char* name;
  DeviceModeSettings mode;
  const char* warning;   // null: no warning
  const char* override;  // null: nothing at the end of setup
};

TEST_F(PageSetupTest, CustomPageSizeCheck) {
  const PageSizeCase cases[] = {
      {"tray 1, long page, simplex", {1, 2100, 4800, 1, 257, 1, 256},
       "Width: 8.27 in (210 mm)\nLength: 17.99 in (457 mm)\nTray Selected: Tray 1\nDuplex Option: Simplex",
       "<< /PageSize [595 1295] /ImagingBBox null /Policies << /PageSize 7 >> >> setpagedevice"},
      {"long-edge duplex, both limits", {1, 3000, 4400, 1, 258, 2, 256},
       "Width: 11.69 in (297 mm)\nLength: 17.01 in (432 mm)\nTray Selected: \nDuplex Option: Long Edge",
       "<< /PageSize [841 1224] /ImagingBBox null /Policies << /PageSize 7 >> >> setpagedevice"},
      {"manual feed, wide, short edge", {2, 3100, 3000, 1, 261, 3, 256},
       "Width: 11.69 in (297 mm)\nLength: 11.81 in (300 mm)\nTray Selected: Manual Feed Tray\nDuplex Option: Short Edge",
       "<< /PageSize [841 850] /ImagingBBox null /Policies << /PageSize 7 >> >> setpagedevice"},
      {"form source, long and wide", {1, 3000, 4600, 1, 15, 1, 256},
       "Width: 11.69 in (297 mm)\nLength: 18.11 in (460 mm)\n\nDuplex Option: Simplex",
       "<< /PageSize [841 1303] /ImagingBBox null /Policies << /PageSize 7 >> >> setpagedevice"},
      {"form source, long but not wide", {1, 2900, 4600, 1, 15, 1, 256}, nullptr, nullptr},
      {"A4 on tray 1", {1, 2100, 2970, 1, 257, 2, 256}, nullptr, nullptr},
  };
  hostsim::WarningLog warnings;
  for (const PageSizeCase& c : cases) {
    SCOPED_TRACE(c.name);
    Device(c.mode);
    At(PSINJECT_BEGINSTREAM);
    const auto shown = warnings.Take();
    if (c.warning == nullptr) {
      EXPECT_TRUE(shown.empty());
    } else {
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_EQ(shown[0].title, u"VRX48T7-PSN PostScript");
      EXPECT_EQ(platform::Utf16ToUtf8(shown[0].text),
                std::string("The custom page size you selected is not suppported for your print job\n"
                            "based on your printing options. Please make sure the selected tray contains\n"
                            "media of the following size. Otherwise it may cause the printer to jam.\n") +
                    c.warning);
    }
    const std::string endSetup = At(PSINJECT_ENDSETUP);
    EXPECT_EQ(endSetup.find("<< /PageSize") == 0, c.override != nullptr);
    if (c.override != nullptr) {
      EXPECT_TRUE(endSetup.starts_with(c.override)) << endSetup;
    }
  }
}

TEST_F(PageSetupTest, TheAdjustedSizeBelongsToItsOwnJob) {
  Device({1, 2100, 4800, 1, 257, 1, 256});
  At(PSINJECT_BEGINSTREAM);
  device_->publicDevMode().dmPaperLength = 2970;
  At(PSINJECT_BEGINSTREAM);  // the next job on the same device
  EXPECT_EQ(At(PSINJECT_ENDSETUP).find("/PageSize"), std::string::npos);
}

TEST_F(PageSetupTest, SingleCopyAndMediaType) {
  Device({1, 2100, 2970, 1, 15, 1, 258});
  EXPECT_EQ(At(PSINJECT_BEGINSETUP),
            "featurebegin{\n%%BeginNonPPDFeature: NumCopies 1\n"
            "1  /languagelevel where {pop languagelevel}{1} ifelse\n"
            "2 ge { 1 dict dup /NumCopies 4 -1 roll put setpagedevice }{ userdict /#copies 3 -1 roll put } ifelse\n"
            "%%EndNonPPDFeature\n}featurecleanup\n\n");
  EXPECT_EQ(At(PSINJECT_COMMENTS), "");  // not in single-user mode
  record().singleUserMode = 1;
  EXPECT_EQ(At(PSINJECT_COMMENTS), "<< /MediaType (Thick Stock) >> setpagedevice\r\n");
  device_->publicDevMode().dmMediaType = 260;
  EXPECT_EQ(At(PSINJECT_COMMENTS), "");
  device_->publicDevMode().dmCopies = 2;
  EXPECT_EQ(At(PSINJECT_BEGINSETUP), "");
}

TEST_F(PageSetupTest, ExternalHeaderFileIsCopiedInPieces) {
  Device();
  const std::string path = printer_.directory() + "/header.ps";
  std::string header;
  for (int i = 0; i < 70; ++i) header += "% header line " + std::to_string(i) + "\n";
  std::ofstream(path, std::ios::binary) << header;
  record().useExternalHeader = 1;
  StoreText(record().externalHeaderFile, platform::Utf8ToUtf16(path));
  const int writesBefore = device_->spool().pluginWrites;
  const std::string prolog = At(PSINJECT_BEGINPROLOG);
  EXPECT_TRUE(prolog.starts_with(header));
  // Pieces of at most 260 bytes, then the colour model.
  EXPECT_EQ(device_->spool().pluginWrites - writesBefore,
            static_cast<int>((header.size() + 259) / 260) + 1);

  StoreText(record().externalHeaderFile, platform::Utf8ToUtf16(path + ".missing"));
  EXPECT_EQ(At(PSINJECT_BEGINPROLOG), "<</ProcessColorModel /DeviceGray >>setpagedevice\r\n");
  record().useExternalHeader = 0;
  StoreText(record().externalHeaderFile, platform::Utf8ToUtf16(path));
  EXPECT_EQ(At(PSINJECT_BEGINPROLOG), "<</ProcessColorModel /DeviceGray >>setpagedevice\r\n");
}

// The file is read inside the spooler for every job: a large one is cut at the limit, and
// a path that names no regular file is skipped at once instead of waited on.
TEST_F(PageSetupTest, ExternalHeaderFileIsBoundedAndOnlyARegularFile) {
  Device();
  const std::string gray = "<</ProcessColorModel /DeviceGray >>setpagedevice\r\n";
  const std::string cutNote =
      "\n% External header file cut after " + std::to_string(kExternalHeaderLimit) + " bytes\n";
  record().useExternalHeader = 1;
  struct Case {
    const char* name;
    size_t size;
    bool cut;
  };
  for (const Case& c : {Case{"exact.ps", kExternalHeaderLimit, false},
                        Case{"longer.ps", kExternalHeaderLimit + 1000, true}}) {
    SCOPED_TRACE(c.name);
    const std::string path = printer_.directory() + "/" + c.name;
    std::string contents(c.size, 'x');
    for (size_t i = 0; i < c.size; i += 64) contents[i] = '\n';
    std::ofstream(path, std::ios::binary) << contents;
    StoreText(record().externalHeaderFile, platform::Utf8ToUtf16(path));
    const std::string expected =
        contents.substr(0, kExternalHeaderLimit) + (c.cut ? cutNote : "") + gray;
    EXPECT_TRUE(At(PSINJECT_BEGINPROLOG) == expected);
  }

  std::vector<std::string> notFiles = {printer_.directory()};
#ifndef _WIN32
  // Opening a pipe without a writer would wait for ever.
  const std::string pipe = printer_.directory() + "/header.fifo";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  notFiles.push_back(pipe);
  notFiles.push_back("/dev/zero");
#endif
  for (const std::string& path : notFiles) {
    SCOPED_TRACE(path);
    StoreText(record().externalHeaderFile, platform::Utf8ToUtf16(path));
    EXPECT_EQ(At(PSINJECT_BEGINPROLOG), gray);
  }
}

TEST_F(PageSetupTest, ProcessColourModelFollowsThePrinterAndTheColourMode) {
  const std::string colour = test::WriteTestPpd(printer_.directory(), "colour.ppd", "*ColorDevice: True\n");
  const std::string gray = test::WriteTestPpd(printer_.directory(), "gray.ppd", "*ColorDevice: False\n");
  struct Case {
    std::string ppd;
    uint8_t colorMode;
    const char* model;
  };
  const Case cases[] = {
      {colour, 2, "DeviceCMYK"}, {colour, 1, "DeviceGray"}, {gray, 2, "DeviceGray"},
      {printer_.directory() + "/missing.ppd", 2, "DeviceGray"}, {"", 2, "DeviceGray"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ppd + " mode " + std::to_string(c.colorMode));
    printer_.SetPpd(c.ppd);
    Device();
    record().colorMode = c.colorMode;
    EXPECT_EQ(At(PSINJECT_BEGINPROLOG),
              std::string("<</ProcessColorModel /") + c.model + " >>setpagedevice\r\n");
  }
}

TEST_F(PageSetupTest, FlipProcedureFlags) {
  struct Case {
    uint16_t rotation;
    uint32_t mirror;
    SHORT orientation;
    const char* flags;  // null: no procedure
  };
  const Case cases[] = {
      {0, 0, 1, nullptr},
      {0, 1, 1, "/FlipSE true def /FlipLE false def\n"},
      {0, 1, 2, "/FlipSE false def /FlipLE true def\n"},
      {90, 0, 2, "/FlipSE false def /FlipLE false def\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags != nullptr ? c.flags : "none");
    Device({c.orientation, 2100, 2970, 1, 15, 1, 256});
    record().rotation = c.rotation;
    record().mirrorImage = c.mirror;
    const std::string prolog = At(PSINJECT_BEGINPROLOG);
    const std::string model = "<</ProcessColorModel /DeviceGray >>setpagedevice\r\n";
    ASSERT_TRUE(prolog.starts_with(model));
    const std::string flip = prolog.substr(model.size());
    if (c.flags == nullptr) {
      EXPECT_EQ(flip, "");
    } else {
      EXPECT_TRUE(flip.starts_with(c.flags));
      EXPECT_TRUE(flip.ends_with("Ylen sub abs mysetup exch 5 exch put}if}{exch vtideforig}ifelse}bind vtideforig end\r\n"));
      EXPECT_EQ(device_->spool().pluginWrites, 1 + 1 + 5);  // model, flags, five lines
    }
  }
}

TEST_F(PageSetupTest, RotationWithAndWithoutNup) {
  const std::string rotate = "Xlen 2 div Ylen 2 div translate 90 rotate Xlen -2 div Ylen -2 div translate\r\n";
  Device();
  record().rotation = 90;
  EXPECT_EQ(Pages(3, PSINJECT_BEGINPAGESETUP), (std::vector<std::string>{rotate, rotate, rotate}));
  EXPECT_EQ(At(PSINJECT_ENDSETUP), "");

  record().nupCode = 2;  // 4-up: the first page only, and the hook on every sheet's end
  EXPECT_EQ(Pages(3, PSINJECT_BEGINPAGESETUP), (std::vector<std::string>{rotate, "", ""}));
  EXPECT_EQ(At(PSINJECT_ENDSETUP),
            "/startnup where { /dicName exch def dicName /oldfinalpage dicName /finalpage get put "
            "dicName begin /finalpage {oldfinalpage Xlen 2 div Ylen 2 div translate 90 rotate "
            "Xlen -2 div Ylen -2 div translate} bind def end} if\r\n");

  record().nupCode = 0;
  record().booklet = 1;
  EXPECT_EQ(Pages(2, PSINJECT_BEGINPAGESETUP), (std::vector<std::string>{"", ""}));
}

TEST_F(PageSetupTest, NegativeImageOnlyOnTheFirstPageInGrayscale) {
  const std::string negative =
      "[{1 exch sub} /exec load currenttransfer /exec load] cvx settransfer\n"
      "gsave clippath 1 setgray fill grestore\r\n";
  Device();
  record().negativeImage = 1;
  record().colorMode = 1;
  EXPECT_EQ(Pages(2, PSINJECT_BEGINPAGESETUP), (std::vector<std::string>{negative, ""}));
  record().colorMode = 2;
  EXPECT_EQ(Pages(2, PSINJECT_BEGINPAGESETUP), (std::vector<std::string>{"", ""}));
}

TEST_F(PageSetupTest, JobTimeoutAtTheEndOfSetup) {
  Device();
  record().jobTimeout = 600;
  EXPECT_EQ(At(PSINJECT_ENDSETUP), "statusdict begin 600 setjobtimeout end\n");
}

class OverlayTest : public PageSetupTest {
 protected:
  void SetUp() override {
    PageSetupTest::SetUp();
    Device();
    record().devOpts.installedOptions[settings::kHasHardDisk] = 1;
    const char16_t* names[] = {u"ALL.PS", u"FIRST.PS", u"EVEN.PS", u"ODD.PS", u"COMP.PS"};
    for (int i = 0; i < 5; ++i) {
      StoreText(record().overlays[i].fileName, names[i]);
      record().overlays[i].enabled = 1;
    }
  }
  // The overlay names each page runs.
  std::vector<std::string> Runs(int pages) {
    std::vector<std::string> runs;
    for (const std::string& text : Pages(pages)) {
      std::string names;
      for (size_t at = text.find("(/ata0a/ps/"); at != std::string::npos;
           at = text.find("(/ata0a/ps/", at + 1)) {
        names += (names.empty() ? "" : " ") + text.substr(at + 11, text.find(')', at) - at - 11);
      }
      runs.push_back(names);
    }
    return runs;
  }
};

TEST_F(OverlayTest, OnePerSheet) {
  record().overlays[4].firstPage = 2;
  record().overlays[4].period = 3;
  EXPECT_EQ(Runs(8), (std::vector<std::string>{
                         "ALL.PS FIRST.PS ODD.PS", "ALL.PS EVEN.PS COMP.PS", "ALL.PS ODD.PS",
                         "ALL.PS EVEN.PS", "ALL.PS ODD.PS COMP.PS", "ALL.PS EVEN.PS",
                         "ALL.PS ODD.PS", "ALL.PS EVEN.PS COMP.PS"}));
  const std::string text = Pages(1)[0];
  EXPECT_TRUE(text.starts_with("save\r\n/showpage {} def\r\ninitgraphics\r\n"
                               "{(/ata0a/ps/ALL.PS) run} stopped {pop} if\r\nrestore\r\n"));
}

TEST_F(OverlayTest, TwoUpCountsSheets) {
  record().nupCode = 1;
  record().overlays[4].firstPage = 2;
  record().overlays[4].period = 1;
  // Pages 1, 3, 5 start sheets 1, 2, 3; sheet q + 1 with q = p / 2.
  EXPECT_EQ(Runs(5), (std::vector<std::string>{"ALL.PS FIRST.PS ODD.PS", "", "ALL.PS EVEN.PS COMP.PS",
                                               "", "ALL.PS ODD.PS COMP.PS"}));
}

TEST_F(OverlayTest, NothingWithoutADiskOrWithoutNames) {
  record().overlays[0].enabled = 0;
  StoreText(record().overlays[3].fileName, u"");
  EXPECT_EQ(Runs(1), (std::vector<std::string>{"FIRST.PS COMP.PS"}));
  record().devOpts.installedOptions[settings::kHasHardDisk] = 0;
  EXPECT_EQ(Runs(2), (std::vector<std::string>{"", ""}));
}

TEST_F(OverlayTest, NamesCannotBreakTheString) {
  for (int i = 1; i < 5; ++i) record().overlays[i].enabled = 0;
  StoreText(record().overlays[0].fileName, u"A)B(\\C.P\u00E9");
  const std::string text = Pages(1)[0];
  EXPECT_NE(text.find("{(/ata0a/ps/A\\)B\\(\\\\C.P\\351) run} stopped"), std::string::npos) << text;
}

}  // namespace
}  // namespace kx::ps

namespace kx::ps {
namespace {

// The PPD each call reads is the printer's PPD as it is at that call.
TEST_F(PageSetupTest, PpdThatChangesOrDisappearsBetweenJobs) {
  const std::string path = test::WriteTestPpd(printer_.directory(), "changing.ppd", "*ColorDevice: True\n");
  printer_.SetPpd(path);
  Device();
  const std::string cmyk = "<</ProcessColorModel /DeviceCMYK >>setpagedevice\r\n";
  const std::string gray = "<</ProcessColorModel /DeviceGray >>setpagedevice\r\n";
  EXPECT_EQ(At(PSINJECT_BEGINPROLOG), cmyk);
  test::WriteTestPpd(printer_.directory(), "changing.ppd", "*ColorDevice: False\n*Product: \"(x)\"\n");
  EXPECT_EQ(At(PSINJECT_BEGINPROLOG), gray);
  test::WriteTestPpd(printer_.directory(), "changing.ppd", "*ColorDevice: True\n");
  EXPECT_EQ(At(PSINJECT_BEGINPROLOG), cmyk);
  std::filesystem::remove(path);
  EXPECT_EQ(At(PSINJECT_BEGINPROLOG), gray);
  test::WriteTestPpd(printer_.directory(), "changing.ppd", "*ColorDevice: True\n");
  EXPECT_EQ(At(PSINJECT_BEGINPROLOG), cmyk);
}

TEST_F(PageSetupTest, DevicesOfOnePrinterKeepTheirOwnImage) {
  printer_.SetPpd(test::WriteTestPpd(printer_.directory(), "colour.ppd", "*ColorDevice: True\n"));
  hostsim::HostDevice first(*session_, printer_.handle(), {});
  hostsim::HostDevice second(*session_, printer_.handle(), {});
  std::string error;
  for (auto* device : {&first, &second}) {
    ASSERT_TRUE(device->PrepareRecord(nullptr, &error)) << error;
    ASSERT_TRUE(device->Enable(&error)) << error;
  }
  EXPECT_EQ(session_->plugin()->DisablePDEV(&first.devobj()), S_OK);
  EXPECT_EQ(second.Command(PSINJECT_BEGINPROLOG), S_OK);
  EXPECT_EQ(second.spool().bytes, "<</ProcessColorModel /DeviceCMYK >>setpagedevice\r\n");
}

}  // namespace
}  // namespace kx::ps
