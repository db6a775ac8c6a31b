// libcups marks its whole PPD API deprecated; this file is compiled with
// -Wno-deprecated-declarations for that reason alone.
#include "ppd_conformance/cups_view.h"

#include <cups/ppd.h>

#include <memory>
#include <string_view>

namespace kx::ppd::conformance {
namespace {

struct CupsCloser {
  void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};

// libcups adds a choice named "Custom" to an option with a Custom<Option> True entry;
// a choice of that name in the file itself it renames to "_Custom".
bool IsLibcupsCustomChoice(const ppd_choice_t& choice) {
  return std::string_view(choice.choice) == "Custom";
}

CupsOption CopyOption(const ppd_option_t& option, const char* group) {
  CupsOption copy;
  copy.keyword = option.keyword;
  copy.text = option.text;
  copy.defaultChoice = option.defchoice;
  copy.group = group;
  copy.ui = static_cast<int>(option.ui);
  copy.jclSection = option.section == PPD_ORDER_JCL;
  for (int i = 0; i < option.num_choices; ++i) {
    const ppd_choice_t& choice = option.choices[i];
    if (IsLibcupsCustomChoice(choice)) {
      ++copy.customChoicesDropped;
      continue;
    }
    copy.choices.push_back({choice.choice, choice.text, choice.code ? choice.code : ""});
  }
  return copy;
}

void CopyGroup(const ppd_group_t& group, std::vector<CupsOption>& options) {
  for (int i = 0; i < group.num_options; ++i) {
    options.push_back(CopyOption(group.options[i], group.name));
  }
  for (int i = 0; i < group.num_subgroups; ++i) CopyGroup(group.subgroups[i], options);
}

}  // namespace

std::optional<CupsFile> ReadWithCups(const std::filesystem::path& file) {
  std::unique_ptr<ppd_file_t, CupsCloser> ppd(ppdOpenFile(file.c_str()));
  if (!ppd) return std::nullopt;
  CupsFile result;
  for (int i = 0; i < ppd->num_groups; ++i) CopyGroup(ppd->groups[i], result.options);
  for (int i = 0; i < ppd->num_sizes; ++i) result.sizeNames.emplace_back(ppd->sizes[i].name);
  return result;
}

}  // namespace kx::ppd::conformance
