// Opens a dialog or page of the built UI plug-in as a user would see it, for a picture of
// it taken from the display, in the system's own controls and fonts.
//
// Usage: kx48t7-screenshot --list (the subjects, one per line), or
// kx48t7-screenshot <subject> <geometry file> <done file>, the subject one of
// kSubjects below: the About box (reading the version resource of KX48T7UI.DLL itself),
// the pages of the document sheet in a property sheet, and the modal dialogs on the job's
// settings. Once the window is drawn, its place on the screen
// is written to the geometry file ("WxH+X+Y"); it stays open until the done file exists
// (at most a minute), then it is closed as a user would. Exits with 0 when all of that
// happened.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "about_box.h"
#include "colour/advanced_colour_dialog.h"
#include "colour/colour_details_dialog.h"
#include "colour/features_page.h"
#include "colour/graphics_options_dialog.h"
#include "colour/profile_dialog.h"
#include "device/consumables_page.h"
#include "device/device_settings_page.h"
#include "device/printer_answers.h"
#include "device/printer_query.h"
#include "joboptions/custom_settings_dialog.h"
#include "joboptions/email_dialog.h"
#include "joboptions/postscript_options_dialog.h"
#include "page_set.h"
#include "platform/dialogs.h"
#include "platform/module.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "platform/version_resource.h"
#include "platform/win32_errors.h"
#include "ppd/ppd.h"
#include "property_sheet.h"
#include "settings/record.h"
#include "settings/record_ops.h"
#include "watermarks/overlay_page.h"
#include "watermarks/watermark_editor.h"
#include "window_on_screen.h"

