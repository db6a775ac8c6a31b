#include "colour/advanced_colour_dialog.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "colour/advanced_colour_layout.h"
#include "colour/advanced_colour_list.h"
#include "colour/advanced_colour_state.h"
#include "colour/advanced_colour_summary.h"
#include "colour/colour_details_dialog.h"
#include "colour/colour_sets.h"
#include "context_help.h"
#include "help_path.h"
#include "host/call_barrier.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

namespace kx::ui {
namespace advanced_colour {
namespace {

using namespace host;
using settings::PrivateRecord;

constexpr INT_PTR kOk = IDOK;
constexpr INT_PTR kCancelled = IDCANCEL;

uint8_t* BlockOf(PrivateRecord* record) {
  return reinterpret_cast<uint8_t*>(record) + kColourBlockOffset;
}

void Backup(AdvancedColourState& state) {
  std::memcpy(state.savedBlock.data(), BlockOf(state.record), kColourBlockSize);
  std::copy(std::begin(state.record->colorSetName), std::end(state.record->colorSetName),
            state.savedName.begin());
}

void Restore(AdvancedColourState& state) {
  std::memcpy(BlockOf(state.record), state.savedBlock.data(), kColourBlockSize);
  std::copy(state.savedName.begin(), state.savedName.end(),
            std::begin(state.record->colorSetName));
}

void ShowSummary(HWND dialog, const PrivateRecord& record) {
  const ColourSummary summary = SummarizeColourSettings(record);
  platform::SetDlgItemText(dialog, kModelText, summary.colourModel);
  platform::SetDlgItemText(dialog, kHalftoneText, summary.halftone);
  platform::SetDlgItemText(dialog, kRgbSourceText, summary.rgbSource);
  platform::SetDlgItemText(dialog, kGrayText, summary.grayTreatment);
  platform::SetDlgItemText(dialog, kSimulationText, summary.simulation);
  platform::SetDlgItemText(dialog, kDestinationText, summary.destination);
  for (const int id : kColourOnlyTexts) {
    platform::EnableWindow(platform::GetDlgItem(dialog, id), summary.colourParts);
  }
}

void OnInit(HWND dialog, AdvancedColourState& state) {
  Backup(state);
  platform::ApplyControlLimits(dialog, AdvancedColourDialogSpec());
  FillSetList(dialog, state);
  ShowSummary(dialog, *state.record);
  state.tipText.clear();
  state.tips.Create(dialog, kTipControls);
  state.userSetChanged = false;
}

// Changed details turn a predefined set into the user set; a user set's changes are
// stored at OK.
void OnChangeDetails(HWND dialog, AdvancedColourState& state) {
  if (ShowColourDetails(dialog, state.context) != kOk) return;
  if (state.record->quickColorSet != kUserColourSet) {
    StoreAsUserSet(dialog, state);
  } else {
    state.userSetChanged = true;
  }
}

// Whether the colour settings still are what the predefined set they name writes.
bool StillPredefined(const PrivateRecord& record) {
  PrivateRecord preset = record;
  ApplyPredefinedColourSet(&preset);
  return preset.colorMode == record.colorMode && preset.quickColorSet == record.quickColorSet &&
         preset.useColorIntents == record.useColorIntents &&
         preset.rgbSourceDefault == record.rgbSourceDefault &&
         preset.simulationNone == record.simulationNone &&
         preset.destinationNone == record.destinationNone &&
         preset.graphicsHalftone == record.graphicsHalftone &&
         preset.imageHalftone == record.imageHalftone &&
         preset.graphicsIntent == record.graphicsIntent &&
         preset.imageIntent == record.imageIntent &&
         preset.graphicsProcessGray == record.graphicsProcessGray &&
         preset.imageProcessGray == record.imageProcessGray;
}

void OnOk(HWND dialog, AdvancedColourState& state) {
  const PrivateRecord& record = *state.record;
  if (record.quickColorSet == kUserColourSet) {
    if (state.userSetChanged) StoreAsUserSet(dialog, state);
  } else if (!StillPredefined(record)) {
    StoreAsUserSet(dialog, state);
  }
  platform::EndDialog(dialog, kOk);
}

void OnCancel(HWND dialog, AdvancedColourState& state) {
  Restore(state);
  platform::EndDialog(dialog, kCancelled);
}

INT_PTR OnCommand(HWND dialog, AdvancedColourState& state, int id, UINT code) {
  if (id == kSetList) {
    if (code == CBN_SELCHANGE) {
      OnSetChosen(dialog, state);
      ShowSummary(dialog, *state.record);
    } else if (code == CBN_KILLFOCUS || code == CBN_DROPDOWN) {
      state.tips.Hide(code, kSetList);
    }
    return 0;
  }
  if (code != BN_CLICKED) return 0;
  switch (id) {
    case kSaveButton:
      OnSave(dialog, state);
      break;
    case kDeleteButton:
      OnDelete(dialog, state);
      break;
    case kChangeButton:
      OnChangeDetails(dialog, state);
      break;
    case IDOK:
      OnOk(dialog, state);
      return 1;
    case IDCANCEL:
      OnCancel(dialog, state);
      return 1;
    case kHelpButton:
      platform::OpenPage(TopicPage(Module().HelpRoot(), kAdvancedColourDialogId));
      return 1;
    default:
      return 0;
  }
  // The set the job uses may have changed with any of them.
  ShowSummary(dialog, *state.record);
  return 1;
}

INT_PTR OnNotify(const AdvancedColourState& state, const NMHDR* header) {
  if (header == nullptr || header->code != TTN_GETDISPINFOW) return 0;
  auto* request = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
  request->lpszText = const_cast<char16_t*>(state.tipText.c_str());
  return 1;
}

INT_PTR KX_STDCALL Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return DialogBarrier([&]() -> INT_PTR {
    AdvancedColourState& state = AdvancedColour();
    if (message == WM_INITDIALOG) {
      OnInit(dialog, state);
      return 1;
    }
    if (state.record == nullptr) return 0;
    if (AnswerHelpRequest(dialog, message, wParam, lParam, AdvancedColourHelp())) return 1;
    switch (message) {
      case WM_COMMAND:
        return OnCommand(dialog, state, LoWord(wParam), HiWord(wParam));
      case WM_NOTIFY:
        return OnNotify(state, reinterpret_cast<const NMHDR*>(lParam));
      case WM_MOUSEMOVE:
        state.tips.Hide(WM_MOUSEMOVE, 0);
        return 0;
      default:
        return 0;
    }
  });
}

}  // namespace
}  // namespace advanced_colour

host::INT_PTR ShowAdvancedColourOptions(host::HWND owner, PageSetContext* context) {
  settings::PrivateRecord* record = RecordOfContext(context);
  if (record == nullptr) return advanced_colour::kCancelled;
  AdvancedColourState& state = AdvancedColour();
  state.context = context;
  state.record = record;
  state.printer = PrinterNameOfContext(*context);
  const std::vector<uint32_t> dialogTemplate =
      platform::BuildDialogTemplate(AdvancedColourDialogSpec());
  const host::INT_PTR result = platform::DialogBoxIndirectParam(
      dialogTemplate.data(), owner, advanced_colour::Procedure,
      reinterpret_cast<host::LPARAM>(context));
  // The dialog is gone: nothing is edited until it opens again.
  state.context = nullptr;
  state.record = nullptr;
  return result;
}

}  // namespace kx::ui
