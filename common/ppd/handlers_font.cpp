// The Font handler, *Font Name: Encoding "(Version)" CharacterSet Status, and the reader of
// the font list's lines in one step (font_lines.h), into which the handler's work is inlined.
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string_view>

#include "ppd/byte_scan.h"
#include "ppd/char_class.h"
#include "ppd/entry.h"
#include "ppd/font_lines.h"
#include "ppd/font_table.h"
#include "ppd/handlers.h"
#include "ppd/keyword_table.h"

namespace kx::ppd {

namespace {

constexpr uint16_t kUnknownEncoding = 9;
constexpr uint16_t kUnknownCharacterSet = 12;

constexpr WordValue kEncodings[] = {
    {"Standard", 0}, {"Special", 1}, {"ISOLatin1", 2}, {"Expert", 3},    {"ExpertSubset", 4},
    {"JIS", 5},      {"RKSJ", 6},    {"EUC", 7},       {"Shift-JIS", 8},
};

constexpr WordValue kCharacterSets[] = {
    {"Standard", 0}, {"OldStandard", 1},  {"Special", 2}, {"ISOLatin1", 3},
    {"Expert", 4},   {"ExpertSubset", 5}, {"JIS-83", 6},  {"JIS-78", 7},
    {"83pv", 8},     {"Add", 9},          {"Ext", 10},    {"NWP", 11},
};

// The text after its first `count` characters, which it has; without the check (and the
// exception) of substr, as the font list's lines come by the dozen.
std::string_view After(std::string_view text, size_t count) {
  return {text.data() + count, text.size() - count};
}

// The text from its first character that is not a blank.
std::string_view WithoutLeadingBlanks(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && HasClass(text[at], kClassBlank)) ++at;
  return After(text, at);
}

// The text after its second double quote; nothing when it has fewer before its end or its
// first NUL (the value ends there, as a C string would). The quotes of a version string
// are most often both among the first sixteen bytes, which are then looked at once.
// Inlined, like ReadFontCoding and ListFont, into the font line reader.
[[gnu::always_inline]] inline std::optional<std::string_view> AfterVersion(std::string_view text) {
  const auto* p = reinterpret_cast<const uint8_t*>(text.data());
  const auto* end = p + text.size();
#if defined(__SSE2__)
  if (end - p >= 16) {
    const uint32_t marks = MarksIn16<'"', '\0'>(p);
    const uint32_t afterFirst = marks & (marks - 1);
    if (afterFirst != 0) {  // two marks or more
      const int first = std::countr_zero(marks);
      const int second = std::countr_zero(afterFirst);
      if (p[first] != '"' || p[second] != '"') return std::nullopt;
      return After(text, static_cast<size_t>(second) + 1);
    }
  }
#endif
  for (int quote = 0; quote < 2; ++quote) {
    p = FindFirstOf<'"', '\0'>(p, end);
    if (p == end || *p == '\0') return std::nullopt;
    ++p;
  }
  return std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(end - p));
}

struct FontCoding {
  uint16_t encoding;
  uint16_t characterSet;
};

// Both words in one pass over the value. Rows are matched where the words stand, so
// nothing is measured beforehand; no row's word holds a NUL, so none matches past the
// first NUL, where the value ends as a C string would. The character set follows the
// quoted version string (0 when there is none to skip); the quote search starts where
// the encoding word ends, as a known one holds no quote. Inlined into ListFont, as the
// call and the record it returns cost more than its common case does.
[[gnu::always_inline]] inline FontCoding ReadFontCoding(std::string_view value) {
  const std::string_view text = WithoutLeadingBlanks(value);
  const WordValue* encoding = FindWord(kEncodings, text);
  if (encoding == nullptr) return {kUnknownEncoding, 0};
  const std::optional<std::string_view> rest = AfterVersion(After(text, encoding->word.size()));
  if (!rest) return {encoding->value, 0};
  const WordValue* characterSet = FindWord(kCharacterSets, WithoutLeadingBlanks(*rest));
  return {encoding->value, characterSet != nullptr ? characterSet->value : kUnknownCharacterSet};
}

