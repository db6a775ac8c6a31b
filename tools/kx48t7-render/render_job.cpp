#include "render_job.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>

#include "hostsim/document_copier.h"
#include "hostsim/host_device.h"
#include "hostsim/plugin_module.h"
#include "hostsim/render_session.h"
#include "hostsim/warning_log.h"
#include "platform/printer_setup.h"
#include "platform/registry.h"
#include "platform/spooler.h"
#include "platform/store.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "settings/field_table.h"
#include "stored_settings.h"

namespace kx::render {
namespace {

namespace fs = std::filesystem;

constexpr char16_t kPrinterName[] = u"KX48T7 Render";

// The job's own printer lives in a temporary store of its own that is gone afterwards, so
// that a job writes nothing into the user's store and pays for no syncs; the printer the
// job is for (--printer) is only read, before the switch.
class ScratchStore {
 public:
  ScratchStore() {
    if (const char* previous = std::getenv(platform::kStoreEnvironmentVariable)) {
      previous_ = previous;
    }
    std::random_device random;
    std::error_code error;
    for (int attempt = 0; attempt < 100 && temporary_.empty(); ++attempt) {
      fs::path candidate = fs::temp_directory_path(error) /
                           ("kx48t7-render-" + std::to_string(random()));
      if (fs::create_directory(candidate, error)) temporary_ = candidate;
    }
    if (temporary_.empty()) return;
    platform::MarkScratchStore(temporary_.string());
    platform::UseStoreDirectory(temporary_.string());
  }
  ~ScratchStore() {
    if (temporary_.empty()) return;
    if (previous_) {
      platform::UseStoreDirectory(*previous_);
    } else {
      unsetenv(platform::kStoreEnvironmentVariable);
    }
    std::error_code error;
    fs::remove_all(temporary_, error);
  }
  ScratchStore(const ScratchStore&) = delete;
  ScratchStore& operator=(const ScratchStore&) = delete;

 private:
  fs::path temporary_;
  std::optional<std::string> previous_;
};

bool ReadFile(const std::string& path, std::string* contents) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  contents->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

bool WriteFile(const std::string& path, std::string_view contents) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  return static_cast<bool>(file);
}

std::optional<Failure> ReadDocument(const RenderOptions& options, std::istream& in,
                                    std::string* document) {
  if (!options.document) {
    *document = hostsim::SampleDocument(options.samplePages);
  } else if (*options.document == "-") {
    document->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } else if (!ReadFile(*options.document, document)) {
    return Failure{kExitFailure, "cannot read the document " + *options.document};
  }
  return std::nullopt;
}

std::optional<Failure> ReadRecord(const RenderOptions& options, std::vector<uint8_t>* record) {
  if (!options.recordIn) return std::nullopt;
  std::string bytes;
  if (!ReadFile(*options.recordIn, &bytes)) {
    return Failure{kExitFailure, "cannot read the record " + *options.recordIn};
  }
  if (bytes.size() != settings::kRecordSize) {
    return Failure{kExitFailure, *options.recordIn + ": a private settings record has " +
                                     std::to_string(settings::kRecordSize) + " bytes, this has " +
                                     std::to_string(bytes.size())};
  }
  record->assign(bytes.begin(), bytes.end());
  return std::nullopt;
}

std::optional<settings::DeviceText> CopiedDeviceText(const std::string& field) {
  if (field == "userName") return settings::DeviceText::kUserName;
  if (field == "hostName") return settings::DeviceText::kHostName;
  if (field == "chargeNumber") return settings::DeviceText::kChargeNumber;
  return std::nullopt;
}

std::optional<Failure> ApplyFieldSettings(const RenderOptions& options,
                                          settings::PrivateRecord* record) {
  for (const auto& [name, value] : options.fieldSettings) {
    const settings::RecordField* field = settings::FindRecordField(name);
    if (field == nullptr) return Failure{kExitUsage, "--set: unknown field \"" + name + "\""};
    std::string error;
    if (!settings::SetRecordField(record, *field, value, &error)) {
      return Failure{kExitUsage, "--set " + error};
    }
    if (auto text = CopiedDeviceText(name)) settings::FillDeviceTextCopies(&record->devOpts, *text);
  }
  return std::nullopt;
}

void PrintRecord(const settings::PrivateRecord& record, std::ostream& out) {
  for (const settings::RecordField& field : settings::RecordFields()) {
    if (!field.alias) out << field.name << '=' << settings::FormatRecordField(record, field) << '\n';
  }
}

bool JobNameIsSet(const RenderOptions& options) {
  for (const auto& setting : options.fieldSettings) {
    if (setting.first == "jobName") return true;
  }
  return false;
}

// The name the start of the document carries, or none.
std::optional<std::u16string> DocumentName(const RenderOptions& options) {
  if (options.documentName) return platform::Utf8ToUtf16(*options.documentName);
  if (JobNameIsSet(options)) return std::nullopt;
  if (options.document && *options.document != "-") {
    return platform::Utf8ToUtf16(fs::path(*options.document).filename().string());
  }
  return u"Sample";
}

std::string PluginPath(const RenderOptions& options) {
  if (options.plugin) return *options.plugin;
  if (const char* path = std::getenv("KX48T7_PLUGIN")) return path;
  return KX48T7PS_BUILT_PATH;
}

// The PPD the job printer gets: --ppd, else the named printer's, else the sample.
std::u16string JobPpd(const RenderOptions& options, const StoredJobSettings& stored) {
  std::string ppdFile = KX48T7_SAMPLE_PPD;
  if (options.ppdFile) {
    ppdFile = *options.ppdFile;
  } else if (options.printer) {
    return stored.ppdPath;
  }
  if (ppdFile.empty()) return u"";
  std::error_code error;
  return platform::Utf8ToUtf16(fs::absolute(ppdFile, error).string());
}

std::optional<Failure> InstallJobPrinter(const RenderOptions& options,
                                         const StoredJobSettings& stored,
                                         platform::PrinterHandle* printer) {
  platform::PrinterSetup setup;
  setup.name = options.printer ? platform::Utf8ToUtf16(*options.printer) : kPrinterName;
  setup.portName = u"FILE:";
  setup.dataFile = JobPpd(options, stored);
  const auto failure = [] {
    return Failure{kExitFailure, "cannot set up the job's printer in the spooler store " +
                                     platform::StoreDirectory()};
  };
  if (!platform::InstallPrinter(setup) || !platform::OpenPrinter(setup.name, printer)) {
    return failure();
  }
  if (!stored.devOpts.empty() &&
      platform::SetPrinterData(*printer, u"DevOpts", platform::kRegBinary, stored.devOpts.data(),
                               static_cast<uint32_t>(stored.devOpts.size())) !=
          platform::kErrorSuccess) {
    platform::ClosePrinter(*printer);
    return failure();
  }
  return std::nullopt;
}

std::optional<Failure> ReadPrinterStores(const RenderOptions& options, StoredJobSettings* stored) {
  if (!options.printer) return std::nullopt;
  if (auto error = ReadStoredJobSettings(*options.printer, options.watermark.value_or(""),
                                         options.customSetting.value_or(""), stored)) {
    return Failure{kExitFailure, *error};
  }
  return std::nullopt;
}

// The plug-in's warnings (message boxes on a desktop) go to the caller's sink.
void ReportWarnings(hostsim::WarningLog& log, const WarningSink& warn) {
  for (const hostsim::Warning& warning : log.Take()) {
    warn(platform::Utf16ToUtf8(warning.title), platform::Utf16ToUtf8(warning.text));
  }
}

}  // namespace

