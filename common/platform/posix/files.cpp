#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <string>
#include <string_view>

#include "platform/last_error.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "system_error_codes.h"

namespace kx::platform {

namespace {

// The file system path of a UTF-16 path; false when no file can have that name.
bool NativePath(const std::u16string& path, std::string* native) {
  if (path.empty()) {
    SetLastErrorCode(kErrorPathNotFound);
    return false;
  }
  if (path.find(u'\0') != std::u16string::npos) {
    SetLastErrorCode(kErrorInvalidName);
    return false;
  }
  *native = Utf16ToUtf8(path);
  return true;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~FileDescriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return descriptor_; }
  // Hands the descriptor over without closing it.
  int take() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
  }
  // Closes now, so that a failing close can be reported.
  int release() {
    const int result = ::close(descriptor_);
    descriptor_ = -1;
    return result;
  }

 private:
  int descriptor_;
};

bool FailWithErrno() {
  SetLastErrorCode(detail::Win32ErrorFromErrno(errno));
  return false;
}

// A path's name on the file system, kept in place when it is short ASCII (most are), so
// that opening a file needs no heap; other names are converted in full.
class NativeName {
 public:
  // False, with the last error set, when no file can have that name.
  bool Set(std::u16string_view path) {
    if (path.size() < sizeof short_) {
      size_t length = 0;
      while (length < path.size() && path[length] != u'\0' && path[length] < 0x80) {
        short_[length] = static_cast<char>(path[length]);
        ++length;
      }
      if (length == path.size() && length != 0) {
        short_[length] = '\0';
        return true;
      }
    }
    return NativePath(std::u16string(path), &long_);  // refuses an empty name or a NUL
  }
  // A converted name is never empty, so an empty long_ means the short one.
  const char* c_str() const { return long_.empty() ? short_ : long_.c_str(); }

 private:
  char short_[256];
  std::string long_;
};

// The status of an open file. On x86-64 Linux the fstat system call itself, whose status
// layout is the C library's: the library's fstat asks fstatat for an empty path, which
// took 0.1 us more here (of some 3.4 us that open, status, read and close take for a
// small PPD file).
int StatusOf(int descriptor, struct stat* status) {
#if defined(__linux__) && defined(__x86_64__) && defined(SYS_fstat)
  return static_cast<int>(::syscall(SYS_fstat, descriptor, status));
#else
  return ::fstat(descriptor, status);
#endif
}

// A failed open: a missing folder on the way is "path not found", as on Windows.
bool FailToOpen(std::string_view path) {
  const int error = errno;
  if (error == ENOENT) {
    const size_t slash = path.find_last_of('/');
    struct stat status {};
    if (slash != std::string_view::npos && slash > 0 &&
        ::stat(std::string(path.substr(0, slash)).c_str(), &status) != 0) {
      SetLastErrorCode(kErrorPathNotFound);
      return false;
    }
  }
  SetLastErrorCode(detail::Win32ErrorFromErrno(error));
  return false;
}

// The largest request passed to one read; the rest is left for the next call.
constexpr size_t kLargestTransfer = size_t{1} << 30;

// A regular file opened for reading, its status in *status; -1 with the last error set
// otherwise. Without O_NONBLOCK opening a pipe would wait for its writer. A folder opens
// for reading here but not on Windows, where it is "access denied"; a device or a pipe is
// refused the same way rather than read.
int OpenRegularFile(std::u16string_view path, struct stat* status) {
  NativeName native;
  if (!native.Set(path)) return -1;
  FileDescriptor file(::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) {
    FailToOpen(native.c_str());
    return -1;
  }
  if (StatusOf(file.get(), status) != 0) {
    FailWithErrno();
    return -1;
  }
  if (!S_ISREG(status->st_mode)) {
    SetLastErrorCode(kErrorAccessDenied);
    return -1;
  }
  return file.take();
}

// Appends what is left of the file to `data`; fails with kErrorFileTooLarge when that would
// take `data` past `limit` bytes.
template <typename Bytes>
bool ReadToEnd(int file, uint64_t limit, Bytes* data) {
  uint8_t chunk[65536];
  for (;;) {
    const ssize_t count = ::read(file, chunk, sizeof chunk);
    if (count < 0) {
      if (errno == EINTR) continue;
      return FailWithErrno();
    }
    if (count == 0) return true;
    if (static_cast<uint64_t>(count) > limit - data->size()) {
      SetLastErrorCode(kErrorFileTooLarge);
      return false;
    }
    data->insert(data->end(), chunk, chunk + count);
  }
}

