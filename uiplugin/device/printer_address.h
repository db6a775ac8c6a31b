// The printer address lookup: the network address of a printer, found from the spooler's
// port configuration in the machine's registry.
#pragma once

#include <cstdint>
#include <string>

namespace kx::device {

// Both the port name and the monitors' address values are read into 62 bytes (30
// characters and the terminator); a longer value cannot be read.
inline constexpr uint32_t kLookupValueBytes = 62;

// The port monitors asked, in this order, and the value each keeps the address in.
struct PortMonitor {
  const char16_t* name;
  const char16_t* addressValue;
};
inline constexpr PortMonitor kPortMonitors[] = {
    {u"Standard TCP/IP Port", u"IPAddress"},
    {u"ZELT Port", u"IPAddress"},
    {u"Marrow Port", u"IPAddress"},
    {u"LPR Port", u"Printer Name"},
};

// The address kept for the printer's port by the first monitor that has a non-empty one;
// else the port name itself (a port named by the printer's address works as it is); an
// empty text when the printer's port cannot be read.
std::u16string LookUpPrinterAddress(const std::u16string& printerName);

}  // namespace kx::device
