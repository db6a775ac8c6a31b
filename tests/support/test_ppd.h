// Small PPD files written by tests into their temporary store directory.
#pragma once

#include <string>
#include <vector>

namespace kx::test {

// Writes "*PPD-Adobe: "4.3"" and `body` to `directory`/`name`; returns the path.
std::string WriteTestPpd(const std::string& directory, const std::string& name,
                         const std::string& body);

// A PickOne feature ("Keyword" or "Keyword/Translation") with the given options (each
// "Keyword" or "Keyword/Translation") whose invocations are "(<Feature>=<Keyword>) pop".
std::string PickOneFeature(const std::string& feature, const std::string& defaultOption,
                           const std::vector<std::string>& options);

}  // namespace kx::test
