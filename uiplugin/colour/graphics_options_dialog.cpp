#include "colour/graphics_options_dialog.h"

#include "colour/graphics_options_layout.h"
#include "help_path.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "session_dialog.h"
#include "settings/record.h"

namespace kx::ui {
namespace graphics_options {
namespace {

using namespace host;
using settings::PrivateRecord;

// The PPD feature whose presence means the printer can save toner.
constexpr char kTonerSaveFeature[] = "MiserMode";
// The record's colour model of grayscale printing.
constexpr uint8_t kGrayModel = 1;

struct Session {
  PrivateRecord* record = nullptr;
  const ppd::PpdImage* ppd = nullptr;
};

void Check(HWND dialog, int id, bool checked) {
  platform::SendDlgItemMessage(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
bool IsChecked(HWND dialog, int id) {
  return platform::SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0) ==
         static_cast<LRESULT>(BST_CHECKED);
}
void Enable(HWND dialog, int id, bool enabled) {
  platform::EnableWindow(platform::GetDlgItem(dialog, id), enabled);
}
uint32_t Flag(HWND dialog, int id) { return IsChecked(dialog, id) ? 1 : 0; }

// A colour printer inverts only grayscale pages: the negative of a colour page is not
// what the printer's colour path can produce.
bool NegativeImagePossible(const PrivateRecord& record, const ppd::PpdImage* ppd) {
  const bool colourDevice = ppd != nullptr && ppd->colorDevice == 1;
  return !colourDevice || record.colorMode == kGrayModel;
}

void OnInit(HWND dialog, Session& session) {
  const PrivateRecord& record = *session.record;
  Check(dialog, kTonerSaveBox, record.miserMode != 0);
  Check(dialog, kSmoothingBox, record.smoothing != 0);
  Check(dialog, kMirrorImageBox, record.mirrorImage != 0);
  Check(dialog, kNegativeImageBox, record.negativeImage != 0);
  Enable(dialog, kTonerSaveBox, ppd::PpdFindOptions(session.ppd, kTonerSaveFeature) != nullptr);
  // A rotation no button stands for leaves them all clear.
  for (const RotationButton& button : kRotationButtons) {
    Check(dialog, button.id, record.rotation == button.degrees);
  }
  // A booklet's pages are placed by the booklet layout, not rotated one by one.
  if (record.booklet != 0) {
    for (const RotationButton& button : kRotationButtons) Enable(dialog, button.id, false);
  }
  Enable(dialog, kNegativeImageBox, NegativeImagePossible(record, session.ppd));
}

// Disabled boxes are stored too: they still show the job's values.
void OnOk(HWND dialog, Session& session) {
  PrivateRecord& record = *session.record;
  record.miserMode = Flag(dialog, kTonerSaveBox);
  record.smoothing = static_cast<uint16_t>(Flag(dialog, kSmoothingBox));
  record.negativeImage = Flag(dialog, kNegativeImageBox);
  record.mirrorImage = Flag(dialog, kMirrorImageBox);
  for (const RotationButton& button : kRotationButtons) {
    if (IsChecked(dialog, button.id)) record.rotation = button.degrees;
  }
  platform::EndDialog(dialog, kGraphicsOk);
}

INT_PTR OnCommand(HWND dialog, Session& session, int id, UINT code) {
  if (code != BN_CLICKED) return 0;
  switch (id) {
    case IDOK:
      OnOk(dialog, session);
      return 1;
    case IDCANCEL:
      platform::EndDialog(dialog, kGraphicsCancelled);
      return 1;
    case kHelpButton:
      platform::OpenPage(TopicPage(Module().HelpRoot(), kGraphicsOptionsDialogId));
      return 1;
    default:
      return 0;
  }
}

struct GraphicsOptionsDialog {
  using Session = graphics_options::Session;
  static const platform::DialogSpec& Spec() { return GraphicsOptionsDialogSpec(); }
  static const DialogHelp& Help() { return GraphicsOptionsHelp(); }
  static void OnInit(HWND dialog, Session& session) { graphics_options::OnInit(dialog, session); }
  static INT_PTR OnMessage(HWND dialog, Session& session, UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND) return 0;
    return OnCommand(dialog, session, LoWord(wParam), HiWord(wParam));
  }
};

}  // namespace
}  // namespace graphics_options

host::INT_PTR ShowGraphicsOptions(host::HWND owner, PageSetContext* context) {
  settings::PrivateRecord* record = RecordOfContext(context);
  if (record == nullptr) return graphics_options::kGraphicsCancelled;
  graphics_options::Session session{
      .record = record,
      .ppd = context->ppd,
  };
  return RunSessionDialog<graphics_options::GraphicsOptionsDialog>(owner, &session);
}

}  // namespace kx::ui
