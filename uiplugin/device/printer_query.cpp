#include "device/printer_query.h"

namespace kx::device {
namespace {

PrinterAnswer AskOverSnmp(std::u16string_view community, std::u16string_view address) {
  PrinterAnswer answer;
  SnmpStatusClient client;
  const std::string communityText = SnmpText(community);
  const std::string addressText = SnmpText(address);
  answer.status = client.QueryScalars(communityText, addressText, answer.scalars);
  if (answer.status == kStatusAnswered) {
    answer.supplyCount =
        client.WalkSupplies(communityText, addressText, kSupplyColumns, &answer.supplies);
  }
  return answer;
}

PrinterQuery currentQuery = nullptr;

}  // namespace

PrinterAnswer AskPrinter(std::u16string_view community, std::u16string_view address) {
  if (address.empty()) {
    PrinterAnswer answer;
    answer.status = kStatusNoAddress;
    return answer;
  }
  return (currentQuery != nullptr ? currentQuery : AskOverSnmp)(community, address);
}

void SetPrinterQuery(PrinterQuery query) { currentQuery = query; }

}  // namespace kx::device
