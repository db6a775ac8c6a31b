// The version resource of the built plug-in, read through the system's version functions
// as the About box and installers read it.
#include <gtest/gtest.h>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#include <vector>

#include "platform/text.h"

namespace kx::ps {
namespace {

std::wstring ModulePath() {
  const std::u16string path = platform::Utf8ToUtf16(KX48T7PS_MODULE_PATH);
  return std::wstring(path.begin(), path.end());
}

class VersionResourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DWORD handle = 0xdeadbeef;
    const DWORD size = ::GetFileVersionInfoSizeW(ModulePath().c_str(), &handle);
    ASSERT_GT(size, 0u) << "no version resource, error " << ::GetLastError();
    EXPECT_EQ(handle, 0u);
    data_.assign(size, 0);
    ASSERT_TRUE(::GetFileVersionInfoW(ModulePath().c_str(), 0, size, data_.data()));
  }

  // A string of the first translation, or nothing.
  std::string String(const std::wstring& name) {
    struct Translation {
      WORD language;
      WORD codePage;
    };
    Translation* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation",
                          reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation)) {
      return "(no translation)";
    }
    wchar_t block[64];
    swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language,
             translation->codePage);
    wchar_t* value = nullptr;
    if (!::VerQueryValueW(data_.data(), (block + name).c_str(), reinterpret_cast<void**>(&value),
                          &length) ||
        value == nullptr) {
      return "(missing)";
    }
    return platform::Utf16ToUtf8(reinterpret_cast<const char16_t*>(value));
  }

  std::vector<BYTE> data_;
};

TEST_F(VersionResourceTest, OneTranslationUsEnglishUnicode) {
  DWORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(*translation, 0x04B00409u);  // language 0x0409, code page 1200
}

TEST_F(VersionResourceTest, ProductStrings) {
  EXPECT_EQ(String(L"ProductName"), KX_PRODUCT_NAME);
  EXPECT_EQ(String(L"FileDescription"), KX_PSPLUGIN_DESCRIPTION);
  EXPECT_EQ(String(L"ProductVersion"), KX_PRODUCT_VERSION);
  EXPECT_EQ(String(L"FileVersion"), KX_PRODUCT_VERSION);
  EXPECT_EQ(String(L"CompanyName"), KX_COMPANY_NAME);
  EXPECT_EQ(String(L"LegalCopyright"), KX_LEGAL_COPYRIGHT);
  EXPECT_EQ(String(L"OriginalFilename"), "KX48T7PS.DLL");
  EXPECT_EQ(String(L"NoSuchString"), "(missing)");
}

TEST_F(VersionResourceTest, FixedInformationMatchesTheProductVersion) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(data_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
  const std::string version = std::to_string(HIWORD(fixed->dwProductVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwProductVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwProductVersionLS)) + "." +
                              std::to_string(LOWORD(fixed->dwProductVersionLS));
  EXPECT_EQ(version, KX_PRODUCT_VERSION);
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
  EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
}

}  // namespace
}  // namespace kx::ps
