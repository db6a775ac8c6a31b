#include "dialog_registry.h"

#include "about_box.h"
#include "sheet_pages.h"
#include "colour/advanced_colour_dialog.h"
#include "colour/colour_details_dialog.h"
#include "colour/profile_dialog.h"
#include "watermarks/watermark_editor.h"

namespace kx::ui {

std::vector<RegisteredDialog> AllDialogSpecs() {
  std::vector<RegisteredDialog> dialogs = {
      {.spec = &AboutBoxSpec(), .isPage = false},
      {.spec = &WatermarkEditorSpec(), .isPage = false},
      {.spec = &AdvancedColourDialogSpec(), .isPage = false},
      {.spec = &ColourDetailsDialogSpec(), .isPage = false},
      {.spec = &ProfileDialogSpec(), .isPage = false},
  };
  for (const PageList pages : {DocumentPages(), PrinterPages()}) {
    for (const PageEntry& page : pages) {
      if (page.spec != nullptr) dialogs.push_back({.spec = page.spec, .isPage = true});
    }
  }
  return dialogs;
}

}  // namespace kx::ui
