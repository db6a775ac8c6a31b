#include "platform/store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "environment.h"
#include "support/temp_store.h"

namespace kx::platform {
namespace {

TEST(StoreDirectory, FollowsTheEnvironmentOnEveryCall) {
#ifdef _WIN32
  // Windows keeps the registry and the printers itself: there is no store to find.
  GTEST_SKIP() << "the store directory exists on POSIX systems only";
#else
  test::TempStore scratch;  // a place for the home and data folders below
  const std::string home = scratch.directory() + "/home";
  const std::string data = scratch.directory() + "/data";
  const std::string store = scratch.directory() + "/store";
  test::ScopedEnvironment homeVariable("HOME", home.c_str());

  const struct {
    const char* label;
    const char* store;
    const char* dataHome;
    std::string expected;
  } cases[] = {
      {"store variable wins", store.c_str(), data.c_str(), store},
      {"data home", nullptr, data.c_str(), data + "/kx48t7"},
      {"empty store variable", "", data.c_str(), data + "/kx48t7"},
      {"relative data home ignored", nullptr, "relative/data", home + "/.local/share/kx48t7"},
      {"home only", nullptr, nullptr, home + "/.local/share/kx48t7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    test::ScopedEnvironment storeVariable(kStoreEnvironmentVariable, c.store);
    test::ScopedEnvironment dataVariable("XDG_DATA_HOME", c.dataHome);
    EXPECT_EQ(StoreDirectory(), c.expected);
    EXPECT_TRUE(std::filesystem::is_directory(c.expected));
  }
#endif
}

}  // namespace
}  // namespace kx::platform
