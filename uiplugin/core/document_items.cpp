#include "document_items.h"

namespace kx::ui {

// The host's items are left as the host made them: the plug-in changes none yet.
host::HRESULT BuildDocumentItems(host::OEMCUIPPARAM*) { return host::S_OK; }

}  // namespace kx::ui
