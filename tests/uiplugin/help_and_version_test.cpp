#include <gtest/gtest.h>

#include <map>
#include <string>

#include "help_path.h"
#include "module_state.h"
#include "version_strings.h"

namespace kx::ui {
namespace {

TEST(HelpRoot, BesideTheModuleOrInTheSystemDriverFolder) {
  struct Case {
    const char* name;
    std::u16string modulePath;
    std::u16string root;
  };
  const std::u16string driverFolder =
      sizeof(void*) == 8 ? u"\\spool\\drivers\\x64\\3\\" : u"\\spool\\drivers\\w32x86\\3\\";
  const Case cases[] = {
      {"Windows path", u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\KX48T7UI.dll",
       u"C:\\Windows\\System32\\spool\\drivers\\x64\\3\\KX48T7PS\\"},
      {"POSIX path", u"/opt/kx/lib/KX48T7UI.so", u"/opt/kx/lib/KX48T7PS/"},
      {"the last separator counts", u"C:\\a/b\\KX48T7UI.dll", u"C:\\a/b\\KX48T7PS\\"},
      {"no separator", u"KX48T7UI.dll", u"C:\\WINDOWS\\system32" + driverFolder + u"KX48T7PS\\"},
      {"no path at all", u"", u"C:\\WINDOWS\\system32" + driverFolder + u"KX48T7PS\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HelpRootFor(c.modulePath, u"C:\\WINDOWS\\system32"), c.root);
  }
}

TEST(HelpRoot, TopicPagesAreNumberedHtmlFiles) {
  EXPECT_EQ(TopicPage(u"/x/KX48T7PS/", 108), u"/x/KX48T7PS/108.html");
  EXPECT_EQ(TopicPage(u"C:\\d\\KX48T7PS\\", 1260), u"C:\\d\\KX48T7PS\\1260.html");
}

TEST(HelpRoot, TheModuleFindsItsOwnFolder) {
  const std::u16string& path = Module().ModulePath();
  ASSERT_FALSE(path.empty());
  const std::u16string folder = path.substr(0, path.find_last_of(u"\\/") + 1);
  EXPECT_EQ(Module().HelpRoot().substr(0, folder.size()), folder);
}

TEST(VersionTranslation, LanguageAndCodePageAsEightHexDigits) {
  struct Case {
    uint16_t language;
    uint16_t codePage;
    std::u16string key;
  };
  const Case cases[] = {
      {0x0412, 949, u"041203b5"},
      {0x0409, 1200, u"040904b0"},
      {0x0000, 0x0000, u"00000000"},
      {0xFFFF, 0xFFFF, u"ffffffff"},
      {0x0001, 0x000A, u"0001000a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    EXPECT_EQ(TranslationKey(c.language, c.codePage), c.key);
  }
}

// A version resource with one translation and the strings given.
class FakeVersion final : public platform::VersionResource {
 public:
  FakeVersion(uint16_t language, uint16_t codePage, std::map<std::u16string, std::u16string> strings)
      : language_(language), codePage_(codePage), strings_(std::move(strings)) {}
  bool FirstTranslation(uint16_t* language, uint16_t* codePage) const override {
    *language = language_;
    *codePage = codePage_;
    return true;
  }
  bool QueryString(const std::u16string& subBlock, std::u16string* value) const override {
    const auto found = strings_.find(subBlock);
    if (found == strings_.end()) return false;
    *value = found->second;
    return true;
  }

 private:
  uint16_t language_;
  uint16_t codePage_;
  std::map<std::u16string, std::u16string> strings_;
};

TEST(VersionStrings, LookedUpUnderTheFirstTranslation) {
  const FakeVersion korean(0x0412, 949,
                           {{u"\\StringFileInfo\\041203b5\\ProductVersion", u"1.0.0.1"},
                            {u"\\StringFileInfo\\040904b0\\ProductName", u"wrong table"}});
  std::u16string value = u"untouched";
  EXPECT_TRUE(ReadVersionString(korean, u"ProductVersion", &value));
  EXPECT_EQ(value, u"1.0.0.1");
  value = u"untouched";
  EXPECT_FALSE(ReadVersionString(korean, u"ProductName", &value));
  EXPECT_EQ(value, u"untouched");
}

}  // namespace
}  // namespace kx::ui
