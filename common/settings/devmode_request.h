// The answer both plug-ins give to the host's device-mode requests (size, defaults,
// convert, merge).
#pragma once

#include "host/oemcore.h"

namespace kx::settings {

host::HRESULT AnswerDevModeRequest(host::DWORD mode, host::OEMDMPARAM* param);

}  // namespace kx::settings
