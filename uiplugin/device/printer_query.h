// What the device pages ask the printer over SNMP: the scalar rows and, when they were
// answered, the marker supplies. The pages ask through one replaceable query, so that a
// host without a network (the picture program) can give them a prepared answer.
#pragma once

#include <string_view>

#include "device/snmp_status.h"

namespace kx::device {

struct PrinterAnswer {
  // kStatusAnswered, kStatusNoAddress, or the error code of the failing call.
  uint32_t status = kStatusChecking;
  ScalarQueryTable scalars = PrinterScalarQueryTable();
  SupplyRecords supplies{};
  int supplyCount = 0;  // the supply walk's result; 0 unless the scalars were answered
};

// The community name and address as the installed-options block holds them (UTF-16).
using PrinterQuery = PrinterAnswer (*)(std::u16string_view community,
                                       std::u16string_view address);

// Asks with the query in place: by default the scalar query and, when it is answered, the
// supply walk of SnmpStatusClient. An empty address gives kStatusNoAddress without asking.
PrinterAnswer AskPrinter(std::u16string_view community, std::u16string_view address);

// Replaces the query (null puts SNMP back). For hosts without a network and for pictures.
void SetPrinterQuery(PrinterQuery query);

}  // namespace kx::device
