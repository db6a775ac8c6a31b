// The barrier every exported function, interface slot and dialog procedure runs its body
// behind: nothing may unwind into the host, which is C code or another compiler's C++.
// An allocation failure becomes E_OUTOFMEMORY, any other exception E_FAIL (or the slot's
// own failure value), and a dialog procedure answers "not handled".
#pragma once

#include <new>
#include <type_traits>
#include <utility>

#include "host/com.h"

namespace kx::host {

// Runs `body` (returning an HRESULT); exceptions become `onOutOfMemory` / `onFailure`.
template <class F>
HRESULT CallBarrier(F&& body, HRESULT onOutOfMemory = E_OUTOFMEMORY,
                    HRESULT onFailure = E_FAIL) noexcept {
  try {
    return std::forward<F>(body)();
  } catch (const std::bad_alloc&) {
    return onOutOfMemory;
  } catch (...) {
    return onFailure;
  }
}

// Runs `body` returning any value; an exception gives `onFailure` instead (reference
// counts answer 0, dialog procedures "not handled").
template <class R, class F>
R ValueBarrier(F&& body, R onFailure) noexcept {
  try {
    return static_cast<R>(std::forward<F>(body)());
  } catch (...) {
    return onFailure;
  }
}

// For dialog procedures: an exception answers 0, "message not handled".
template <class F>
auto DialogBarrier(F&& body) noexcept -> std::invoke_result_t<F> {
  return ValueBarrier<std::invoke_result_t<F>>(std::forward<F>(body), 0);
}

}  // namespace kx::host
