#include "printer_setup.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "device/printer_address.h"
#include "device/printer_answers.h"
#include "device/snmp_status.h"
#include "feature_keyword.h"
#include "installable_options.h"
#include "platform/registry.h"
#include "platform/spooler.h"
#include "platform/win32_errors.h"
#include "settings/printer_defaults.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"

namespace kx::ui {
namespace {

using namespace host;

constexpr char16_t kFeatureKeywordValue[] = u"FeatureKeyword";
constexpr char16_t kFeatureKeywordSizeValue[] = u"FeatureKeywordSize";

// The host's stored installable-option choices. Only a value with something in it is
// taken: the size query must answer that there is more data than no buffer holds.
std::optional<std::vector<uint8_t>> ReadFeatureKeyword(platform::PrinterHandle printer) {
  uint32_t type = 0;
  uint32_t needed = 0;
  if (platform::GetPrinterData(printer, kFeatureKeywordValue, &type, nullptr, 0, &needed) !=
      platform::kErrorMoreData) {
    return std::nullopt;
  }
  std::vector<uint8_t> stored(needed);
  if (platform::GetPrinterData(printer, kFeatureKeywordValue, &type, stored.data(), needed,
                               &needed) != platform::kErrorSuccess) {
    return std::nullopt;
  }
  stored.resize(needed);
  return stored;
}

void WriteFeatureKeyword(platform::PrinterHandle printer, const std::vector<uint8_t>& bytes) {
  const auto size = static_cast<uint32_t>(bytes.size());
  platform::SetPrinterData(printer, kFeatureKeywordValue, platform::kRegBinary, bytes.data(),
                           size);
  uint8_t sizeValue[sizeof(size)];
  std::memcpy(sizeValue, &size, sizeof(size));
  platform::SetPrinterData(printer, kFeatureKeywordSizeValue, platform::kRegDword, sizeValue,
                           sizeof(sizeValue));
}

// The options the printer itself says it has. The address is the block's, or when that
// is empty the one the printer's port configuration gives (which is kept under the
// printer's own name); without a community or an address the printer is not asked.
void AskPrinterForOptions(const std::u16string& printerName, settings::DeviceOptions* options) {
  const std::string community = device::SnmpText(settings::FieldText(options->snmpCommunity));
  if (community.empty()) return;
  std::u16string address(settings::FieldText(options->printerAddress));
  if (address.empty()) address = device::LookUpPrinterAddress(printerName);
  const std::string agent = device::SnmpText(address);
  if (agent.empty()) return;
  device::ScalarQueryTable rows = device::PrinterScalarQueryTable();
  device::SnmpStatusClient client;
  if (client.QueryScalars(community, agent, rows) == device::kStatusAnswered) {
    device::ApplyAnsweredOptions(rows, options->installedOptions);
  }
}

void InitialisePrinter(const std::u16string& printerName) {
  // Storing printer data needs every access right.
  const platform::OpenedPrinter printer(printerName, platform::PrinterAccess::kAll);
  if (printer.handle() == nullptr) return;
  const settings::PpdHandle ppd = settings::OpenPrinterPpd(printer.handle());
  // Until the host has stored its choices there is nothing to keep in step.
  const std::optional<std::vector<uint8_t>> stored = ReadFeatureKeyword(printer.handle());
  if (!stored.has_value()) return;
  settings::DeviceOptions options{};
  if (!settings::ReadStoredDeviceOptions(printer.handle(), &options)) {
    DefaultDeviceOptions(&options, ppd.get());
  }
  AskPrinterForOptions(printerName, &options);
  settings::WriteStoredDeviceOptions(printer.handle(), options);
  WriteFeatureKeyword(printer.handle(), RewriteFeatureKeyword(*stored, options.installedOptions));
}

}  // namespace

HRESULT SetUpPrinter(PWSTR printerName, INT event, DWORD, LPARAM) {
  if (event != PRINTER_EVENT_INITIALIZE || printerName == nullptr) return S_OK;
  InitialisePrinter(std::u16string(printerName));
  return S_OK;
}

}  // namespace kx::ui
