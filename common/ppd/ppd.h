// The PPD description library: reads a printer's PPD file into one relocatable block,
// the PPD image, and answers feature and option questions about it.
//
// The image keeps fixed record layouts on 32- and 64-bit builds: every internal
// reference is a 32-bit offset from the image's start, and the accessors below resolve
// it, giving null for 0 or for an offset beyond the image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kx::ppd {

// Fixed-point number with 8 fraction bits (256 = 1.0), in points where the PPD gives
// points.
using Fixed = int32_t;
// The Fixed value of 1.0.
inline constexpr Fixed kFixedOne = 256;
// Offset of a record or string from the start of the image; 0 for none.
using Ref = uint32_t;

inline constexpr uint16_t kImageFormat = 3;

// Predefined features by number.
enum FeatureNumber : uint16_t {
  kPageSize = 0,
  kInputSlot = 1,
  kManualFeed = 2,
  kDuplex = 3,
  kCollate = 4,
  kResolution = 5,
  kVmOption = 6,
  kOtherFeature = 7,
};
inline constexpr size_t kPredefinedFeatureCount = 7;

enum UiType : uint16_t { kUiBoolean = 0, kUiPickOne = 1, kUiPickMany = 2 };

// Feature flags.
inline constexpr uint16_t kRequiresPageRegionAllTrue = 0x01;
inline constexpr uint16_t kRequiresPageRegionAllFalse = 0x02;
inline constexpr uint16_t kJclFeature = 0x04;

struct ParamCustomPageSize {
  uint32_t order;       // 1-5
  uint16_t valueType;   // int 0, real 1, points 2
  uint16_t reserved;
  Fixed minimum;
  Fixed maximum;
};
static_assert(offsetof(ParamCustomPageSize, valueType) == 4);
static_assert(offsetof(ParamCustomPageSize, minimum) == 8);
static_assert(offsetof(ParamCustomPageSize, maximum) == 12);
static_assert(sizeof(ParamCustomPageSize) == 16);

