// The plug-in's part in the host's document-settings items (CommonUIProp, document mode).
#pragma once

#include "host/oemui.h"

namespace kx::ui {

host::HRESULT BuildDocumentItems(host::OEMCUIPPARAM* param);

}  // namespace kx::ui