// Lists the font named by a font entry's option keyword, with its value and translation.
// Inlined where it is called: the font line reader calls it for dozens of lines a file,
// and the calls cost some 2 % of a small file's instructions.
[[gnu::always_inline]] inline Status ListFont(Parser& parser, std::string_view name,
                                              std::string_view value,
                                              std::string_view translation) {
  const uint16_t number = FontNumber(name);
  // Font table names are unique, so the number stands for the name.
  if (number == 0 || parser.listedFonts[number]) return Status::kOk;
  const FontCoding coding = ReadFontCoding(value);

  const char* storedTranslation = nullptr;
  if (!translation.empty()) {
    const Status status =
        StoreString(&storedTranslation, translation, parser.arena, StringMode::kHexDecode);
    if (status != Status::kOk) return status;
  }
  // Made whole in one step rather than zeroed first and then filled field by field.
  void* memory = parser.arena.Allocate(sizeof(ParsedFont));
  if (memory == nullptr) return Status::kNoRoom;
  auto* font = new (memory) ParsedFont{
      .next = nullptr,
      .name = kFontNames[number - 1].data(),  // the same text, and it ends in a NUL
      .hash = FontNameHash(number),
      .translation = storedTranslation,
      .encoding = coding.encoding,
      .characterSet = coding.characterSet,
      .number = number,
  };
  parser.fonts.Append(font);
  parser.listedFonts[number] = true;
  return Status::kOk;
}

constexpr char kFontPrefix[] = {'*', 'F', 'o', 'n', 't'};

// Where a font line's name and value lie in the file's bytes.
struct FontLine {
  uint8_t* name;
  uint8_t* colon;  // ends the name
  uint8_t* value;
  uint8_t* valueEnd;  // the line end
};

// The line from `p` when it has the usual form, `end` being the file's end; false when it
// is anything the tokenizer would read differently.
bool MeasureFontLine(uint8_t* p, uint8_t* end, FontLine* line) {
  // The keyword is "Font" when a blank ends it.
  if (end - p <= static_cast<ptrdiff_t>(sizeof kFontPrefix) ||
      std::memcmp(p, kFontPrefix, sizeof kFontPrefix) != 0 ||
      !HasClass(p[sizeof kFontPrefix], kClassBlank)) {
    return false;
  }
  // The name: an option keyword that the colon ends, with no translation.
  uint8_t* name = SkipBlankRun(p + sizeof kFontPrefix + 1, end);
  if (name == end || !HasClass(*name, kClassOption)) return false;
  uint8_t* colon = Into(name, SkipRun<kClassOption>(name + 1, end));
  if (colon == end || *colon != ':' || colon - name > PpdEntry::kOptionCapacity) return false;
  // The value: unquoted, not a symbol, not empty, and ended by the line's end rather than
  // by a translation's slash or by the end of the file.
  uint8_t* value = SkipBlankRun(colon + 1, end);
  if (value == end || *value == '"' || *value == '^') return false;
  uint8_t* valueEnd = Into(value, FindFirstOf<'\n', '\r', '/'>(value, end));
  if (valueEnd == end || valueEnd == value || !IsLineEnd(*valueEnd)) return false;
  *line = FontLine{.name = name, .colon = colon, .value = value, .valueEnd = valueEnd};
  return true;
}

}  // namespace

Status AddFont(Parser& parser, const PpdEntry& entry) {
  return ListFont(parser, entry.option.view(), entry.value.view(), entry.translation.view());
}

bool ReadFontLine(PpdStream& stream, Parser& parser, Status* status) {
  // No open feature claims a font line: the UI handler opens none on a keyword it knows,
  // and an open feature claims only its own keyword and its default's.
  uint8_t* p = stream.position;
  uint8_t* end = p + stream.remaining;
  // Line ends before an entry are read past, as the tokenizer does.
  while (p != end && IsLineEnd(*p)) ++p;
  FontLine line;
  if (!MeasureFontLine(p, end, &line)) return false;

  // What the tokenizer would hand the font handler, taken where it lies; the line's bytes
  // need no NULs, as nothing reads them again.
  const auto text = [](const uint8_t* from, const uint8_t* to) {
    return std::string_view(reinterpret_cast<const char*>(from), static_cast<size_t>(to - from));
  };
  Consume(stream, static_cast<uint32_t>(line.valueEnd + 1 - stream.position));
  *status = ListFont(parser, text(line.name, line.colon), text(line.value, line.valueEnd), {});
  if (*status == Status::kOk) parser.processedRows |= uint64_t{1} << kFontKeywordRow;
  return true;
}

}  // namespace kx::ppd
