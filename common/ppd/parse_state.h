// The parse state of one load and the parse-time records it lists. Everything lives in
// the load's arena until the image has been built from it.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "ppd/arena.h"
#include "ppd/font_table.h"
#include "ppd/name_index.h"
#include "ppd/ppd.h"

namespace kx::ppd {

// One option; the extra fields are used by the predefined feature they belong to.
struct ParsedOption {
  ParsedOption* next;
  const char* keyword;
  uint32_t hash;
  const char* translation;
  const char* invocation;
  // PageSize
  const char* pageRegion;
  Fixed paperWidth;
  Fixed paperHeight;
  Fixed imageableArea[4];  // lower-left x, y, upper-right x, y
  // InputSlot
  uint32_t requiresPageRegion;
  // Resolution
  const char* jclResolution;
  const char* setResolution;
  Fixed resScreenAngle;
  Fixed resScreenFreq;
  // VMOption
  uint32_t freeVm;
  // Place in the feature's option list, from 0.
  uint32_t position;
};

struct ParsedFeature {
  ParsedFeature* next;
  const char* keyword;
  uint32_t keywordLength;  // every entry of an open feature is compared with its keyword
  uint32_t hash;
  const char* translation;
  const char* defaultOption;  // the first default entry wins
  uint32_t optionSize;
  uint16_t number;
  uint16_t flags;
  uint16_t uiType;
  uint16_t index;
  uint32_t installable;
  ParsedOption* options;
  ParsedOption* lastOption;
  uint32_t optionCount;
  // Place in the image's feature list, from 0; set once the features are reordered.
  uint32_t position;
};

struct ParsedFont {
  ParsedFont* next;
  const char* name;
  uint32_t hash;
  const char* translation;
  uint16_t encoding;
  uint16_t characterSet;
  uint16_t number;
};

inline std::string_view KeywordOf(const ParsedFeature& feature) {
  return {feature.keyword, feature.keywordLength};
}

// Sections of an order dependency, as bits.
inline constexpr uint16_t kSectionExitServer = 1;
inline constexpr uint16_t kSectionProlog = 2;
inline constexpr uint16_t kSectionDocumentSetup = 4;
inline constexpr uint16_t kSectionPageSetup = 8;
inline constexpr uint16_t kSectionJclSetup = 16;
inline constexpr uint16_t kSectionAnySetup = 32;

struct ParsedOrder {
  ParsedOrder* next;
  const char* keyword;
  const char* option;  // null when the entry names none
  Fixed order;
  uint16_t section;
};

struct ParsedConstraint {
  ParsedConstraint* next;
  const char* firstKeyword;
  // The four words' lengths (words are shorter than kWordCapacity), so that resolving
  // the row measures nothing again.
  uint8_t firstKeywordLength;
  uint8_t firstOptionLength;
  uint8_t secondKeywordLength;
  uint8_t secondOptionLength;
  const char* firstOption;  // null when the entry names none
  const char* secondKeyword;
  const char* secondOption;
};

// A singly linked list that appends in constant time.
template <typename Record>
struct RecordList {
  Record* head = nullptr;
  Record* tail = nullptr;
  uint32_t count = 0;

  void Append(Record* record) {
    if (tail == nullptr) {
      head = record;
    } else {
      tail->next = record;
    }
    tail = record;
    ++count;
  }
};

inline constexpr uint32_t kKeywordRowCount = 63;

struct Parser {
  Parser();

  // The file's bytes. The tokenizer ends tokens in place in them, and parse records may
  // point into them, so they live as long as the parser.
  platform::FileBytes fileBytes;

  // The header's numbers with their defaults; its references are written when the image
  // is built, from the strings and lists below.
  PpdImage header{};
  const char* nickName = nullptr;
  const char* password = nullptr;
  const char* exitServer = nullptr;
  const char* customPageSizeCode = nullptr;
  const char* jclBegin = nullptr;
  const char* jclEnd = nullptr;
  const char* jclToPsInterpreter = nullptr;

  RecordList<ParsedFeature> features;
  std::array<ParsedFeature*, kPredefinedFeatureCount> predefined{};
  RecordList<ParsedFont> fonts;
  std::bitset<kFontTableSize + 1> listedFonts;  // by font number
  RecordList<ParsedOrder> orders;
  RecordList<ParsedConstraint> constraints;
  // Every feature, and every option under its feature, by name.
  NameIndex<ParsedFeature> featureIndex;
  NameIndex<ParsedOption> optionIndex;

  Arena arena;
  ParsedFeature* openFeature = nullptr;  // the feature opened with OpenUI or JCLOpenUI
  bool installableGroup = false;         // inside OpenGroup: InstallableOptions
  // Keyword rows processed in this load, one bit a row; per load so that loads can run
  // in parallel.
  uint64_t processedRows = 0;
  // The row of the last keyword found in the keyword table: entries of one keyword come
  // in runs (constraints, fonts, page sizes), and a compare with that row's keyword is
  // cheaper than the table's hash. kKeywordRowCount for none.
  uint32_t recentKeywordRow = kKeywordRowCount;
};

}  // namespace kx::ppd
