#include "document_items.h"

namespace kx::ui {

host::HRESULT BuildDocumentItems(host::OEMCUIPPARAM*, PageSetContext*) { return host::S_OK; }
host::LONG KX_STDCALL DocumentItemsCallback(host::CPSUICBPARAM*, host::OEMCUIPPARAM*) { return 0; }
void ResynchroniseHostItems(const PageSetContext&) {}
uint32_t OptionIndex(const ppd::PpdImage*, settings::NameTable, std::string_view, uint32_t) { return 0; }
void SetHostItem(const ppd::PpdImage*, std::string_view, const host::OEMCUIPPARAM&,
                 host::IPrintOemDriverUI*, host::OPTITEM*, settings::NameTable, uint32_t) {}

}  // namespace kx::ui
