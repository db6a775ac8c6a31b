#include "platform/registry.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32_errors.h"
#include "support/temp_store.h"

namespace kx::platform {
namespace {

constexpr uint32_t kSentinel = 0xdeadbeef;
constexpr uint8_t kCanary = 0xA5;

std::vector<uint8_t> Utf16Bytes(std::u16string_view text) {
  std::vector<uint8_t> bytes((text.size() + 1) * sizeof(char16_t));
  std::memcpy(bytes.data(), text.data(), text.size() * sizeof(char16_t));
  return bytes;
}

std::vector<uint8_t> DwordBytes(uint32_t value) {
  std::vector<uint8_t> bytes(4);
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

uint32_t Set(RegistryKey& key, const std::u16string& name, uint32_t type,
             const std::vector<uint8_t>& data) {
  return key.SetValue(name, type, data.data(), static_cast<uint32_t>(data.size()));
}

std::unique_ptr<RegistryKey> Create(Hive hive, const std::u16string& path) {
  std::unique_ptr<RegistryKey> key;
  EXPECT_EQ(CreateRegistryKey(hive, path, &key, nullptr), kErrorSuccess);
  return key;
}

std::vector<std::u16string> ValueNames(const RegistryKey& key) {
  std::vector<std::u16string> names;
  RegistryValue value;
  uint32_t index = 0;
  uint32_t result = kErrorSuccess;
  while ((result = key.EnumValue(index++, &value)) == kErrorSuccess) names.push_back(value.name);
  EXPECT_EQ(result, kErrorNoMoreItems);
  return names;
}

std::vector<std::u16string> SubKeyNames(const RegistryKey& key) {
  std::vector<std::u16string> names;
  std::u16string name;
  uint32_t index = 0;
  uint32_t result = kErrorSuccess;
  while ((result = key.EnumSubKey(index++, &name)) == kErrorSuccess) names.push_back(name);
  EXPECT_EQ(result, kErrorNoMoreItems);
  return names;
}

// Windows promises no order of enumeration (Wine sorts by name); the store of POSIX
// systems keeps the order in which names were first written, which is checked there.
void ExpectEnumerated(std::vector<std::u16string> names,
                      std::vector<std::u16string> inInsertionOrder) {
#ifdef _WIN32
  std::sort(names.begin(), names.end());
  std::sort(inInsertionOrder.begin(), inInsertionOrder.end());
#endif
  EXPECT_EQ(names, inInsertionOrder);
}

#ifdef _WIN32
// The registry of Windows is the system's own and outlives the test. For the object's
// lifetime this process sees two empty keys of its own in place of the two hives
// (RegOverridePredefKey), removed again at the end.
class ScratchHives {
 public:
  ScratchHives()
      : path_("Software\\kx48t7-registry-test-" + std::to_string(::GetCurrentProcessId())) {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    for (auto& [hive, name, key] : hives_) {
      const std::string keyPath = path_ + "\\" + name;
      if (::RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) == ERROR_SUCCESS) {
        overridden_ += ::RegOverridePredefKey(hive, key) == ERROR_SUCCESS ? 1 : 0;
      }
    }
  }
  ~ScratchHives() {
    for (auto& [hive, name, key] : hives_) {
      ::RegOverridePredefKey(hive, nullptr);
      if (key != nullptr) ::RegCloseKey(key);
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
  }
  ScratchHives(const ScratchHives&) = delete;
  ScratchHives& operator=(const ScratchHives&) = delete;

  bool ready() const { return overridden_ == 2; }

 private:
  struct Scratch {
    HKEY hive;
    const char* name;
    HKEY key;
  };
  std::string path_;
  Scratch hives_[2] = {{HKEY_LOCAL_MACHINE, "machine", nullptr},
                       {HKEY_CURRENT_USER, "user", nullptr}};
  int overridden_ = 0;
};
#endif

class RegistryTest : public ::testing::Test {
 protected:
#ifdef _WIN32
  void SetUp() override { ASSERT_TRUE(hives_.ready()); }

  ScratchHives hives_;
#endif
  test::TempStore store_;
};

TEST_F(RegistryTest, CreateTellsNewFromExisting) {
  std::unique_ptr<RegistryKey> key;
  EXPECT_EQ(OpenRegistryKey(Hive::kCurrentUser, u"Software\\Kx\\Marks", &key),
            kErrorFileNotFound);
  EXPECT_EQ(key, nullptr);

  bool created = false;
  ASSERT_EQ(CreateRegistryKey(Hive::kCurrentUser, u"Software\\Kx\\Marks", &key, &created),
            kErrorSuccess);
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(created);

  const struct {
    const char* label;
    std::u16string path;
    bool created;
  } cases[] = {
      {"same path", u"Software\\Kx\\Marks", false},
      {"other case", u"SOFTWARE\\kx\\mARKS", false},
      {"trailing backslash", u"Software\\Kx\\Marks\\", false},
      {"parent made on the way", u"Software\\Kx", false},
      {"new child of existing", u"Software\\Kx\\Colours", true},
      {"new chain", u"Software\\Other\\Deep\\Deeper", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::unique_ptr<RegistryKey> again;
    created = !c.created;
    EXPECT_EQ(CreateRegistryKey(Hive::kCurrentUser, c.path, &again, &created), kErrorSuccess);
    EXPECT_EQ(created, c.created);
    EXPECT_EQ(OpenRegistryKey(Hive::kCurrentUser, c.path, &again), kErrorSuccess);
  }

  // The two hives are separate stores.
  EXPECT_EQ(OpenRegistryKey(Hive::kLocalMachine, u"Software\\Kx", &key), kErrorFileNotFound);
}

TEST_F(RegistryTest, RejectsBadPaths) {
  std::unique_ptr<RegistryKey> key;
  EXPECT_EQ(CreateRegistryKey(Hive::kCurrentUser, u"\\Software", &key, nullptr),
            kErrorBadPathname);
  EXPECT_EQ(OpenRegistryKey(Hive::kCurrentUser, u"\\Software", &key), kErrorBadPathname);
  EXPECT_EQ(CreateRegistryKey(Hive::kCurrentUser, std::u16string(256, u'k'), &key, nullptr),
            kErrorInvalidParameter);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(CreateRegistryKey(Hive::kCurrentUser, std::u16string(255, u'k'), &key, nullptr),
            kErrorSuccess);
  // An empty path is the hive's root, which always exists but cannot be deleted.
  EXPECT_EQ(OpenRegistryKey(Hive::kCurrentUser, u"", &key), kErrorSuccess);
  EXPECT_EQ(DeleteRegistryTree(Hive::kCurrentUser, u""), kErrorInvalidParameter);
}

TEST_F(RegistryTest, ValuesKeepTheirTypeAndBytes) {
  auto key = Create(Hive::kCurrentUser, u"Software\\Kx");
  ASSERT_NE(key, nullptr);
  const struct {
    const char* label;
    std::u16string name;
    uint32_t type;
    std::vector<uint8_t> data;
  } cases[] = {
      {"string", u"Name", kRegSz, Utf16Bytes(u"\uAC00 draft")},
      {"dword", u"Count", kRegDword, DwordBytes(0x01020304)},
      {"binary with zeros", u"Blob", kRegBinary, {0, 1, 0, 0xFF, 0}},
      {"empty binary", u"Empty", kRegBinary, {}},
      {"default value", u"", kRegSz, Utf16Bytes(u"default")},
      {"other type number", u"Multi", 7, Utf16Bytes(u"a")},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Set(*key, c.name, c.type, c.data), kErrorSuccess) << c.label;
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::vector<uint8_t> buffer(64, kCanary);
    uint32_t type = kSentinel;
    uint32_t size = static_cast<uint32_t>(buffer.size());
    ASSERT_EQ(key->QueryValue(c.name, &type, buffer.data(), &size), kErrorSuccess);
    EXPECT_EQ(type, c.type);
    ASSERT_EQ(size, c.data.size());
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + size), c.data);
    EXPECT_EQ(buffer[size], kCanary);
  }

