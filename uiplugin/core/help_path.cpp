#include "help_path.h"

#include <string>

namespace kx::ui {
namespace {

constexpr std::u16string_view kHelpFolder = u"KX48T7PS";
constexpr std::u16string_view kPageSuffix = u".html";
// The system's own folder for this architecture's printer drivers (version 3 drivers).
constexpr std::u16string_view kDriverFolder = sizeof(void*) == 8
                                                  ? u"\\spool\\drivers\\x64\\3\\"
                                                  : u"\\spool\\drivers\\w32x86\\3\\";

}  // namespace

std::u16string HelpRootFor(std::u16string_view modulePath, std::u16string_view systemDirectory) {
  const size_t separator = modulePath.find_last_of(u"\\/");
  std::u16string root;
  char16_t separatorChar = u'\\';
  if (separator == std::u16string_view::npos) {
    root.append(systemDirectory).append(kDriverFolder);
  } else {
    separatorChar = modulePath[separator];
    root.append(modulePath.substr(0, separator + 1));
  }
  root.append(kHelpFolder);
  root.push_back(separatorChar);
  return root;
}

std::u16string TopicPage(std::u16string_view helpRoot, int topicId) {
  std::u16string page(helpRoot);
  for (const char digit : std::to_string(topicId)) page.push_back(static_cast<char16_t>(digit));
  page.append(kPageSuffix);
  return page;
}

}  // namespace kx::ui
