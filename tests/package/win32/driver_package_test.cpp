// The driver package as Windows reads it: the INF through the system's INF parser
// (SetupAPI), the plug-in configuration file through the profile functions, the files in
// the package folder, and the driver installed from those files by the spooler.
#include <gtest/gtest.h>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <setupapi.h>
#include <winspool.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "installed_job.h"
#include "platform/text.h"
#include "support/win32/spooler_printer.h"

namespace kx::package {
namespace {

namespace fs = std::filesystem;

const fs::path kPackage = fs::path(platform::Utf8ToUtf16(KX48T7_PACKAGE_DIR));

// File names compare as Windows compares them.
std::wstring Upper(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
  return text;
}

std::set<std::wstring> PackageFiles() {
  std::set<std::wstring> files;
  for (const auto& entry : fs::directory_iterator(kPackage)) {
    if (entry.is_regular_file()) files.insert(Upper(entry.path().filename().wstring()));
  }
  return files;
}

class InfFile {
 public:
  InfFile() {
    inf_ = ::SetupOpenInfFileW((kPackage / L"KX48T7.INF").c_str(), nullptr, INF_STYLE_WIN4,
                               &errorLine_);
  }
  ~InfFile() {
    if (valid()) ::SetupCloseInfFile(inf_);
  }
  bool valid() const { return inf_ != INVALID_HANDLE_VALUE; }
  UINT errorLine() const { return errorLine_; }

  // The fields of the first line with `key` in `section` (empty when there is none).
  std::vector<std::wstring> Fields(const std::wstring& section, const std::wstring& key) const {
    INFCONTEXT line;
    if (!::SetupFindFirstLineW(inf_, section.c_str(), key.c_str(), &line)) return {};
    return LineFields(line);
  }
  std::wstring Value(const std::wstring& section, const std::wstring& key) const {
    const auto fields = Fields(section, key);
    return fields.empty() ? L"" : fields[0];
  }
  // Every line of a section: its key (or its only field) first, then its fields.
  std::vector<std::vector<std::wstring>> Lines(const std::wstring& section) const {
    std::vector<std::vector<std::wstring>> lines;
    INFCONTEXT line;
    if (!::SetupFindFirstLineW(inf_, section.c_str(), nullptr, &line)) return lines;
    do {
      std::vector<std::wstring> fields{Field(line, 0)};
      for (const std::wstring& field : LineFields(line)) fields.push_back(field);
      lines.push_back(fields);
    } while (::SetupFindNextLine(&line, &line));
    return lines;
  }
  bool HasSection(const std::wstring& section) const {
    INFCONTEXT line;
    return ::SetupFindFirstLineW(inf_, section.c_str(), nullptr, &line) != FALSE;
  }

 private:
  static std::wstring Field(INFCONTEXT& line, DWORD index) {
    wchar_t text[512] = {};
    DWORD size = 0;
    if (!::SetupGetStringFieldW(&line, index, text, 512, &size)) return L"";
    return text;
  }
  static std::vector<std::wstring> LineFields(INFCONTEXT& line) {
    std::vector<std::wstring> fields;
    const DWORD count = ::SetupGetFieldCount(&line);
    for (DWORD i = 1; i <= count; ++i) fields.push_back(Field(line, i));
    return fields;
  }

  HINF inf_ = INVALID_HANDLE_VALUE;
  UINT errorLine_ = 0;
};

class DriverPackageTest : public ::testing::Test {
 protected:
  // The install section of the one model the INF offers.
  std::wstring InstallSection() {
    const auto manufacturer = inf_.Lines(L"Manufacturer");
    if (manufacturer.size() != 1 || manufacturer[0].size() < 3) return L"";
    const auto models = inf_.Lines(manufacturer[0][1] + L"." + manufacturer[0][2]);
    if (models.size() != 1 || models[0].size() < 2) return L"";
    return models[0][1];
  }
  // The files the install section copies: "@file" entries and the lines of file-list
  // sections.
  std::set<std::wstring> CopiedFiles() {
    std::set<std::wstring> files;
    for (const std::wstring& entry : inf_.Fields(InstallSection(), L"CopyFiles")) {
      if (!entry.empty() && entry[0] == L'@') {
        files.insert(Upper(entry.substr(1)));
      } else {
        EXPECT_TRUE(inf_.HasSection(entry)) << "no file list " << platform::Utf16ToUtf8(
                                                  std::u16string(entry.begin(), entry.end()));
        for (const auto& line : inf_.Lines(entry)) files.insert(Upper(line[0]));
      }
    }
    return files;
  }

