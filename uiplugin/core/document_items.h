// The plug-in's part in the host's document-settings items (CommonUIProp, document mode).
// The host builds one item per PPD feature; the features that the plug-in's own pages and
// the private settings record handle are hidden there, and the two are kept in step when
// the user leaves or applies the host's page.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/oemui.h"
#include "page_set.h"
#include "ppd/ppd.h"
#include "settings/name_tables.h"

namespace kx::ui {

// Hides the host's items that the plug-in's pages replace, takes the tray-switch value the
// printer keeps and the error-handler setting of the record, sets the host colour model
// from the record, and installs DocumentItemsCallback. `context` (the document sheet's)
// becomes the parameter block's pOEMUserData, where the callback finds the driver
// interface. Returns S_OK.
host::HRESULT BuildDocumentItems(host::OEMCUIPPARAM* param, PageSetContext* context);

// The host's callback for its document page: APPLYNOW takes the banner and
// continue-on-error items into the record; KILLACTIVE takes n-up and colour, writes the
// tray-switch value and sets the colour items from the record.
host::LONG KX_STDCALL DocumentItemsCallback(host::CPSUICBPARAM* callback,
                                            host::OEMCUIPPARAM* param);

// Sets the host's colour, print-quality and quality-mode items from the host colour model
// and the record's quality mode (after the features page or the driver reset changed
// them).
void ResynchroniseHostItems(const PageSetContext& context);

// The position in the feature's option list (for Resolution the PPD's resolution feature
// first) of the first option whose keyword begins with the table's name of `value`; 0
// when the value has no name or no option matches.
uint32_t OptionIndex(const ppd::PpdImage* ppd, settings::NameTable table,
                     std::string_view keyword, uint32_t value);

// Selects the choice of `item` that shows the option of `keyword` named by `value` in
// `table`, and tells the host when that changed the selection. A value, option or choice
// that cannot be found changes nothing.
void SetHostItem(const ppd::PpdImage* ppd, std::string_view keyword,
                 const host::OEMCUIPPARAM& param, host::IPrintOemDriverUI* driver,
                 host::OPTITEM* item, settings::NameTable table, uint32_t value);

}  // namespace kx::ui
