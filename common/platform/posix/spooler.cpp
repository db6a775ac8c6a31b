// The spooler kept in the machine hive of the registry store. A printer is the key
// Printers\<name> holding its driver's description ("Driver", "Data File", "Port", ...);
// its printer data are the values of the sub-key "PrinterDriverData".

#include <cstring>
#include <mutex>
#include <unordered_set>

#include "platform/last_error.h"
#include "platform/printer_setup.h"
#include "platform/registry.h"
#include "platform/spooler.h"
#include "platform/win32_errors.h"

namespace kx::platform {

namespace {

constexpr char16_t kPrintersKey[] = u"System\\CurrentControlSet\\Control\\Print\\Printers\\";
constexpr char16_t kPrinterDataKey[] = u"\\PrinterDriverData";
constexpr char16_t kEnvironment[] = u"Windows x64";
constexpr uint32_t kDriverVersion = 3;
constexpr size_t kMaxPrinterNameLength = 220;

// Printer values that describe the driver.
constexpr char16_t kNameValue[] = u"Name";
constexpr char16_t kDriverValue[] = u"Driver";
constexpr char16_t kDataFileValue[] = u"Data File";
constexpr char16_t kPortValue[] = u"Port";
constexpr char16_t kDriverPathValue[] = u"Driver Path";
constexpr char16_t kConfigFileValue[] = u"Configuration File";
constexpr char16_t kHelpFileValue[] = u"Help File";
constexpr char16_t kDependentFilesValue[] = u"Dependent Files";
constexpr char16_t kMonitorValue[] = u"Monitor";
constexpr char16_t kDatatypeValue[] = u"Datatype";

struct Printer {
  std::u16string name;
};

// The printer handles currently open, so that a stale or foreign handle is refused
// instead of being followed.
class PrinterHandles {
 public:
  PrinterHandle Add(std::u16string name) {
    auto* printer = new Printer{std::move(name)};
    std::lock_guard lock(mutex_);
    open_.insert(printer);
    return printer;
  }

  // The printer's name, or false when the handle is not open.
  bool Lookup(PrinterHandle handle, std::u16string* name) const {
    std::lock_guard lock(mutex_);
    const auto found = open_.find(static_cast<Printer*>(handle));
    if (found == open_.end()) return false;
    *name = (*found)->name;
    return true;
  }

  bool Remove(PrinterHandle handle) {
    Printer* printer = static_cast<Printer*>(handle);
    {
      std::lock_guard lock(mutex_);
      if (open_.erase(printer) == 0) return false;
    }
    delete printer;
    return true;
  }

 private:
  mutable std::mutex mutex_;
  std::unordered_set<Printer*> open_;
};

PrinterHandles& Handles() {
  static PrinterHandles* handles = new PrinterHandles;  // outlives every caller
  return *handles;
}

bool IsValidPrinterName(const std::u16string& name) {
  return !name.empty() && name.size() <= kMaxPrinterNameLength &&
         name.find_first_of(u"\\,") == std::u16string::npos &&
         name.find(u'\0') == std::u16string::npos;
}

std::u16string PrinterPath(const std::u16string& name) { return kPrintersKey + name; }

// A REG_SZ value as text, without its terminating NUL; false when it is absent.
bool ReadString(const RegistryKey& key, const char16_t* name, std::u16string* text) {
  uint32_t size = 0;
  uint32_t type = 0;
  if (key.QueryValue(name, &type, nullptr, &size) != kErrorSuccess) return false;
  std::u16string value(size / sizeof(char16_t), u'\0');
  if (key.QueryValue(name, &type, reinterpret_cast<uint8_t*>(value.data()), &size) !=
      kErrorSuccess) {
    return false;
  }
  value.resize(size / sizeof(char16_t));
  while (!value.empty() && value.back() == u'\0') value.pop_back();
  *text = std::move(value);
  return true;
}

uint32_t WriteString(RegistryKey& key, const char16_t* name, const std::u16string& text) {
  return key.SetValue(name, kRegSz, reinterpret_cast<const uint8_t*>(text.c_str()),
                      static_cast<uint32_t>((text.size() + 1) * sizeof(char16_t)));
}

// Opens the printer's key, with the last error set when the handle or printer is gone.
bool OpenPrinterKey(PrinterHandle printer, const std::u16string& suffix,
                    std::unique_ptr<RegistryKey>* key, uint32_t* error) {
  std::u16string name;
  if (!Handles().Lookup(printer, &name)) {
    *error = kErrorInvalidHandle;
    return false;
  }
  *error = OpenRegistryKey(Hive::kLocalMachine, PrinterPath(name) + suffix, key);
  return *error == kErrorSuccess;
}

// Lays out DRIVER_INFO_3W: the structure first, then its strings, which it points to.
class DriverInfoLayout {
 public:
  // Adds a string (or a list of strings, each ending in NUL, ending in an extra NUL);
  // an absent optional string stays a null pointer.
  void Add(char16_t* DriverInfo3::*field, const std::u16string* text, bool list = false) {
    if (text == nullptr) return;
    fields_.push_back({field, strings_.size()});
    strings_ += *text;
    strings_.push_back(u'\0');
    if (list) strings_.push_back(u'\0');
  }

