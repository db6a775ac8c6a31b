// One open watermark editor: the record it edits, where it is stored, what the printer
// and job allow, and the editor's balloon.
#pragma once

#include <string>

#include "host/window.h"
#include "ppd/ppd.h"
#include "settings/record.h"
#include "tips.h"

namespace kx::ui::editor {

struct EditorSession {
  settings::WatermarkRecord* record = nullptr;  // the job's, edited in place
  const ppd::PpdImage* ppd = nullptr;
  std::u16string printer;
  bool editingExisting = false;  // Edit of a named watermark rather than Add
  bool colourCapable = false;    // a colour printer printing this job in colour
  bool closing = false;          // ended: the focus leaving a box no longer counts
  Tips balloon{TipHideRule::OtherControl};
};

// The colour list (all colours, or black alone and disabled) and the PPD's fonts.
void FillLists(host::HWND dialog, const EditorSession& session);
// Every control from the record.
void FillControls(host::HWND dialog, const EditorSession& session);
// Centre or relative, the offsets' boxes and whether they can be changed.
void EnablePositionGroup(host::HWND dialog, bool enable);

}  // namespace kx::ui::editor
