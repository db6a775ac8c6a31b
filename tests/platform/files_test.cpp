#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "support/temp_store.h"

namespace kx::platform {
namespace {

constexpr uint32_t kSentinel = 0xdeadbeef;

// The path as the standard library takes it: from UTF-16, so that no code page is
// involved on Windows.
std::filesystem::path Native(const std::u16string& path) { return std::filesystem::path(path); }

// Whether the file system takes names outside ASCII. Wine keeps Windows names in the
// character set of the Unix locale it runs in, and where that locale is not installed
// (only its code pages are used) there is none.
bool TakesNonAsciiNames(const std::u16string& directory) {
#ifdef _WIN32
  const std::filesystem::path probe = Native(directory + u"/\uD55C.probe");
  std::ofstream(probe).put('x');
  std::error_code error;
  return std::filesystem::remove(probe, error);
#else
  static_cast<void>(directory);
  return true;
#endif
}

#ifdef _WIN32
// 100 ns units between 1601-01-01, where Windows file times start, and 1970-01-01.
constexpr int64_t kFileTimeUnitsPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;

// A named pipe with a server end for the object's lifetime: Windows has no FIFOs in its
// file system.
class ScopedPipe {
 public:
  ScopedPipe()
      : name_("\\\\.\\pipe\\kx48t7-files-test-" + std::to_string(::GetCurrentProcessId())),
        server_(::CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0,
                                   4096, 0, nullptr)) {}
  ~ScopedPipe() {
    if (server_ != INVALID_HANDLE_VALUE) ::CloseHandle(server_);
  }
  ScopedPipe(const ScopedPipe&) = delete;
  ScopedPipe& operator=(const ScopedPipe&) = delete;

  bool valid() const { return server_ != INVALID_HANDLE_VALUE; }
  std::u16string path() const { return std::u16string(name_.begin(), name_.end()); }

 private:
  std::string name_;
  HANDLE server_;
};
#endif

class FilesTest : public ::testing::Test {
 protected:
  std::u16string PathOf(const std::u16string& name) const {
    return Utf8ToUtf16(directory_.directory()) + u"/" + name;
  }

  test::TempStore directory_;
};

TEST_F(FilesTest, WritesAndReadsBackExactly) {
  std::vector<uint8_t> large(200000);
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
  const struct {
    const char* label;
    std::u16string name;
    std::vector<uint8_t> contents;
  } cases[] = {
      {"bytes with NULs", u"a.bin", {0, 'P', 0, 0xFF, '\r', '\n'}},
      {"empty", u"empty.bin", {}},
      {"larger than one read", u"large.bin", large},
      {"non-ASCII name", u"\uD55C\uAE00 \u00E9.ppd", {'*', 'P', 'P', 'D'}},
  };
  const bool nonAscii = TakesNonAsciiNames(PathOf(u""));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    if (!nonAscii && c.name.find_first_not_of(u"abcdefghijklmnopqrstuvwxyz.") != c.name.npos) {
      continue;
    }
    ASSERT_TRUE(WriteWholeFile(PathOf(c.name), c.contents));
    std::vector<uint8_t> read = {1, 2, 3};
    ASSERT_TRUE(ReadWholeFile(PathOf(c.name), &read));
    EXPECT_EQ(read, c.contents);
  }
  if (!nonAscii) GTEST_SKIP() << "this file system takes no names outside ASCII";
  EXPECT_TRUE(std::filesystem::exists(Native(PathOf(u"\uD55C\uAE00 \u00E9.ppd"))));
#ifndef _WIN32
  // The name on disk is the UTF-8 form of the UTF-16 path (Windows names are UTF-16).
  EXPECT_TRUE(std::filesystem::exists(directory_.directory() + "/\xED\x95\x9C\xEA\xB8\x80 \xC3\xA9.ppd"));
#endif
}

TEST_F(FilesTest, WritingReplacesTheWholeFile) {
  const std::u16string path = PathOf(u"settings.bin");
  ASSERT_TRUE(WriteWholeFile(path, {1, 2, 3, 4, 5, 6}));
  ASSERT_TRUE(WriteWholeFile(path, {9}));
  std::vector<uint8_t> read;
  ASSERT_TRUE(ReadWholeFile(path, &read));
  EXPECT_EQ(read, std::vector<uint8_t>{9});
}

