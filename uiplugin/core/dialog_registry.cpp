#include "dialog_registry.h"

#include "about_box.h"
#include "sheet_pages.h"
#include "colour/advanced_colour_dialog.h"
#include "colour/colour_details_dialog.h"
#include "colour/graphics_options_dialog.h"
#include "colour/profile_dialog.h"
#include "joboptions/custom_settings_dialog.h"
#include "joboptions/email_dialog.h"
#include "joboptions/postscript_options_dialog.h"
#include "watermarks/watermark_editor.h"

namespace kx::ui {

std::vector<RegisteredDialog> AllDialogSpecs() {
  std::vector<RegisteredDialog> dialogs = {
      {.spec = &AboutBoxSpec(), .isPage = false},
      {.spec = &WatermarkEditorSpec(), .isPage = false},
      {.spec = &AdvancedColourDialogSpec(), .isPage = false},
      {.spec = &ColourDetailsDialogSpec(), .isPage = false},
      {.spec = &ProfileDialogSpec(), .isPage = false},
      {.spec = &GraphicsOptionsDialogSpec(), .isPage = false},
      {.spec = &PostScriptOptionsDialogSpec(), .isPage = false},
      {.spec = &EmailDialogSpec(), .isPage = false},
      {.spec = &CustomSettingsDialogSpec(), .isPage = false},
  };
  for (const PageList pages : {DocumentPages(), PrinterPages()}) {
    for (const PageEntry& page : pages) {
      if (page.spec != nullptr) dialogs.push_back({.spec = page.spec, .isPage = true});
    }
  }
  return dialogs;
}

}  // namespace kx::ui
