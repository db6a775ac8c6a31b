// The SNMP manager: version 1 requests to one agent over UDP, with the meaning (arguments,
// results, value types, error codes in the last error) of the system's SNMP manager
// library calls SnmpMgrOpen, SnmpMgrStrToOid, SnmpMgrRequest and SnmpMgrClose.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kx::platform {

// The one request type the plug-ins send.
inline constexpr uint8_t kSnmpPduGet = 0xA0;

// Value types, the ASN.1 tags of the answer's encoding.
inline constexpr uint8_t kAsnInteger = 0x02;
inline constexpr uint8_t kAsnBits = 0x03;
inline constexpr uint8_t kAsnOctetString = 0x04;
inline constexpr uint8_t kAsnNull = 0x05;
inline constexpr uint8_t kAsnObjectIdentifier = 0x06;
inline constexpr uint8_t kAsnSequence = 0x30;
inline constexpr uint8_t kAsnIpAddress = 0x40;
inline constexpr uint8_t kAsnCounter32 = 0x41;
inline constexpr uint8_t kAsnGauge32 = 0x42;
inline constexpr uint8_t kAsnTimeTicks = 0x43;
inline constexpr uint8_t kAsnOpaque = 0x44;
inline constexpr uint8_t kAsnCounter64 = 0x46;

// Error status of an answered request.
inline constexpr int32_t kSnmpErrorNoError = 0;
inline constexpr int32_t kSnmpErrorTooBig = 1;
inline constexpr int32_t kSnmpErrorNoSuchName = 2;
inline constexpr int32_t kSnmpErrorGeneral = 5;

// The manager's own failures, in the last error.
inline constexpr uint32_t kSnmpMgmtApiTimeout = 40;         // no answer after the retries
inline constexpr uint32_t kSnmpMgmtApiSelectFdErrors = 41;  // the socket failed
inline constexpr uint32_t kSnmpMgmtApiInvalidSession = 47;
inline constexpr uint32_t kSnmpMgmtApiInvalidBuffer = 48;   // a request that cannot be sent

// What every session of the plug-ins uses.
inline constexpr int kSnmpTimeoutMilliseconds = 1000;
inline constexpr int kSnmpRetries = 1;

// At most this many numbers in an object id (as the SNMP libraries limit them).
inline constexpr size_t kMaxObjectIdLength = 128;

using SnmpObjectId = std::vector<uint32_t>;

// One value as the agent answered it.
struct SnmpValue {
  uint8_t type = kAsnNull;
  // INTEGER (signed, as decoded), Counter32, Gauge32 and TimeTicks (0 to 2^32 - 1);
  // Counter64 (the full value, as unsigned).
  int64_t integer = 0;
  // OCTET STRING, BITS, IpAddress, Opaque and any other string-like type: the bytes.
  std::vector<uint8_t> bytes;
  SnmpObjectId objectId;  // OBJECT IDENTIFIER
};

struct SnmpVarBind {
  SnmpObjectId name;
  SnmpValue value;
};

// An open session with one agent; closes itself.
class SnmpSession {
 public:
  virtual ~SnmpSession() = default;

  // Sends one request of `pduType` (kSnmpPduGet) for the bindings and waits for its
  // answer, each try at most the session's time-out, retried the session's number of
  // times. On an answer `*bindings` becomes the answer's bindings and the error status
  // and index are the answer's (a request the agent refused, such as a name it does not
  // know, is an answer). False with the last error set when no answer came
  // (kSnmpMgmtApiTimeout) or the request could not be sent.
  virtual bool Request(uint8_t pduType, std::vector<SnmpVarBind>* bindings, int32_t* errorStatus,
                       int32_t* errorIndex) = 0;
};

// `agentAddress` is a host name or IPv4 address, optionally followed by ":port" (161
// otherwise); the requests go over UDP. A host name is resolved first, waited for at most
// as long as the requests' tries together (timeout x (retries + 1)). Null with the last
// error set when the address cannot be resolved or the socket cannot be opened, and
// kSnmpMgmtApiTimeout when the resolver did not answer in that time.
std::unique_ptr<SnmpSession> OpenSnmpSession(const std::string& agentAddress,
                                             const std::string& community,
                                             int timeoutMilliseconds, int retries);

// Dotted numbers to an object id. A text that begins with a dot is complete; any other
// is relative to mib-2 (1.3.6.1.2.1). False with the last error set (87) for anything
// else: empty numbers, numbers above 2^32 - 1, more than kMaxObjectIdLength numbers, and
// names (on POSIX systems no MIB files are loaded; the Win32 library knows the names of
// its own MIB files).
bool SnmpTextToObjectId(const std::string& text, SnmpObjectId* objectId);

}  // namespace kx::platform
