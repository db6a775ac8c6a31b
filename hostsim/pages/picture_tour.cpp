#include "picture_tour.h"

#include "about_box.h"
#include "colour/advanced_colour_dialog.h"
#include "colour/advanced_colour_layout.h"
#include "colour/colour_details_dialog.h"
#include "colour/colour_details_layout.h"
#include "colour/features_page.h"
#include "colour/features_page_state.h"
#include "colour/graphics_options_dialog.h"
#include "colour/profile_dialog.h"
#include "colour/profile_dialog_layout.h"
#include "control_check.h"
#include "device/consumables_page.h"
#include "device/device_settings_page.h"
#include "device/information_page.h"
#include "joboptions/custom_settings_dialog.h"
#include "joboptions/email_dialog.h"
#include "joboptions/postscript_options_dialog.h"
#include "platform/text.h"
#include "real_sheet.h"
#include "watermarks/overlay_page.h"
#include "watermarks/overlay_page_state.h"
#include "watermarks/watermark_editor.h"
#include "window_picture.h"

// After the plug-in's headers, whose names the system's macros would replace.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <vector>

namespace kx::hostsim {
namespace {

// A dialog opened from the window below it: by the button `opener`, or (kByContextMenu)
// by the About item of the window's context menu. It is closed by its button `closer`
// after its picture, and the dialogs it opens in turn.
constexpr int kByContextMenu = 0;
struct DialogVisit {
  const char* picture;
  const platform::DialogSpec& (*spec)();
  int opener;
  int closer;
  std::span<const DialogVisit> inner = {};
};

constexpr DialogVisit kAboutBox = {.picture = "about-box",
                                   .spec = ui::AboutBoxSpec,
                                   .opener = kByContextMenu,
                                   .closer = IDOK};
constexpr DialogVisit kProfileManager[] = {
    {.picture = "profile-manager",
     .spec = ui::ProfileDialogSpec,
     .opener = ui::details::kSimulationButton,
     .closer = ui::profiles::kDoneButton},
};
constexpr DialogVisit kColourDetails[] = {
    {.picture = "colour-details",
     .spec = ui::ColourDetailsDialogSpec,
     .opener = ui::advanced_colour::kChangeButton,
     .closer = IDCANCEL,
     .inner = kProfileManager},
};
constexpr DialogVisit kFeaturesDialogs[] = {
    kAboutBox,
    {.picture = "graphics-options",
     .spec = ui::GraphicsOptionsDialogSpec,
     .opener = ui::kGraphicsOptionsButton,
     .closer = IDCANCEL},
    {.picture = "colour-options",
     .spec = ui::AdvancedColourDialogSpec,
     .opener = ui::kAdvancedColourButton,
     .closer = IDCANCEL,
     .inner = kColourDetails},
    {.picture = "postscript-options",
     .spec = ui::PostScriptOptionsDialogSpec,
     .opener = ui::kPostScriptOptionsButton,
     .closer = IDCANCEL},
    {.picture = "email-notification",
     .spec = ui::EmailDialogSpec,
     .opener = ui::kEmailNotificationButton,
     .closer = IDCANCEL},
    {.picture = "custom-settings",
     .spec = ui::CustomSettingsDialogSpec,
     .opener = ui::kCustomSettingsButton,
     .closer = IDCANCEL},
};
constexpr DialogVisit kOverlayDialogs[] = {
    {.picture = "watermark-editor",
     .spec = ui::WatermarkEditorSpec,
     .opener = ui::kAddWatermark,
     .closer = static_cast<int>(ui::kEditorCancelled)},
};

struct PageTour {
  const platform::DialogSpec& (*spec)();
  const char* picture;
  std::span<const DialogVisit> dialogs = {};
};
const PageTour kPageTours[] = {
    {.spec = ui::FeaturesPageSpec, .picture = "features-page", .dialogs = kFeaturesDialogs},
    {.spec = ui::OverlayPageSpec, .picture = "overlay-page", .dialogs = kOverlayDialogs},
    {.spec = ui::InformationPageSpec, .picture = "information-page"},
    {.spec = ui::DeviceSettingsPageSpec, .picture = "device-settings-page"},
    {.spec = ui::ConsumablesPageSpec, .picture = "consumables-page"},
};

// How long a dialog may take to appear, and how often the tour looks for it.
constexpr DWORD kOpeningLimitMs = 10'000;
constexpr UINT kLookEveryMs = 100;

// A dialog being opened: the tour waits for it inside the modal loop that shows it, on a
// timer, since the button that opens it returns only when it is closed.
struct Opening {
  const DialogVisit* visit;
  ::HWND owner;
  DWORD startedAt;
  bool menuAnswered = false;
  bool found = false;
};

struct Tour {
  std::u16string folder;
  TourReport* report = nullptr;
  std::vector<Opening> openings;  // the innermost last
};
Tour* activeTour = nullptr;

void Picture(::HWND window, ::HWND controlsOf, const char* name, const platform::DialogSpec& spec,
             Tour* tour) {
  for (const std::string& difference :
       DifferencesFromTable(reinterpret_cast<host::HWND>(controlsOf), spec)) {
    tour->report->failures.push_back(std::string(name) + ": " + difference);
  }
  if (tour->folder.empty()) {
    tour->report->pictures.push_back(std::string(name) + ": checked, no picture");
    return;
  }
  DrawOnScreen(reinterpret_cast<host::HWND>(window));
  const RgbImage picture = TakePicture(reinterpret_cast<host::HWND>(window));
  std::string error;
  const std::u16string path = tour->folder + u"\\" + platform::Utf8ToUtf16(name) + u".png";
  if (SavePicture(picture, path, &error)) {
    tour->report->pictures.push_back(std::string(name) + ": " + std::to_string(picture.width) +
                                     "x" + std::to_string(picture.height) + ", " +
                                     std::to_string(picture.ColourCount()) + " colours");
  } else {
    tour->report->failures.push_back(std::string(name) + ": " + error);
  }
}

// A visible dialog of this thread owned by `owner`'s top-level window.
struct DialogSearch {
  ::HWND owner;
  ::HWND found;
};
BOOL CALLBACK FindOwnedDialog(::HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<DialogSearch*>(lParam);
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, static_cast<int>(std::size(className)));
  if (::lstrcmpW(className, L"#32770") == 0 && ::IsWindowVisible(window) &&
      ::GetWindow(window, GW_OWNER) == search->owner) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

void Visit(::HWND owner, const DialogVisit& visit, Tour* tour);

void VisitOpenedDialog(::HWND dialog, size_t opening, Tour* tour) {
  const DialogVisit& visit = *tour->openings[opening].visit;
  Picture(dialog, dialog, visit.picture, visit.spec(), tour);
  for (const DialogVisit& inner : visit.inner) Visit(dialog, inner, tour);
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(visit.closer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, visit.closer)));
}