TEST_F(FilesTest, FailuresCarryWin32Codes) {
  std::filesystem::create_directory(directory_.directory() + "/folder");
  const struct {
    const char* label;
    std::u16string path;
    uint32_t error;
  } reads[] = {
      {"missing file", PathOf(u"missing.ppd"), kErrorFileNotFound},
      {"missing folder", PathOf(u"nowhere/missing.ppd"), kErrorPathNotFound},
      {"a folder", PathOf(u"folder"), kErrorAccessDenied},
      {"empty path", u"", kErrorPathNotFound},
      {"embedded NUL", PathOf(std::u16string(u"a\0b", 3)), kErrorInvalidName},
  };
  for (const auto& c : reads) {
    SCOPED_TRACE(c.label);
    std::vector<uint8_t> contents = {42};
    SetLastErrorCode(kSentinel);
    EXPECT_FALSE(ReadWholeFile(c.path, &contents));
    EXPECT_EQ(GetLastErrorCode(), c.error);
    EXPECT_EQ(contents, std::vector<uint8_t>{42});
  }

  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(WriteWholeFile(PathOf(u"nowhere/new.bin"), {1}));
  EXPECT_EQ(GetLastErrorCode(), kErrorPathNotFound);
  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(WriteWholeFile(PathOf(u"folder"), {1}));
  EXPECT_EQ(GetLastErrorCode(), kErrorAccessDenied);
}

FileIdentity SentinelIdentity() {
  FileIdentity identity;
  identity.volume = 0x1111;
  identity.fileId = 0x2222;
  identity.size = 0x3333;
  identity.lastWriteTime = 0x4444;
  return identity;
}

TEST_F(FilesTest, IdentityIsTheFilesStatus) {
  const std::u16string path =
      PathOf(TakesNonAsciiNames(PathOf(u"")) ? u"\uD55C.ppd" : u"identity.ppd");
  ASSERT_TRUE(WriteWholeFile(path, std::vector<uint8_t>(1234, 'x')));
  FileIdentity identity = SentinelIdentity();
  ASSERT_TRUE(GetFileIdentity(path, &identity));
  EXPECT_EQ(identity.size, 1234u);
#ifdef _WIN32
  // The C runtime knows no file index; its time of the last write is in whole seconds
  // since 1970, the identity's in 100 ns units since 1601.
  struct _stat64 status {};
  const std::wstring wide = Native(path).wstring();
  ASSERT_EQ(::_wstat64(wide.c_str(), &status), 0);
  EXPECT_EQ(identity.lastWriteTime / kFileTimeUnitsPerSecond - kSecondsFrom1601To1970,
            static_cast<int64_t>(status.st_mtime));
#else
  struct stat status {};
  ASSERT_EQ(::stat(Utf16ToUtf8(path).c_str(), &status), 0);
  EXPECT_EQ(identity.volume, static_cast<uint64_t>(status.st_dev));
  EXPECT_EQ(identity.fileId, static_cast<uint64_t>(status.st_ino));
  EXPECT_EQ(identity.lastWriteTime,
            static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec);
#endif

  // Asking again, or reading the file, changes nothing.
  std::vector<uint8_t> contents;
  ASSERT_TRUE(ReadWholeFile(path, &contents));
  ASSERT_NE(OpenForSharedReading(path), nullptr);
  FileIdentity again = SentinelIdentity();
  ASSERT_TRUE(GetFileIdentity(path, &again));
  EXPECT_EQ(again, identity);
}

