// The lists of the colour settings detail: the PPD's halftone, intent and gray treatment
// options, and the printer-resident profiles of each kind.
#include <string>

#include "colour/colour_details_layout.h"
#include "colour/colour_details_session.h"
#include "dialog_routines.h"
#include "platform/dialogs.h"
#include "settings/name_tables.h"
#include "settings/record_text.h"

namespace kx::ui::details {
namespace {

using namespace host;
using settings::FieldText;
using settings::PrivateRecord;

// The list's value of "없음" (none); the stored profiles have 0.
constexpr uint32_t kNoneValue = 1;
constexpr uint32_t kProfileValue = 0;
constexpr char kNoneText[] = "\xBE\xF8\xC0\xBD";  // 없음 (none)
constexpr WPARAM kFromStart = static_cast<WPARAM>(-1);

struct FeatureList {
  int listId;
  const char* feature;
  const settings::NameTable* table;
  uint8_t PrivateRecord::*field;
};

// The PPD names its halftone and gray treatment features the other way round from the
// columns they fill: the text and graphics column offers the Image feature's options,
// the image column the Graphics feature's; each list's value goes to its own column.
const FeatureList kFeatureLists[] = {
    {kGraphicsHalftoneList, "ImageHalftone", &settings::kHalftoneTable,
     &PrivateRecord::graphicsHalftone},
    {kImageHalftoneList, "GraphicsHalftone", &settings::kHalftoneTable,
     &PrivateRecord::imageHalftone},
    {kGraphicsIntentList, "GraphicsIntent", &settings::kIntentTable,
     &PrivateRecord::graphicsIntent},
    {kImageIntentList, "ImageIntent", &settings::kIntentTable, &PrivateRecord::imageIntent},
    {kGraphicsGrayList, "ImageProcessGray", &settings::kBooleanTable,
     &PrivateRecord::graphicsProcessGray},
    {kImageGrayList, "GraphicsProcessGray", &settings::kBooleanTable,
     &PrivateRecord::imageProcessGray},
};

LRESULT ItemData(HWND list, LRESULT index) {
  return platform::SendMessage(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

void AddEntry(HWND list, std::u16string_view text, uint32_t value) {
  const std::u16string entry(text);
  const LRESULT at =
      platform::SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  if (at >= 0) {
    platform::SendMessage(list, CB_SETITEMDATA, static_cast<WPARAM>(at),
                          static_cast<LPARAM>(value));
  }
}

// The first stored profile whose description begins with `name` (case ignored, as the
// list compares); CB_ERR when none does. "없음" itself is never the record's profile.
LRESULT FindProfileBeginningWith(HWND list, std::u16string_view name) {
  if (name.empty()) return CB_ERR;
  const std::u16string wanted(name);
  LRESULT after = -1;
  for (;;) {
    const LRESULT found = platform::SendMessage(list, CB_FINDSTRING, static_cast<WPARAM>(after),
                                                reinterpret_cast<LPARAM>(wanted.c_str()));
    // The search wraps round to the top: a hit at or before the last one ends it.
    if (found < 0 || found <= after) return CB_ERR;
    if (ItemData(list, found) == static_cast<LRESULT>(kProfileValue)) return found;
    after = found;
  }
}

}  // namespace

const ProfileList kProfileLists[3] = {
    {kRgbSourceList, ProfileKind::kRgbSource, &PrivateRecord::rgbSourceDefault,
     &PrivateRecord::rgbSourceName, &PrivateRecord::rgbSourceFile},
    {kSimulationList, ProfileKind::kSimulation, &PrivateRecord::simulationNone,
     &PrivateRecord::simulationName, &PrivateRecord::simulationFile},
    {kDestinationList, ProfileKind::kDestination, &PrivateRecord::destinationNone,
     &PrivateRecord::destinationName, &PrivateRecord::destinationFile},
};

const ProfileList* ProfileListOf(ProfileKind kind) {
  for (const ProfileList& list : kProfileLists) {
    if (list.kind == kind) return &list;
  }
  return nullptr;
}

void FillFeatureLists(HWND dialog, DetailsSession& session) {
  session.missingLists.clear();
  const PrivateRecord& record = *session.record;
  for (const FeatureList& list : kFeatureLists) {
    if (!FillComboFromPpdFeature(platform::GetDlgItem(dialog, list.listId), session.context->ppd,
                                 list.feature, *list.table, record.*(list.field))) {
      session.missingLists.push_back(list.listId);
    }
  }
}

void TakeFeatureLists(HWND dialog, PrivateRecord* record) {
  for (const FeatureList& list : kFeatureLists) {
    record->*(list.field) = static_cast<uint8_t>(SelectedValue(dialog, list.listId));
  }
}

void FillProfileList(HWND dialog, const DetailsSession& session, const ProfileList& list) {
  const HWND combo = platform::GetDlgItem(dialog, list.listId);
  platform::SendMessage(combo, CB_RESETCONTENT, 0, 0);
  AddEntry(combo, ToUtf16(kNoneText), kNoneValue);
  for (const std::u16string& description : ListProfiles(list.kind, session.printer)) {
    AddEntry(combo, description, kProfileValue);
  }
  const PrivateRecord& record = *session.record;
  const LRESULT found = record.*(list.noneFlag) == kNoneValue
                            ? CB_ERR
                            : FindProfileBeginningWith(combo, FieldText(record.*(list.name)));
  if (found < 0) {
    SelectByValue(dialog, list.listId, kNoneValue);
  } else {
    platform::SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  }
}

// A profile whose record cannot be read (deleted meanwhile, or damaged) is taken as none:
// a flag of 0 with an empty file name would have the printer look for a file "".
void TakeProfileList(HWND dialog, const DetailsSession& session, const ProfileList& list,
                     PrivateRecord* record) {
  ProfileRecord stored{};
  const bool chosen = SelectedValue(dialog, list.listId) == kProfileValue &&
                      ReadProfile(list.kind, session.printer, SelectedText(dialog, list.listId),
                                  &stored);
  record->*(list.noneFlag) = chosen ? static_cast<uint8_t>(kProfileValue)
                                    : static_cast<uint8_t>(kNoneValue);
  settings::StoreText(record->*(list.name), chosen ? FieldText(stored.description) : u"");
  settings::StoreText(record->*(list.file), chosen ? FieldText(stored.fileName) : u"");
}

void SelectExactText(HWND dialog, int listId, std::u16string_view text) {
  const HWND combo = platform::GetDlgItem(dialog, listId);
  const LRESULT count = platform::SendMessage(combo, CB_GETCOUNT, 0, 0);
  LRESULT select = 0;
  for (LRESULT i = 0; i < count; ++i) {
    if (ComboItemText(combo, i) == text) {
      select = i;
      break;
    }
  }
  platform::SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(select), 0);
}

std::u16string SelectedText(HWND dialog, int listId) {
  const HWND combo = platform::GetDlgItem(dialog, listId);
  const LRESULT selected = platform::SendMessage(combo, CB_GETCURSEL, 0, 0);
  return selected < 0 ? std::u16string() : ComboItemText(combo, selected);
}

bool ColourBlocksDiffer(const PrivateRecord& a, const PrivateRecord& b) {
  const bool numbersEqual =
      a.colorMode == b.colorMode && a.quickColorSet == b.quickColorSet &&
      a.fieldAt2508 == b.fieldAt2508 && a.useColorIntents == b.useColorIntents &&
      a.rgbSourceDefault == b.rgbSourceDefault && a.simulationNone == b.simulationNone &&
      a.destinationNone == b.destinationNone && a.graphicsHalftone == b.graphicsHalftone &&
      a.imageHalftone == b.imageHalftone && a.graphicsIntent == b.graphicsIntent &&
      a.imageIntent == b.imageIntent && a.graphicsProcessGray == b.graphicsProcessGray &&
      a.imageProcessGray == b.imageProcessGray;
  if (!numbersEqual) return true;
  for (const ProfileList& list : kProfileLists) {
    if (FieldText(a.*(list.name)) != FieldText(b.*(list.name)) ||
        FieldText(a.*(list.file)) != FieldText(b.*(list.file))) {
      return true;
    }
  }
  return false;
}

}  // namespace kx::ui::details
