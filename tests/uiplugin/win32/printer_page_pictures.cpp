// The pages of the printer sheet as a printer that answers over SNMP fills them, for the
// gallery of pictures: Wine's SNMP manager cannot ask a printer, so the page host
// (kx48t7-pages) shows these pages unanswered, and this program shows them with a prepared
// answer given to the plug-in's own code, each page in a property sheet of its own.
//
// Usage: kx48t7-screenshot <folder>. Writes device-settings-answered.png and
// consumables-answered.png into the folder and checks each page's controls against its
// table; exits with 0 when all of that held.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "control_check.h"
#include "device/consumables_page.h"
#include "device/device_settings_page.h"
#include "device/printer_answers.h"
#include "device/printer_query.h"
#include "page_set.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "ppd/ppd.h"
#include "real_sheet.h"
#include "settings/record.h"
#include "settings/record_ops.h"
#include "window_picture.h"

namespace {

using namespace kx;

constexpr char16_t kPrinterName[] = u"VRX48T7-PSN PS";
constexpr char16_t kPrinterSheetTitle[] = u"VRX48T7-PSN PS 속성";

// A printer's settings as the printer sheet gives them to the pages: a colour printer
// with a disk, the sample PPD, the settings at their defaults.
struct Job {
  std::unique_ptr<settings::PrivateRecord> record = std::make_unique<settings::PrivateRecord>();
  std::u16string printerName = kPrinterName;
  host::OEMCUIPPARAM param{};
  ui::PageSetContext context;
  const ppd::PpdImage* ppd = nullptr;

  Job() {
    settings::SetRecordDefaults(record.get(), nullptr);
    record->devOpts.installedOptions[settings::kHasHardDisk] = 1;
    ppd = ppd::PpdOpen(platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD).c_str());
    param.cbSize = sizeof(param);
    param.pPrinterName = printerName.data();
    param.pOEMDM = record.get();
    context.commonUi = &param;
    context.ppd = ppd;
  }
  ~Job() {
    if (ppd != nullptr) ppd::PpdClose(ppd);
  }
};

// The printer of the printer sheet's pictures, as it answers over SNMP: a colour printer
// with a disk and a duplexer, four toners, a waste toner box without capacity and two print
// units. Wine's SNMP manager cannot run, so the pages get this answer prepared.
device::SupplyRecord PictureSupply(int32_t type, int32_t level, int32_t maximum,
                                   const char* description, const char* unit) {
  device::SupplyRecord record{};
  record.type = type;
  record.level = level;
  record.maximum = maximum;
  std::strncpy(record.description, description, sizeof record.description - 1);
  std::strncpy(record.unit, unit, sizeof record.unit - 1);
  return record;
}

device::PrinterAnswer PicturePrinterAnswer(std::u16string_view, std::u16string_view) {
  device::PrinterAnswer answer;
  answer.status = device::kStatusAnswered;
  answer.scalars[device::kRowHardDisk].value = 4096;
  answer.scalars[device::kRowDuplexer].value = 1;
  const device::SupplyRecord supplies[] = {
      PictureSupply(device::kSupplyTypeToner, 80, 100, "Cyan Toner", "percent"),
      PictureSupply(device::kSupplyTypeToner, 55, 100, "Magenta Toner", "percent"),
      PictureSupply(device::kSupplyTypeToner, 0, 100, "Yellow Toner", "percent"),
      PictureSupply(device::kSupplyTypeToner, 100, 100, "Black Toner", "percent"),
      PictureSupply(device::kSupplyTypeWasteToner, -3, device::kNoCapacity, "Waste Toner Box",
                    "percent"),
      PictureSupply(device::kSupplyTypePhotoconductor, 62, 100, "Imaging Unit", "percent"),
      PictureSupply(device::kSupplyTypePhotoconductor, 0, 0, "Transfer Belt", "pages"),
  };
  for (const device::SupplyRecord& supply : supplies) {
    answer.supplies[static_cast<size_t>(answer.supplyCount++)] = supply;
  }
  return answer;
}

