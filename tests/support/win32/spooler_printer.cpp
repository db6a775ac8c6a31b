#include "support/win32/spooler_printer.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>

#include <algorithm>

#include "platform/text.h"

namespace kx::test::win32 {
namespace {

constexpr wchar_t kDriversKey[] =
    L"System\\CurrentControlSet\\Control\\Print\\Environments\\Windows x64\\Drivers\\Version-3\\";
// Wine's PostScript driver, which is also its own configuration DLL (the spooler loads the
// configuration DLL and calls its DrvDocumentPropertySheets when a printer is added).
constexpr wchar_t kHostDriver[] = L"wineps.drv";

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
wchar_t* MutableWide(std::u16string& text) { return reinterpret_cast<wchar_t*>(text.data()); }

std::string Failed(const char* call, const std::u16string& subject, DWORD code) {
  return std::string(call) + "(" + platform::Utf16ToUtf8(subject) + ") failed: error " +
         std::to_string(code);
}

std::u16string FileName(const std::u16string& path) {
  const size_t slash = path.find_last_of(u"\\/");
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

// Copies `source` into the driver directory, where AddPrinterDriverExW takes it from.
bool StageFile(const std::u16string& source, std::string* error) {
  const std::u16string target = DriverDirectory() + u"\\" + FileName(source);
  if (!::CopyFileW(Wide(source), Wide(target), FALSE)) {
    *error = Failed("CopyFileW", source, ::GetLastError());
    return false;
  }
  return true;
}

}  // namespace

std::u16string DriverDirectory() {
  wchar_t directory[MAX_PATH] = {};
  DWORD needed = 0;
  if (!::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                                    sizeof directory, &needed)) {
    return {};
  }
  return reinterpret_cast<const char16_t*>(directory);
}

bool InstallDriver(const DriverSetup& setup, std::string* error) {
  if (!StageFile(setup.dataFile, error)) return false;
  std::u16string dependent;  // file names only, NUL-separated, double NUL at the end
  for (size_t start = 0; start < setup.dependentFiles.size();) {
    size_t end = setup.dependentFiles.find(u'\0', start);
    if (end == std::u16string::npos) end = setup.dependentFiles.size();
    const std::u16string file = setup.dependentFiles.substr(start, end - start);
    if (!file.empty()) {
      if (!StageFile(file, error)) return false;
      dependent += FileName(file) + u'\0';
    }
    start = end + 1;
  }
  dependent += u'\0';

  std::u16string name = setup.name;
  std::u16string environment = u"Windows x64";
  std::u16string driver = reinterpret_cast<const char16_t*>(kHostDriver);
  std::u16string config = driver;
  std::u16string dataFile = FileName(setup.dataFile);
  DRIVER_INFO_3W info{};
  info.cVersion = 3;
  info.pName = MutableWide(name);
  info.pEnvironment = MutableWide(environment);
  info.pDriverPath = MutableWide(driver);
  info.pConfigFile = MutableWide(config);
  info.pDataFile = MutableWide(dataFile);
  info.pDependentFiles = dependent.size() > 1 ? MutableWide(dependent) : nullptr;
  if (!::AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info),
                             APD_COPY_ALL_FILES)) {
    *error = Failed("AddPrinterDriverExW", setup.name, ::GetLastError());
    return false;
  }
  return true;
}

bool SetDriverDataFile(const std::u16string& driverName, const std::u16string& path,
                       std::string* error) {
  const std::wstring keyPath = std::wstring(kDriversKey) + Wide(driverName);
  HKEY key = nullptr;
  LONG result = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_SET_VALUE, &key);
  if (result != ERROR_SUCCESS) {
    *error = Failed("RegOpenKeyExW", driverName, static_cast<DWORD>(result));
    return false;
  }
  // The spooler takes a value without a backslash for a file name in its driver
  // directory, so the path is kept with Windows separators only.
  std::u16string value = path;
  std::replace(value.begin(), value.end(), u'/', u'\\');
  if (value.empty()) {
    result = ::RegDeleteValueW(key, L"Data File");
    if (result == ERROR_FILE_NOT_FOUND) result = ERROR_SUCCESS;
  } else {
    result = ::RegSetValueExW(key, L"Data File", 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
  }
  ::RegCloseKey(key);
  if (result != ERROR_SUCCESS) {
    *error = Failed("RegSetValueExW", driverName, static_cast<DWORD>(result));
    return false;
  }
  return true;
}

bool RemovePrinter(const std::u16string& name) {
  std::u16string printerName = name;
  HANDLE printer = nullptr;
  if (!::OpenPrinterW(MutableWide(printerName), &printer, nullptr)) {
    return ::GetLastError() == ERROR_INVALID_PRINTER_NAME;
  }
  const BOOL deleted = ::DeletePrinter(printer);
  ::ClosePrinter(printer);
  return deleted != FALSE;
}

bool InstallPrinter(const std::u16string& name, const std::u16string& driverName,
                std::string* error) {
  if (!RemovePrinter(name)) {
    *error = Failed("DeletePrinter", name, ::GetLastError());
    return false;
  }
  std::u16string printerName = name;
  std::u16string driver = driverName;
  std::u16string port = u"FILE:";
  std::u16string processor = u"winprint";
  std::u16string datatype = u"RAW";
  PRINTER_INFO_2W info{};
  info.pPrinterName = MutableWide(printerName);
  info.pPortName = MutableWide(port);
  info.pDriverName = MutableWide(driver);
  info.pPrintProcessor = MutableWide(processor);
  info.pDatatype = MutableWide(datatype);
  HANDLE printer = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) {
    *error = Failed("AddPrinterW", name, ::GetLastError());
    return false;
  }
  ::ClosePrinter(printer);
  return true;
}

}  // namespace kx::test::win32
