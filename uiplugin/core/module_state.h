// The module-wide state of the UI plug-in, kept in one object: the counts that decide
// whether the module may be unloaded, the module's own path, the help pages' folder and
// the buffer of the message conversion.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "host/class_factory.h"

namespace kx::ui {

// The message conversion's buffer, in wide characters, terminator included.
inline constexpr size_t kMessageBufferSize = 520;

// The colour model the host's own colour item stands for, in the values of the record's
// colour mode; the document items set it and the features page reads it. kUnknown until
// the host's items were first seen.
enum class HostColourModel : uint8_t { kUnknown = 0, kGrayscale = 1, kColour = 2 };

class ModuleState {
 public:
  host::ServerCounts counts;
  // Set from the record's colour mode when the document items are built, from the host's
  // colour item when the user leaves the host's page (UI thread only).
  HostColourModel hostColourModel = HostColourModel::kUnknown;
  // Written by the message conversion, read by its caller at once (UI thread only).
  std::array<char16_t, kMessageBufferSize> messageText{};

  // Learns the module's path and the help pages' folder, once.
  ModuleState();
  ModuleState(const ModuleState&) = delete;
  ModuleState& operator=(const ModuleState&) = delete;

  // The path of the module this code is linked into; empty when it cannot be found.
  const std::u16string& ModulePath() const { return modulePath_; }
  const std::u16string& HelpRoot() const { return helpRoot_; }

 private:
  std::u16string modulePath_;
  std::u16string helpRoot_;
};

ModuleState& Module();

}  // namespace kx::ui