// Looks for the dialog being opened; the About item is chosen from the context menu by
// the keyboard, as the menu's loop takes it.
void CALLBACK LookForDialog(::HWND, UINT, UINT_PTR, DWORD) {
  Tour* tour = activeTour;
  if (tour == nullptr || tour->openings.empty()) return;
  const size_t index = tour->openings.size() - 1;
  Opening& opening = tour->openings[index];
  if (opening.found) return;
  if (opening.visit->opener == kByContextMenu && !opening.menuAnswered) {
    ::HWND menu = ::FindWindowW(L"#32768", nullptr);
    if (menu == nullptr || !::IsWindowVisible(menu)) return;
    opening.menuAnswered = true;
    ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    return;
  }
  DialogSearch search{.owner = ::GetAncestor(opening.owner, GA_ROOT), .found = nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) {
    if (::GetTickCount() - opening.startedAt > kOpeningLimitMs) {
      opening.found = true;  // given up: the opener returns once the window goes
      tour->report->failures.push_back(std::string(opening.visit->picture) +
                                       ": no dialog appeared");
    }
    return;
  }
  opening.found = true;
  VisitOpenedDialog(search.found, index, tour);
}

void Visit(::HWND owner, const DialogVisit& visit, Tour* tour) {
  tour->openings.push_back({.visit = &visit, .owner = owner, .startedAt = ::GetTickCount()});
  if (visit.opener == kByContextMenu) {
    // From the keyboard: the menu opens at the window, not at a pointer position.
    ::SendMessageW(owner, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(owner), MAKELPARAM(-1, -1));
  } else {
    // Only what a user can click: a button that is there, shown and enabled.
    ::HWND button = ::GetDlgItem(owner, visit.opener);
    if (button == nullptr || !::IsWindowVisible(button) || !::IsWindowEnabled(button)) {
      tour->report->failures.push_back(std::string(visit.picture) +
                                       ": its button cannot be clicked");
      tour->openings.pop_back();
      return;
    }
    ::SendMessageW(owner, WM_COMMAND, MAKEWPARAM(visit.opener, BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
  }
  if (!tour->openings.back().found) {
    tour->report->failures.push_back(std::string(visit.picture) + ": no dialog was opened");
  }
  tour->openings.pop_back();
}

const PageTour* TourOf(const platform::DialogSpec* spec) {
  for (const PageTour& page : kPageTours) {
    if (&page.spec() == spec) return &page;
  }
  return nullptr;
}

}  // namespace

void TakeSheetPictures(host::HWND sheet, ui::PageList pages, const std::u16string& folder,
                       TourReport* report) {
  Tour tour{.folder = folder, .report = report, .openings = {}};
  activeTour = &tour;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, kLookEveryMs, LookForDialog);
  for (size_t index = 0; index < pages.size(); ++index) {
    const PageTour* page = TourOf(pages[index].spec);
    const std::string name =
        page != nullptr ? page->picture : "page-" + std::to_string(pages[index].templateId);
    const host::HWND window = ShowSheetPage(sheet, static_cast<int>(index));
    if (window == nullptr || pages[index].spec == nullptr) {
      report->failures.push_back(name + ": the page cannot be shown");
      continue;
    }
    Picture(reinterpret_cast<::HWND>(sheet), reinterpret_cast<::HWND>(window), name.c_str(),
            *pages[index].spec, &tour);
    if (page == nullptr) continue;
    for (const DialogVisit& visit : page->dialogs) {
      Visit(reinterpret_cast<::HWND>(window), visit, &tour);
    }
  }
  ::KillTimer(nullptr, timer);
  activeTour = nullptr;
}

}  // namespace kx::hostsim
