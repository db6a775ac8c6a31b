#include "ppd/keyword_table.h"

#include <bit>

#include "ppd/handlers.h"
#include "ppd/lexical.h"

namespace kx::ppd {

namespace {

constexpr uint16_t kNone = kOtherFeature;
constexpr StringMode kPlain = StringMode::kPlain;
constexpr StringMode kHex = StringMode::kHexDecode;

}  // namespace

constexpr std::array<KeywordRow, kKeywordRowCount> kKeywordRows = {{
    {"Include", nullptr, kNone, 0x12},
    {"ColorDevice", &SetBoolean<&PpdImage::colorDevice>, kNone, 0x04},
    {"SingleUserMode", &SetBoolean<&PpdImage::singleUserMode>, kNone, 0x04},
    {"ProofThenPrint", &SetBoolean<&PpdImage::proofThenPrint>, kNone, 0x04},
    {"Protocols", &SetProtocols, kNone, 0x14},
    {"NickName", &SetString<&Parser::nickName, kHex>, kNone, 0x02},
    {"LanguageLevel", &SetInteger<&PpdImage::languageLevel>, kNone, 0x02},
    {"LanguageEncoding", &SetLanguageEncoding, kNone, 0x04},
    {"LanguageVersion", &SetLanguageVersion, kNone, 0x04},
    {"TTRasterizer", &SetTtRasterizer, kNone, 0x04},
    {"ExitServer", &SetString<&Parser::exitServer, kPlain>, kNone, 0x01},
    {"Password", &SetString<&Parser::password, kPlain>, kNone, 0x01},
    {"SuggestedJobTimeout", &SetInteger<&PpdImage::suggestedJobTimeout>, kNone, 0x02},
    {"SuggestedWaitTimeout", &SetInteger<&PpdImage::suggestedWaitTimeout>, kNone, 0x02},
    {"PrintPSError", &SetBoolean<&PpdImage::printPsError>, kNone, 0x04},
    {"JCLBegin", &SetString<&Parser::jclBegin, kHex>, kNone, 0x02},
    {"JCLToPSInterpreter", &SetString<&Parser::jclToPsInterpreter, kHex>, kNone, 0x02},
    {"JCLEnd", &SetString<&Parser::jclEnd, kHex>, kNone, 0x02},
    {"LandscapeOrientation", &SetLandscapeOrientation, kNone, 0x04},
    {"Font", &AddFont, kNone, 0x0C},
    {"CustomPageSize", &SetCustomPageSize, kNone, 0x09},
    {"ParamCustomPageSize", &SetParamCustomPageSize, kNone, 0x0C},
    {"MaxMediaWidth", &SetFixed<&PpdImage::maxMediaWidth>, kNone, 0x02},
    {"MaxMediaHeight", &SetFixed<&PpdImage::maxMediaHeight>, kNone, 0x02},
    {"HWMargins", &SetHwMargins, kNone, 0x04},
    {"PageSize", &AddPageSize, kPageSize, 0x09},
    {"DefaultPageSize", &SetDefault, kNone, 0x04},
    {"PageRegion", &AddPageRegion, kPageSize, 0x09},
    {"ImageableArea", &SetImageableArea, kPageSize, 0x09},
    {"PaperDimension", &SetPaperDimension, kPageSize, 0x09},
    {"InputSlot", &AddInputSlot, kInputSlot, 0x09},
    {"DefaultInputSlot", &SetDefault, kNone, 0x04},
    {"RequiresPageRegion", &SetRequiresPageRegion, kInputSlot, 0x0C},
    {"Collate", &AddGenericOption, kNone, 0x09},
    {"DefaultCollate", &SetDefault, kNone, 0x04},
    {"Duplex", &AddGenericOption, kNone, 0x09},
    {"DefaultDuplex", &SetDefault, kNone, 0x04},
    {"ManualFeed", &AddGenericOption, kNone, 0x09},
    {"DefaultManualFeed", &SetDefault, kNone, 0x04},
    {"Resolution", &AddResolution, kResolution, 0x09},
    {"JCLResolution", &AddJclResolution, kResolution, 0x0A},
    {"DefaultResolution", &SetDefault, kNone, 0x04},
    {"DefaultJCLResolution", &SetJclResolutionDefault, kNone, 0x04},
    {"SetResolution", &AddSetResolution, kResolution, 0x09},
    {"ScreenAngle", &SetFixed<&PpdImage::screenAngle>, kNone, 0x02},
    {"ScreenFreq", &SetFixed<&PpdImage::screenFreq>, kNone, 0x02},
    {"ResScreenAngle", &SetResScreenAngle, kNone, 0x0A},
    {"ResScreenFreq", &SetResScreenFreq, kNone, 0x0A},
    {"FreeVM", &SetInteger<&PpdImage::freeVm>, kNone, 0x02},
    {"InstalledMemory", &AddInstalledMemory, kVmOption, 0x09},
    {"DefaultInstalledMemory", &SetInstalledMemoryDefault, kNone, 0x04},
    {"VMOption", &SetVmOptionMemory, kVmOption, 0x0A},
    {"OpenGroup", &OpenGroup, kNone, 0x14},
    {"CloseGroup", &CloseGroup, kNone, 0x14},
    {"OpenUI", &OpenUi, kNone, 0x0C},
    {"CloseUI", &CloseUi, kNone, 0x14},
    {"JCLOpenUI", &OpenUi, kNone, 0x0C},
    {"JCLCloseUI", &CloseUi, kNone, 0x14},
    {"OrderDependency", &AddOrderDependency, kNone, 0x14},
    {"UIConstraints", &AddUiConstraint, kNone, 0x14},
    {"Extensions", &SetExtensions, kNone, 0x14},
    {"End", nullptr, kNone, 0x10},
    {"JCLRes", nullptr, kNone, 0x0A},
}};

namespace {

constexpr const std::array<KeywordRow, kKeywordRowCount>& kRows = kKeywordRows;

constexpr uint32_t NextSlot(uint32_t slot) { return (slot + 1) & (kKeywordIndexSlots - 1); }
static_assert(std::has_single_bit(kKeywordIndexSlots) && kKeywordIndexSlots > kRows.size());

// The key's top bits pick the home slot.
constexpr uint32_t HomeSlot(uint32_t key) {
  return key >> (32 - std::countr_zero(kKeywordIndexSlots));
}

struct IndexSlot {
  uint32_t key;
  uint16_t row;
};
using KeywordIndex = std::array<IndexSlot, kKeywordIndexSlots>;

// Each row goes to the first free slot from its home on, wrapping.
constexpr KeywordIndex BuildIndex() {
  KeywordIndex index{};
  index.fill(IndexSlot{0, static_cast<uint16_t>(kNoKeywordRow)});
  for (uint16_t row = 0; row < kRows.size(); ++row) {
    const uint32_t key = ShortNameKey(kRows[row].keyword);
    uint32_t slot = HomeSlot(key);
    while (index[slot].row != kNoKeywordRow) slot = NextSlot(slot);
    index[slot] = IndexSlot{key, row};
  }
  return index;
}

// Built by the compiler: read-only, shared by every load, and never initialised at run
// time.
constexpr KeywordIndex kIndex = BuildIndex();

constexpr uint32_t RowOf(std::string_view keyword) {
  for (uint32_t row = 0; row < kRows.size(); ++row) {
    if (kRows[row].keyword == keyword) return row;
  }
  return kNoKeywordRow;
}

}  // namespace

const uint32_t kFontKeywordRow = RowOf("Font");
static_assert(RowOf("Font") != kNoKeywordRow);

uint32_t KeywordHomeSlot(std::string_view keyword) { return HomeSlot(ShortNameKey(keyword)); }

uint32_t LookupKeyword(std::string_view keyword) {
  const KeywordIndex& index = kIndex;
  const uint32_t key = ShortNameKey(keyword);
  uint32_t slot = HomeSlot(key);
  // The index has more slots than rows, so every probe meets an empty slot.
  while (index[slot].row != kNoKeywordRow) {
    if (index[slot].key == key && SameName(kRows[index[slot].row].keyword, keyword)) {
      return index[slot].row;
    }
    slot = NextSlot(slot);
  }
  return kNoKeywordRow;
}

void PrepareKeywordTable(Parser& parser) { parser.processedRows = 0; }

}  // namespace kx::ppd
