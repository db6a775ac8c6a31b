// The UI plug-in's answer to the host's information requests (signature, version).
#pragma once

#include "host/oemcore.h"

namespace kx::ui {

host::HRESULT AnswerGetInfo(host::DWORD mode, host::PVOID buffer, host::DWORD size,
                            host::PDWORD needed);

}  // namespace kx::ui
