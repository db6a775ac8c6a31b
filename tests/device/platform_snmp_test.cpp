// The platform's SNMP manager service: object ids from dotted text, and GETs against
// snmpd on loopback with the value types a printer answers with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/snmp_agent.h"
#include "platform/last_error.h"
#include "platform/snmp.h"
#include "platform/win32_errors.h"

namespace kx::platform {
namespace {

constexpr uint32_t kSentinel = 0xDEADBEEF;

TEST(SnmpTextToObjectIdTest, DottedNumbers) {
  struct Case {
    std::string text;
    bool ok;
    SnmpObjectId expected;
  };
  std::string longest;
  for (size_t i = 0; i < kMaxObjectIdLength; ++i) longest += ".1";
  const Case cases[] = {
      {".1.3.6.1.2.1.43.11.1.1.6.1.0", true, {1, 3, 6, 1, 2, 1, 43, 11, 1, 1, 6, 1, 0}},
      {"43.5.1", true, {1, 3, 6, 1, 2, 1, 43, 5, 1}},  // relative to mib-2
      {".1.4294967295", true, {1, 4294967295u}},
      {longest, true, SnmpObjectId(kMaxObjectIdLength, 1)},
      {longest + ".1", false, {}},
      {".1.4294967296", false, {}},
      {"", false, {}},
      {".1..3", false, {}},
      {".1.3.", false, {}},
      {".1.-3", false, {}},
      {" .1.3", false, {}},
      {"sysDescr.0", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    SnmpObjectId objectId = {kSentinel};
    SetLastErrorCode(kSentinel);
    EXPECT_EQ(SnmpTextToObjectId(c.text, &objectId), c.ok);
    if (c.ok) {
      EXPECT_EQ(objectId, c.expected);
    } else {
      EXPECT_EQ(objectId, SnmpObjectId{kSentinel});  // untouched on failure
      EXPECT_EQ(GetLastErrorCode(), kErrorInvalidParameter);
    }
  }
}

SnmpObjectId Oid(const std::string& text) {
  SnmpObjectId objectId;
  EXPECT_TRUE(SnmpTextToObjectId(text, &objectId)) << text;
  return objectId;
}

TEST(SnmpSessionTest, ValueTypesAsAnswered) {
  const std::string longText(300, 'x');
  test::SnmpAgent agent({
      {".1.3.6.1.4.1.480.9.1.0", "integer", "-42"},
      {".1.3.6.1.4.1.480.9.2.0", "gauge", "4294967295"},
      {".1.3.6.1.4.1.480.9.3.0", "counter", "7"},
      {".1.3.6.1.4.1.480.9.4.0", "timeticks", "12345"},
      {".1.3.6.1.4.1.480.9.5.0", "string", "Black Toner"},
      {".1.3.6.1.4.1.480.9.6.0", "ipaddress", "10.0.0.5"},
      {".1.3.6.1.4.1.480.9.7.0", "objectid", ".1.3.6.1.4.1.480"},
      {".1.3.6.1.4.1.480.9.8.0", "octet", "00 FF 41"},
      {".1.3.6.1.4.1.480.9.9.0", "string", longText},
  });
  ASSERT_TRUE(agent.running());
  auto session = OpenSnmpSession(agent.address(), "kestra", kSnmpTimeoutMilliseconds, kSnmpRetries);
  ASSERT_NE(session, nullptr);

  struct Case {
    std::string objectId;
    uint8_t type;
    int64_t integer;
    std::vector<uint8_t> bytes;
    SnmpObjectId objectIdValue;
  };
  const Case cases[] = {
      {".1.3.6.1.4.1.480.9.1.0", kAsnInteger, -42, {}, {}},
      {".1.3.6.1.4.1.480.9.2.0", kAsnGauge32, 4294967295, {}, {}},
      {".1.3.6.1.4.1.480.9.3.0", kAsnCounter32, 7, {}, {}},
      {".1.3.6.1.4.1.480.9.4.0", kAsnTimeTicks, 12345, {}, {}},
      {".1.3.6.1.4.1.480.9.5.0", kAsnOctetString, 0,
       {'B', 'l', 'a', 'c', 'k', ' ', 'T', 'o', 'n', 'e', 'r'}, {}},
      {".1.3.6.1.4.1.480.9.6.0", kAsnIpAddress, 0, {10, 0, 0, 5}, {}},
      {".1.3.6.1.4.1.480.9.7.0", kAsnObjectIdentifier, 0, {}, {1, 3, 6, 1, 4, 1, 480}},
      {".1.3.6.1.4.1.480.9.8.0", kAsnOctetString, 0, {0x00, 0xFF, 0x41}, {}},
      {".1.3.6.1.4.1.480.9.9.0", kAsnOctetString, 0, std::vector<uint8_t>(300, 'x'), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.objectId);
    std::vector<SnmpVarBind> bindings = {{Oid(c.objectId), {}}};
    int32_t status = -7;
    int32_t index = -7;
    ASSERT_TRUE(session->Request(kSnmpPduGet, &bindings, &status, &index));
    EXPECT_EQ(status, kSnmpErrorNoError);
    EXPECT_EQ(index, 0);
    ASSERT_EQ(bindings.size(), 1u);
    EXPECT_EQ(bindings[0].name, Oid(c.objectId));
    EXPECT_EQ(bindings[0].value.type, c.type);
    EXPECT_EQ(bindings[0].value.integer, c.integer);
    EXPECT_EQ(bindings[0].value.bytes, c.bytes);
    EXPECT_EQ(bindings[0].value.objectId, c.objectIdValue);
  }

  // An object the agent does not have: an answer with "no such name" for binding 1.
  std::vector<SnmpVarBind> bindings = {{Oid(".1.3.6.1.4.1.480.9.99.0"), {}}};
  int32_t status = -7;
  int32_t index = -7;
  ASSERT_TRUE(session->Request(kSnmpPduGet, &bindings, &status, &index));
  EXPECT_EQ(status, kSnmpErrorNoSuchName);
  EXPECT_EQ(index, 1);
}

TEST(SnmpSessionTest, OpenRefusesAnEmptyAddress) {
  SetLastErrorCode(kSentinel);
  EXPECT_EQ(OpenSnmpSession("", "kestra", kSnmpTimeoutMilliseconds, kSnmpRetries), nullptr);
  EXPECT_EQ(GetLastErrorCode(), kErrorInvalidParameter);
}

}  // namespace
}  // namespace kx::platform
