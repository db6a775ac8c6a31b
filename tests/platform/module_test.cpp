#include "platform/module.h"

#include <gtest/gtest.h>

#include "platform/last_error.h"
#include "platform/win32_errors.h"

namespace kx::platform {
namespace {

constexpr uint32_t kSentinel = 0xdeadbeef;

// A library of the system that exports the C library's cos.
#ifdef _WIN32
constexpr char kMathLibrary[] = "msvcrt.dll";
#else
constexpr char kMathLibrary[] = "libm.so.6";
#endif

TEST(Module, LoadsAndFindsExports) {
  std::string error = "untouched";
  ModuleHandle module = LoadModule(kMathLibrary, &error);
  ASSERT_NE(module, nullptr) << error;
  auto* cosine = reinterpret_cast<double (*)(double)>(FindExport(module, "cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_EQ(cosine(0.0), 1.0);
  SetLastErrorCode(kSentinel);
  EXPECT_EQ(FindExport(module, "NoSuchExportInLibm"), nullptr);
  EXPECT_EQ(GetLastErrorCode(), kErrorProcNotFound);
  UnloadModule(module);
}

TEST(Module, ReportsWhyLoadingFailed) {
  for (const char* path : {"/nonexistent/libkx.so", ""}) {
    SCOPED_TRACE(path);
    std::string error;
    SetLastErrorCode(kSentinel);
    EXPECT_EQ(LoadModule(path, &error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(GetLastErrorCode(), kErrorModNotFound);
  }
  EXPECT_EQ(LoadModule("/nonexistent/libkx.so", nullptr), nullptr);
  EXPECT_EQ(FindExport(nullptr, "cos"), nullptr);
}

}  // namespace
}  // namespace kx::platform
