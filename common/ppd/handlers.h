// The keyword handlers: each stores one kind of entry into the parse state.
#pragma once

#include <cstdint>

#include "ppd/entry.h"
#include "ppd/lexical.h"
#include "ppd/parse_state.h"
#include "ppd/status.h"
#include "ppd/string_store.h"

namespace kx::ppd {

// Header fields set from the value.
template <uint32_t PpdImage::*Field>
Status SetBoolean(Parser& parser, const PpdEntry& entry) {
  parser.header.*Field = LookupWord({{"True", 1}}, entry.value.c_str()).value_or(0);
  return Status::kOk;
}

template <uint32_t PpdImage::*Field>
Status SetInteger(Parser& parser, const PpdEntry& entry) {
  return ParseInteger(entry.value.c_str(), &(parser.header.*Field));
}

template <Fixed PpdImage::*Field>
Status SetFixed(Parser& parser, const PpdEntry& entry) {
  return ParseFixed(entry.value.c_str(), &(parser.header.*Field));
}

template <const char* Parser::*Slot, StringMode Mode>
Status SetString(Parser& parser, const PpdEntry& entry) {
  return StoreString(&(parser.*Slot), entry.value.view(), parser.arena, Mode);
}

// handlers_header.cpp
Status SetProtocols(Parser& parser, const PpdEntry& entry);
Status SetExtensions(Parser& parser, const PpdEntry& entry);
Status SetLanguageEncoding(Parser& parser, const PpdEntry& entry);
Status SetLanguageVersion(Parser& parser, const PpdEntry& entry);
Status SetTtRasterizer(Parser& parser, const PpdEntry& entry);
Status SetLandscapeOrientation(Parser& parser, const PpdEntry& entry);
Status SetHwMargins(Parser& parser, const PpdEntry& entry);
Status SetCustomPageSize(Parser& parser, const PpdEntry& entry);

// handlers_options.cpp
Status AddGenericOption(Parser& parser, const PpdEntry& entry);
Status AddOpenFeatureOption(Parser& parser, const PpdEntry& entry);  // a feature must be open
Status SetDefault(Parser& parser, const PpdEntry& entry);
Status SetJclResolutionDefault(Parser& parser, const PpdEntry& entry);
Status SetInstalledMemoryDefault(Parser& parser, const PpdEntry& entry);
Status AddPageSize(Parser& parser, const PpdEntry& entry);
Status AddPageRegion(Parser& parser, const PpdEntry& entry);
Status SetImageableArea(Parser& parser, const PpdEntry& entry);
Status SetPaperDimension(Parser& parser, const PpdEntry& entry);
Status AddInputSlot(Parser& parser, const PpdEntry& entry);
Status SetRequiresPageRegion(Parser& parser, const PpdEntry& entry);
Status AddResolution(Parser& parser, const PpdEntry& entry);
Status AddJclResolution(Parser& parser, const PpdEntry& entry);
Status AddSetResolution(Parser& parser, const PpdEntry& entry);
Status SetResScreenAngle(Parser& parser, const PpdEntry& entry);
Status SetResScreenFreq(Parser& parser, const PpdEntry& entry);
Status AddInstalledMemory(Parser& parser, const PpdEntry& entry);
Status SetVmOptionMemory(Parser& parser, const PpdEntry& entry);

// handlers_ui.cpp
Status OpenGroup(Parser& parser, const PpdEntry& entry);
Status CloseGroup(Parser& parser, const PpdEntry& entry);
Status OpenUi(Parser& parser, const PpdEntry& entry);
Status CloseUi(Parser& parser, const PpdEntry& entry);

// handlers_font.cpp
Status AddFont(Parser& parser, const PpdEntry& entry);

// handlers_tables.cpp
Status SetParamCustomPageSize(Parser& parser, const PpdEntry& entry);
Status AddOrderDependency(Parser& parser, const PpdEntry& entry);
Status AddUiConstraint(Parser& parser, const PpdEntry& entry);

}  // namespace kx::ppd
