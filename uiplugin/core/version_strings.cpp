#include "version_strings.h"

#include "module_state.h"

namespace kx::ui {

std::u16string TranslationKey(uint16_t language, uint16_t codePage) {
  constexpr char16_t kDigits[] = u"0123456789abcdef";
  const uint32_t number = (uint32_t{language} << 16) | codePage;
  std::u16string key(8, u'0');
  for (size_t position = 0; position < key.size(); ++position) {
    key[key.size() - 1 - position] = kDigits[(number >> (4 * position)) & 0xF];
  }
  return key;
}

bool ReadVersionString(const platform::VersionResource& resource, const std::u16string& name,
                       std::u16string* value) {
  uint16_t language = 0;
  uint16_t codePage = 0;
  if (!resource.FirstTranslation(&language, &codePage)) return false;
  return resource.QueryString(
      u"\\StringFileInfo\\" + TranslationKey(language, codePage) + u"\\" + name, value);
}

std::unique_ptr<platform::VersionResource> ReadModuleVersion() {
  return platform::VersionResource::Read(Module().ModulePath());
}

}  // namespace kx::ui
