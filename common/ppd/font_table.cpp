#include "ppd/font_table.h"

#include "ppd/lexical.h"

namespace kx::ppd {

namespace {

// Row order is the font numbering; never reorder.
constexpr std::array<std::string_view, kFontTableSize> kFontNameLiterals = {
    "Arial", "Arial-Bold", "Arial-BoldOblique", "Arial-Oblique", "Arial-Narrow",
    "Arial-Narrow-Bold", "Arial-Narrow-BoldOblique", "Arial-Narrow-Oblique",
    "AvantGarde-Book", "AvantGarde-BookOblique", "AvantGarde-Demi",
    "AvantGarde-DemiOblique", "Bookman-Demi", "Bookman-DemiItalic", "Bookman-Light",
    "Bookman-LightItalic", "Courier", "Courier-Bold", "Courier-BoldOblique",
    "Courier-Oblique", "Garamond-Bold", "Garamond-BoldItalic", "Garamond-Light",
    "Garamond-LightItalic", "Helvetica", "Helvetica-Black", "Helvetica-BlackOblique",
    "Helvetica-Bold", "Helvetica-BoldOblique", "Helvetica-Condensed",
    "Helvetica-Condensed-Bold", "Helvetica-Condensed-BoldObl",
    "Helvetica-Condensed-Oblique", "Helvetica-Light", "Helvetica-LightOblique",
    "Helvetica-Narrow", "Helvetica-Narrow-Bold", "Helvetica-Narrow-BoldOblique",
    "Helvetica-Narrow-Oblique", "Helvetica-Oblique", "Korinna-Bold", "Korinna-KursivBold",
    "Korinna-KursivRegular", "Korinna-Regular", "LubalinGraph-Book",
    "LubalinGraph-BookOblique", "LubalinGraph-Demi", "LubalinGraph-DemiOblique",
    "NewCenturySchlbk-Bold", "NewCenturySchlbk-BoldItalic", "NewCenturySchlbk-Italic",
    "NewCenturySchlbk-Roman", "Palatino-Bold", "Palatino-BoldItalic", "Palatino-Italic",
    "Palatino-Roman", "Souvenir-Demi", "Souvenir-DemiItalic", "Souvenir-Light",
    "Souvenir-LightItalic", "Symbol", "Times-Bold", "Times-BoldItalic", "Times-Italic",
    "Times-Roman", "Times-New-Roman", "Times-New-Roman-Bold", "Times-New-Roman-BoldItalic",
    "Times-New-Roman-Italic", "Varitimes#Bold", "Varitimes#BoldItalic", "Varitimes#Italic",
    "Varitimes#Roman", "ZapfCalligraphic-Bold", "ZapfCalligraphic-BoldItalic",
    "ZapfCalligraphic-Italic", "ZapfCalligraphic-Roman", "ZapfChancery-MediumItalic",
    "ZapfDingbats", "Mincho-PC-Hiragana", "Mincho-PC-Katakana", "Ryumin-Light-83pv-RKSJ-H",
    "Ryumin-Light-Add-H", "Ryumin-Light-Add-RKSJ-H", "Ryumin-Light-Add-RKSJ-V",
    "Ryumin-Light-Add-V", "Ryumin-Light-EUC-H", "Ryumin-Light-EUC-V", "Ryumin-Light-Ext-H",
    "Ryumin-Light-Ext-RKSJ-H", "Ryumin-Light-Ext-RKSJ-V", "Ryumin-Light-Ext-V",
    "Ryumin-Light-H", "Ryumin-Light-NWP-H", "Ryumin-Light-NWP-V", "Ryumin-Light-RKSJ-H",
    "Ryumin-Light-RKSJ-UserGaiji", "Ryumin-Light-RKSJ-V", "Ryumin-Light-V",
    "Ryumin-Light.Oubun", "Ryumin-Light.Roman", "Ryumin-Light.WP-Symbol",
    "GothicBBB-Medium-83pv-RKSJ-H", "GothicBBB-Medium-Add-H", "GothicBBB-Medium-Add-RKSJ-H",
    "GothicBBB-Medium-Add-RKSJ-V", "GothicBBB-Medium-Add-V", "GothicBBB-Medium-EUC-H",
    "GothicBBB-Medium-EUC-V", "GothicBBB-Medium-Ext-H", "GothicBBB-Medium-Ext-RKSJ-H",
    "GothicBBB-Medium-Ext-RKSJ-V", "GothicBBB-Medium-Ext-V", "GothicBBB-Medium-H",
    "GothicBBB-Medium-NWP-H", "GothicBBB-Medium-NWP-V", "GothicBBB-Medium-RKSJ-H",
    "GothicBBB-Medium-RKSJ-UserGaiji", "GothicBBB-Medium-RKSJ-V", "GothicBBB-Medium-V",
    "GothicBBB-Medium.Oubun", "GothicBBB-Medium.Roman", "GothicBBB-Medium.WP-Symbol",
    "Ryumin-Light-MS90-RKSJ-H", "Ryumin-Light-MS90-RKSJ-HI", "Ryumin-Light-MS90-RKSJ-HB",
    "Ryumin-Light-MS90-RKSJ-HZ", "Ryumin-Light-MS90-RKSJ-V", "Ryumin-Light-MS90-RKSJ-VI",
    "Ryumin-Light-MS90-RKSJ-VB", "Ryumin-Light-MS90-RKSJ-VZ",
    "GothicBBB-Medium-MS90-RKSJ-H", "GothicBBB-Medium-MS90-RKSJ-HI",
    "GothicBBB-Medium-MS90-RKSJ-HB", "GothicBBB-Medium-MS90-RKSJ-HZ",
    "GothicBBB-Medium-MS90-RKSJ-V", "GothicBBB-Medium-MS90-RKSJ-VI",
    "GothicBBB-Medium-MS90-RKSJ-VB", "GothicBBB-Medium-MS90-RKSJ-VZ",
    "FutoMinA101-Bold-83pv-RKSJ-H", "FutoMinA101-Bold-Add-H", "FutoMinA101-Bold-Add-RKSJ-H",
    "FutoMinA101-Bold-Add-RKSJ-V", "FutoMinA101-Bold-Add-V", "FutoMinA101-Bold-EUC-H",
    "FutoMinA101-Bold-EUC-V", "FutoMinA101-Bold-Ext-H", "FutoMinA101-Bold-Ext-RKSJ-H",
    "FutoMinA101-Bold-Ext-RKSJ-V", "FutoMinA101-Bold-Ext-V", "FutoMinA101-Bold-H",
    "FutoMinA101-Bold-NWP-H", "FutoMinA101-Bold-NWP-V", "FutoMinA101-Bold-RKSJ-H",
    "FutoMinA101-Bold-RKSJ-UserGaiji", "FutoMinA101-Bold-RKSJ-V", "FutoMinA101-Bold-V",
    "FutoMinA101-Bold.Hankaku", "FutoMinA101-Bold.Oubun", "FutoMinA101-Bold.Roman",
    "FutoMinA101-Bold.Roman83pv", "FutoMinA101-Bold.WP-Symbol",
    "FutoGoB101-Bold-83pv-RKSJ-H", "FutoGoB101-Bold-Add-H", "FutoGoB101-Bold-Add-RKSJ-H",
    "FutoGoB101-Bold-Add-RKSJ-V", "FutoGoB101-Bold-Add-V", "FutoGoB101-Bold-EUC-H",
    "FutoGoB101-Bold-EUC-V", "FutoGoB101-Bold-Ext-H", "FutoGoB101-Bold-Ext-RKSJ-H",
    "FutoGoB101-Bold-Ext-RKSJ-V", "FutoGoB101-Bold-Ext-V", "FutoGoB101-Bold-H",
    "FutoGoB101-Bold-NWP-H", "FutoGoB101-Bold-NWP-V", "FutoGoB101-Bold-RKSJ-H",
    "FutoGoB101-Bold-RKSJ-UserGaiji", "FutoGoB101-Bold-RKSJ-V", "FutoGoB101-Bold-V",
    "FutoGoB101-Bold.Hankaku", "FutoGoB101-Bold.Oubun", "FutoGoB101-Bold.Roman",
    "FutoGoB101-Bold.Roman83pv", "FutoGoB101-Bold.WP-Symbol", "Jun101-Light-83pv-RKSJ-H",
    "Jun101-Light-Add-H", "Jun101-Light-Add-RKSJ-H", "Jun101-Light-Add-RKSJ-V",
    "Jun101-Light-Add-V", "Jun101-Light-EUC-H", "Jun101-Light-EUC-V", "Jun101-Light-Ext-H",
    "Jun101-Light-Ext-RKSJ-H", "Jun101-Light-Ext-RKSJ-V", "Jun101-Light-Ext-V",
    "Jun101-Light-H", "Jun101-Light-NWP-H", "Jun101-Light-NWP-V", "Jun101-Light-RKSJ-H",
    "Jun101-Light-RKSJ-UserGaiji", "Jun101-Light-RKSJ-V", "Jun101-Light-V",
    "Jun101-Light.Hankaku", "Jun101-Light.Oubun", "Jun101-Light.Roman",
    "Jun101-Light.Roman83pv", "Jun101-Light.WP-Symbol", "MidashiMin-MA31-83pv-RKSJ-H",
    "MidashiMin-MA31-Add-H", "MidashiMin-MA31-Add-RKSJ-H", "MidashiMin-MA31-Add-RKSJ-V",
    "MidashiMin-MA31-Add-V", "MidashiMin-MA31-EUC-H", "MidashiMin-MA31-EUC-V",
    "MidashiMin-MA31-Ext-H", "MidashiMin-MA31-Ext-RKSJ-H", "MidashiMin-MA31-Ext-RKSJ-V",
    "MidashiMin-MA31-Ext-V", "MidashiMin-MA31-H", "MidashiMin-MA31-NWP-H",
    "MidashiMin-MA31-NWP-V", "MidashiMin-MA31-RKSJ-H", "MidashiMin-MA31-RKSJ-UserGaiji",
    "MidashiMin-MA31-RKSJ-V", "MidashiMin-MA31-V", "MidashiMin-MA31.Oubun",
    "MidashiMin-MA31.Roman", "MidashiMin-MA31.Roman83pv", "MidashiMin-MA31.WP-Symbol",
    "MidashiGo-MB31-83pv-RKSJ-H", "MidashiGo-MB31-Add-H", "MidashiGo-MB31-Add-RKSJ-H",
    "MidashiGo-MB31-Add-RKSJ-V", "MidashiGo-MB31-Add-V", "MidashiGo-MB31-EUC-H",
    "MidashiGo-MB31-EUC-V", "MidashiGo-MB31-Ext-H", "MidashiGo-MB31-Ext-RKSJ-H",
    "MidashiGo-MB31-Ext-RKSJ-V", "MidashiGo-MB31-Ext-V", "MidashiGo-MB31-H",
    "MidashiGo-MB31-NWP-H", "MidashiGo-MB31-NWP-V", "MidashiGo-MB31-RKSJ-H",
    "MidashiGo-MB31-RKSJ-UserGaiji", "MidashiGo-MB31-RKSJ-V", "MidashiGo-MB31-V",
    "MidashiGo-MB31.Oubun", "MidashiGo-MB31.Roman", "MidashiGo-MB31.Roman83pv",
    "MidashiGo-MB31.WP-Symbol", "HeiseiMin-W3-90ms-RKSJ-H", "HeiseiMin-W3-90ms-RKSJ-V",
    "HeiseiKakuGo-W5-90ms-RKSJ-H", "HeiseiKakuGo-W5-90ms-RKSJ-V", "Carta", "Tekton",
};

}  // namespace

constexpr std::array<FontNameBytes, kFontTableSize> kPaddedFontNames = [] {
  std::array<FontNameBytes, kFontTableSize> rows{};
  for (size_t row = 0; row < kFontNameLiterals.size(); ++row) {
    const std::string_view name = kFontNameLiterals[row];
    for (size_t at = 0; at < name.size() && at < kFontNameSize; ++at) rows[row][at] = name[at];
  }
  return rows;
}();

constexpr std::array<std::string_view, kFontTableSize> kFontNames = [] {
  std::array<std::string_view, kFontTableSize> names{};
  for (size_t row = 0; row < kFontNameLiterals.size(); ++row) {
    names[row] = std::string_view(kPaddedFontNames[row].data(), kFontNameLiterals[row].size());
  }
  return names;
}();

namespace {

constexpr bool EveryLiteralFitsItsRow() {
  for (const std::string_view name : kFontNameLiterals) {
    if (name.size() >= kFontNameSize) return false;
  }
  return true;
}
static_assert(EveryLiteralFitsItsRow());

constexpr bool EveryNameEndsInNul() {
  for (const std::string_view name : kFontNames) {
    if (name.data()[name.size()] != '\0') return false;
  }
  return true;
}
static_assert(EveryNameEndsInNul());

constexpr bool NoNameIsLongerThanTheLongest() {
  for (const std::string_view name : kFontNames) {
    if (name.size() > kLongestFontName) return false;
  }
  return true;
}
static_assert(NoNameIsLongerThanTheLongest());

// An open-addressing index over the table by lookup key, built at compile time. Font
// names are looked up once for every *Font entry, and most PPDs list dozens. A slot is
// four bytes, so that the whole index takes a few cache lines and stays cached between
// the entries of a load.
struct FontSlot {
  uint16_t tag;     // the key's low bits
  uint16_t number;  // 0 for an empty slot
};
constexpr size_t kFontSlotBits = 10;
constexpr size_t kFontSlots = size_t{1} << kFontSlotBits;  // at most a third full
static_assert(kFontSlots >= 3 * kFontTableSize);

constexpr size_t HomeSlot(uint32_t key) { return key >> (32 - kFontSlotBits); }
constexpr uint16_t TagOf(uint32_t key) { return static_cast<uint16_t>(key); }
constexpr size_t NextSlot(size_t slot) { return (slot + 1) & (kFontSlots - 1); }

constexpr std::array<FontSlot, kFontSlots> kFontIndex = [] {
  std::array<FontSlot, kFontSlots> slots{};
  for (size_t row = 0; row < kFontNames.size(); ++row) {
    const uint32_t key = ShortNameKey(kFontNames[row]);
    size_t slot = HomeSlot(key);
    while (slots[slot].number != 0) slot = NextSlot(slot);
    slots[slot] = FontSlot{TagOf(key), static_cast<uint16_t>(row + 1)};
  }
  return slots;
}();

}  // namespace

constexpr std::array<uint32_t, kFontTableSize> kFontNameHashes = [] {
  std::array<uint32_t, kFontTableSize> hashes{};
  for (size_t row = 0; row < kFontNames.size(); ++row) hashes[row] = NameHash(kFontNames[row]);
  return hashes;
}();

uint16_t FontNumber(std::string_view name) {
  const uint32_t key = ShortNameKey(name);
  const uint16_t tag = TagOf(key);
  for (size_t slot = HomeSlot(key); kFontIndex[slot].number != 0; slot = NextSlot(slot)) {
    const FontSlot& entry = kFontIndex[slot];
    if (entry.tag == tag && SameName(kFontNames[entry.number - 1], name)) return entry.number;
  }
  return 0;
}

}  // namespace kx::ppd