TEST_F(FilesTest, IdentityChangesWithEachNewVersion) {
  const std::vector<uint8_t> original = {'*', 'P', 'P', 'D', '-', '1'};
  const std::u16string path = PathOf(u"printer.ppd");
  const struct {
    const char* label;
    void (*change)(const std::u16string& path, const std::vector<uint8_t>& original);
    bool sameFile;  // the same file rewritten, not another one in its place
  } cases[] = {
      {"rewritten, longer",
       [](const std::u16string& p, const std::vector<uint8_t>& o) {
         std::vector<uint8_t> longer = o;
         longer.push_back('\n');
         ASSERT_TRUE(WriteWholeFile(p, longer));
       },
       true},
      {"rewritten, shorter",
       [](const std::u16string& p, const std::vector<uint8_t>& o) {
         ASSERT_TRUE(WriteWholeFile(p, std::vector<uint8_t>(o.begin(), o.end() - 1)));
       },
       true},
      // The same size: only the time of the last write tells the versions apart. It is
      // set explicitly, as two writes in a row may share one tick of the file time.
      {"rewritten, same size, later",
       [](const std::u16string& p, const std::vector<uint8_t>& o) {
         const std::filesystem::path file = Native(p);
         const auto before = std::filesystem::last_write_time(file);
         std::vector<uint8_t> other = o;
         other.back() = '2';
         ASSERT_TRUE(WriteWholeFile(p, other));
         std::filesystem::last_write_time(file, before + std::chrono::seconds(2));
       },
       true},
      // Identical bytes and size in another file renamed over the first.
      {"replaced by rename",
       [](const std::u16string& p, const std::vector<uint8_t>& o) {
         const std::u16string replacement = p + u".new";
         ASSERT_TRUE(WriteWholeFile(replacement, o));
         std::filesystem::rename(Native(replacement), Native(p));
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ASSERT_TRUE(WriteWholeFile(path, original));
    FileIdentity before = SentinelIdentity();
    ASSERT_TRUE(GetFileIdentity(path, &before));
    FileIdentity unchanged = SentinelIdentity();
    ASSERT_TRUE(GetFileIdentity(path, &unchanged));
    EXPECT_EQ(unchanged, before);

    c.change(path, original);
    FileIdentity after = SentinelIdentity();
    ASSERT_TRUE(GetFileIdentity(path, &after));
    EXPECT_NE(after, before);
    EXPECT_EQ(after.volume, before.volume);
    EXPECT_EQ(after.fileId == before.fileId, c.sameFile);
    std::vector<uint8_t> contents;
    ASSERT_TRUE(ReadWholeFile(path, &contents));
    EXPECT_EQ(after.size, contents.size());
  }
}

TEST_F(FilesTest, IdentityAndSharedReadingFailuresCarryWin32Codes) {
  std::filesystem::create_directory(directory_.directory() + "/folder");
  const struct {
    const char* label;
    std::u16string path;
    uint32_t error;
  } cases[] = {
      {"missing file", PathOf(u"missing.ppd"), kErrorFileNotFound},
      {"missing folder", PathOf(u"nowhere/missing.ppd"), kErrorPathNotFound},
      {"a folder", PathOf(u"folder"), kErrorAccessDenied},
      {"empty path", u"", kErrorPathNotFound},
      {"embedded NUL", PathOf(std::u16string(u"a\0b", 3)), kErrorInvalidName},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FileIdentity identity = SentinelIdentity();
    SetLastErrorCode(kSentinel);
    EXPECT_FALSE(GetFileIdentity(c.path, &identity));
    EXPECT_EQ(GetLastErrorCode(), c.error);
    EXPECT_EQ(identity, SentinelIdentity());
    SetLastErrorCode(kSentinel);
    EXPECT_EQ(OpenForSharedReading(c.path), nullptr);
    EXPECT_EQ(GetLastErrorCode(), c.error);
  }
  ASSERT_TRUE(WriteWholeFile(PathOf(u"present.ppd"), {1}));
  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(GetFileIdentity(PathOf(u"present.ppd"), nullptr));
  EXPECT_EQ(GetLastErrorCode(), kErrorInvalidParameter);
}

// Only a regular file is one to read: a pipe, a device or a folder is refused at once
// (a pipe without a writer would otherwise hold its reader).
TEST_F(FilesTest, OnlyRegularFilesOpen) {
  ASSERT_TRUE(WriteWholeFile(PathOf(u"present.ps"), {1}));
  std::filesystem::create_directory(Native(PathOf(u"folder")));
#ifdef _WIN32
  ScopedPipe pipe;
  ASSERT_TRUE(pipe.valid());
  const std::u16string pipePath = pipe.path();
  const std::u16string devicePath = u"NUL";
#else
  const std::u16string pipePath = PathOf(u"pipe");
  ASSERT_EQ(::mkfifo(Utf16ToUtf8(pipePath).c_str(), 0600), 0);
  const std::u16string devicePath = u"/dev/null";
#endif
  const struct {
    const char* label;
    std::u16string path;
    bool regular;
  } cases[] = {
      {"regular file", PathOf(u"present.ps"), true},
      {"missing file", PathOf(u"missing.ps"), false},
      {"folder", PathOf(u"folder"), false},
      {"pipe", pipePath, false},
      {"device", devicePath, false},
      {"empty path", u"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(IsRegularFile(c.path), c.regular);
    EXPECT_EQ(OpenForSharedReading(c.path) != nullptr, c.regular);
  }
}

TEST_F(FilesTest, BoundedReadTakesFilesUpToTheLimit) {
  std::vector<uint8_t> large(200000);  // more than one read's worth
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<uint8_t>(i * 11 + 3);
  const std::vector<uint8_t> thousand(large.begin(), large.begin() + 1000);
  const struct {
    const char* label;
    std::vector<uint8_t> contents;
    uint64_t limit;
    bool read;
  } cases[] = {
      {"at the limit", thousand, 1000, true},
      {"one byte over", thousand, 999, false},
      {"well under", thousand, 1u << 20, true},
      {"larger than one read, at the limit", large, large.size(), true},
      {"empty, limit 0", {}, 0, true},
      {"one byte, limit 0", {7}, 0, false},
      {"no limit to speak of", thousand, UINT64_MAX, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::u16string path = PathOf(u"bounded.ppd");
    ASSERT_TRUE(WriteWholeFile(path, c.contents));
    FileBytes read = {42};
    SetLastErrorCode(kSentinel);
    EXPECT_EQ(ReadRegularFile(path, c.limit, &read), c.read);
    if (c.read) {
      EXPECT_EQ(read, FileBytes(c.contents.begin(), c.contents.end()));
    } else {
      EXPECT_EQ(read, FileBytes{42});
      EXPECT_EQ(GetLastErrorCode(), kErrorFileTooLarge);
    }
  }
  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(ReadRegularFile(PathOf(u"bounded.ppd"), 1u << 20, nullptr));
  EXPECT_EQ(GetLastErrorCode(), kErrorInvalidParameter);
}

// What is not a regular file is refused without waiting on it: a pipe without a writer
// would otherwise hold the reader, an endless device would be read until memory ran out.
TEST_F(FilesTest, BoundedReadRefusesWhatIsNotARegularFile) {
  std::filesystem::create_directory(Native(PathOf(u"folder")));
#ifdef _WIN32
  ScopedPipe pipe;
  ASSERT_TRUE(pipe.valid());
  const std::u16string pipePath = pipe.path();
  const std::u16string devicePath = u"NUL";
#else
  const std::u16string pipePath = PathOf(u"pipe");
  ASSERT_EQ(::mkfifo(Utf16ToUtf8(pipePath).c_str(), 0600), 0);
  const std::u16string devicePath = u"/dev/zero";
#endif
  const struct {
    const char* label;
    std::u16string path;
    uint32_t error;
  } cases[] = {
      {"pipe", pipePath, kErrorAccessDenied},
      {"device", devicePath, kErrorAccessDenied},
      {"folder", PathOf(u"folder"), kErrorAccessDenied},
      {"missing file", PathOf(u"missing.ppd"), kErrorFileNotFound},
      {"missing folder", PathOf(u"nowhere/missing.ppd"), kErrorPathNotFound},
      {"empty path", u"", kErrorPathNotFound},
      {"embedded NUL", PathOf(std::u16string(u"a\0b", 3)), kErrorInvalidName},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    FileBytes read = {42};
    SetLastErrorCode(kSentinel);
    EXPECT_FALSE(ReadRegularFile(c.path, 1u << 20, &read));
    EXPECT_EQ(GetLastErrorCode(), c.error);
    EXPECT_EQ(read, FileBytes{42});
  }
}

#ifndef _WIN32
// Short ASCII paths are converted in place, others in full: names either side of that
// boundary, and names outside ASCII, each read back the file they name.
TEST_F(FilesTest, BoundedReadOpensNamesOfEveryLengthAndKind) {
  const std::u16string folder = PathOf(u"");
  // A name on its own is at most 255 bytes long, so the longest path has a folder more.
  const std::u16string subfolder = folder + std::u16string(150, u'f') + u"/";
  ASSERT_TRUE(std::filesystem::create_directory(Native(subfolder)));
  const auto pathOfLength = [](const std::u16string& in, size_t total,
                               const std::u16string& tail) {
    return in + std::u16string(total - in.size() - tail.size(), u'n') + tail;
  };
  const struct {
    const char* label;
    std::u16string path;
  } cases[] = {
      {"short", PathOf(u"a.ppd")},
      {"255 units", pathOfLength(folder, 255, u".ppd")},
      {"256 units", pathOfLength(folder, 256, u".ppd")},
      {"257 units", pathOfLength(folder, 257, u".ppd")},
      {"non-ASCII last", PathOf(u"caf\u00E9")},
      {"surrogate pair", PathOf(u"\U0001F600.ppd")},
      {"long, non-ASCII", pathOfLength(subfolder, 320, u"\uD55C.ppd")},
  };
  uint8_t mark = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::vector<uint8_t> contents = {'*', 'P', ++mark};
    ASSERT_TRUE(WriteWholeFile(c.path, contents));
    FileBytes read;
    ASSERT_TRUE(ReadRegularFile(c.path, 1u << 20, &read));
    EXPECT_EQ(read, FileBytes(contents.begin(), contents.end()));
    EXPECT_TRUE(std::filesystem::exists(Utf16ToUtf8(c.path)));  // under its UTF-8 name
  }
}
#endif

#ifdef __linux__
// The limit holds for what a file gives, not for the size it claims when opened: the
// kernel's status files claim 0 bytes and give more, as a file that grows does.
TEST_F(FilesTest, BoundedReadHoldsAFileThatGivesMoreThanItsSizeToTheLimit) {
  const std::u16string status = u"/proc/self/status";
  FileBytes read;
  ASSERT_TRUE(ReadRegularFile(status, 1u << 20, &read));
  const std::string text(read.begin(), read.end());
  EXPECT_EQ(text.rfind("Name:", 0), 0u) << text;

  read = {42};
  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(ReadRegularFile(status, 16, &read));
  EXPECT_EQ(GetLastErrorCode(), kErrorFileTooLarge);
  EXPECT_EQ(read, FileBytes{42});
}
#endif

// Reads the file in pieces of `piece` bytes until the end, keeping every piece's size.
std::vector<uint8_t> ReadInPieces(ReadableFile& file, size_t piece, std::vector<int64_t>* sizes) {
  std::vector<uint8_t> data;
  std::vector<uint8_t> buffer(piece + 1, 0xAA);
  for (int guard = 0; guard < 10000; ++guard) {
    const int64_t count = file.Read(buffer.data(), piece);
    sizes->push_back(count);
    if (count <= 0) break;
    data.insert(data.end(), buffer.begin(), buffer.begin() + count);
  }
  // Nothing is written past the size asked for.
  EXPECT_EQ(buffer[piece], 0xAA);
  return data;
}

TEST_F(FilesTest, SharedReadingGivesTheBytesInPieces) {
  std::vector<uint8_t> thousand(1000);
  for (size_t i = 0; i < thousand.size(); ++i) thousand[i] = static_cast<uint8_t>(i * 13 + 5);
  const struct {
    const char* label;
    std::vector<uint8_t> contents;
    size_t piece;
    std::vector<int64_t> sizes;
  } cases[] = {
      {"1000 bytes by 260", thousand, 260, {260, 260, 260, 220, 0}},
      {"exact multiple", {thousand.begin(), thousand.begin() + 520}, 260, {260, 260, 0}},
      {"one piece larger than the file", {0, 'P', 0xFF}, 4096, {3, 0}},
      {"empty", {}, 260, {0}},
      {"byte by byte", {'a', 0, 'b'}, 1, {1, 1, 1, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::u16string path = PathOf(u"pieces.ppd");
    ASSERT_TRUE(WriteWholeFile(path, c.contents));
    SetLastErrorCode(kSentinel);
    std::unique_ptr<ReadableFile> file = OpenForSharedReading(path);
    ASSERT_NE(file, nullptr);
    std::vector<int64_t> sizes;
    EXPECT_EQ(ReadInPieces(*file, c.piece, &sizes), c.contents);
    EXPECT_EQ(sizes, c.sizes);
    // The end stays the end.
    uint8_t byte = 0x5A;
    EXPECT_EQ(file->Read(&byte, 1), 0);
    EXPECT_EQ(byte, 0x5A);
  }
}

TEST_F(FilesTest, SharedReadersKeepTheirOwnPositionAndLetWritersIn) {
  const std::u16string path = PathOf(u"shared.ppd");
  ASSERT_TRUE(WriteWholeFile(path, {'a', 'b', 'c'}));
  std::unique_ptr<ReadableFile> first = OpenForSharedReading(path);
  std::unique_ptr<ReadableFile> second = OpenForSharedReading(path);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  uint8_t buffer[4] = {};
  ASSERT_EQ(first->Read(buffer, 2), 2);
  ASSERT_EQ(second->Read(buffer + 2, 1), 1);
  EXPECT_EQ(buffer[2], 'a');
  EXPECT_TRUE(WriteWholeFile(path, {'z'}));

  SetLastErrorCode(kSentinel);
  EXPECT_EQ(first->Read(nullptr, 1), -1);
  EXPECT_EQ(GetLastErrorCode(), kErrorInvalidParameter);
}

}  // namespace
}  // namespace kx::platform
