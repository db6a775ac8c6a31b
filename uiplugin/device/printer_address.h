// The printer address lookup: the network address of a printer, found from the spooler's
// port configuration in the machine's registry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kx::device {

// Both the port name and the monitors' address values are read into 62 bytes (30
// characters and the terminator); a longer value cannot be read.
inline constexpr uint32_t kLookupValueBytes = 62;

// The port monitors asked, in this order, and the value each keeps the address in. (The
// LPR monitor's "Printer Name" is the queue's name on the printer; its host is the
// "Server Name".)
struct PortMonitor {
  const char16_t* name;
  const char16_t* addressValue;
};
inline constexpr PortMonitor kPortMonitors[] = {
    {u"Standard TCP/IP Port", u"IPAddress"},
    {u"ZELT Port", u"IPAddress"},
    {u"Marrow Port", u"IPAddress"},
    {u"LPR Port", u"Server Name"},
};

// The address kept for the printer's port by the first monitor that has a non-empty one;
// else the port name itself when it is an address (PortNameIsAddress); an empty text when
// the port is not an address or the printer's port cannot be read.
std::u16string LookUpPrinterAddress(const std::u16string& printerName);

// Whether a port name is an address the printer answers at: an IPv4 address or a host
// name (labels of letters, digits and '-' joined by '.'), optionally followed by ":port".
// The spooler's local ports are not, so their names are never asked of a resolver: names
// ending in ':' (LPT1:, FILE:, nul:, PORTPROMPT:, ...), the device ports named by their
// kind and number (USB001, COM3, TS001) and the WSD ports.
bool PortNameIsAddress(std::u16string_view portName);

}  // namespace kx::device