struct PpdImage {
  uint32_t totalSize;
  Ref path;                    // UTF-16
  Ref nickName;
  uint16_t format;
  uint16_t checksum;           // CRC-16/XMODEM of the file
  uint16_t protocols;          // PJL 1, BCP 2, TBCP 4, SIC 8
  uint16_t landscapeOrientation;
  uint16_t ttRasterizer;
  uint16_t languageEncoding;
  uint32_t freeVm;
  uint32_t languageLevel;
  Ref password;
  Ref exitServer;
  uint32_t suggestedJobTimeout;
  uint32_t suggestedWaitTimeout;
  uint32_t colorDevice;
  uint32_t printPsError;
  uint32_t singleUserMode;
  uint32_t proofThenPrint;
  uint32_t customPageSize;     // custom page sizes supported
  uint32_t hwMarginsGiven;
  Fixed hwMargins[4];          // left, bottom, right, top
  Ref customPageSizeCode;
  ParamCustomPageSize customParams[5];  // Width, Height, WidthOffset, HeightOffset, Orientation
  Fixed maxMediaWidth;
  Fixed maxMediaHeight;
  uint16_t extensions;         // DPS 1, CMYK 2, Composite 4, FileSystem 8
  uint16_t lastResolutionKind;
  Fixed screenAngle;
  Fixed screenFreq;
  Ref jclBegin;
  Ref jclEnd;
  Ref jclToPsInterpreter;
  uint16_t ordinaryFeatureCount;
  uint16_t installableFeatureCount;
  Ref features;
  Ref predefined[kPredefinedFeatureCount];
  Ref fonts;
  Ref orderDependencies;       // the order-dependency table
  Ref constraints;             // the constraint table
};
static_assert(offsetof(PpdImage, path) == 4);
static_assert(offsetof(PpdImage, nickName) == 8);
static_assert(offsetof(PpdImage, format) == 12);
static_assert(offsetof(PpdImage, checksum) == 14);
static_assert(offsetof(PpdImage, protocols) == 16);
static_assert(offsetof(PpdImage, landscapeOrientation) == 18);
static_assert(offsetof(PpdImage, ttRasterizer) == 20);
static_assert(offsetof(PpdImage, languageEncoding) == 22);
static_assert(offsetof(PpdImage, freeVm) == 24);
static_assert(offsetof(PpdImage, languageLevel) == 28);
static_assert(offsetof(PpdImage, password) == 32);
static_assert(offsetof(PpdImage, exitServer) == 36);
static_assert(offsetof(PpdImage, suggestedJobTimeout) == 40);
static_assert(offsetof(PpdImage, suggestedWaitTimeout) == 44);
static_assert(offsetof(PpdImage, colorDevice) == 48);
static_assert(offsetof(PpdImage, printPsError) == 52);
static_assert(offsetof(PpdImage, singleUserMode) == 56);
static_assert(offsetof(PpdImage, proofThenPrint) == 60);
static_assert(offsetof(PpdImage, customPageSize) == 64);
static_assert(offsetof(PpdImage, hwMarginsGiven) == 68);
static_assert(offsetof(PpdImage, hwMargins) == 72);
static_assert(offsetof(PpdImage, customPageSizeCode) == 88);
static_assert(offsetof(PpdImage, customParams) == 92);
static_assert(offsetof(PpdImage, maxMediaWidth) == 172);
static_assert(offsetof(PpdImage, maxMediaHeight) == 176);
static_assert(offsetof(PpdImage, extensions) == 180);
static_assert(offsetof(PpdImage, lastResolutionKind) == 182);
static_assert(offsetof(PpdImage, screenAngle) == 184);
static_assert(offsetof(PpdImage, screenFreq) == 188);
static_assert(offsetof(PpdImage, jclBegin) == 192);
static_assert(offsetof(PpdImage, jclEnd) == 196);
static_assert(offsetof(PpdImage, jclToPsInterpreter) == 200);
static_assert(offsetof(PpdImage, ordinaryFeatureCount) == 204);
static_assert(offsetof(PpdImage, installableFeatureCount) == 206);
static_assert(offsetof(PpdImage, features) == 208);
static_assert(offsetof(PpdImage, predefined) == 212);
static_assert(offsetof(PpdImage, fonts) == 240);
static_assert(offsetof(PpdImage, orderDependencies) == 244);
static_assert(offsetof(PpdImage, constraints) == 248);
static_assert(sizeof(PpdImage) == 252);

struct PpdFeature {
  Ref next;
  Ref keyword;
  uint32_t hash;
  Ref translation;
  uint32_t defaultIndex;       // index of the default option, 0 when none
  uint32_t optionSize;
  uint16_t number;             // FeatureNumber
  uint16_t flags;
  uint16_t uiType;             // UiType
  uint16_t index;              // position among the features of its own kind
  uint32_t installable;
  Ref options;
};
static_assert(offsetof(PpdFeature, next) == 0);
static_assert(offsetof(PpdFeature, keyword) == 4);
static_assert(offsetof(PpdFeature, hash) == 8);
static_assert(offsetof(PpdFeature, translation) == 12);
static_assert(offsetof(PpdFeature, defaultIndex) == 16);
static_assert(offsetof(PpdFeature, optionSize) == 20);
static_assert(offsetof(PpdFeature, number) == 24);
static_assert(offsetof(PpdFeature, flags) == 26);
static_assert(offsetof(PpdFeature, uiType) == 28);
static_assert(offsetof(PpdFeature, index) == 30);
static_assert(offsetof(PpdFeature, installable) == 32);
static_assert(offsetof(PpdFeature, options) == 36);
static_assert(sizeof(PpdFeature) == 40);

struct PpdOption {
  Ref next;
  Ref keyword;
  uint32_t hash;
  Ref translation;
  Ref invocation;
};
static_assert(sizeof(PpdOption) == 20);

