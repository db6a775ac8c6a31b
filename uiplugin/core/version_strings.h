// The strings of the plug-in's own version resource (product name, description, version,
// rights notice, company), looked up under the resource's first translation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/version_resource.h"

namespace kx::ui {

// The string-table name of a translation: language × 65536 + code page as 8 lower-case
// hexadecimal digits (0x0409/1200 → "040904b0").
std::u16string TranslationKey(uint16_t language, uint16_t codePage);

// The string `name` ("ProductVersion", ...) of the resource's first translation.
bool ReadVersionString(const platform::VersionResource& resource, const std::u16string& name,
                       std::u16string* value);

// The version resource of the module this code is linked into; null when it has none.
std::unique_ptr<platform::VersionResource> ReadModuleVersion();

}  // namespace kx::ui
