// Where the plug-in keeps its per-user stores (watermark library, colour sets, profiles,
// saved settings): keys of the user's registry under the vendor's key, one per printer.
#pragma once

#include <string>
#include <string_view>

namespace kx::ui {

// "Software\<company>\<printer>\<store>". A printer connected from a print server is named
// "\\server\printer"; its backslashes become commas in the key name, as the system names
// printer connections in the user's registry, so the name stays one key. Names without
// backslashes are used as they are.
std::u16string PrinterStorePath(std::u16string_view printerName, std::u16string_view store);

}  // namespace kx::ui
