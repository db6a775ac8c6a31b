// The host driver's own settings items (OPTITEMs), built from a PPD image the way the
// host builds its settings tree, for CommonUIProp. The object owns every item, type,
// choice and name it hands out, at addresses that stay put for its lifetime.
//
// The document tree is, in order:
//   level 1 "Graphic":            print quality (DMPUB_PRINTQUALITY, the resolutions;
//                                 left out without a Resolution or QualityMode feature),
//                                 colour (DMPUB_COLOR: grayscale, colour)
//   level 1 "Document Options":   pages per sheet (DMPUB_NUP: 1, 2, 4, 6, 9, 16, booklet)
//   level 1 "PostScript Options": output option, and the error handler (help index
//                                 kErrorHandlerHelpIndex: yes, no)
//   level 1 "Printer Features":   one level-2 item per PPD feature, in the image's list
//                                 order (ordinary features, then installable ones)
// The printer tree has one section, "Installable Options", with one item per installable
// feature.
//
// A feature's item is named by the feature's translation (its keyword without one),
// converted from the system's ANSI code page; its choices are the options' translations
// in PPD order, and its selection is the default option's index.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/compstui.h"
#include "ppd/ppd.h"

namespace kx::hostsim {

inline constexpr host::DWORD kErrorHandlerHelpIndex = 1042;

// Positions of the pages-per-sheet choices; the last prints a booklet.
inline constexpr host::LONG kNupBookletChoice = 6;
// Positions of the colour item's choices.
inline constexpr host::LONG kColourGrayscaleChoice = 0;
inline constexpr host::LONG kColourColourChoice = 1;

class HostItems {
 public:
  enum class Tree { Document, Printer };
  // How one item is laid out (host_items.cpp).
  struct Plan;

  // `image` may be null: the tree then has its fixed items only. It must outlive the
  // object.
  HostItems(const ppd::PpdImage* image, Tree tree);
  HostItems(const HostItems&) = delete;
  HostItems& operator=(const HostItems&) = delete;

  host::OPTITEM* data() { return items_.data(); }
  host::DWORD count() const { return static_cast<host::DWORD>(items_.size()); }
  std::span<host::OPTITEM> items() { return items_; }

  // Section `n` from the end (0: the last) without its level-1 header: the items after
  // that header up to the next one. Empty when there are not that many sections.
  std::span<host::OPTITEM> SectionFromEnd(size_t n);
  // The first item with this display name or public device-mode id, or null.
  host::OPTITEM* Find(std::u16string_view name);
  host::OPTITEM* FindByDmPub(host::BYTE id);
  host::OPTITEM* FindByHelpIndex(host::DWORD helpIndex);

  // An item's display name and its choices' names (none for a section header).
  static std::u16string Name(const host::OPTITEM& item);
  static std::vector<std::u16string> Choices(const host::OPTITEM& item);
  // The name of the choice the item shows; empty when its selection names none.
  static std::u16string SelectedChoice(const host::OPTITEM& item);
  static bool Hidden(const host::OPTITEM& item) { return (item.Flags & host::OPTIF_HIDE) != 0; }
  static bool Changed(const host::OPTITEM& item) {
    return (item.Flags & host::OPTIF_CHANGED) != 0;
  }

  // The item made for a PPD feature (in the last section, by what it shows), and the
  // position of the choice made for one of its options; null and -1 when there is none.
  host::OPTITEM* FeatureItem(std::string_view keyword);
  host::LONG ChoiceOf(std::string_view keyword, std::string_view option);

 private:
  void Lay(const std::vector<Plan>& plans);

  const ppd::PpdImage* image_;  // not owned
  std::vector<host::OPTITEM> items_;
  std::vector<host::OPTTYPE> types_;
  // One block of choices per item; the item's type points into it.
  std::vector<std::vector<host::OPTPARAM>> choices_;
  // Every name the items and choices point at; a deque-like list of owned strings.
  std::vector<std::unique_ptr<std::u16string>> names_;
};

}  // namespace kx::hostsim