namespace {

using namespace kx;

constexpr unsigned kPictureTimeoutMs = 60'000;
constexpr char16_t kPrinterName[] = u"VRX48T7-PSN PS";

struct Picture {
  std::string geometryPath;
  std::u16string donePath;
  std::u16string title;
  bool taken = false;
};

bool WriteText(const std::string& path, const std::string& text) {
  FILE* out = std::fopen(path.c_str(), "w");
  if (out == nullptr) return false;
  const bool written = std::fputs(text.c_str(), out) >= 0;
  return std::fclose(out) == 0 && written;
}

// Shows the window for its picture and waits until the picture was taken.
void TakePicture(Picture* picture, host::HWND window) {
  picture->title = platform::GetWindowText(window);
  test::DrawOnScreen(window);
  picture->taken = WriteText(picture->geometryPath, test::ScreenGeometry(window) + "\n") &&
                   test::WaitForFile(picture->donePath, kPictureTimeoutMs);
}

// What a modal dialog's picture needs: the picture, and the button that closes it.
struct ModalPicture {
  Picture* picture;
  int closeButton;
};

void PictureThenClose(void* context, host::HWND dialog) {
  auto* modal = static_cast<ModalPicture*>(context);
  TakePicture(modal->picture, dialog);
  platform::SendDlgItemMessage(dialog, modal->closeButton, host::BM_CLICK, 0, 0);
}

// A printer's job as the document sheet gives it to the pages: a colour printer with a
// disk, the sample PPD, the job's settings at their defaults.
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

bool AboutBox(Picture* picture, host::INT_PTR* result) {
  const std::unique_ptr<platform::VersionResource> version =
      platform::VersionResource::Read(platform::Utf8ToUtf16(KX48T7UI_MODULE_PATH));
  if (version == nullptr) {
    std::fprintf(stderr, "the UI plug-in has no version resource\n");
    return false;
  }
  ModalPicture modal{picture, host::IDOK};
  platform::SetModalDialogResponder(&PictureThenClose, &modal);
  *result = ui::ShowAboutBox(nullptr, version.get());
  platform::SetModalDialogResponder(nullptr, nullptr);
  return *result == 1;
}

// A modal dialog of the plug-in opened on the job and closed with `closeButton`, which
// ends it with `closedResult`.
template <typename Show>
bool JobDialog(Picture* picture, host::INT_PTR* result, int closeButton,
               host::INT_PTR closedResult, Show show) {
  Job job;
  ModalPicture modal{picture, closeButton};
  platform::SetModalDialogResponder(&PictureThenClose, &modal);
  *result = show(&job.context);
  platform::SetModalDialogResponder(nullptr, nullptr);
  return *result == closedResult;
}

constexpr int kProfileDoneButton = 1306;
constexpr host::INT_PTR kProfileDone = 1;

// The titles the host gives its two sheets.
constexpr char16_t kDocumentSheetTitle[] = u"VRX48T7-PSN PS 인쇄 기본 설정";
constexpr char16_t kPrinterSheetTitle[] = u"VRX48T7-PSN PS 속성";

// A page in a property sheet of its own, on the job.
bool SheetPage(Picture* picture, host::INT_PTR* result, const platform::DialogSpec& spec,
               host::DLGPROC procedure, const char16_t* sheetTitle = kDocumentSheetTitle) {
  Job job;
  const std::vector<uint32_t> dialogTemplate = platform::BuildDialogTemplate(spec);
  host::PROPSHEETPAGEW page{};
  page.dwSize = sizeof(page);
  page.dwFlags = host::PSP_DLGINDIRECT;
  page.pResource = dialogTemplate.data();
  page.pfnDlgProc = procedure;
  page.lParam = reinterpret_cast<host::LPARAM>(&job.context);
  const host::HWND sheet = test::OpenPropertySheet(page, sheetTitle);
  if (sheet == nullptr) return false;
  TakePicture(picture, sheet);
  test::ClosePropertySheet(sheet);
  *result = 1;
  return true;
}

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

// A page of the printer sheet, the printer answering as above.
bool PrinterSheetPage(Picture* picture, host::INT_PTR* result, const platform::DialogSpec& spec,
                      host::DLGPROC procedure) {
  PicturePrinterPort port;
  device::SetPrinterQuery(&PicturePrinterAnswer);
  const bool shown = SheetPage(picture, result, spec, procedure, kPrinterSheetTitle);
  device::SetPrinterQuery(nullptr);
  return shown;
}

using Subject = bool (*)(Picture* picture, host::INT_PTR* result);
struct NamedSubject {
  const char* name;
  Subject take;
};

// Cancel closes every dialog here but the e-mail notification, which ends with 1 either way.
template <host::INT_PTR (*Show)(host::HWND, ui::PageSetContext*), int CloseButton = host::IDCANCEL,
          host::INT_PTR ClosedResult = host::IDCANCEL>
bool CancelledJobDialog(Picture* picture, host::INT_PTR* result) {
  return JobDialog(picture, result, CloseButton, ClosedResult,
                   [](ui::PageSetContext* context) { return Show(nullptr, context); });
}

const NamedSubject kSubjects[] = {
    {"about-box", AboutBox},
    {"watermark-editor",
     [](Picture* picture, host::INT_PTR* result) {
       return JobDialog(picture, result, static_cast<int>(ui::kEditorCancelled),
                        ui::kEditorCancelled, [](ui::PageSetContext* context) {
                          return ui::ShowWatermarkEditor(nullptr, context);
                        });
     }},
    {"features-page",
     [](Picture* picture, host::INT_PTR* result) {
       return SheetPage(picture, result, ui::FeaturesPageSpec(), ui::FeaturesPageProcedure);
     }},
    {"overlay-page",
     [](Picture* picture, host::INT_PTR* result) {
       return SheetPage(picture, result, ui::OverlayPageSpec(), ui::OverlayPageProcedure);
     }},
    {"colour-options", CancelledJobDialog<ui::ShowAdvancedColourOptions>},
    {"colour-details", CancelledJobDialog<ui::ShowColourDetails>},
    {"profile-manager",
     [](Picture* picture, host::INT_PTR* result) {
       return JobDialog(picture, result, kProfileDoneButton, kProfileDone,
                        [](ui::PageSetContext* context) {
                          return ui::ShowProfileManager(nullptr, context,
                                                        ui::ProfileKind::kRgbSource);
                        });
     }},
    {"graphics-options", CancelledJobDialog<ui::ShowGraphicsOptions>},
    {"postscript-options", CancelledJobDialog<ui::ShowPostScriptOptions>},
    {"email-notification", CancelledJobDialog<ui::ShowEmailNotification, host::IDCANCEL, 1>},
    {"custom-settings", CancelledJobDialog<ui::ShowCustomSettings>},
    {"device-settings-page",
     [](Picture* picture, host::INT_PTR* result) {
       return PrinterSheetPage(picture, result, ui::DeviceSettingsPageSpec(),
                               ui::DeviceSettingsPageProcedure);
     }},
    {"consumables-page",
     [](Picture* picture, host::INT_PTR* result) {
       return PrinterSheetPage(picture, result, ui::ConsumablesPageSpec(),
                               ui::ConsumablesPageProcedure);
     }},
};

std::string SubjectNames() {
  std::string names;
  for (const NamedSubject& subject : kSubjects) {
    names += names.empty() ? "" : "|";
    names += subject.name;
  }
  return names;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
    for (const NamedSubject& subject : kSubjects) std::printf("%s\n", subject.name);
    return 0;
  }
  if (argc != 4) {
    std::fprintf(stderr, "usage: kx48t7-screenshot %s <geometry file> <done file>\n",
                 SubjectNames().c_str());
    return 2;
  }
  std::string error;
  platform::ModuleHandle module = platform::LoadModule(KX48T7UI_MODULE_PATH, &error);
  if (module == nullptr) {
    std::fprintf(stderr, "cannot load the UI plug-in: %s\n", error.c_str());
    return 1;
  }
  Picture picture;
  picture.geometryPath = argv[2];
  picture.donePath = platform::Utf8ToUtf16(argv[3]);
  const std::string subject = argv[1];
  host::INT_PTR result = 0;
  bool closed = false;
  bool known = false;
  for (const NamedSubject& candidate : kSubjects) {
    if (subject != candidate.name) continue;
    known = true;
    closed = candidate.take(&picture, &result);
  }
  if (!known) std::fprintf(stderr, "unknown subject %s\n", subject.c_str());
  platform::UnloadModule(module);
  std::printf("%s \"%s\": %s, closed with %lld\n", subject.c_str(),
              platform::Utf16ToUtf8(picture.title).c_str(),
              picture.taken ? "picture taken" : "NO PICTURE", static_cast<long long>(result));
  return picture.taken && closed ? 0 : 1;
}