std::optional<Failure> RenderJob(const RenderOptions& options, std::istream& in,
                                 std::ostream& out, const WarningSink& warn) {
  std::string document;
  if (auto failure = ReadDocument(options, in, &document)) return failure;
  std::vector<uint8_t> stored;
  if (auto failure = ReadRecord(options, &stored)) return failure;
  StoredJobSettings fromStore;
  if (auto failure = ReadPrinterStores(options, &fromStore)) return failure;

  ScratchStore store;
  platform::PrinterHandle printer = nullptr;
  if (auto failure = InstallJobPrinter(options, fromStore, &printer)) return failure;
  struct PrinterCloser {
    platform::PrinterHandle handle;
    ~PrinterCloser() { platform::ClosePrinter(handle); }
  } closer{printer};

  std::string error;
  auto module = hostsim::PluginModule::Load(PluginPath(options), &error);
  if (!module) return Failure{kExitFailure, error};
  {
    auto session = hostsim::RenderSession::Create(*module, &error);
    if (!session) return Failure{kExitFailure, error};
    hostsim::HostDevice device(*session, printer, options.deviceMode);
    if (!device.PrepareRecord(options.recordIn ? &stored : nullptr, &error)) {
      return Failure{kExitFailure, error};
    }
    ApplyStoredJobSettings(fromStore, &device.record());
    if (auto failure = ApplyFieldSettings(options, &device.record())) return failure;
    if (options.printRecord) {
      PrintRecord(device.record(), out);
      return std::nullopt;
    }
    if (!device.Enable(&error)) return Failure{kExitFailure, error};
    const std::optional<std::u16string> name = DocumentName(options);
    device.StartDoc(name ? name->c_str() : nullptr);
    hostsim::WarningLog warnings;
    const bool copied = hostsim::CopyDocument(device, document, &error);
    ReportWarnings(warnings, warn);
    if (!copied) return Failure{kExitFailure, error};

    const std::string& job = device.spool().bytes;
    if (options.output) {
      if (!WriteFile(*options.output, job)) {
        return Failure{kExitFailure, "cannot write the job to " + *options.output};
      }
    } else {
      out.write(job.data(), static_cast<std::streamsize>(job.size()));
    }
    if (options.recordOut) {
      const auto& bytes = device.recordBytes();
      const std::string_view view(reinterpret_cast<const char*>(bytes.data()),
                                  settings::kRecordSize);
      if (!WriteFile(*options.recordOut, view)) {
        return Failure{kExitFailure, "cannot write the record to " + *options.recordOut};
      }
    }
  }
  return std::nullopt;
}

int RunRender(const RenderOptions& options, std::istream& in, std::ostream& out,
              std::ostream& err) {
  if (options.help) {
    out << kUsage;
    return kExitSuccess;
  }
  const WarningSink warn = [&err](const std::string& title, const std::string& text) {
    err << "kx48t7-render: warning: " << title << ":\n" << text << '\n';
  };
  if (auto failure = RenderJob(options, in, out, warn)) {
    err << "kx48t7-render: " << failure->message << '\n';
    return failure->status;
  }
  out.flush();
  return out ? kExitSuccess : kExitFailure;
}

}  // namespace kx::render
