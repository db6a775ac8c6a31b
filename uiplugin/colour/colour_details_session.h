// One open colour settings detail: the record it edits, the printer whose profiles it
// offers, the block as it was at opening, and the download manager's tip.
#pragma once

#include <string>
#include <vector>

#include "colour/profile_store.h"
#include "host/window.h"
#include "page_set.h"
#include "settings/record.h"
#include "tips.h"

namespace kx::ui::details {

struct DetailsSession {
  PageSetContext* context = nullptr;
  settings::PrivateRecord* record = nullptr;  // the job's, written only on OK
  std::u16string printer;
  settings::PrivateRecord opening{};          // the colour block compared at OK
  std::vector<int> missingLists;              // lists whose PPD feature is missing
  Tips downloadTip{TipHideRule::SameControl};
};

// One list of profiles: its control, the kind it offers and the record's fields it sets.
struct ProfileList {
  int listId;
  ProfileKind kind;
  uint8_t settings::PrivateRecord::*noneFlag;
  char16_t (settings::PrivateRecord::*name)[65];
  char16_t (settings::PrivateRecord::*file)[260];
};
extern const ProfileList kProfileLists[3];
const ProfileList* ProfileListOf(ProfileKind kind);

// The six halftone, intent and gray treatment lists from the PPD, each selecting its
// field; a list whose feature the PPD lacks is remembered in the session.
void FillFeatureLists(host::HWND dialog, DetailsSession& session);
// The six fields from the lists' selections.
void TakeFeatureLists(host::HWND dialog, settings::PrivateRecord* record);

// "없음" (none, value 1) and the kind's stored descriptions (value 0); "없음" is selected
// when the record's flag says none, else the first description that begins with the
// record's name (case ignored), else "없음".
void FillProfileList(host::HWND dialog, const DetailsSession& session, const ProfileList& list);
// The flag, name and file name of one kind from its list's selection.
void TakeProfileList(host::HWND dialog, const DetailsSession& session, const ProfileList& list,
                     settings::PrivateRecord* record);

// Selects the entry whose text is exactly `text`, else entry 0.
void SelectExactText(host::HWND dialog, int listId, std::u16string_view text);
// The text of the selected entry; empty when none is selected.
std::u16string SelectedText(host::HWND dialog, int listId);

// The download manager's tip of an open dialog: its window, and the control it is shown
// at (0: hidden).
struct DownloadTip {
  host::HWND window = nullptr;
  int shownAt = 0;
};
DownloadTip DownloadTipOf(host::HWND dialog);

// Whether the colour blocks differ: numbers as numbers, names and file names as text.
bool ColourBlocksDiffer(const settings::PrivateRecord& a, const settings::PrivateRecord& b);

}  // namespace kx::ui::details
