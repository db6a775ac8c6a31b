#include "ppd/ppd_test_support.h"

#include <fstream>
#include <iterator>

#include "platform/files.h"
#include "platform/text.h"

namespace kx::ppd::test {

std::u16string PpdFiles::PathOf(std::string_view name) const {
  return platform::Utf8ToUtf16(directory_.directory() + "/" + std::string(name));
}

std::u16string PpdFiles::Write(std::string_view contents) {
  const std::u16string path = PathOf("test" + std::to_string(++files_) + ".ppd");
  const std::vector<uint8_t> bytes(contents.begin(), contents.end());
  if (!platform::WriteWholeFile(path, bytes)) return {};
  return path;
}

std::optional<std::string> Text(const PpdImage* image, Ref ref) {
  const char* text = String(image, ref);
  if (text == nullptr) return std::nullopt;
  return std::string(text);
}

std::vector<std::string> FeatureKeywords(const PpdImage* image) {
  std::vector<std::string> keywords;
  for (const PpdFeature* feature = FirstFeature(image); feature != nullptr;
       feature = NextFeature(image, feature)) {
    keywords.push_back(Text(image, feature->keyword).value_or("<null>"));
  }
  return keywords;
}

std::vector<const PpdOption*> Options(const PpdImage* image, const PpdFeature* feature) {
  std::vector<const PpdOption*> options;
  if (feature == nullptr) return options;
  for (const PpdOption* option = FirstOption(image, feature); option != nullptr;
       option = NextOption(image, option)) {
    options.push_back(option);
  }
  return options;
}

std::vector<std::string> OptionKeywords(const PpdImage* image, const PpdFeature* feature) {
  std::vector<std::string> keywords;
  for (const PpdOption* option : Options(image, feature)) {
    keywords.push_back(Text(image, option->keyword).value_or("<null>"));
  }
  return keywords;
}

const PpdOption* OptionNamed(const PpdImage* image, const PpdFeature* feature,
                             std::string_view keyword) {
  for (const PpdOption* option : Options(image, feature)) {
    if (Text(image, option->keyword) == keyword) return option;
  }
  return nullptr;
}

uint16_t BitwiseCrc16(std::string_view bytes) {
  uint16_t crc = 0;
  for (unsigned char byte : bytes) {
    crc = static_cast<uint16_t>(crc ^ (byte << 8));
    for (int bit = 0; bit < 8; ++bit) {
      crc = static_cast<uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
    }
  }
  return crc;
}

std::string ReadTestData(std::string_view name) {
  std::ifstream file(std::string(KX_PPD_TEST_DATA) + "/" + std::string(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace kx::ppd::test
