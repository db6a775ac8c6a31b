#include "module_state.h"

#include "help_path.h"
#include "platform/module.h"
#include "platform/version_resource.h"

namespace kx::ui {

// Any function of this module names it.
ModuleState::ModuleState()
    : modulePath_(platform::ModulePathOf(reinterpret_cast<const void*>(&Module))),
      helpRoot_(HelpRootFor(modulePath_, platform::SystemDirectory())) {}

ModuleState& Module() {
  static ModuleState state;
  return state;
}

}  // namespace kx::ui
