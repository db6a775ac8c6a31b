// kx48t7-settings as a whole: the command line in, the exit code out.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kx::settings_tool {

int RunSettingsTool(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err);

}  // namespace kx::settings_tool
