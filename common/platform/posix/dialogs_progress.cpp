// Progress bars: a range and a position inside it.
#include <algorithm>

#include "dialogs_internal.h"

namespace kx::platform::detail {
namespace {

struct ProgressState : ControlState {
  int minimum = 0;
  int maximum = 100;
  int position = 0;
};

ProgressState& StateOf(HWND window) { return static_cast<ProgressState&>(*window->state); }

}  // namespace

std::unique_ptr<ControlState> MakeProgressState() { return std::make_unique<ProgressState>(); }

LRESULT ProgressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ProgressState& state = StateOf(window);
  switch (message) {
    case host::PBM_SETRANGE: {
      const LRESULT previous = host::MakeLParam(static_cast<host::WORD>(state.minimum),
                                                static_cast<host::WORD>(state.maximum));
      state.minimum = host::LoWord(static_cast<uintptr_t>(lParam));
      state.maximum = host::HiWord(static_cast<uintptr_t>(lParam));
      state.position = std::clamp(state.position, state.minimum, std::max(state.minimum, state.maximum));
      return previous;
    }
    case host::PBM_SETPOS: {
      const int previous = state.position;
      state.position = std::clamp(static_cast<int>(static_cast<int32_t>(wParam)), state.minimum,
                                  std::max(state.minimum, state.maximum));
      return previous;
    }
    case host::PBM_GETPOS:
      return state.position;
    default:
      return DefaultProcedure(window, message, wParam, lParam);
  }
}

}  // namespace kx::platform::detail