  uint32_t Size() const {
    return static_cast<uint32_t>(sizeof(DriverInfo3) + strings_.size() * sizeof(char16_t));
  }

  void Write(uint8_t* buffer) const {
    DriverInfo3 info{};
    info.version = kDriverVersion;
    uint8_t* strings = buffer + sizeof(DriverInfo3);
    for (const Field& field : fields_) {
      info.*(field.member) =
          reinterpret_cast<char16_t*>(strings + field.offset * sizeof(char16_t));
    }
    // The caller's buffer need not be aligned for the structure.
    std::memcpy(buffer, &info, sizeof info);
    std::memcpy(strings, strings_.data(), strings_.size() * sizeof(char16_t));
  }

 private:
  struct Field {
    char16_t* DriverInfo3::*member;
    size_t offset;
  };
  std::vector<Field> fields_;
  std::u16string strings_;
};

}  // namespace

bool OpenPrinter(const std::u16string& name, PrinterHandle* printer, PrinterAccess) {
  if (printer == nullptr) {
    SetLastErrorCode(kErrorInvalidParameter);
    return false;
  }
  std::unique_ptr<RegistryKey> key;
  if (!IsValidPrinterName(name) ||
      OpenRegistryKey(Hive::kLocalMachine, PrinterPath(name), &key) != kErrorSuccess) {
    SetLastErrorCode(kErrorInvalidPrinterName);
    return false;
  }
  *printer = Handles().Add(name);
  return true;
}

bool ClosePrinter(PrinterHandle printer) {
  if (!Handles().Remove(printer)) {
    SetLastErrorCode(kErrorInvalidHandle);
    return false;
  }
  return true;
}

bool GetPrinterDriver(PrinterHandle printer, uint32_t level, uint8_t* buffer, uint32_t size,
                      uint32_t* needed) {
  std::unique_ptr<RegistryKey> key;
  uint32_t error = kErrorSuccess;
  if (!OpenPrinterKey(printer, u"", &key, &error)) {
    SetLastErrorCode(error == kErrorFileNotFound ? kErrorInvalidPrinterName : error);
    return false;
  }
  if (level != 3) {
    SetLastErrorCode(kErrorInvalidLevel);
    return false;
  }
  if (needed == nullptr || (buffer == nullptr && size > 0)) {
    SetLastErrorCode(kErrorInvalidParameter);
    return false;
  }

  std::u16string driver, dataFile, driverPath, configFile, helpFile, dependentFiles, monitor,
      datatype;
  ReadString(*key, kDriverValue, &driver);
  ReadString(*key, kDataFileValue, &dataFile);
  ReadString(*key, kDriverPathValue, &driverPath);
  ReadString(*key, kConfigFileValue, &configFile);
  const std::u16string environment = kEnvironment;
  DriverInfoLayout layout;
  layout.Add(&DriverInfo3::name, &driver);
  layout.Add(&DriverInfo3::environment, &environment);
  layout.Add(&DriverInfo3::driverPath, &driverPath);
  layout.Add(&DriverInfo3::dataFile, &dataFile);
  layout.Add(&DriverInfo3::configFile, &configFile);
  layout.Add(&DriverInfo3::helpFile, ReadString(*key, kHelpFileValue, &helpFile) ? &helpFile
                                                                                 : nullptr);
  layout.Add(&DriverInfo3::dependentFiles,
             ReadString(*key, kDependentFilesValue, &dependentFiles) ? &dependentFiles : nullptr,
             true);
  layout.Add(&DriverInfo3::monitorName,
             ReadString(*key, kMonitorValue, &monitor) ? &monitor : nullptr);
  layout.Add(&DriverInfo3::defaultDataType,
             ReadString(*key, kDatatypeValue, &datatype) ? &datatype : nullptr);

  *needed = layout.Size();
  if (size < *needed) {
    SetLastErrorCode(kErrorInsufficientBuffer);
    return false;
  }
  layout.Write(buffer);
  return true;
}

uint32_t GetPrinterData(PrinterHandle printer, const std::u16string& valueName, uint32_t* type,
                        uint8_t* data, uint32_t size, uint32_t* needed) {
  std::u16string name;
  if (!Handles().Lookup(printer, &name)) return kErrorInvalidHandle;
  if (needed == nullptr || (data == nullptr && size > 0)) return kErrorInvalidParameter;
  std::unique_ptr<RegistryKey> key;
  uint32_t error = OpenRegistryKey(Hive::kLocalMachine, PrinterPath(name) + kPrinterDataKey, &key);
  if (error != kErrorSuccess) return error;
  uint32_t valueType = 0;
  uint32_t valueSize = 0;
  if ((error = key->QueryValue(valueName, &valueType, nullptr, &valueSize))) return error;
  if (type != nullptr) *type = valueType;
  *needed = valueSize;
  if (size < valueSize) return kErrorMoreData;
  if (valueSize == 0) return kErrorSuccess;
  uint32_t copied = size;
  error = key->QueryValue(valueName, &valueType, data, &copied);
  if (error == kErrorSuccess) {
    // The value may have changed between the two reads.
    if (type != nullptr) *type = valueType;
    *needed = copied;
  } else if (error == kErrorMoreData) {
    *needed = copied;
  }
  return error;
}

uint32_t SetPrinterData(PrinterHandle printer, const std::u16string& valueName, uint32_t type,
                        const uint8_t* data, uint32_t size) {
  std::u16string name;
  if (!Handles().Lookup(printer, &name)) return kErrorInvalidHandle;
  if (data == nullptr && size > 0) return kErrorInvalidParameter;
  std::unique_ptr<RegistryKey> printerKey;
  if (OpenRegistryKey(Hive::kLocalMachine, PrinterPath(name), &printerKey) != kErrorSuccess) {
    return kErrorInvalidPrinterName;
  }
  std::unique_ptr<RegistryKey> key;
  uint32_t error =
      CreateRegistryKey(Hive::kLocalMachine, PrinterPath(name) + kPrinterDataKey, &key, nullptr);
  if (error != kErrorSuccess) return error;
  return key->SetValue(valueName, type, data, size);
}

bool InstallPrinter(const PrinterSetup& setup) {
  if (!IsValidPrinterName(setup.name)) {
    SetLastErrorCode(kErrorInvalidPrinterName);
    return false;
  }
  std::unique_ptr<RegistryKey> key;
  uint32_t error = CreateRegistryKey(Hive::kLocalMachine, PrinterPath(setup.name), &key, nullptr);
  const std::pair<const char16_t*, const std::u16string*> values[] = {
      {kNameValue, &setup.name},
      {kDriverValue, &setup.driverName},
      {kDataFileValue, &setup.dataFile},
      {kPortValue, &setup.portName},
  };
  for (const auto& [valueName, text] : values) {
    if (error != kErrorSuccess) break;
    error = WriteString(*key, valueName, *text);
  }
  if (error != kErrorSuccess) {
    SetLastErrorCode(error);
    return false;
  }
  return true;
}

bool RemovePrinter(const std::u16string& name) {
  if (!IsValidPrinterName(name)) {
    SetLastErrorCode(kErrorInvalidPrinterName);
    return false;
  }
  const uint32_t error = DeleteRegistryTree(Hive::kLocalMachine, PrinterPath(name));
  if (error != kErrorSuccess) {
    SetLastErrorCode(error == kErrorFileNotFound ? kErrorInvalidPrinterName : error);
    return false;
  }
  return true;
}

}  // namespace kx::platform
