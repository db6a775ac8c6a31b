#include "hook_table.h"

#include "device_state.h"
#include "host/call_barrier.h"
#include "settings/record.h"
#include "settings/record_text.h"

namespace kx::ps {

using namespace host;

const std::array<ULONG, kHookCount> kHookedIndexes = {
    INDEX_DrvRealizeBrush,      INDEX_DrvCopyBits,        INDEX_DrvBitBlt,
    INDEX_DrvStretchBlt,        INDEX_DrvStretchBltROP,   INDEX_DrvPlgBlt,
    INDEX_DrvTransparentBlt,    INDEX_DrvAlphaBlend,      INDEX_DrvGradientFill,
    INDEX_DrvTextOut,           INDEX_DrvStrokePath,      INDEX_DrvFillPath,
    INDEX_DrvStrokeAndFillPath, INDEX_DrvStartPage,       INDEX_DrvSendPage,
    INDEX_DrvEscape,            INDEX_DrvStartDoc,        INDEX_DrvEndDoc,
    INDEX_DrvQueryFont,         INDEX_DrvQueryFontTree,   INDEX_DrvQueryFontData,
    INDEX_DrvQueryAdvanceWidths, INDEX_DrvFontManagement, INDEX_DrvGetGlyphMode,
    INDEX_DrvIcmCreateColorTransform, INDEX_DrvIcmDeleteColorTransform,
    INDEX_DrvQueryDeviceSupport,
};

namespace {

// Records the document name as the job's name, then lets the host start the document.
BOOL StartDoc(SURFOBJ* surface, PWSTR documentName, DWORD jobId) {
  auto* devobj = surface != nullptr ? static_cast<DEVOBJ*>(surface->dhpdev) : nullptr;
  if (devobj == nullptr) return 0;
  auto* record = static_cast<settings::PrivateRecord*>(devobj->pOEMDM);
  if (documentName != nullptr && record != nullptr) {
    settings::StoreText(record->jobName,
                        settings::FieldText(documentName, std::size(record->jobName)));
  }
  DeviceState* state = StateOf(devobj);
  if (state == nullptr || state->hostFunctions[kStartDocSlot] == nullptr) return 1;
  auto hostStartDoc = reinterpret_cast<DrvStartDocFn>(state->hostFunctions[kStartDocSlot]);
  return hostStartDoc(surface, documentName, jobId);
}

BOOL KX_STDCALL StartDocHook(SURFOBJ* surface, PWSTR documentName, DWORD jobId) {
  return ValueBarrier<BOOL>([&] { return StartDoc(surface, documentName, jobId); }, 0);
}

std::array<DRVFN, kHookCount> MakeHookTable() {
  std::array<DRVFN, kHookCount> table{};
  for (size_t row = 0; row < kHookCount; ++row) table[row].iFunc = kHookedIndexes[row];
  table[kStartDocSlot].pfn = reinterpret_cast<PFN>(&StartDocHook);
  return table;
}

}  // namespace

DRVFN* HookTable() {
  // The host keeps the pointer for the life of the driver, so the table is module-wide.
  static std::array<DRVFN, kHookCount> table = MakeHookTable();
  return table.data();
}

}  // namespace kx::ps
