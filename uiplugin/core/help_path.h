// Where the help pages live: a folder "KX48T7PS" beside the plug-in module, one HTML page
// per topic id.
#pragma once

#include <string>
#include <string_view>

namespace kx::ui {

// The folder of the help pages, ending with a separator. The module's full name is cut
// after its last separator ('\' or '/'); a name without one (the module's path could not
// be read) falls back to the printer-driver folder of the system directory.
std::u16string HelpRootFor(std::u16string_view modulePath, std::u16string_view systemDirectory);

// The page of one topic: <root><topic id>.html.
std::u16string TopicPage(std::u16string_view helpRoot, int topicId);

}  // namespace kx::ui
