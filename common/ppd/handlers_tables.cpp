// Handlers of the entries that fill records and lists beyond features and options:
// custom page size parameters, order dependencies and constraints.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "ppd/byte_scan.h"
#include "ppd/char_class.h"
#include "ppd/handlers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kx::ppd {

namespace {

std::string_view WithoutStar(std::string_view keyword) {
  if (keyword.starts_with('*')) keyword.remove_prefix(1);
  return keyword;
}

// Copies a word into the arena; an empty word leaves the slot null.
Status StoreWord(Parser& parser, const char** slot, std::string_view word) {
  if (word.empty()) return Status::kOk;
  return StoreString(slot, word, parser.arena, StringMode::kPlain);
}

// A word of an entry's value as NextWord finds it (cut to kWordCapacity - 1 characters),
// by its place in the value rather than as a copy.
struct WordSpan {
  size_t at = 0;
  size_t length = 0;
  bool empty() const { return length == 0; }
};

// Words end at a blank (space or tab, char_class.h) or at a NUL, the value's own or the
// one after it, which stops a word as it stops NextWord.
class ScannedWords {
 public:
  explicit ScannedWords(std::string_view value) : value_(value) {}

  WordSpan Next(size_t* cursor) const {
    size_t start = *cursor;
    while (start < value_.size() && HasClass(value_[start], kClassBlank)) ++start;
    const auto* bytes = reinterpret_cast<const uint8_t*>(value_.data());
    const size_t stop = static_cast<size_t>(
        FindFirstOf<' ', '\t', '\0'>(bytes + start, bytes + value_.size()) - bytes);
    *cursor = stop;
    return {start, std::min<size_t>(stop - start, kWordCapacity - 1)};
  }

 private:
  std::string_view value_;
};

#if defined(__SSE2__)

// The same words of a short value, most constraints' values, from one mask with a bit for
// every byte that ends a word: each blank, and every byte from the value's end or first NUL
// on. The mask is built from the 64 bytes at the value's start, so that many must be
// readable there.
class MaskedWords {
 public:
  static constexpr size_t kLongest = 63;  // the value's end is a bit of the mask

  explicit MaskedWords(std::string_view value) {
    uint64_t blanks = 0;
    uint64_t nuls = 0;
    for (unsigned block = 0; block < 4; ++block) {
      const __m128i bytes =
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(value.data()) + block);
      const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')),
                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')));
      const __m128i nul = _mm_cmpeq_epi8(bytes, _mm_setzero_si128());
      blanks |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(blank))} << (16 * block);
      nuls |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(nul))} << (16 * block);
    }
    end_ = std::min<size_t>(value.size(), static_cast<size_t>(std::countr_zero(nuls)));
    ends_ = blanks | (~uint64_t{0} << end_);
  }

  WordSpan Next(size_t* cursor) const {
    size_t start = *cursor;
    if (start < end_) start = std::min<size_t>(start + std::countr_one(ends_ >> start), end_);
    size_t stop = start;
    if (start < end_) stop = start + static_cast<size_t>(std::countr_zero(ends_ >> start));
    *cursor = stop;
    return {start, std::min<size_t>(stop - start, kWordCapacity - 1)};
  }

 private:
  uint64_t ends_ = 0;
  size_t end_ = 0;  // at most kLongest, so the mask always holds a bit for it
};

#endif  // __SSE2__

WordSpan WithoutStar(std::string_view value, WordSpan word) {
  if (!word.empty() && value[word.at] == '*') return {word.at + 1, word.length - 1};
  return word;
}

// The word, ended with a NUL where it ends (a blank, the value's NUL, or the cut); null for
// an empty word. Words never overlap, so no word's NUL falls inside another.
const char* EndWordInPlace(char* value, WordSpan word) {
  if (word.empty()) return nullptr;
  value[word.at + word.length] = '\0';
  return value + word.at;
}

uint16_t SectionOf(const Word& word) {
  return LookupWord({{"ExitServer", kSectionExitServer},
                     {"Prolog", kSectionProlog},
                     {"DocumentSetup", kSectionDocumentSetup},
                     {"PageSetup", kSectionPageSetup},
                     {"JCLSetup", kSectionJclSetup},
                     {"AnySetup", kSectionAnySetup}},
                    word.view())
      .value_or(kSectionAnySetup);
}

}  // namespace

