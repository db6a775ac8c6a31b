// Handlers of the keywords that set header fields from words of the value.
#include <algorithm>
#include <iterator>

#include "ppd/handlers.h"

namespace kx::ppd {

namespace {

// ORs in the bit of every known word of the value; unknown words are ignored.
uint16_t CollectBits(WordTable table, const char* value) {
  uint16_t bits = 0;
  for (Word word = NextWord(&value); !word.empty(); word = NextWord(&value)) {
    bits = static_cast<uint16_t>(bits | LookupWord(table, word.view()).value_or(0));
  }
  return bits;
}

// Sets the field from the table; an unknown word leaves it unchanged.
void SetFromTable(uint16_t* field, WordTable table, const char* value) {
  if (const auto found = LookupWord(table, value)) *field = *found;
}

constexpr uint16_t kExtensionCmyk = 2;

}  // namespace

Status SetProtocols(Parser& parser, const PpdEntry& entry) {
  const uint16_t bits =
      CollectBits({{"PJL", 1}, {"BCP", 2}, {"TBCP", 4}, {"SIC", 8}}, entry.value.c_str());
  parser.header.protocols = static_cast<uint16_t>(parser.header.protocols | bits);
  return Status::kOk;
}

Status SetExtensions(Parser& parser, const PpdEntry& entry) {
  const uint16_t bits =
      CollectBits({{"DPS", 1}, {"CMYK", kExtensionCmyk}, {"Composite", 4}, {"FileSystem", 8}},
                  entry.value.c_str());
  parser.header.extensions = static_cast<uint16_t>(parser.header.extensions | bits);
  if (bits & kExtensionCmyk) parser.header.colorDevice = 1;
  return Status::kOk;
}

Status SetLanguageEncoding(Parser& parser, const PpdEntry& entry) {
  SetFromTable(
      &parser.header.languageEncoding,
      {{"ISOLatin1", 1}, {"JIS83-RKSJ", 2}, {"MaxStandard", 3}, {"WindowsANSI", 4}, {"None", 0}},
      entry.value.c_str());
  return Status::kOk;
}

// The language of the PPD implies an encoding only while none was given.
Status SetLanguageVersion(Parser& parser, const PpdEntry& entry) {
  if (parser.header.languageEncoding != 0) return Status::kOk;
  // clang-format off
  SetFromTable(&parser.header.languageEncoding,
               {{"English", 1}, {"Danish", 1}, {"Dutch", 1}, {"Finnish", 1}, {"French", 1},
                {"German", 1}, {"Italian", 1}, {"Norwegian", 1}, {"Portuguese", 1},
                {"Spanish", 1}, {"Swedish", 1}, {"Chinese", 0}, {"Japanese", 2}, {"Russian", 0}},
               entry.value.c_str());
  // clang-format on
  return Status::kOk;
}

Status SetTtRasterizer(Parser& parser, const PpdEntry& entry) {
  SetFromTable(&parser.header.ttRasterizer,
               {{"None", 0}, {"Accept68k", 1}, {"Type42", 2}, {"TrueImage", 3}},
               entry.value.c_str());
  return Status::kOk;
}

Status SetLandscapeOrientation(Parser& parser, const PpdEntry& entry) {
  SetFromTable(&parser.header.landscapeOrientation, {{"Any", 0}, {"Plus90", 1}, {"Minus90", 2}},
               entry.value.c_str());
  return Status::kOk;
}

Status SetHwMargins(Parser& parser, const PpdEntry& entry) {
  Fixed margins[4];
  if (ParseFixedWords(entry.value.c_str(), margins) != Status::kOk) return Status::kSyntax;
  std::copy(std::begin(margins), std::end(margins), parser.header.hwMargins);
  parser.header.hwMarginsGiven = 1;
  return Status::kOk;
}

Status SetCustomPageSize(Parser& parser, const PpdEntry& entry) {
  if (entry.option.view() != "True") return Status::kOk;
  parser.header.customPageSize = 1;
  return StoreString(&parser.customPageSizeCode, entry.value.view(), parser.arena,
                     StringMode::kPlain);
}

}  // namespace kx::ppd