struct PpdPageSizeOption : PpdOption {
  Ref pageRegion;
  Fixed paperWidth;
  Fixed paperHeight;
  Fixed imageableArea[4];      // lower-left x, y, upper-right x, y
};
static_assert(sizeof(PpdPageSizeOption) == 48);

struct PpdInputSlotOption : PpdOption {
  uint32_t requiresPageRegion;
};
static_assert(sizeof(PpdInputSlotOption) == 24);

struct PpdResolutionOption : PpdOption {
  Ref jclResolution;
  Ref setResolution;
  Fixed resScreenAngle;
  Fixed resScreenFreq;
};
static_assert(sizeof(PpdResolutionOption) == 36);

struct PpdVmOption : PpdOption {
  uint32_t freeVm;
};
static_assert(sizeof(PpdVmOption) == 24);

// The option records extend the common part by inheritance, which makes them
// non-standard-layout; the compilers we build with lay them out as plain structs, and
// these assertions hold them to it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(offsetof(PpdOption, next) == 0);
static_assert(offsetof(PpdOption, keyword) == 4);
static_assert(offsetof(PpdOption, hash) == 8);
static_assert(offsetof(PpdOption, translation) == 12);
static_assert(offsetof(PpdOption, invocation) == 16);
static_assert(offsetof(PpdPageSizeOption, pageRegion) == 20);
static_assert(offsetof(PpdPageSizeOption, paperWidth) == 24);
static_assert(offsetof(PpdPageSizeOption, paperHeight) == 28);
static_assert(offsetof(PpdPageSizeOption, imageableArea) == 32);
static_assert(offsetof(PpdInputSlotOption, requiresPageRegion) == 20);
static_assert(offsetof(PpdResolutionOption, jclResolution) == 20);
static_assert(offsetof(PpdResolutionOption, setResolution) == 24);
static_assert(offsetof(PpdResolutionOption, resScreenAngle) == 28);
static_assert(offsetof(PpdResolutionOption, resScreenFreq) == 32);
static_assert(offsetof(PpdVmOption, freeVm) == 20);
#pragma GCC diagnostic pop

struct PpdFont {
  Ref next;
  Ref name;
  uint32_t hash;
  Ref translation;
  uint16_t encoding;
  uint16_t characterSet;
  uint16_t number;             // 1-258
  uint16_t reserved;
};
static_assert(offsetof(PpdFont, next) == 0);
static_assert(offsetof(PpdFont, name) == 4);
static_assert(offsetof(PpdFont, hash) == 8);
static_assert(offsetof(PpdFont, translation) == 12);
static_assert(offsetof(PpdFont, encoding) == 16);
static_assert(offsetof(PpdFont, characterSet) == 18);
static_assert(offsetof(PpdFont, number) == 20);
static_assert(sizeof(PpdFont) == 24);

// Rows of the order-dependency and constraint tables.
inline constexpr uint16_t kUnresolvedFeature = 0xFFFF;
inline constexpr uint16_t kNoOption = 0x00FF;

struct PpdTableHeader {
  uint16_t rowCount;
  uint16_t rowSize;
};
static_assert(offsetof(PpdTableHeader, rowSize) == 2);
static_assert(sizeof(PpdTableHeader) == 4);

struct PpdOrderRow {
  uint16_t featureIndex;
  uint16_t optionIndex;
  Fixed order;
  uint16_t sections;           // ExitServer 1, Prolog 2, DocumentSetup 4, PageSetup 8, JCLSetup 16, AnySetup 32
  uint16_t reserved;
};
static_assert(offsetof(PpdOrderRow, optionIndex) == 2);
static_assert(offsetof(PpdOrderRow, order) == 4);
static_assert(offsetof(PpdOrderRow, sections) == 8);
static_assert(sizeof(PpdOrderRow) == 12);