  InfFile inf_;
};

TEST_F(DriverPackageTest, InfIsAPrinterInf) {
  ASSERT_TRUE(inf_.valid()) << "parse error at line " << inf_.errorLine();
  EXPECT_EQ(inf_.Value(L"Version", L"Signature"), L"$Windows NT$");
  EXPECT_EQ(inf_.Value(L"Version", L"Class"), L"Printer");
  EXPECT_EQ(Upper(inf_.Value(L"Version", L"ClassGUID")),
            L"{4D36E979-E325-11CE-BFC1-08002BE10318}");
  EXPECT_EQ(inf_.Value(L"Version", L"Provider"), L"VESTRAL ORBINE");  // %Vendor% resolved
  EXPECT_EQ(inf_.Value(L"DestinationDirs", L"DefaultDestDir"), L"66000");  // driver directory
  // One manufacturer, decorated for 64-bit Windows, with one model.
  const auto manufacturer = inf_.Lines(L"Manufacturer");
  ASSERT_EQ(manufacturer.size(), 1u);
  ASSERT_EQ(manufacturer[0].size(), 3u);
  EXPECT_EQ(manufacturer[0][0], L"VESTRAL ORBINE");
  EXPECT_EQ(Upper(manufacturer[0][2]), L"NTAMD64");
  EXPECT_EQ(inf_.Lines(manufacturer[0][1] + L"." + manufacturer[0][2])[0][0], L"VRX48T7-PSN PS");
}

TEST_F(DriverPackageTest, ThePostScriptDriverWithThePpdAsItsDataFile) {
  ASSERT_TRUE(inf_.valid());
  const std::wstring install = InstallSection();
  ASSERT_FALSE(install.empty());
  EXPECT_EQ(inf_.Value(install, L"DataSection"), L"PSCRIPT_DATA");
  EXPECT_EQ(inf_.Value(install, L"Include"), L"NTPRINT.INF");
  const auto needs = inf_.Fields(install, L"Needs");
  EXPECT_NE(std::find(needs.begin(), needs.end(), L"PSCRIPT.OEM"), needs.end());
  const std::wstring dataFile = Upper(inf_.Value(install, L"DataFile"));
  EXPECT_EQ(dataFile, L"VRX48T7-PSN.PPD");
  EXPECT_EQ(CopiedFiles().count(dataFile), 1u);
  // The driver's own files come from NTPRINT.INF, not from this package.
  for (const wchar_t* hostFile : {L"DriverFile", L"ConfigFile", L"HelpFile"}) {
    EXPECT_EQ(inf_.Value(install, hostFile), L"") << "the package overrides the driver";
  }
}

TEST_F(DriverPackageTest, FileListsMatchThePackage) {
  ASSERT_TRUE(inf_.valid());
  const std::set<std::wstring> copied = CopiedFiles();
  std::set<std::wstring> sources;
  for (const auto& line : inf_.Lines(L"SourceDisksFiles")) {
    sources.insert(Upper(line[0]));
    ASSERT_EQ(line.size(), 2u);
    EXPECT_FALSE(inf_.Fields(L"SourceDisksNames.amd64", line[1]).empty())
        << "no source disk " << line[1].size();
  }
  std::set<std::wstring> package = PackageFiles();
  package.erase(L"KX48T7.INF");
  EXPECT_EQ(copied, sources);
  EXPECT_EQ(copied, package);
  EXPECT_EQ(copied.count(L"KX48T7PS.DLL"), 1u);
  EXPECT_EQ(copied.count(L"KX48T7.INI"), 1u);
}

TEST_F(DriverPackageTest, ConfigurationFileNamesEveryPluginOfThePackage) {
  const std::wstring ini = (kPackage / L"KX48T7.INI").wstring();
  auto entry = [&](const std::wstring& key) {
    wchar_t value[260] = {};
    ::GetPrivateProfileStringW(L"OEMFiles", key.c_str(), L"", value, 260, ini.c_str());
    return Upper(value);
  };
  EXPECT_EQ(entry(L"OEMDriverFile1"), L"KX48T7PS.DLL");
  EXPECT_EQ(entry(L"OEMDriverFile2"), L"");
  const bool hasUi = PackageFiles().count(L"KX48T7UI.DLL") != 0;
  EXPECT_EQ(entry(L"OEMConfigFile1"), hasUi ? L"KX48T7UI.DLL" : L"");
  EXPECT_EQ(entry(L"OEMConfigFile2"), L"");

  // Every plug-in in the package is named, and every name is a file of the package.
  wchar_t keys[1024] = {};
  const DWORD length =
      ::GetPrivateProfileStringW(L"OEMFiles", nullptr, L"", keys, 1024, ini.c_str());
  std::set<std::wstring> named;
  for (const wchar_t* key = keys; key < keys + length && *key != 0; key += wcslen(key) + 1) {
    named.insert(entry(key));
  }
  std::set<std::wstring> dlls;
  for (const std::wstring& file : PackageFiles()) {
    if (file.size() > 4 && file.substr(file.size() - 4) == L".DLL") dlls.insert(file);
  }
  EXPECT_EQ(named, dlls);
}

// What the printer class installer does with the INF: the spooler copies the PPD, the
// plug-ins and their configuration file into its driver directory. (The host PostScript
// driver itself comes with Windows; under Wine its PostScript driver stands in.)
TEST_F(DriverPackageTest, TheInstalledPluginRendersWithTheInstalledPpd) {
  ASSERT_TRUE(inf_.valid());
  const std::wstring install = InstallSection();
  test::win32::DriverSetup driver;
  driver.name = u"VRX48T7-PSN PS";
  const auto path = [](const fs::path& file) {
    const std::wstring text = file.wstring();
    return std::u16string(text.begin(), text.end());
  };
  driver.dataFile = path(kPackage / inf_.Value(install, L"DataFile"));
  for (const std::wstring& file : CopiedFiles()) {
    if (file != Upper(inf_.Value(install, L"DataFile"))) {
      driver.dependentFiles += path(kPackage / file) + u'\0';
    }
  }
  std::string error;
  ASSERT_TRUE(test::win32::InstallDriver(driver, &error)) << error;
  ASSERT_TRUE(test::win32::InstallPrinter(u"VRX48T7-PSN", driver.name, &error)) << error;

  InstalledDriver installed;
  ASSERT_TRUE(ReadInstalledDriver(u"VRX48T7-PSN", &installed, &error)) << error;
  const std::u16string directory = test::win32::DriverDirectory() + u"\\3\\";
  EXPECT_EQ(installed.dataFile, directory + u"VRX48T7-PSN.PPD");
  const std::set<std::u16string> dependent(installed.dependentFiles.begin(),
                                           installed.dependentFiles.end());
  EXPECT_EQ(dependent.count(directory + u"KX48T7.INI"), 1u);
  EXPECT_EQ(dependent.count(directory + u"KX48T7PS.DLL"), 1u);

  const std::string job = RenderSampleJob(platform::Utf16ToUtf8(directory + u"KX48T7PS.DLL"),
                                          u"VRX48T7-PSN", &error);
  EXPECT_FALSE(job.empty()) << error;
  // The installed PPD (a colour printer) reached the plug-in.
  EXPECT_NE(job.find("/ProcessColorModel /DeviceCMYK"), std::string::npos);
  EXPECT_TRUE(test::win32::RemovePrinter(u"VRX48T7-PSN"));
}

}  // namespace
}  // namespace kx::package