// *ParamCustomPageSize Name: Order Type Minimum Maximum
Status SetParamCustomPageSize(Parser& parser, const PpdEntry& entry) {
  const auto parameter = LookupWord(
      {{"Width", 0}, {"Height", 1}, {"WidthOffset", 2}, {"HeightOffset", 3}, {"Orientation", 4}},
      entry.option.view());
  if (!parameter) return Status::kOk;
  const char* cursor = entry.value.c_str();
  const Word order = NextWord(&cursor);
  const Word type = NextWord(&cursor);
  const Word minimum = NextWord(&cursor);
  const Word maximum = NextWord(&cursor);
  if (order.empty() || type.empty() || minimum.empty() || maximum.empty()) return Status::kSyntax;

  ParamCustomPageSize record{};
  if (ParseInteger(order.text, &record.order) != Status::kOk || record.order < 1 ||
      record.order > 5) {
    return Status::kSyntax;
  }
  const auto valueType = LookupWord({{"int", 0}, {"real", 1}, {"points", 2}}, type.view());
  if (!valueType) return Status::kOk;
  record.valueType = *valueType;
  if (ParseFixed(minimum.text, &record.minimum) != Status::kOk ||
      ParseFixed(maximum.text, &record.maximum) != Status::kOk) {
    return Status::kSyntax;
  }
  parser.header.customParams[*parameter] = record;
  return Status::kOk;
}

// *OrderDependency: Order Section *MainKeyword [OptionKeyword]
Status AddOrderDependency(Parser& parser, const PpdEntry& entry) {
  const char* cursor = entry.value.c_str();
  const Word orderWord = NextWord(&cursor);
  Fixed order = 0;
  if (orderWord.empty() || ParseFixed(orderWord.text, &order) != Status::kOk) {
    return Status::kSyntax;
  }
  const Word section = NextWord(&cursor);
  const Word keywordWord = NextWord(&cursor);
  const std::string_view keyword = WithoutStar(keywordWord.view());
  if (section.empty() || keyword.empty()) return Status::kSyntax;
  const Word option = NextWord(&cursor);

  auto* record = parser.arena.New<ParsedOrder>();
  if (record == nullptr) return Status::kNoRoom;
  Status status = StoreWord(parser, &record->keyword, keyword);
  if (status == Status::kOk) status = StoreWord(parser, &record->option, option.view());
  if (status != Status::kOk) return status;
  record->order = order;
  record->section = SectionOf(section);
  parser.orders.Append(record);
  return Status::kOk;
}

namespace {

// The words of a constraint, found by `words`, are ended in place in the file's bytes,
// which the load owns and keeps until the image is built, rather than copied.
template <typename Words>
Status AddConstraintWords(Parser& parser, const PpdEntry& entry, const Words& words) {
  const std::string_view value = entry.value.view();
  size_t cursor = 0;
  const WordSpan firstKeyword = WithoutStar(value, words.Next(&cursor));
  if (firstKeyword.empty()) return Status::kSyntax;
  WordSpan firstOption;
  WordSpan secondWord = words.Next(&cursor);
  if (!secondWord.empty() && value[secondWord.at] != '*') {
    firstOption = secondWord;
    secondWord = words.Next(&cursor);
  }
  const WordSpan secondKeyword = WithoutStar(value, secondWord);
  if (secondKeyword.empty()) return Status::kSyntax;
  const WordSpan secondOption = words.Next(&cursor);

  auto* record = parser.arena.New<ParsedConstraint>();
  if (record == nullptr) return Status::kNoRoom;
  char* text = const_cast<char*>(entry.value.c_str());
  record->firstKeyword = EndWordInPlace(text, firstKeyword);
  record->firstOption = EndWordInPlace(text, firstOption);
  record->secondKeyword = EndWordInPlace(text, secondKeyword);
  record->secondOption = EndWordInPlace(text, secondOption);
  static_assert(kWordCapacity - 1 <= UINT8_MAX, "a word's length fits its length field");
  record->firstKeywordLength = static_cast<uint8_t>(firstKeyword.length);
  record->firstOptionLength = static_cast<uint8_t>(firstOption.length);
  record->secondKeywordLength = static_cast<uint8_t>(secondKeyword.length);
  record->secondOptionLength = static_cast<uint8_t>(secondOption.length);
  parser.constraints.Append(record);
  return Status::kOk;
}

}  // namespace

// *UIConstraints: *Keyword1 [Option1] *Keyword2 [Option2]
// The most numerous entry of many files.
Status AddUiConstraint(Parser& parser, const PpdEntry& entry) {
  const std::string_view value = entry.value.view();
#if defined(__SSE2__)
  // The value lies in the file's bytes; the mask may read past it while the file lasts.
  const uint8_t* fileEnd = parser.fileBytes.data() + parser.fileBytes.size();
  const auto* start = reinterpret_cast<const uint8_t*>(value.data());
  if (value.size() <= MaskedWords::kLongest && start >= parser.fileBytes.data() &&
      fileEnd - start >= 64) {
    return AddConstraintWords(parser, entry, MaskedWords(value));
  }
#endif
  return AddConstraintWords(parser, entry, ScannedWords(value));
}

}  // namespace kx::ppd
