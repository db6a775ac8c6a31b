// Handlers of option entries and defaults: the predefined features' own keywords, the
// options of features opened with OpenUI, and every Default keyword.
#include <algorithm>
#include <iterator>
#include <string_view>

#include "ppd/handlers.h"
#include "ppd/model.h"

namespace kx::ppd {

namespace {

constexpr std::string_view kDefaultPrefix = "Default";

// Stores the entry's value into a string slot of the option of feature `number`.
Status StoreOptionString(Parser& parser, uint16_t number, const PpdEntry& entry,
                         const char* ParsedOption::*slot, StringMode mode) {
  ParsedOption* option = nullptr;
  const Status status = FindOption(parser, number, entry, &option);
  if (status != Status::kOk) return status;
  return StoreString(&(option->*slot), entry.value.view(), parser.arena, mode);
}

StringMode InvocationMode(const Parser& parser) {
  const bool jcl = parser.openFeature != nullptr && (parser.openFeature->flags & kJclFeature);
  return jcl ? StringMode::kHexDecode : StringMode::kPlain;
}

Status StoreDefault(Parser& parser, ParsedFeature* feature, const PpdEntry& entry) {
  if (feature == nullptr) return Status::kNoRoom;
  return StoreString(&feature->defaultOption, entry.value.view(), parser.arena, StringMode::kPlain);
}

// Sets one fixed-point field of a Resolution option.
Status SetResolutionFixed(Parser& parser, const PpdEntry& entry, Fixed ParsedOption::*field) {
  Fixed value = 0;
  if (ParseFixed(entry.value.c_str(), &value) != Status::kOk) return Status::kSyntax;
  ParsedOption* option = nullptr;
  const Status status = FindOption(parser, kResolution, entry, &option);
  if (status == Status::kOk) option->*field = value;
  return status;
}

Status AddResolutionString(Parser& parser, const PpdEntry& entry, const char* ParsedOption::*slot,
                           StringMode mode, uint16_t kind) {
  const Status status = StoreOptionString(parser, kResolution, entry, slot, mode);
  if (status == Status::kOk) parser.header.lastResolutionKind = kind;
  return status;
}

}  // namespace

// The keyword selects the feature; a JCLOpenUI feature's invocations are hex-decoded.
Status AddGenericOption(Parser& parser, const PpdEntry& entry) {
  return StoreOptionString(parser, kOtherFeature, entry, &ParsedOption::invocation,
                           InvocationMode(parser));
}

// The entry's keyword is the open feature's own, so the feature need not be looked up.
Status AddOpenFeatureOption(Parser& parser, const PpdEntry& entry) {
  ParsedOption* option = nullptr;
  const Status status = FindOptionOf(parser, *parser.openFeature, entry, &option);
  if (status != Status::kOk) return status;
  return StoreString(&option->invocation, entry.value.view(), parser.arena, InvocationMode(parser));
}

Status SetDefault(Parser& parser, const PpdEntry& entry) {
  const std::string_view keyword = entry.keyword.view();
  if (!keyword.starts_with(kDefaultPrefix)) return Status::kSyntax;
  return StoreDefault(
      parser, FindFeature(parser, kOtherFeature, keyword.substr(kDefaultPrefix.size())), entry);
}

Status SetJclResolutionDefault(Parser& parser, const PpdEntry& entry) {
  return StoreDefault(parser, FindFeature(parser, kResolution, {}), entry);
}

// The memory options are filed under VMOption, so their default goes there too.
Status SetInstalledMemoryDefault(Parser& parser, const PpdEntry& entry) {
  return StoreDefault(parser, FindFeature(parser, kVmOption, {}), entry);
}

Status AddPageSize(Parser& parser, const PpdEntry& entry) {
  return StoreOptionString(parser, kPageSize, entry, &ParsedOption::invocation, StringMode::kPlain);
}

Status AddPageRegion(Parser& parser, const PpdEntry& entry) {
  return StoreOptionString(parser, kPageSize, entry, &ParsedOption::pageRegion, StringMode::kPlain);
}

// The lower-left corner moves in by one point.
Status SetImageableArea(Parser& parser, const PpdEntry& entry) {
  Fixed area[4];
  if (ParseFixedWords(entry.value.c_str(), area) != Status::kOk) return Status::kSyntax;
  ParsedOption* option = nullptr;
  const Status status = FindOption(parser, kPageSize, entry, &option);
  if (status != Status::kOk) return status;
  area[0] = static_cast<Fixed>(static_cast<uint32_t>(area[0]) + 256);
  area[1] = static_cast<Fixed>(static_cast<uint32_t>(area[1]) + 256);
  std::copy(std::begin(area), std::end(area), option->imageableArea);
  return Status::kOk;
}

Status SetPaperDimension(Parser& parser, const PpdEntry& entry) {
  Fixed size[2];
  if (ParseFixedWords(entry.value.c_str(), size) != Status::kOk) return Status::kSyntax;
  ParsedOption* option = nullptr;
  const Status status = FindOption(parser, kPageSize, entry, &option);
  if (status != Status::kOk) return status;
  option->paperWidth = size[0];
  option->paperHeight = size[1];
  return Status::kOk;
}

Status AddInputSlot(Parser& parser, const PpdEntry& entry) {
  ParsedOption* option = nullptr;
  Status status = FindOption(parser, kInputSlot, entry, &option);
  if (status != Status::kOk) return status;
  status = StoreString(&option->invocation, entry.value.view(), parser.arena, StringMode::kPlain);
  if (status == Status::kOk) option->requiresPageRegion = 1;
  return status;
}

// "All" sets the InputSlot feature's flags; any other option keyword is one tray's own.
Status SetRequiresPageRegion(Parser& parser, const PpdEntry& entry) {
  const auto value = LookupWord({{"True", 1}, {"False", 0}}, entry.value.c_str());
  if (entry.option.view() == "All") {
    if (!value) return Status::kSyntax;
    ParsedFeature* inputSlot = FindFeature(parser, kInputSlot, {});
    if (inputSlot == nullptr) return Status::kNoRoom;
    inputSlot->flags |= *value ? kRequiresPageRegionAllTrue : kRequiresPageRegionAllFalse;
    return Status::kOk;
  }
  ParsedOption* option = nullptr;
  const Status status = FindOption(parser, kInputSlot, entry, &option);
  if (status == Status::kOk) option->requiresPageRegion = value.value_or(0);
  return status;
}

Status AddResolution(Parser& parser, const PpdEntry& entry) {
  return AddResolutionString(parser, entry, &ParsedOption::invocation, StringMode::kPlain, 0);
}

Status AddJclResolution(Parser& parser, const PpdEntry& entry) {
  return AddResolutionString(parser, entry, &ParsedOption::jclResolution, StringMode::kHexDecode,
                             1);
}

Status AddSetResolution(Parser& parser, const PpdEntry& entry) {
  return AddResolutionString(parser, entry, &ParsedOption::setResolution, StringMode::kPlain, 2);
}

Status SetResScreenAngle(Parser& parser, const PpdEntry& entry) {
  return SetResolutionFixed(parser, entry, &ParsedOption::resScreenAngle);
}

Status SetResScreenFreq(Parser& parser, const PpdEntry& entry) {
  return SetResolutionFixed(parser, entry, &ParsedOption::resScreenFreq);
}

Status AddInstalledMemory(Parser& parser, const PpdEntry& entry) {
  return StoreOptionString(parser, kVmOption, entry, &ParsedOption::invocation, StringMode::kPlain);
}

Status SetVmOptionMemory(Parser& parser, const PpdEntry& entry) {
  uint32_t memory = 0;
  if (ParseInteger(entry.value.c_str(), &memory) != Status::kOk) return Status::kSyntax;
  ParsedOption* option = nullptr;
  const Status status = FindOption(parser, kVmOption, entry, &option);
  if (status == Status::kOk) option->freeVm = memory;
  return status;
}

}  // namespace kx::ppd
