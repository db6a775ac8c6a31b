// Where our PPD library and libcups part ways on purpose. The conformance test compares
// only what both keep; every place where it does not compare one-to-one is a row here,
// with the reason, and the test counts how often each row applied.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "ppd_conformance/kx_view.h"

namespace kx::ppd::conformance {

enum class Difference : size_t {
  kPageRegionUnderPageSize,
  kResolutionEntriesUnderResolution,
  kInstalledMemoryUnderVmOption,
  kInstalledMemoryDefaultApart,
  kVmOptionAlwaysInstallable,
  kInstallableSortedLast,
  kFeatureCreatedByFirstEntry,
  kOptionCreatedByFirstEntry,
  kOpenUiIgnoredOnRowFeatures,
  kJclInvocationsHexDecoded,
  kRepeatedOptionMerged,
  kFirstTranslationWins,
  kDefaultIndexZero,
  kLibcupsCustomChoice,
  kPageSizeOptionsFromSizeEntries,
  kTranslationsEightBit,
  kAbsentInvocationEmpty,
  kLineEndsKeptInValues,
  kVmOptionEntriesAreOptions,
  kCount
};

struct DifferenceRow {
  Difference id;
  std::string_view what;    // what our library does
  std::string_view reason;  // why the comparison treats it so
};

inline constexpr std::array<DifferenceRow, static_cast<size_t>(Difference::kCount)> kDifferences{{
    {Difference::kPageRegionUnderPageSize,
     "PageRegion entries are the PageRegion invocation of the PageSize option of that name",
     "libcups keeps a separate PageRegion option; its choices are compared with the "
     "PageRegion invocations of our PageSize options"},
    {Difference::kResolutionEntriesUnderResolution,
     "JCLResolution and SetResolution entries are options of Resolution, kept in their "
     "JCLResolution and SetResolution invocations",
     "libcups keeps JCLResolution as an option of its own; its choices are compared with "
     "those invocations of our Resolution options"},
    {Difference::kInstalledMemoryUnderVmOption,
     "InstalledMemory entries are options of the predefined VMOption feature",
     "libcups's InstalledMemory option is compared with our VMOption"},
    {Difference::kInstalledMemoryDefaultApart,
     "DefaultInstalledMemory names a feature InstalledMemory of its own, without options",
     "so VMOption's default index may be 0; accepted only when that optionless feature exists"},
    {Difference::kVmOptionAlwaysInstallable,
     "VMOption is installable wherever the file puts it",
     "expected installable even when libcups filed InstalledMemory outside "
     "InstallableOptions"},
    {Difference::kInstallableSortedLast,
     "features first met inside OpenGroup InstallableOptions come after all others",
     "libcups lists options group by group; the expected order puts installable ones last"},
    {Difference::kFeatureCreatedByFirstEntry,
     "a feature takes its place in the list at the first entry that names it",
     "libcups keeps no file positions, so each feature's place is the offset of its first "
     "entry in the file (OpenUI, or for predefined features any entry filed under them)"},
    {Difference::kOptionCreatedByFirstEntry,
     "an option takes its place in its feature at the first entry that names it, such as "
     "RequiresPageRegion before InputSlot, or ImageableArea before PageSize",
     "libcups lists choices as their own entries come; the expected order is that of each "
     "option's first entry in the file"},
    {Difference::kOpenUiIgnoredOnRowFeatures,
     "OpenUI on Duplex, Collate and ManualFeed is ignored; their own entries fill them",
     "their UI type stays the predefined one and they have no translation"},
    {Difference::kJclInvocationsHexDecoded,
     "invocations of JCLOpenUI features and JCLResolution are hex-decoded",
     "libcups decodes the choices of its JCL section too, so both sides are compared "
     "decoded"},
    {Difference::kRepeatedOptionMerged,
     "an option entry repeated under one feature adds no second option; the first "
     "invocation stays",
     "libcups adds a second choice; only the first of each name is compared"},
    {Difference::kFirstTranslationWins,
     "the first translation met for an option wins",
     "an option that several libcups options fill (PageSize and PageRegion) may take its "
     "translation from any of them"},
    {Difference::kDefaultIndexZero,
     "a default that names no option of the feature gives default index 0",
     "libcups keeps the name; the expected index is 0 when ours has no such option"},
    {Difference::kLibcupsCustomChoice,
     "CustomPageSize True fills the image header, not an option",
     "libcups's own Custom choice is left out"},
    {Difference::kPageSizeOptionsFromSizeEntries,
     "ImageableArea and PaperDimension entries create the PageSize option they name",
     "our PageSize may hold options that libcups has only as page sizes"},
    {Difference::kTranslationsEightBit,
     "translations stay in the file's 8-bit code page (its LanguageEncoding), up to 128 "
     "bytes",
     "converted to UTF-8 from the code page that libcups takes the LanguageEncoding for "
     "(ISO 8859-1 before one is named, the bytes as they are for a name it does not know) "
     "and cut where libcups cuts its 81-byte text fields"},
    {Difference::kAbsentInvocationEmpty,
     "an option without an invocation string has none",
     "an absent invocation compares equal to an empty one, as callers write nothing for "
     "either"},
    {Difference::kLineEndsKeptInValues,
     "a quoted value keeps its line ends as the file has them, CR LF included",
     "the host sends an invocation to the printer as the file writes it; libcups turns "
     "every CR LF and lone CR into LF, so ours is compared with those line ends turned"},
    {Difference::kVmOptionEntriesAreOptions,
     "VMOption entries are options of VMOption, with their own translations, beside those "
     "of InstalledMemory",
     "libcups keeps VMOption entries as attributes only; such an option, or a translation "
     "that a VMOption entry gave first, is compared with the file's first VMOption entry "
     "of that option"},
}};

constexpr bool RowsFollowTheEnumeration() {
  for (size_t i = 0; i < kDifferences.size(); ++i) {
    if (kDifferences[i].id != static_cast<Difference>(i)) return false;
  }
  return true;
}
static_assert(RowsFollowTheEnumeration(), "Row(id) indexes kDifferences by id");

const DifferenceRow& Row(Difference id);

// How often each row applied during one run.
class DifferenceCounts {
 public:
  void Count(Difference id, size_t times = 1) { counts_[static_cast<size_t>(id)] += times; }
  size_t operator[](Difference id) const { return counts_[static_cast<size_t>(id)]; }

