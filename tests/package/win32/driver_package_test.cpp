// The driver package as Windows reads it: the INF through the system's INF parser
// (SetupAPI), the plug-in configuration file through the profile functions, the files in
// the package folder, and the driver installed from those files by the spooler.
#include <gtest/gtest.h>

#include "inf_file.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "help_path.h"
#include "installed_job.h"
#include "platform/text.h"
#include "support/win32/spooler_printer.h"

namespace kx::package {
namespace {

namespace fs = std::filesystem;

const fs::path kPackage = fs::path(platform::Utf8ToUtf16(KX48T7_PACKAGE_DIR));

// The core driver GUID under which the system's NTPRINT.INF defines its PostScript
// printer driver (Microsoft's printer driver documentation, "core drivers").
constexpr wchar_t kPostScriptCoreDriver[] = L"{D20EA372-DD35-4950-9ED8-A6335AFE79F1}";
// The printer class installer's directory id for the spooler's driver directory.
constexpr wchar_t kDriverDirectoryId[] = L"66000";

// File names compare as Windows compares them.
std::wstring Upper(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
  return text;
}

std::string Narrow(const std::wstring& text) {
  return platform::Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

std::u16string Utf16(const std::wstring& text) { return {text.begin(), text.end()}; }

std::wstring Key(const fs::path& relative) { return Upper(relative.lexically_normal().wstring()); }

// Every file of the package folder, as a path relative to it.
std::set<std::wstring> PackageFiles() {
  std::set<std::wstring> files;
  for (const auto& entry : fs::recursive_directory_iterator(kPackage)) {
    if (entry.is_regular_file()) files.insert(Key(fs::relative(entry.path(), kPackage)));
  }
  return files;
}

// The topic of a help page named <topic id>.html; nothing for any other name.
std::optional<int> TopicOf(const std::wstring& file) {
  const fs::path name(file);
  const std::wstring stem = name.stem().wstring();
  if (Upper(name.extension().wstring()) != L".HTML" || stem.empty() || stem.size() > 9 ||
      !std::all_of(stem.begin(), stem.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
    return std::nullopt;
  }
  return std::stoi(stem);
}

std::vector<std::wstring> SplitAtCommas(const std::wstring& text) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (size_t comma; (comma = text.find(L',', start)) != std::wstring::npos; start = comma + 1) {
    parts.push_back(text.substr(start, comma - start));
  }
  parts.push_back(text.substr(start));
  for (std::wstring& part : parts) {
    part.erase(0, part.find_first_not_of(L' '));
    part.erase(part.find_last_not_of(L' ') + 1);
  }
  return parts;
}

// One file the model's install section copies, with the folder it lands in (relative to
// the driver directory; empty for the directory itself).
struct CopiedFile {
  std::wstring name;
  std::wstring folder;
};

class DriverPackageTest : public ::testing::Test {
 protected:
  // The install section of the one model the INF offers.
  std::wstring InstallSection() const {
    const auto manufacturer = inf_.Lines(L"Manufacturer");
    if (manufacturer.size() != 1 || manufacturer[0].size() < 3) return L"";
    const auto models = inf_.Lines(manufacturer[0][1] + L"." + manufacturer[0][2]);
    if (models.size() != 1 || models[0].size() < 2) return L"";
    return models[0][1];
  }
  // Where a file list lands: its DestinationDirs entry or the default one, which must be
  // the driver directory or a folder in it.
  std::wstring DestinationFolder(const std::wstring& list) const {
    std::vector<std::wstring> destination = inf_.Fields(L"DestinationDirs", list);
    if (destination.empty()) destination = inf_.Fields(L"DestinationDirs", L"DefaultDestDir");
    EXPECT_FALSE(destination.empty()) << "no destination for " << Narrow(list);
    if (destination.empty()) return L"";
    EXPECT_EQ(destination[0], kDriverDirectoryId) << Narrow(list);
    return destination.size() > 1 ? destination[1] : L"";
  }
  // The files the install section copies: "@file" entries and the lines of file-list
  // sections.
  std::vector<CopiedFile> CopiedFiles() const {
    std::vector<CopiedFile> files;
    for (const std::wstring& entry : inf_.Fields(InstallSection(), L"CopyFiles")) {
      if (!entry.empty() && entry[0] == L'@') {
        files.push_back({entry.substr(1), DestinationFolder(L"DefaultDestDir")});
        continue;
      }
      EXPECT_TRUE(inf_.HasSection(entry)) << "no file list " << Narrow(entry);
      const std::wstring folder = DestinationFolder(entry);
      for (const auto& line : inf_.Lines(entry)) files.push_back({line[0], folder});
    }
    return files;
  }
  std::set<std::wstring> CopiedNames() const {
    std::set<std::wstring> names;
    for (const CopiedFile& file : CopiedFiles()) names.insert(Upper(file.name));
    return names;
  }

  InfFile inf_{kPackage / L"KX48T7.INF"};
};

TEST_F(DriverPackageTest, InfIsAPrinterInf) {
  ASSERT_TRUE(inf_.valid()) << "parse error at line " << inf_.errorLine();
  EXPECT_EQ(inf_.Value(L"Version", L"Signature"), L"$Windows NT$");
  EXPECT_EQ(inf_.Value(L"Version", L"Class"), L"Printer");
  EXPECT_EQ(Upper(inf_.Value(L"Version", L"ClassGUID")),
            L"{4D36E979-E325-11CE-BFC1-08002BE10318}");
  EXPECT_EQ(inf_.Value(L"Version", L"Provider"), L"VESTRAL ORBINE");  // %Vendor% resolved
  EXPECT_EQ(inf_.Value(L"DestinationDirs", L"DefaultDestDir"), kDriverDirectoryId);
  // One manufacturer, decorated for 64-bit Windows, with one model.
  const auto manufacturer = inf_.Lines(L"Manufacturer");
  ASSERT_EQ(manufacturer.size(), 1u);
  ASSERT_EQ(manufacturer[0].size(), 3u);
  EXPECT_EQ(manufacturer[0][0], L"VESTRAL ORBINE");
  EXPECT_EQ(Upper(manufacturer[0][2]), L"NTAMD64");
  EXPECT_EQ(inf_.Lines(manufacturer[0][1] + L"." + manufacturer[0][2])[0][0], L"VRX48T7-PSN PS");
}

// A package-aware driver takes the PostScript driver as a core driver, by its GUID, with
// the install and data sections the core driver's INF defines; it neither includes
// NTPRINT.INF nor names a data section of its own.
TEST_F(DriverPackageTest, ThePostScriptCoreDriverWithThePpdAsItsDataFile) {
  ASSERT_TRUE(inf_.valid());
  const std::wstring install = InstallSection();
  ASSERT_FALSE(install.empty());
  const auto coreSections = inf_.Fields(install, L"CoreDriverSections");
  ASSERT_EQ(coreSections.size(), 1u) << "one core driver, quoted as one field";
  const auto parts = SplitAtCommas(coreSections[0]);
  ASSERT_GE(parts.size(), 3u);
  EXPECT_EQ(Upper(parts[0]), kPostScriptCoreDriver);
  EXPECT_EQ(std::vector<std::wstring>(parts.begin() + 1, parts.end()),
            (std::vector<std::wstring>{L"PSCRIPT.OEM", L"PSCRIPT_DATA"}));
  for (const wchar_t* replaced : {L"Include", L"Needs", L"DataSection"}) {
    SCOPED_TRACE(Narrow(replaced));
    EXPECT_TRUE(inf_.Fields(install, replaced).empty());
  }
  const std::wstring dataFile = Upper(inf_.Value(install, L"DataFile"));
  EXPECT_EQ(dataFile, L"VRX48T7-PSN.PPD");
  EXPECT_EQ(CopiedNames().count(dataFile), 1u);
  // The driver's own files come from the core driver, not from this package.
  for (const wchar_t* hostFile : {L"DriverFile", L"ConfigFile", L"HelpFile"}) {
    EXPECT_EQ(inf_.Value(install, hostFile), L"") << "the package overrides the driver";
  }
}

// What lets a print server hand the driver to its clients (Point and Print): the package
// section for the architecture the models are decorated for, naming every core driver
// the install section builds on.
TEST_F(DriverPackageTest, PackageAwareForPointAndPrint) {
  ASSERT_TRUE(inf_.valid());
  const auto manufacturer = inf_.Lines(L"Manufacturer");
  ASSERT_EQ(manufacturer.size(), 1u);
  ASSERT_EQ(manufacturer[0].size(), 3u);
  // NTamd64 models, [PrinterPackageInstallation.amd64].
  const std::wstring architecture = Upper(manufacturer[0][2]).substr(2);
  const std::wstring package = L"PrinterPackageInstallation." + architecture;
  ASSERT_TRUE(inf_.HasSection(package)) << Narrow(package);
  EXPECT_EQ(Upper(inf_.Value(package, L"PackageAware")), L"TRUE");

  std::set<std::wstring> dependencies;
  for (const std::wstring& guid : inf_.Fields(package, L"CoreDriverDependencies")) {
    dependencies.insert(Upper(guid));
  }
  EXPECT_EQ(dependencies.count(kPostScriptCoreDriver), 1u);
  for (const std::wstring& core : inf_.Fields(InstallSection(), L"CoreDriverSections")) {
    const std::wstring guid = Upper(SplitAtCommas(core)[0]);
    EXPECT_EQ(dependencies.count(guid), 1u) << "core driver not declared: " << Narrow(guid);
  }
}

// Every file the model installs comes from the package, and every file of the package
// (but the INF itself) is installed: the plug-ins, their configuration file, the PPD and
// the help pages.
TEST_F(DriverPackageTest, FileListsMatchThePackage) {
  ASSERT_TRUE(inf_.valid());
  std::set<std::wstring> package = PackageFiles();
  package.erase(L"KX48T7.INF");
  std::set<std::wstring> sources;
  for (const CopiedFile& file : CopiedFiles()) {
    SCOPED_TRACE(Narrow(file.name));
    const auto source = inf_.SourceOf(file.name);
    ASSERT_TRUE(source.has_value()) << "no source";
    EXPECT_TRUE(fs::is_regular_file(kPackage / *source)) << Narrow(source->wstring());
    sources.insert(Key(*source));
  }
  EXPECT_EQ(sources, package);

  // Nothing is listed as a source that is not installed.
  std::set<std::wstring> listed;
  for (const auto& line : inf_.Lines(L"SourceDisksFiles")) listed.insert(Upper(line[0]));
  EXPECT_EQ(listed, CopiedNames());

  for (const wchar_t* file : {L"KX48T7PS.DLL", L"KX48T7UI.DLL", L"KX48T7.INI"}) {
    EXPECT_EQ(CopiedNames().count(file), 1u) << Narrow(file);
  }
}

// The help pages land where the installed UI plug-in opens them: in the folder it
// computes beside its own module in the driver directory, under the names it computes for
// their topics.
TEST_F(DriverPackageTest, HelpPagesLandWhereTheInstalledPluginLooks) {
  ASSERT_TRUE(inf_.valid());
  const std::u16string directory = test::win32::DriverDirectory() + u"\\3\\";
  std::map<std::wstring, std::wstring> folderOf;
  for (const CopiedFile& file : CopiedFiles()) folderOf[Upper(file.name)] = file.folder;
  ASSERT_EQ(folderOf.count(L"KX48T7UI.DLL"), 1u);
  ASSERT_EQ(folderOf[L"KX48T7UI.DLL"], L"") << "the plug-in is a dependent file";
  const std::u16string root =
      ui::HelpRootFor(directory + u"KX48T7UI.DLL", u"C:\\Windows\\System32");

  size_t pages = 0;
  for (const CopiedFile& file : CopiedFiles()) {
    if (file.folder.empty()) continue;
    SCOPED_TRACE(Narrow(file.name));
    const std::optional<int> topic = TopicOf(file.name);
    ASSERT_TRUE(topic.has_value()) << "not a help page";
    ++pages;
    EXPECT_EQ(ui::TopicPage(root, *topic),
              directory + Utf16(file.folder) + u"\\" + Utf16(file.name));
  }
  EXPECT_GT(pages, 0u);
}

TEST_F(DriverPackageTest, ConfigurationFileNamesEveryPluginOfThePackage) {
  const std::wstring ini = (kPackage / L"KX48T7.INI").wstring();
  auto entry = [&](const std::wstring& key) {
    wchar_t value[260] = {};
    ::GetPrivateProfileStringW(L"OEMFiles", key.c_str(), L"", value, 260, ini.c_str());
    return Upper(value);
  };
  EXPECT_EQ(entry(L"OEMDriverFile1"), L"KX48T7PS.DLL");
  EXPECT_EQ(entry(L"OEMConfigFile1"), L"KX48T7UI.DLL");
  EXPECT_EQ(entry(L"OEMDriverFile2"), L"");
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

// What the printer class installer does with the INF: the files of the driver directory
// become the driver's data and dependent files (the spooler copies them into its driver
// directory), and a file list with a folder of its own is copied into that folder there.
// The host PostScript driver itself comes with Windows; under Wine its PostScript driver
// stands in.
TEST_F(DriverPackageTest, TheInstalledPluginsRenderWithTheInstalledPpdAndFindTheirHelp) {
  ASSERT_TRUE(inf_.valid());
  const std::wstring install = InstallSection();
  const std::wstring dataFile = inf_.Value(install, L"DataFile");
  test::win32::DriverSetup driver;
  driver.name = u"VRX48T7-PSN PS";
  const auto source = [&](const std::wstring& file) {
    return Utf16((kPackage / inf_.SourceOf(file).value_or(file)).wstring());
  };
  driver.dataFile = source(dataFile);
  std::vector<CopiedFile> inFolders;
  for (const CopiedFile& file : CopiedFiles()) {
    if (!file.folder.empty()) {
      inFolders.push_back(file);
    } else if (Upper(file.name) != Upper(dataFile)) {
      driver.dependentFiles += source(file.name) + u'\0';
    }
  }
  // Where the installed UI plug-in will look for its help: empty before the installation.
  const std::u16string directory = test::win32::DriverDirectory() + u"\\3\\";
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  const std::u16string root = ui::HelpRootFor(directory + u"KX48T7UI.DLL", Utf16(system));
  fs::remove_all(fs::path(root));

  std::string error;
  ASSERT_TRUE(test::win32::InstallDriver(driver, &error)) << error;
  for (const CopiedFile& file : inFolders) {
    const fs::path target = fs::path(directory) / file.folder / file.name;
    fs::create_directories(target.parent_path());
    fs::copy_file(kPackage / inf_.SourceOf(file.name).value_or(file.name), target,
                  fs::copy_options::overwrite_existing);
  }
  ASSERT_TRUE(test::win32::InstallPrinter(u"VRX48T7-PSN", driver.name, &error)) << error;

  InstalledDriver installed;
  ASSERT_TRUE(ReadInstalledDriver(u"VRX48T7-PSN", &installed, &error)) << error;
  EXPECT_EQ(installed.dataFile, directory + u"VRX48T7-PSN.PPD");
  const std::set<std::u16string> dependent(installed.dependentFiles.begin(),
                                           installed.dependentFiles.end());
  for (const char16_t* file : {u"KX48T7.INI", u"KX48T7PS.DLL", u"KX48T7UI.DLL"}) {
    EXPECT_EQ(dependent.count(directory + file), 1u) << platform::Utf16ToUtf8(file);
  }

  // The installed UI plug-in finds every page installed beside it.
  EXPECT_FALSE(inFolders.empty());
  for (const CopiedFile& file : inFolders) {
    SCOPED_TRACE(Narrow(file.name));
    const std::optional<int> topic = TopicOf(file.name);
    ASSERT_TRUE(topic.has_value());
    EXPECT_TRUE(fs::is_regular_file(fs::path(ui::TopicPage(root, *topic))));
  }

  const std::string job = RenderSampleJob(platform::Utf16ToUtf8(directory + u"KX48T7PS.DLL"),
                                          u"VRX48T7-PSN", &error);
  EXPECT_FALSE(job.empty()) << error;
  // The installed PPD (a colour printer) reached the plug-in.
  EXPECT_NE(job.find("/ProcessColorModel /DeviceCMYK"), std::string::npos);
  EXPECT_TRUE(test::win32::RemovePrinter(u"VRX48T7-PSN"));
}

}  // namespace
}  // namespace kx::package
