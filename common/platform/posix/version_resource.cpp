// A module's version values on ELF systems: the lines of its KX_VERSION_SECTION section,
// found through the file's section headers.
#include "platform/version_resource.h"

#include <dlfcn.h>
#include <elf.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/last_error.h"
#include "platform/text.h"
#include "platform/win32_errors.h"

namespace kx::platform {
namespace {

constexpr std::u16string_view kTranslationPath = u"\\VarFileInfo\\Translation";

template <typename Record>
bool ReadRecord(const std::vector<uint8_t>& file, uint64_t offset, Record* record) {
  if (offset > file.size() || file.size() - offset < sizeof(Record)) return false;
  std::memcpy(record, file.data() + offset, sizeof(Record));
  return true;
}

// The bytes of the named section of a 64-bit little-endian ELF file; false when the file
// is no such file or has no such section.
bool FindSection(const std::vector<uint8_t>& file, std::string_view name,
                 std::string_view* contents) {
  Elf64_Ehdr header;
  if (!ReadRecord(file, 0, &header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
      header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_shentsize != sizeof(Elf64_Shdr)) {
    return false;
  }
  Elf64_Shdr names;
  if (!ReadRecord(file, header.e_shoff + uint64_t{header.e_shstrndx} * sizeof(Elf64_Shdr),
                  &names)) {
    return false;
  }
  for (uint16_t index = 0; index < header.e_shnum; ++index) {
    Elf64_Shdr section;
    if (!ReadRecord(file, header.e_shoff + uint64_t{index} * sizeof(Elf64_Shdr), &section)) {
      return false;
    }
    const uint64_t nameOffset = uint64_t{names.sh_offset} + section.sh_name;
    if (nameOffset >= file.size()) continue;
    const char* sectionName = reinterpret_cast<const char*>(file.data() + nameOffset);
    const size_t room = file.size() - nameOffset;
    if (std::string_view(sectionName, strnlen(sectionName, room)) != name) continue;
    if (section.sh_offset > file.size() || file.size() - section.sh_offset < section.sh_size) {
      return false;
    }
    *contents = std::string_view(reinterpret_cast<const char*>(file.data() + section.sh_offset),
                                 section.sh_size);
    return true;
  }
  return false;
}

class SectionVersionResource final : public VersionResource {
 public:
  explicit SectionVersionResource(std::string_view text) {
    while (!text.empty()) {
      const size_t end = text.find('\n');
      const std::string_view line = text.substr(0, end);
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
      const size_t equals = line.find('=');
      if (equals == std::string_view::npos) continue;
      values_.emplace(Utf8ToUtf16(line.substr(0, equals)), Utf8ToUtf16(line.substr(equals + 1)));
    }
  }

  bool FirstTranslation(uint16_t* language, uint16_t* codePage) const override {
    const auto found = values_.find(std::u16string(kTranslationPath));
    if (found == values_.end()) return false;
    const std::string text = Utf16ToUtf8(found->second);
    unsigned long parsedLanguage = 0, parsedCodePage = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%lx,%lx%c", &parsedLanguage, &parsedCodePage, &tail) != 2 ||
        parsedLanguage > 0xFFFF || parsedCodePage > 0xFFFF) {
      return false;
    }
    *language = static_cast<uint16_t>(parsedLanguage);
    *codePage = static_cast<uint16_t>(parsedCodePage);
    return true;
  }

  bool QueryString(const std::u16string& subBlock, std::u16string* value) const override {
    const auto found = values_.find(subBlock);
    if (found == values_.end()) return false;
    *value = found->second;
    return true;
  }

 private:
  std::map<std::u16string, std::u16string> values_;
};

}  // namespace

std::unique_ptr<VersionResource> VersionResource::Read(const std::u16string& modulePath) {
  std::vector<uint8_t> file;
  if (!ReadWholeFile(modulePath, &file)) return nullptr;
  std::string_view section;
  if (!FindSection(file, KX_VERSION_SECTION, &section)) {
    SetLastErrorCode(kErrorResourceTypeNotFound);
    return nullptr;
  }
  return std::make_unique<SectionVersionResource>(section);
}

std::u16string ModulePathOf(const void* address) {
  Dl_info info{};
  if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  return Utf8ToUtf16(info.dli_fname);
}

}  // namespace kx::platform
