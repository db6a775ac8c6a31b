#include "user_store.h"

#include <algorithm>

#include "platform/text.h"

namespace kx::ui {

std::u16string PrinterStorePath(std::u16string_view printerName, std::u16string_view store) {
  std::u16string printer(printerName);
  std::replace(printer.begin(), printer.end(), u'\\', u',');
  return u"Software\\" + platform::Utf8ToUtf16(KX_COMPANY_NAME) + u"\\" + printer + u"\\" +
         std::u16string(store);
}

}  // namespace kx::ui
