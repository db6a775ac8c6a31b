#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "ppd_conformance/comparison.h"
#include "ppd_conformance/libcups_text.h"

namespace kx::ppd::conformance {
namespace {

// libcups keeps every repeated choice; our library keeps the first of each name.
std::vector<const CupsChoice*> FirstOfEachName(const CupsOption& option, Totals& totals) {
  std::vector<const CupsChoice*> first;
  std::set<std::string_view> seen;
  for (const CupsChoice& choice : option.choices) {
    if (seen.insert(choice.keyword).second) {
      first.push_back(&choice);
    } else {
      totals.counts.Count(Difference::kRepeatedOptionMerged);
    }
  }
  return first;
}

// `text` with every CR LF and lone CR turned into LF, as libcups reads line ends.
std::string WithLfLineEnds(std::string_view text) {
  std::string turned;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      turned += text[i];
    } else if (i + 1 == text.size() || text[i + 1] != '\n') {
      turned += '\n';
    }
  }
  return turned;
}

void CompareInvocation(const KxOption& ours, const Contributor& contributor,
                       const CupsChoice& choice, Totals& totals) {
  const std::optional<std::string>& invocation = ours.invocation(contributor.filing.invocation);
  if (!invocation) totals.counts.Count(Difference::kAbsentInvocationEmpty);
  if (contributor.option->jclSection) totals.counts.Count(Difference::kJclInvocationsHexDecoded);
  std::string compared = invocation.value_or("");
  // A CR that libcups kept came from a hex string, never from a line end.
  if (compared != choice.code && choice.code.find('\r') == std::string::npos) {
    std::string turned = WithLfLineEnds(compared);
    if (turned != compared) totals.counts.Count(Difference::kLineEndsKeptInValues);
    compared = std::move(turned);
  }
  EXPECT_EQ(compared, choice.code)
      << "invocation of " << contributor.option->keyword << " " << choice.keyword;
}

// Each libcups option's choices among our feature's options, with their invocations.
void CompareChoices(const Contributor& contributor, const KxFeature& ours, Totals& totals) {
  totals.counts.Count(Difference::kLibcupsCustomChoice, contributor.option->customChoicesDropped);
  for (const CupsChoice* choice : FirstOfEachName(*contributor.option, totals)) {
    SCOPED_TRACE(contributor.option->keyword + " " + choice->keyword);
    const size_t index = IndexOf(ours, choice->keyword);
    ASSERT_NE(index, kMissing) << "option missing from our " << ours.keyword;
    CompareInvocation(ours.options[index], contributor, *choice, totals);
    ++totals.options;
  }
}

// Our options that libcups also has, by the offset of the first entry naming each: our
// indexes must rise with the offsets.
void CompareOptionOrder(const ExpectedFeature& expected, const KxFeature& ours,
                        const EntryPositions& positions, Totals& totals) {
  std::vector<std::pair<size_t, std::string>> byEntry;  // offset, option keyword
  for (const Contributor& contributor : expected.contributors) {
    size_t previous = 0;
    for (const CupsChoice& choice : contributor.option->choices) {
      const size_t offset = positions.OptionEntry(ours.keyword, choice.keyword);
      ASSERT_NE(offset, EntryPositions::kNotFound) << "no entry for " << choice.keyword;
      if (offset < previous) totals.counts.Count(Difference::kOptionCreatedByFirstEntry);
      previous = offset;
      byEntry.emplace_back(offset, choice.keyword);
    }
  }
  std::sort(byEntry.begin(), byEntry.end());
  byEntry.erase(std::unique(byEntry.begin(), byEntry.end()), byEntry.end());
  std::vector<std::string> expectedOrder;
  for (const auto& entry : byEntry) expectedOrder.push_back(entry.second);
  std::vector<std::string> ourOrder;
  for (const KxOption& option : ours.options) {
    if (std::find(expectedOrder.begin(), expectedOrder.end(), option.keyword) !=
        expectedOrder.end()) {
      ourOrder.push_back(option.keyword);
    }
  }
  EXPECT_EQ(ourOrder, expectedOrder) << "options of " << ours.keyword << " in list order";
}

// The libcups texts of the choices named `keyword`, first of each option.
std::vector<std::string_view> ChoiceTexts(const ExpectedFeature& expected,
                                          std::string_view keyword) {
  std::vector<std::string_view> texts;
  for (const Contributor& contributor : expected.contributors) {
    for (const CupsChoice& choice : contributor.option->choices) {
      if (choice.keyword != keyword) continue;
      texts.push_back(choice.text);
      break;
    }
  }
  return texts;
}

// The translation of the first VMOption entry of `option`, when `feature` is VMOption and
// the file has such an entry.
const std::string* VmOptionEntryTranslation(const KxFeature& feature, const KxOption& option,
                                            const EntryPositions& positions) {
  if (feature.keyword != "VMOption") return nullptr;
  const auto found = positions.vmOptionTranslations.find(option.keyword);
  return found == positions.vmOptionTranslations.end() ? nullptr : &found->second;
}

