// A module's version resource through the system's version calls.
#include "platform/version_resource.h"

#include <vector>

#include "windows_support.h"

#include <winver.h>

namespace kx::platform {
namespace {

class FileVersionResource final : public VersionResource {
 public:
  explicit FileVersionResource(std::vector<uint8_t> block) : block_(std::move(block)) {}

  bool FirstTranslation(uint16_t* language, uint16_t* codePage) const override {
    void* value = nullptr;
    UINT size = 0;
    if (!::VerQueryValueW(block_.data(), L"\\VarFileInfo\\Translation", &value, &size) ||
        size < 2 * sizeof(WORD)) {
      return false;
    }
    const auto* pair = static_cast<const WORD*>(value);
    *language = pair[0];
    *codePage = pair[1];
    return true;
  }

  bool QueryString(const std::u16string& subBlock, std::u16string* text) const override {
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block_.data(), win32::Wide(subBlock), &value, &length) ||
        value == nullptr) {
      return false;
    }
    // The length counts characters and may include the terminator.
    std::u16string found(static_cast<const char16_t*>(value), length);
    while (!found.empty() && found.back() == u'\0') found.pop_back();
    *text = std::move(found);
    return true;
  }

 private:
  std::vector<uint8_t> block_;
};

}  // namespace

std::unique_ptr<VersionResource> VersionResource::Read(const std::u16string& modulePath) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(win32::Wide(modulePath), &ignored);
  if (size == 0) return nullptr;
  std::vector<uint8_t> block(size);
  if (!::GetFileVersionInfoW(win32::Wide(modulePath), 0, size, block.data())) return nullptr;
  return std::make_unique<FileVersionResource>(std::move(block));
}

std::u16string ModulePathOf(const void* address) {
  HMODULE module = nullptr;
  if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module)) {
    return {};
  }
  wchar_t path[MAX_PATH + 1];
  const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(path), length);
}

}  // namespace kx::platform
