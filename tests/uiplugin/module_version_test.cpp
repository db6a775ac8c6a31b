// The built plug-in module carries the product's version values, and the About box's
// lookup finds them through the module's first translation, on every system.
#include <gtest/gtest.h>

#include "platform/text.h"
#include "platform/version_resource.h"
#include "version_strings.h"

namespace kx::ui {
namespace {

TEST(ModuleVersionTest, TheBuiltModuleAnswersTheProductValues) {
  const auto resource = platform::VersionResource::Read(platform::Utf8ToUtf16(KX48T7UI_MODULE_PATH));
  ASSERT_NE(resource, nullptr);
  uint16_t language = 0, codePage = 0;
  ASSERT_TRUE(resource->FirstTranslation(&language, &codePage));
  EXPECT_EQ(TranslationKey(language, codePage), u"040904b0");
  const struct {
    const char16_t* name;
    const char* expected;
  } cases[] = {
      {u"ProductName", KX_PRODUCT_NAME},
      {u"ProductVersion", KX_PRODUCT_VERSION},
      {u"CompanyName", KX_COMPANY_NAME},
      {u"LegalCopyright", KX_LEGAL_COPYRIGHT},
      {u"FileDescription", KX_UIPLUGIN_DESCRIPTION},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(platform::Utf16ToUtf8(c.name));
    std::u16string value;
    EXPECT_TRUE(ReadVersionString(*resource, c.name, &value));
    EXPECT_EQ(platform::Utf16ToUtf8(value), c.expected);
  }
}

TEST(ModuleVersionTest, AFileWithoutValuesHasNoResource) {
  EXPECT_EQ(platform::VersionResource::Read(platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD)), nullptr);
  EXPECT_EQ(platform::VersionResource::Read(u"/no/such/module.so"), nullptr);
}

}  // namespace
}  // namespace kx::ui
