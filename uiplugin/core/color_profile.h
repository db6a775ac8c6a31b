// The device colour profile the plug-in names for the host (QueryColorProfile).
#pragma once

#include "host/oemui.h"

namespace kx::ui {

// The size reported for the name, larger than the name itself (30 bytes).
inline constexpr host::ULONG kProfileNameSize = 32;
inline constexpr char16_t kProfileName[] = u"OEMPROFILE.icm";

host::HRESULT AnswerColorProfileQuery(host::ULONG queryMode, host::PVOID buffer,
                                      host::ULONG* size, host::FLONG* flags);

}  // namespace kx::ui
