// Opens a dialog or page of the built UI plug-in as a user would see it, for a picture of
// it taken from the display, in the system's own controls and fonts.
//
// Usage: kx48t7-screenshot <subject> <geometry file> <done file>, the subject one of
// about-box (the About box, reading the version resource of KX48T7UI.DLL itself),
// watermark-editor (the editor on the job's watermark), overlay-page (the overlay and
// watermark page in a property sheet), colour-options, colour-details and profile-manager
// (the colour dialogs on the job's colour settings). Once the window is drawn, its place on the screen
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
#include "colour/profile_dialog.h"
#include "page_set.h"
#include "platform/dialogs.h"
#include "platform/module.h"
#include "platform/text.h"
#include "platform/version_resource.h"
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

bool OverlayPage(Picture* picture, host::INT_PTR* result) {
  Job job;
  const std::vector<uint32_t> dialogTemplate =
      platform::BuildDialogTemplate(ui::OverlayPageSpec());
  host::PROPSHEETPAGEW page{};
  page.dwSize = sizeof(page);
  page.dwFlags = host::PSP_DLGINDIRECT;
  page.pResource = dialogTemplate.data();
  page.pfnDlgProc = ui::OverlayPageProcedure;
  page.lParam = reinterpret_cast<host::LPARAM>(&job.context);
  const host::HWND sheet = test::OpenPropertySheet(page, u"VRX48T7-PSN PS 인쇄 기본 설정");
  if (sheet == nullptr) return false;
  TakePicture(picture, sheet);
  test::ClosePropertySheet(sheet);
  *result = 1;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr,
                 "usage: kx48t7-screenshot about-box|watermark-editor|overlay-page|"
                 "colour-options|colour-details|profile-manager "
                 "<geometry file> <done file>\n");
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
  if (subject == "about-box") {
    closed = AboutBox(&picture, &result);
  } else if (subject == "watermark-editor") {
    closed = JobDialog(&picture, &result, static_cast<int>(ui::kEditorCancelled),
                       ui::kEditorCancelled, [](ui::PageSetContext* context) {
                         return ui::ShowWatermarkEditor(nullptr, context);
                       });
  } else if (subject == "overlay-page") {
    closed = OverlayPage(&picture, &result);
  } else if (subject == "colour-options") {
    closed = JobDialog(&picture, &result, host::IDCANCEL, host::IDCANCEL,
                       [](ui::PageSetContext* context) {
                         return ui::ShowAdvancedColourOptions(nullptr, context);
                       });
  } else if (subject == "colour-details") {
    closed = JobDialog(&picture, &result, host::IDCANCEL, host::IDCANCEL,
                       [](ui::PageSetContext* context) {
                         return ui::ShowColourDetails(nullptr, context);
                       });
  } else if (subject == "profile-manager") {
    closed = JobDialog(&picture, &result, kProfileDoneButton, kProfileDone,
                       [](ui::PageSetContext* context) {
                         return ui::ShowProfileManager(nullptr, context,
                                                       ui::ProfileKind::kRgbSource);
                       });
  } else {
    std::fprintf(stderr, "unknown subject %s\n", subject.c_str());
  }
  platform::UnloadModule(module);
  std::printf("%s \"%s\": %s, closed with %lld\n", subject.c_str(),
              platform::Utf16ToUtf8(picture.title).c_str(),
              picture.taken ? "picture taken" : "NO PICTURE", static_cast<long long>(result));
  return picture.taken && closed ? 0 : 1;
}
