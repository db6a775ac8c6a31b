// The job options CUPS hands a filter as one argument: name=value pairs separated by
// spaces, values quoted with ' or " or escaped with a backslash, a lone name meaning
// true and a name with the prefix "no" meaning false (noCollate is Collate=false).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kx::filter {

using CupsOption = std::pair<std::string, std::string>;

// In the order given; a name given twice is kept twice (the later one wins where used).
std::vector<CupsOption> ParseCupsOptions(std::string_view text);

}  // namespace kx::filter