std::string Joined(const std::vector<std::string_view>& texts) {
  std::string joined;
  for (std::string_view text : texts) joined += " \"" + std::string(text) + "\"";
  return joined;
}

void CompareOptionTranslation(const KxOption& ours, const std::vector<std::string_view>& texts,
                              const std::string* vmOptionEntry,
                              const EntryPositions& positions, Totals& totals) {
  if (!ours.translation) {
    for (std::string_view text : texts) {
      EXPECT_TRUE(IsLibcupsChoiceFallback(text, ours.keyword))
          << ours.keyword << " has no translation; libcups has \"" << text << "\"";
    }
    return;
  }
  if (texts.size() > 1) totals.counts.Count(Difference::kFirstTranslationWins);
  const std::string text = AsLibcupsText(*ours.translation, positions.languageEncoding);
  if (std::find(texts.begin(), texts.end(), text) != texts.end()) return;
  if (vmOptionEntry != nullptr && *vmOptionEntry == *ours.translation) {
    totals.counts.Count(Difference::kVmOptionEntriesAreOptions);
    return;
  }
  ADD_FAILURE() << "translation \"" << *ours.translation << "\" of " << ours.keyword
                << "; libcups has" << Joined(texts);
}

// Every option of ours comes from a libcups choice, from a VMOption entry, or for PageSize
// from a page size.
void CompareOurOptions(const ExpectedFeature& expected, const KxFeature& ours,
                       const CupsFile& cups, const EntryPositions& positions, Totals& totals) {
  for (const KxOption& option : ours.options) {
    SCOPED_TRACE(ours.keyword + " " + option.keyword);
    const std::vector<std::string_view> texts = ChoiceTexts(expected, option.keyword);
    const std::string* vmOptionEntry = VmOptionEntryTranslation(ours, option, positions);
    if (!texts.empty()) {
      CompareOptionTranslation(option, texts, vmOptionEntry, positions, totals);
      continue;
    }
    if (vmOptionEntry != nullptr) {
      totals.counts.Count(Difference::kVmOptionEntriesAreOptions);
      EXPECT_EQ(option.translation.value_or(""), *vmOptionEntry) << "translation";
      continue;
    }
    const bool pageSizeOnly =
        ours.keyword == "PageSize" && std::find(cups.sizeNames.begin(), cups.sizeNames.end(),
                                                option.keyword) != cups.sizeNames.end();
    EXPECT_TRUE(pageSizeOnly) << "an option that libcups does not have";
    if (pageSizeOnly) totals.counts.Count(Difference::kPageSizeOptionsFromSizeEntries);
  }
}

// The default indexes that libcups's defaults allow for our feature.
std::set<uint32_t> AcceptedDefaults(const ExpectedFeature& expected, const KxFeature& ours,
                                    const std::vector<KxFeature>& all, Totals& totals) {
  std::set<uint32_t> accepted;
  for (const Contributor& contributor : expected.contributors) {
    const DefaultRule rule = contributor.filing.defaultRule;
    if (rule == DefaultRule::kIgnored) continue;
    const std::string& name = contributor.option->defaultChoice;
    const size_t index = IndexOf(ours, name);
    if (index == kMissing && !name.empty()) totals.counts.Count(Difference::kDefaultIndexZero);
    accepted.insert(index == kMissing ? 0u : static_cast<uint32_t>(index));
    const KxFeature* apart = Find(all, contributor.option->keyword);
    if (rule == DefaultRule::kSameOrZero && apart != nullptr && apart->options.empty()) {
      if (ours.defaultIndex == 0 && index != 0) {
        totals.counts.Count(Difference::kInstalledMemoryDefaultApart);
      }
      accepted.insert(0u);
    }
  }
  return accepted;
}

void CompareDefault(const ExpectedFeature& expected, const KxFeature& ours,
                    const std::vector<KxFeature>& all, Totals& totals) {
  const std::set<uint32_t> accepted = AcceptedDefaults(expected, ours, all, totals);
  if (accepted.empty()) return;
  EXPECT_TRUE(accepted.count(ours.defaultIndex) != 0)
      << "default index " << ours.defaultIndex << " of " << ours.keyword << "; libcups's "
      << "default is " << *accepted.begin() << " (\""
      << expected.contributors.front().option->defaultChoice << "\")";
}

}  // namespace

void CompareOptions(const ExpectedFeature& expected, const KxFeature& ours,
                    const std::vector<KxFeature>& all, const CupsFile& cups,
                    const EntryPositions& positions, Totals& totals) {
  for (const Contributor& contributor : expected.contributors) {
    CompareChoices(contributor, ours, totals);
  }
  CompareOptionOrder(expected, ours, positions, totals);
  CompareOurOptions(expected, ours, cups, positions, totals);
  CompareDefault(expected, ours, all, totals);
}

}  // namespace kx::ppd::conformance
