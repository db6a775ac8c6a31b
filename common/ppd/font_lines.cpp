#include "ppd/font_lines.h"

#include <cstring>

#include "ppd/byte_scan.h"
#include "ppd/char_class.h"
#include "ppd/entry.h"
#include "ppd/handlers.h"
#include "ppd/keyword_table.h"

namespace kx::ppd {

namespace {

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