 private:
  std::array<size_t, static_cast<size_t>(Difference::kCount)> counts_{};
};

// How our library treats libcups's default for an option filed under another feature.
enum class DefaultRule { kSame, kIgnored, kSameOrZero };

// A libcups option keyword whose choices our library files under another feature.
struct Filing {
  std::string_view cupsKeyword;
  std::string_view feature;
  Invocation invocation;
  DefaultRule defaultRule;
  Difference why;
};

inline constexpr Filing kFilings[] = {
    // DefaultPageRegion has no entry of its own in our library: PageSize's default counts.
    {"PageRegion", "PageSize", Invocation::kPageRegion, DefaultRule::kIgnored,
     Difference::kPageRegionUnderPageSize},
    {"JCLResolution", "Resolution", Invocation::kJclResolution, DefaultRule::kSame,
     Difference::kResolutionEntriesUnderResolution},
    {"SetResolution", "Resolution", Invocation::kSetResolution, DefaultRule::kIgnored,
     Difference::kResolutionEntriesUnderResolution},
    {"InstalledMemory", "VMOption", Invocation::kInvocation, DefaultRule::kSameOrZero,
     Difference::kInstalledMemoryUnderVmOption},
};

// The filing of libcups option `cupsKeyword`: one of kFilings, or the same keyword.
Filing FilingOf(std::string_view cupsKeyword);

}  // namespace kx::ppd::conformance