struct PpdConstraintRow {
  uint16_t firstFeatureIndex;
  uint16_t firstOptionIndex;
  uint16_t secondFeatureIndex;
  uint16_t secondOptionIndex;
};
static_assert(offsetof(PpdConstraintRow, firstOptionIndex) == 2);
static_assert(offsetof(PpdConstraintRow, secondFeatureIndex) == 4);
static_assert(offsetof(PpdConstraintRow, secondOptionIndex) == 6);
static_assert(sizeof(PpdConstraintRow) == 8);

// The four operations. An image is one heap block, immutable once opened, and may be
// read from any thread; loads may run in parallel.
const PpdImage* PpdOpen(const char16_t* path);
void PpdClose(const PpdImage* image);
const PpdFeature* PpdFindFeature(const PpdImage* image, std::string_view keyword);
const PpdOption* PpdFindOptions(const PpdImage* image, std::string_view keywordPrefix);

// Accessors: resolve a reference of `image`, null for 0 or beyond the image.
const char* String(const PpdImage* image, Ref ref);
const char16_t* WideString(const PpdImage* image, Ref ref);
const PpdFeature* Feature(const PpdImage* image, Ref ref);
const PpdOption* Option(const PpdImage* image, Ref ref);
const PpdFont* Font(const PpdImage* image, Ref ref);

inline const PpdFeature* FirstFeature(const PpdImage* image) { return Feature(image, image->features); }
inline const PpdFeature* NextFeature(const PpdImage* image, const PpdFeature* feature) {
  return Feature(image, feature->next);
}
inline const PpdOption* FirstOption(const PpdImage* image, const PpdFeature* feature) {
  return Option(image, feature->options);
}
inline const PpdOption* NextOption(const PpdImage* image, const PpdOption* option) {
  return Option(image, option->next);
}
inline const PpdFont* FirstFont(const PpdImage* image) { return Font(image, image->fonts); }
inline const PpdFont* NextFont(const PpdImage* image, const PpdFont* font) {
  return Font(image, font->next);
}
inline const PpdFeature* PredefinedFeature(const PpdImage* image, FeatureNumber number) {
  return number < kPredefinedFeatureCount ? Feature(image, image->predefined[number]) : nullptr;
}
const PpdTableHeader* OrderDependencies(const PpdImage* image);  // rows follow the header
const PpdTableHeader* Constraints(const PpdImage* image);

// Row `index` of a table, null past its row count (or when the table is missing).
const PpdOrderRow* OrderDependency(const PpdImage* image, uint32_t index);
const PpdConstraintRow* Constraint(const PpdImage* image, uint32_t index);

// The whole option record of a predefined feature's option, e.g.
// OptionRecord<PpdPageSizeOption>(image, pageSize, option). Null unless the feature is
// that predefined feature, its option size is the record's size and the record lies
// wholly inside the image.
template <typename Record>
struct OptionRecordKind;
template <>
struct OptionRecordKind<PpdPageSizeOption> {
  static constexpr FeatureNumber kFeature = kPageSize;
};
template <>
struct OptionRecordKind<PpdInputSlotOption> {
  static constexpr FeatureNumber kFeature = kInputSlot;
};
template <>
struct OptionRecordKind<PpdResolutionOption> {
  static constexpr FeatureNumber kFeature = kResolution;
};
template <>
struct OptionRecordKind<PpdVmOption> {
  static constexpr FeatureNumber kFeature = kVmOption;
};

const PpdOption* CheckedOptionRecord(const PpdImage* image, const PpdFeature* feature,
                                     const PpdOption* option, FeatureNumber number, size_t size);

template <typename Record>
const Record* OptionRecord(const PpdImage* image, const PpdFeature* feature,
                           const PpdOption* option) {
  return static_cast<const Record*>(CheckedOptionRecord(
      image, feature, option, OptionRecordKind<Record>::kFeature, sizeof(Record)));
}

}  // namespace kx::ppd
