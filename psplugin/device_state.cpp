#include "device_state.h"

namespace kx::ps {
namespace {

host::PFN FindHostFunction(const host::DRVENABLEDATA* hostTable, host::ULONG index) {
  if (hostTable == nullptr || hostTable->pdrvfn == nullptr) return nullptr;
  for (host::ULONG i = 0; i < hostTable->c; ++i) {
    if (hostTable->pdrvfn[i].iFunc == index) return hostTable->pdrvfn[i].pfn;
  }
  return nullptr;
}

}  // namespace

DeviceState* StateOf(const host::DEVOBJ* devobj) {
  return devobj == nullptr ? nullptr : static_cast<DeviceState*>(devobj->pdevOEM);
}

void TakeHostFunctions(const host::DRVENABLEDATA* hostTable, DeviceState* state) {
  for (size_t row = 0; row < kHookCount; ++row) {
    state->hostFunctions[row] = FindHostFunction(hostTable, kHookedIndexes[row]);
  }
}

}  // namespace kx::ps
