#include "filter_process.h"

namespace kx::test {

std::vector<std::string> CupsFilterEnvironment(const std::string& ppd, const std::string& printer,
                                               const std::string& store) {
  std::vector<std::string> environment = {
      "PRINTER=" + printer,
      "PRINTER_INFO=" + printer,
      "PRINTER_LOCATION=",
      "CONTENT_TYPE=application/postscript",
      "FINAL_CONTENT_TYPE=application/vnd.vestral-kx48t7",
      "DEVICE_URI=file:///dev/null",
      "CHARSET=utf-8",
      "LANG=C",
      "PATH=/usr/lib/cups/filter:/usr/bin:/bin",
      "TMPDIR=" + store,
      "HOME=" + store,
      "KX48T7_STORE=" + store,
  };
  if (!ppd.empty()) environment.push_back("PPD=" + ppd);
  return environment;
}

}  // namespace kx::test