// The pages ask only when they know the printer's address, which they look up from its
// port. The picture's printer is not installed, so its port is given for as long as the
// picture is taken (in the pictures' own prefix).
class PicturePrinterPort {
 public:
  PicturePrinterPort() {
    std::unique_ptr<platform::RegistryKey> key;
    if (platform::CreateRegistryKey(platform::Hive::kLocalMachine, KeyPath(), &key, &created_) !=
        platform::kErrorSuccess) {
      return;
    }
    const std::u16string port = u"192.168.0.20";
    key->SetValue(u"Port", platform::kRegSz, reinterpret_cast<const uint8_t*>(port.c_str()),
                  static_cast<uint32_t>((port.size() + 1) * sizeof(char16_t)));
  }
  ~PicturePrinterPort() {
    if (created_) platform::DeleteRegistryTree(platform::Hive::kLocalMachine, KeyPath());
  }
  PicturePrinterPort(const PicturePrinterPort&) = delete;
  PicturePrinterPort& operator=(const PicturePrinterPort&) = delete;

 private:
  static std::u16string KeyPath() {
    return std::u16string(u"System\\CurrentControlSet\\Control\\Print\\Printers\\") + kPrinterName;
  }
  bool created_ = false;
};

struct AnsweredPage {
  const char* picture;
  const platform::DialogSpec& (*spec)();
  host::DLGPROC procedure;
};
const AnsweredPage kPages[] = {
    {"device-settings-answered", ui::DeviceSettingsPageSpec, ui::DeviceSettingsPageProcedure},
    {"consumables-answered", ui::ConsumablesPageSpec, ui::ConsumablesPageProcedure},
};

// The page in a sheet of its own, its picture and its differences from its table.
bool TakePicture(const AnsweredPage& subject, const std::u16string& folder) {
  Job job;
  const std::vector<uint32_t> dialogTemplate = platform::BuildDialogTemplate(subject.spec());
  host::PROPSHEETPAGEW page{};
  page.dwSize = sizeof(page);
  page.dwFlags = host::PSP_DLGINDIRECT;
  page.pResource = dialogTemplate.data();
  page.pfnDlgProc = subject.procedure;
  page.lParam = reinterpret_cast<host::LPARAM>(&job.context);
  const host::HWND sheet = hostsim::OpenPropertySheet({&page, 1}, kPrinterSheetTitle);
  if (sheet == nullptr) {
    std::printf("FAIL %s: the sheet cannot be shown\n", subject.picture);
    return false;
  }
  hostsim::DrawOnScreen(sheet);
  const hostsim::RgbImage picture = hostsim::TakePicture(sheet);
  std::string error;
  bool taken = hostsim::SavePicture(
      picture, folder + u"\\" + platform::Utf8ToUtf16(subject.picture) + u".png", &error);
  if (taken) {
    std::printf("picture %s: %ux%u, %zu colours\n", subject.picture, picture.width,
                picture.height, picture.ColourCount());
  } else {
    std::printf("FAIL %s: %s\n", subject.picture, error.c_str());
  }
  for (const std::string& difference :
       hostsim::DifferencesFromTable(hostsim::ShowSheetPage(sheet, 0), subject.spec())) {
    std::printf("FAIL %s: %s\n", subject.picture, difference.c_str());
    taken = false;
  }
  hostsim::ClosePropertySheet(sheet);
  return taken;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kx48t7-screenshot <folder>\n");
    return 2;
  }
  const std::u16string folder = platform::Utf8ToUtf16(argv[1]);
  PicturePrinterPort port;
  device::SetPrinterQuery(&PicturePrinterAnswer);
  bool taken = true;
  for (const AnsweredPage& subject : kPages) taken = TakePicture(subject, folder) && taken;
  device::SetPrinterQuery(nullptr);
  return taken ? 0 : 1;
}
