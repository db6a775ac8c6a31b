// The download manager: the vendor's own program that puts overlay files on the printer's
// disk. Its installer registers the folder it lives in among the system's application
// paths; on systems without them the same key of the product's store names the folder.
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/process.h"
#include "platform/registry.h"
#include "platform/win32_errors.h"
#include "watermarks/watermark_store.h"

namespace kx::ui {
namespace {

constexpr char16_t kProgramName[] = u"VXDownMgr.exe";
constexpr char16_t kRegistrationKey[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\VXDownMgr.exe";
constexpr char16_t kFolderValue[] = u"Path";
// The longest folder read, in bytes with the terminator (520 UTF-16 units).
constexpr uint32_t kMaxFolderBytes = 1040;

// The registered folder; none when it is not registered (or not as text, or too long to
// be a folder).
std::optional<std::u16string> RegisteredFolder() {
  std::unique_ptr<platform::RegistryKey> key;
  if (platform::OpenRegistryKey(platform::Hive::kLocalMachine, kRegistrationKey, &key) !=
      platform::kErrorSuccess) {
    return std::nullopt;
  }
  uint8_t bytes[kMaxFolderBytes];
  uint32_t size = sizeof(bytes);
  uint32_t type = 0;
  if (key->QueryValue(kFolderValue, &type, bytes, &size) != platform::kErrorSuccess ||
      type != platform::kRegSz) {
    return std::nullopt;
  }
  std::u16string folder(size / sizeof(char16_t), u'\0');
  std::memcpy(folder.data(), bytes, folder.size() * sizeof(char16_t));
  folder.resize(std::u16string_view(folder.c_str()).size());  // up to the terminator
  if (folder.empty()) return std::nullopt;
  return folder;
}

// The program in the folder, joined with the separator the folder's path itself uses
// ('\' on Windows, '/' on POSIX systems), so the registered path reads as the system
// writes it.
std::u16string ProgramIn(const std::u16string& folder) {
  const size_t last = folder.find_last_of(u"\\/");
  const char16_t separator = last == std::u16string::npos ? u'\\' : folder[last];
  std::u16string program = folder;
  if (program.back() != separator) program.push_back(separator);
  return program + kProgramName;
}

}  // namespace

bool StartDownloadManager(std::u16string_view argument) {
  const std::optional<std::u16string> folder = RegisteredFolder();
  if (!folder) return false;
  return platform::StartProgram(ProgramIn(*folder), {std::u16string(argument)});
}

}  // namespace kx::ui