class DescriptorFile final : public ReadableFile {
 public:
  explicit DescriptorFile(int descriptor) : file_(descriptor) {}

  int64_t Read(void* buffer, size_t size) override {
    if (buffer == nullptr && size != 0) {
      SetLastErrorCode(kErrorInvalidParameter);
      return -1;
    }
    for (;;) {
      const ssize_t count = ::read(file_.get(), buffer, std::min(size, kLargestTransfer));
      if (count >= 0) return count;
      if (errno != EINTR) {
        FailWithErrno();
        return -1;
      }
    }
  }

 private:
  FileDescriptor file_;
};

}  // namespace

bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>* contents) {
  if (contents == nullptr) {
    SetLastErrorCode(kErrorInvalidParameter);
    return false;
  }
  std::string native;
  if (!NativePath(path, &native)) return false;
  FileDescriptor file(::open(native.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return FailToOpen(native);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return FailWithErrno();
  if (S_ISDIR(status.st_mode)) {
    SetLastErrorCode(kErrorAccessDenied);
    return false;
  }
  std::vector<uint8_t> data;
  data.reserve(status.st_size > 0 ? static_cast<size_t>(status.st_size) : 0);
  if (!ReadToEnd(file.get(), std::numeric_limits<uint64_t>::max(), &data)) return false;
  *contents = std::move(data);
  return true;
}

bool ReadRegularFile(std::u16string_view path, uint64_t limit, FileBytes* contents) {
  if (contents == nullptr) {
    SetLastErrorCode(kErrorInvalidParameter);
    return false;
  }
  struct stat status {};
  FileDescriptor file(OpenRegularFile(path, &status));
  if (file.get() < 0) return false;
  const auto size = static_cast<uint64_t>(status.st_size);
  if (size > limit || size > std::numeric_limits<size_t>::max()) {
    SetLastErrorCode(kErrorFileTooLarge);
    return false;
  }
  // Straight into a buffer of the size the file has now, left unzeroed since the read
  // fills it; a file cut short meanwhile ends the read early.
  FileBytes data(static_cast<size_t>(size));
  size_t filled = 0;
  while (filled < data.size()) {
    const ssize_t count =
        ::read(file.get(), data.data() + filled, std::min(data.size() - filled, kLargestTransfer));
    if (count < 0) {
      if (errno == EINTR) continue;
      return FailWithErrno();
    }
    if (count == 0) break;
    filled += static_cast<size_t>(count);
  }
  data.resize(filled);
  // The load takes the file as it was when opened: once the size found then has been
  // read, nothing more is asked for, which spares a read that would only find the end.
  // A file that claimed no bytes (some system files do, and give more) is read to its end,
  // but not past the limit.
  if (size == 0 && !ReadToEnd(file.get(), limit, &data)) return false;
  *contents = std::move(data);
  return true;
}

bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& contents) {
  std::string native;
  if (!NativePath(path, &native)) return false;
  FileDescriptor file(::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.get() < 0) return FailToOpen(native);
  size_t written = 0;
  while (written < contents.size()) {
    const ssize_t count = ::write(file.get(), contents.data() + written, contents.size() - written);
    if (count < 0) {
      if (errno == EINTR) continue;
      return FailWithErrno();
    }
    written += static_cast<size_t>(count);
  }
  if (file.release() != 0) return FailWithErrno();
  return true;
}

bool GetFileIdentity(const std::u16string& path, FileIdentity* identity) {
  if (identity == nullptr) {
    SetLastErrorCode(kErrorInvalidParameter);
    return false;
  }
  std::string native;
  if (!NativePath(path, &native)) return false;
  struct stat status {};
  if (::stat(native.c_str(), &status) != 0) return FailToOpen(native);
  // A folder is not a file, as when it is opened for reading.
  if (S_ISDIR(status.st_mode)) {
    SetLastErrorCode(kErrorAccessDenied);
    return false;
  }
  identity->volume = static_cast<uint64_t>(status.st_dev);
  identity->fileId = static_cast<uint64_t>(status.st_ino);
  identity->size = static_cast<uint64_t>(status.st_size);
  identity->lastWriteTime =
      static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
  return true;
}

std::unique_ptr<ReadableFile> OpenForSharedReading(const std::u16string& path) {
  struct stat status {};
  const int descriptor = OpenRegularFile(path, &status);
  if (descriptor < 0) return nullptr;
  return std::make_unique<DescriptorFile>(descriptor);
}

bool IsRegularFile(const std::u16string& path) {
  std::string native;
  if (!NativePath(path, &native)) return false;
  struct stat status {};
  return ::stat(native.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace kx::platform
