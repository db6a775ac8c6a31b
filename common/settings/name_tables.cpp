#include "settings/name_tables.h"

namespace kx::settings {
namespace {

// A quality keyword such as "1200dpiUltra" matches its row by prefix, so the order of
// the rows decides between names that are prefixes of each other.
constexpr NameRow kQualityRows[] = {
    {1, "300dpi"},   {2, "600dpi"}, {3, "1200dpi"}, {4, "2400dpi"}, {5, "Standard"},
    {6, "Quality"},  {7, "Fine"},   {8, "Draft"},   {9, "Normal"},  {10, "High"},
};
constexpr NameRow kBooleanRows[] = {{0, "False"}, {1, "True"}};
constexpr NameRow kHalftoneRows[] = {{0, "Low"}, {1, "General"}, {2, "High"}};
constexpr NameRow kIntentRows[] = {
    {0, "None"}, {1, "Contrast"}, {2, "Vivid"}, {3, "sRGB"}, {4, "SatsRGB"},
};

}  // namespace

const NameTable kQualityTable{kQualityRows};
const NameTable kBooleanTable{kBooleanRows};
const NameTable kHalftoneTable{kHalftoneRows};
const NameTable kIntentTable{kIntentRows};

uint32_t OptionValue(NameTable table, std::string_view keyword) {
  for (const NameRow& row : table) {
    if (keyword.starts_with(row.name)) return row.number;
  }
  return 0;
}

const char* OptionName(NameTable table, uint32_t number) {
  for (const NameRow& row : table) {
    if (row.number == number) return row.name;
  }
  return nullptr;
}

}  // namespace kx::settings
