// kx48t7-pages: shows the UI plug-in of the driver package as the host driver does, in the
// system's own property sheets: the document sheet (printing preferences), then the
// printer sheet (printer properties), for a printer prepared for it.
//
// Usage: kx48t7-pages [--package FOLDER] [--screenshot FOLDER | --check]
//   --package     the driver package folder to load KX48T7UI.DLL and the PPD from
//                 (default: the build's own package folder)
//   --screenshot  instead of waiting for the user, opens every page and every dialog in
//                 turn, writes a PNG picture of each into FOLDER and checks each window's
//                 controls against the table it was made from; exits with 1 when a
//                 picture is missing or blank or a window differs from its table.
//   --check       the same tour without pictures (for a system without a display).
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "host/oemui.h"
#include "hostsim/host_items.h"
#include "hostsim/plugin_module.h"
#include "hostsim/ui_session.h"
#include "picture_tour.h"
#include "platform/text.h"
#include "ppd/ppd.h"
#include "prepared_printer.h"
#include "real_sheet.h"
#include "sheet_pages.h"

namespace {

using namespace kx;
using hostsim::SheetKind;

constexpr char16_t kPrinterName[] = u"VRX48T7-PSN PS";
constexpr char kModuleName[] = "KX48T7UI.DLL";
constexpr char kPpdName[] = "VRX48T7-PSN.PPD";

struct Options {
  std::string package = KX48T7_PACKAGE_DIR;
  bool tour = false;        // false: the sheets are shown to the user
  std::string screenshots;  // the pictures' folder; empty: no pictures
};

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int arg = 1; arg < argc; ++arg) {
    const bool hasValue = arg + 1 < argc;
    if (std::strcmp(argv[arg], "--package") == 0 && hasValue) {
      options->package = argv[++arg];
    } else if (std::strcmp(argv[arg], "--screenshot") == 0 && hasValue) {
      options->tour = true;
      options->screenshots = argv[++arg];
    } else if (std::strcmp(argv[arg], "--check") == 0) {
      options->tour = true;
    } else {
      return false;
    }
  }
  return true;
}

// What the host shows for one sheet: its settings items, the tree the plug-in sees through
// CommonUIProp, and its title.
struct SheetPlay {
  SheetKind kind;
  hostsim::HostItems::Tree tree;
  host::DWORD mode;
  const char16_t* titleEnd;
  ui::PageList (*pages)();
};
const SheetPlay kSheets[] = {
    {.kind = SheetKind::Document,
     .tree = hostsim::HostItems::Tree::Document,
     .mode = host::OEMCUIP_DOCPROP,
     .titleEnd = u" 인쇄 기본 설정",
     .pages = ui::DocumentPages},
    {.kind = SheetKind::Printer,
     .tree = hostsim::HostItems::Tree::Printer,
     .mode = host::OEMCUIP_PRNPROP,
     .titleEnd = u" 속성",
     .pages = ui::PrinterPages},
};

// One sheet: a session of the plug-in, its pages in the system's property sheet, shown to
// the user or toured for pictures. False when the sheet could not be shown.
bool ShowSheet(const hostsim::PluginModule& module, const hostsim::PreparedPrinter& printer,
               const ppd::PpdImage* image, const SheetPlay& play, const Options& options,
               hostsim::TourReport* report) {
  std::string error;
  const hostsim::UISession::Setup setup = {.printer = printer.handle(),
                                           .printerName = printer.name()};
  std::unique_ptr<hostsim::UISession> session = hostsim::UISession::Create(module, setup, &error);
  if (session == nullptr) {
    std::fprintf(stderr, "the plug-in's session cannot be opened: %s\n", error.c_str());
    return false;
  }
  hostsim::HostItems items(image, play.tree);
  if (session->CommonUIProp(play.mode, &items) != host::S_OK ||
      session->InitSheet(play.kind) != host::S_OK) {
    std::fprintf(stderr, "the plug-in refused its sheet\n");
    return false;
  }
  const std::vector<host::PROPSHEETPAGEW> pages = session->PagesOf(play.kind);
  const std::u16string title = printer.name() + play.titleEnd;
  bool shown = true;
  if (!options.tour) {
    shown = hostsim::RunPropertySheet(pages, title.c_str()) >= 0;
  } else if (const host::HWND sheet = hostsim::OpenPropertySheet(pages, title.c_str())) {
    if (pages.size() != play.pages().size()) {
      report->failures.push_back("the sheet has " + std::to_string(pages.size()) +
                                 " pages, the plug-in lists " +
                                 std::to_string(play.pages().size()));
    }
    hostsim::TakeSheetPictures(sheet, play.pages(),
                               platform::Utf8ToUtf16(options.screenshots), report);
    hostsim::ClosePropertySheet(sheet);
  } else {
    shown = false;
  }
  session->DestroySheet(play.kind);
  if (!shown) std::fprintf(stderr, "the system's property sheet cannot be shown\n");
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: kx48t7-pages [--package FOLDER] [--screenshot FOLDER | --check]\n");
    return 2;
  }
  std::string error;
  const std::string modulePath = options.package + "\\" + kModuleName;
  std::unique_ptr<hostsim::PluginModule> module = hostsim::PluginModule::Load(modulePath, &error);
  if (module == nullptr) {
    std::fprintf(stderr, "cannot load %s: %s\n", modulePath.c_str(), error.c_str());
    return 1;
  }
  const std::u16string ppdPath = platform::Utf8ToUtf16(options.package + "\\" + kPpdName);
  std::unique_ptr<hostsim::PreparedPrinter> printer =
      hostsim::PreparedPrinter::Install(kPrinterName, ppdPath, &error);
  if (printer == nullptr) {
    std::fprintf(stderr, "cannot prepare the printer: %s\n", error.c_str());
    return 1;
  }
  const ppd::PpdImage* image = ppd::PpdOpen(ppdPath.c_str());
  hostsim::TourReport report;
  bool shown = true;
  for (const SheetPlay& play : kSheets) {
    shown = ShowSheet(*module, *printer, image, play, options, &report) && shown;
  }
  if (image != nullptr) ppd::PpdClose(image);
  for (const std::string& picture : report.pictures) std::printf("picture %s\n", picture.c_str());
  for (const std::string& failure : report.failures) std::printf("FAIL %s\n", failure.c_str());
  return shown && report.failures.empty() ? 0 : 1;
}