  // Names compare without case; rewriting may change the type.
  ASSERT_EQ(Set(*key, u"COUNT", kRegBinary, {9}), kErrorSuccess);
  uint32_t type = kSentinel;
  uint8_t byte = 0;
  uint32_t size = 1;
  EXPECT_EQ(key->QueryValue(u"count", &type, &byte, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(byte, 9);

  EXPECT_EQ(key->SetValue(u"Bad", kRegBinary, nullptr, 4), kErrorInvalidParameter);
  EXPECT_EQ(key->QueryValue(u"Name", &type, &byte, nullptr), kErrorInvalidParameter);
}

TEST_F(RegistryTest, SizeQueryThenFill) {
  auto key = Create(Hive::kCurrentUser, u"Software\\Kx");
  ASSERT_NE(key, nullptr);
  const std::vector<uint8_t> value = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  ASSERT_EQ(Set(*key, u"Ten", kRegBinary, value), kErrorSuccess);

  uint32_t type = kSentinel;
  uint32_t size = kSentinel;
  EXPECT_EQ(key->QueryValue(u"Ten", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(size, 10u);

  // One byte short: kErrorMoreData with the size, and nothing written past the buffer.
  std::vector<uint8_t> buffer(11, kCanary);
  size = 9;
  type = kSentinel;
  EXPECT_EQ(key->QueryValue(u"Ten", &type, buffer.data(), &size), kErrorMoreData);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(buffer[9], kCanary);

  size = 10;
  EXPECT_EQ(key->QueryValue(u"Ten", &type, buffer.data(), &size), kErrorSuccess);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 10), value);
  EXPECT_EQ(buffer[10], kCanary);

  // A larger buffer gets the real size back.
  std::vector<uint8_t> large(32, kCanary);
  size = 32;
  EXPECT_EQ(key->QueryValue(u"Ten", nullptr, large.data(), &size), kErrorSuccess);
  EXPECT_EQ(size, 10u);
  EXPECT_EQ(large[10], kCanary);

  // A missing value touches nothing.
  type = kSentinel;
  size = kSentinel;
  EXPECT_EQ(key->QueryValue(u"Eleven", &type, nullptr, &size), kErrorFileNotFound);
  EXPECT_EQ(type, kSentinel);
  EXPECT_EQ(size, kSentinel);
}

TEST_F(RegistryTest, EnumeratesInInsertionOrder) {
  auto key = Create(Hive::kCurrentUser, u"Software\\Kx");
  ASSERT_NE(key, nullptr);
  for (const char16_t* name : {u"zeta", u"Alpha", u"mid"}) {
    ASSERT_EQ(Set(*key, name, kRegDword, DwordBytes(1)), kErrorSuccess);
  }
  // Rewriting keeps the value's place and the name as first written.
  ASSERT_EQ(Set(*key, u"ALPHA", kRegDword, DwordBytes(2)), kErrorSuccess);
  ExpectEnumerated(ValueNames(*key), {u"zeta", u"Alpha", u"mid"});

  EXPECT_EQ(key->DeleteValue(u"ZETA"), kErrorSuccess);
  EXPECT_EQ(key->DeleteValue(u"zeta"), kErrorFileNotFound);
  ASSERT_EQ(Set(*key, u"new", kRegDword, DwordBytes(3)), kErrorSuccess);
  ASSERT_EQ(Set(*key, u"zeta", kRegDword, DwordBytes(4)), kErrorSuccess);
  ExpectEnumerated(ValueNames(*key), {u"Alpha", u"mid", u"new", u"zeta"});

  // An enumerated value comes with its type and its latest data.
  RegistryValue value;
  uint32_t index = 0;
  while (key->EnumValue(index, &value) == kErrorSuccess && value.name != u"Alpha") ++index;
  ASSERT_EQ(value.name, u"Alpha");
  EXPECT_EQ(value.type, kRegDword);
  EXPECT_EQ(value.data, DwordBytes(2));

  for (const char16_t* path : {u"Software\\Kx\\b", u"Software\\Kx\\A", u"Software\\Kx\\c",
                               u"Software\\Kx\\A\\grandchild"}) {
    ASSERT_NE(Create(Hive::kCurrentUser, path), nullptr);
  }
  ExpectEnumerated(SubKeyNames(*key), {u"b", u"A", u"c"});
  std::u16string name = u"untouched";
  EXPECT_EQ(key->EnumSubKey(3, &name), kErrorNoMoreItems);
  EXPECT_EQ(name, u"untouched");
}

TEST_F(RegistryTest, DeleteTreeRemovesEverythingBelow) {
  auto top = Create(Hive::kCurrentUser, u"Software\\Kx\\Marks\\One\\Deep");
  ASSERT_NE(top, nullptr);
  ASSERT_EQ(Set(*top, u"v", kRegDword, DwordBytes(1)), kErrorSuccess);
  auto sibling = Create(Hive::kCurrentUser, u"Software\\Kx\\Colours");
  ASSERT_NE(sibling, nullptr);
  ASSERT_EQ(Set(*sibling, u"v", kRegDword, DwordBytes(2)), kErrorSuccess);
  std::unique_ptr<RegistryKey> marks;
  ASSERT_EQ(OpenRegistryKey(Hive::kCurrentUser, u"Software\\Kx\\Marks", &marks), kErrorSuccess);
  ASSERT_EQ(Set(*marks, u"v", kRegDword, DwordBytes(3)), kErrorSuccess);

  EXPECT_EQ(DeleteRegistryTree(Hive::kCurrentUser, u"software\\KX\\marks"), kErrorSuccess);

  std::unique_ptr<RegistryKey> key;
  for (const char16_t* gone : {u"Software\\Kx\\Marks", u"Software\\Kx\\Marks\\One",
                               u"Software\\Kx\\Marks\\One\\Deep"}) {
    EXPECT_EQ(OpenRegistryKey(Hive::kCurrentUser, gone, &key), kErrorFileNotFound);
  }
  ASSERT_EQ(OpenRegistryKey(Hive::kCurrentUser, u"Software\\Kx", &key), kErrorSuccess);
  EXPECT_EQ(SubKeyNames(*key), std::vector<std::u16string>{u"Colours"});
  uint32_t size = 0;
  EXPECT_EQ(sibling->QueryValue(u"v", nullptr, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(DeleteRegistryTree(Hive::kCurrentUser, u"Software\\Kx\\Marks"), kErrorFileNotFound);

  // Keys still open on the deleted tree say so, even once the path is created again.
  bool created = false;
  ASSERT_EQ(CreateRegistryKey(Hive::kCurrentUser, u"Software\\Kx\\Marks", &key, &created),
            kErrorSuccess);
  EXPECT_TRUE(created);
  EXPECT_EQ(ValueNames(*key), std::vector<std::u16string>{});
  RegistryValue value;
  EXPECT_EQ(marks->EnumValue(0, &value), kErrorKeyDeleted);
  EXPECT_EQ(marks->QueryValue(u"v", nullptr, nullptr, &size), kErrorKeyDeleted);
  EXPECT_EQ(Set(*top, u"w", kRegDword, DwordBytes(1)), kErrorKeyDeleted);
}

TEST_F(RegistryTest, PersistsAcrossConnections) {
  {
    auto key = Create(Hive::kLocalMachine, u"Software\\Kx");
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(Set(*key, u"Port", kRegSz, Utf16Bytes(u"LPT1:")), kErrorSuccess);
  }
#ifndef _WIN32
  EXPECT_TRUE(std::filesystem::exists(store_.directory() + "/machine.sqlite"));
#endif

  // Another thread has its own connection and sees what was committed.
  uint32_t seen = kSentinel;
  std::thread reader([&] {
    std::unique_ptr<RegistryKey> key;
    uint32_t size = 0;
    seen = OpenRegistryKey(Hive::kLocalMachine, u"Software\\Kx", &key);
    if (seen == kErrorSuccess) seen = key->QueryValue(u"Port", nullptr, nullptr, &size);
    if (seen == kErrorSuccess && size != Utf16Bytes(u"LPT1:").size()) seen = kSentinel;
  });
  reader.join();
  EXPECT_EQ(seen, kErrorSuccess);

  // What follows is about the store that stands in for the registry on POSIX systems.
#ifndef _WIN32
  // Pointing the store elsewhere shows a different registry; coming back shows the old.
  {
    test::TempStore other;
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(OpenRegistryKey(Hive::kLocalMachine, u"Software\\Kx", &key), kErrorFileNotFound);
    ASSERT_NE(Create(Hive::kLocalMachine, u"Software\\Elsewhere"), nullptr);
  }
  std::unique_ptr<RegistryKey> key;
  EXPECT_EQ(OpenRegistryKey(Hive::kLocalMachine, u"Software\\Kx", &key), kErrorSuccess);
  EXPECT_EQ(OpenRegistryKey(Hive::kLocalMachine, u"Software\\Elsewhere", &key),
            kErrorFileNotFound);

  // A store removed behind the registry's back is started afresh.
  std::filesystem::remove_all(store_.directory());
  EXPECT_EQ(OpenRegistryKey(Hive::kLocalMachine, u"Software\\Kx", &key), kErrorFileNotFound);
  bool created = false;
  EXPECT_EQ(CreateRegistryKey(Hive::kLocalMachine, u"Software\\Kx", &key, &created),
            kErrorSuccess);
  EXPECT_TRUE(created);
#endif
}

TEST_F(RegistryTest, ConcurrentWritersLoseNothing) {
  constexpr int kThreads = 4;
  constexpr int kValuesPerThread = 100;
  std::atomic<int> failures{0};
  std::atomic<int> createdCount{0};
  std::vector<std::thread> threads;
  for (int thread = 0; thread < kThreads; ++thread) {
    threads.emplace_back([&, thread] {
      std::unique_ptr<RegistryKey> key;
      bool created = false;
      if (CreateRegistryKey(Hive::kCurrentUser, u"Software\\Kx\\Shared", &key, &created) !=
          kErrorSuccess) {
        ++failures;
        return;
      }
      if (created) ++createdCount;
      for (int index = 0; index < kValuesPerThread; ++index) {
        const std::u16string name = {u't', char16_t(u'0' + thread), u'-',
                                     char16_t(u'A' + index / 26), char16_t(u'a' + index % 26)};
        if (Set(*key, name, kRegDword, DwordBytes(uint32_t(thread * 1000 + index))) !=
            kErrorSuccess) {
          ++failures;
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(createdCount.load(), 1);

  std::unique_ptr<RegistryKey> key;
  ASSERT_EQ(OpenRegistryKey(Hive::kCurrentUser, u"Software\\Kx\\Shared", &key), kErrorSuccess);
  RegistryValue value;
  uint32_t count = 0;
  while (key->EnumValue(count, &value) == kErrorSuccess) {
    const int thread = value.name[1] - u'0';
    const int index = (value.name[3] - u'A') * 26 + (value.name[4] - u'a');
    EXPECT_EQ(value.data, DwordBytes(uint32_t(thread * 1000 + index)));
    ++count;
  }
  EXPECT_EQ(count, uint32_t(kThreads * kValuesPerThread));
}

TEST_F(RegistryTest, ConcurrentProcessesLoseNothing) {
#ifdef _WIN32
  // The registry of Windows is one for all processes by its nature; what is tested here
  // is the locking of the store that stands in for it (and fork, which Windows lacks).
  GTEST_SKIP() << "the store shared by processes exists on POSIX systems only";
#else
  constexpr int kValues = 100;
  ASSERT_NE(Create(Hive::kCurrentUser, u"Software\\Kx"), nullptr);
  auto writeValues = [](char16_t prefix) {
    std::unique_ptr<RegistryKey> key;
    if (OpenRegistryKey(Hive::kCurrentUser, u"Software\\Kx", &key) != kErrorSuccess) return 1;
    for (int index = 0; index < kValues; ++index) {
      const std::u16string name = {prefix, char16_t(u'A' + index / 26),
                                   char16_t(u'a' + index % 26)};
      if (Set(*key, name, kRegDword, DwordBytes(uint32_t(index))) != kErrorSuccess) return 1;
    }
    return 0;
  };
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(writeValues(u'c'));
  EXPECT_EQ(writeValues(u'p'), 0);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);

  std::unique_ptr<RegistryKey> key;
  ASSERT_EQ(OpenRegistryKey(Hive::kCurrentUser, u"Software\\Kx", &key), kErrorSuccess);
  EXPECT_EQ(ValueNames(*key).size(), size_t(2 * kValues));
#endif
}

}  // namespace
}  // namespace kx::platform
