#include "support/test_ppd.h"

#include <filesystem>
#include <fstream>

namespace kx::test {

std::string WriteTestPpd(const std::string& directory, const std::string& name,
                         const std::string& body) {
  const std::string path = (std::filesystem::path(directory) / name).string();
  std::ofstream(path, std::ios::binary) << "*PPD-Adobe: \"4.3\"\n" << body;
  return path;
}

std::string PickOneFeature(const std::string& feature, const std::string& defaultOption,
                           const std::vector<std::string>& options) {
  const std::string name = feature.substr(0, feature.find('/'));
  std::string text = "*OpenUI *" + feature + ": PickOne\n*Default" + name + ": " +
                     defaultOption + "\n";
  for (const std::string& option : options) {
    const std::string keyword = option.substr(0, option.find('/'));
    text += "*" + name + " " + option + ": \"(" + name + "=" + keyword + ") pop\"\n";
  }
  return text + "*CloseUI: *" + name + "\n";
}

}  // namespace kx::test
