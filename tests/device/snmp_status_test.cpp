// The scalar query and the supply walk against snmpd on loopback, a port that never
// answers, and a relay that sends what a network may send besides the answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "device/snmp_agent.h"
#include "device/snmp_status.h"
#include "platform/snmp.h"
#include "platform/win32_errors.h"

namespace kx::device {
namespace {

using test::AgentObject;
using Clock = std::chrono::steady_clock;

// The objects the eleven rows ask for (the row's text with its last number replaced).
const char* const kRowObjects[kScalarRowCount] = {
    ".1.3.6.1.4.1.480.2.1.3.1.0",   ".1.3.6.1.4.1.480.1.1.1001.0",
    ".1.3.6.1.2.1.25.2.3.1.4.2",    ".1.3.6.1.4.1.480.1.1.1011.0",
    ".1.3.6.1.2.1.43.13.4.1.2.1.2", ".1.3.6.1.4.1.480.1.304.1015.0",
    ".1.3.6.1.4.1.480.1.304.1010.0", ".1.3.6.1.2.1.43.8.2.1.2.1.3",
    ".1.3.6.1.2.1.43.8.2.1.2.1.4",  ".1.3.6.1.2.1.43.8.2.1.2.1.5",
    ".1.3.6.1.4.1.480.2.1.1.4.1.0",
};

const char* const kColumnPrefixes[kSupplyColumnCount] = {
    ".1.3.6.1.2.1.43.11.1.1.6.1.", ".1.3.6.1.2.1.43.11.1.1.9.1.",
    ".1.3.6.1.2.1.43.11.1.1.8.1.", ".1.3.6.1.2.1.43.11.1.1.7.1.",
    ".1.3.6.1.2.1.43.11.1.1.5.1.",
};

std::string Column(size_t column, uint32_t index) {
  return kColumnPrefixes[column] + std::to_string(index);
}

// A toner supply at each index: "Supply N", level N, maximum 100 + N, unit "uN", type 3.
std::vector<AgentObject> Supplies(const std::vector<uint32_t>& indexes) {
  std::vector<AgentObject> objects;
  for (const uint32_t i : indexes) {
    const std::string n = std::to_string(i);
    objects.push_back({Column(0, i), "string", "Supply " + n});
    objects.push_back({Column(1, i), "integer", n});
    objects.push_back({Column(2, i), "integer", std::to_string(100 + i)});
    objects.push_back({Column(3, i), "string", "u" + n});
    objects.push_back({Column(4, i), "integer", "3"});
  }
  return objects;
}

std::vector<uint32_t> Range(uint32_t first, uint32_t last) {
  std::vector<uint32_t> indexes;
  for (uint32_t i = first; i <= last; ++i) indexes.push_back(i);
  return indexes;
}

std::vector<AgentObject> AllRows() {
  std::vector<AgentObject> objects;
  for (size_t row = 0; row < kScalarRowCount; ++row) {
    objects.push_back({kRowObjects[row], "integer", std::to_string(100 + row)});
  }
  return objects;
}

std::vector<AgentObject> Join(std::vector<AgentObject> a, const std::vector<AgentObject>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

void ExpectSupply(const SupplyRecord& record, uint32_t index) {
  SCOPED_TRACE("supply index " + std::to_string(index));
  EXPECT_STREQ(record.description, ("Supply " + std::to_string(index)).c_str());
  EXPECT_EQ(record.level, static_cast<int32_t>(index));
  EXPECT_EQ(record.maximum, static_cast<int32_t>(100 + index));
  EXPECT_STREQ(record.unit, ("u" + std::to_string(index)).c_str());
  EXPECT_EQ(record.type, 3);
}

void ExpectZeroed(const SupplyRecord& record) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
  EXPECT_TRUE(std::all_of(bytes, bytes + sizeof record, [](uint8_t b) { return b == 0; }));
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(ScalarQueryTest, EveryRowAnswered) {
  test::SnmpAgent agent(AllRows());
  ASSERT_TRUE(agent.running());
  ScalarQueryTable table = PrinterScalarQueryTable();
  SnmpStatusClient client;
  EXPECT_EQ(client.QueryScalars("kestra", agent.address(), table), kStatusAnswered);
  EXPECT_EQ(client.lastFailure().call, nullptr);
  for (size_t row = 0; row < kScalarRowCount; ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(table[row].value, static_cast<int32_t>(100 + row));
  }
  // One GET per row, in order, each for the row's text with its last number replaced.
  EXPECT_EQ(agent.Requests(),
            std::vector<std::string>(std::begin(kRowObjects), std::end(kRowObjects)));
}

TEST(ScalarQueryTest, RowsNotAnsweredReadMinusOne) {
  test::SnmpAgent agent({{kRowObjects[2], "integer", "4096"}, {kRowObjects[8], "integer", "0"}});
  ASSERT_TRUE(agent.running());
  ScalarQueryTable table = PrinterScalarQueryTable();
  for (size_t row = 0; row < kScalarRowCount; ++row) table[row].value = 777;
  SnmpStatusClient client;
  EXPECT_EQ(client.QueryScalars("kestra", agent.address(), table), kStatusAnswered);
  for (size_t row = 0; row < kScalarRowCount; ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(table[row].value, row == 2 ? 4096 : row == 8 ? 0 : kNotAnswered);
  }
  // Every row was still asked.
  EXPECT_EQ(agent.Requests().size(), kScalarRowCount);
}

TEST(ScalarQueryTest, OnlyIntegerAnswersCount) {
  const std::vector<std::pair<std::string, std::string>> answers = {
      {"gauge", "5"},           {"counter", "5"},         {"timeticks", "5"},
      {"string", "5"},          {"ipaddress", "10.0.0.5"}, {"objectid", ".1.3.6"},
      {"octet", "05"},          {"integer", "-2147483648"}, {"integer", "2147483647"},
      {"integer", "-1"},        {"integer", "0"},
  };
  const int32_t expected[kScalarRowCount] = {-1, -1, -1, -1, -1, -1, -1, INT32_MIN,
                                             INT32_MAX, -1, 0};
  std::vector<AgentObject> objects;
  for (size_t row = 0; row < kScalarRowCount; ++row) {
    objects.push_back({kRowObjects[row], answers[row].first, answers[row].second});
  }
  test::SnmpAgent agent(objects);
  ASSERT_TRUE(agent.running());
  ScalarQueryTable table = PrinterScalarQueryTable();
  SnmpStatusClient client;
  EXPECT_EQ(client.QueryScalars("kestra", agent.address(), table), kStatusAnswered);
  for (size_t row = 0; row < kScalarRowCount; ++row) {
    SCOPED_TRACE(answers[row].first + " " + answers[row].second);
    EXPECT_EQ(table[row].value, expected[row]);
  }
}

TEST(ScalarQueryTest, OwnTables) {
  test::SnmpAgent agent({{".1.3.6.1.4.1.480.7.1", "integer", "11"},
                         {".1.3.6.1.4.1.480.7.3", "integer", "33"}});
  ASSERT_TRUE(agent.running());
  SnmpStatusClient client;
  {
    SCOPED_TRACE("a row without object id ends the table");
    ScalarQueryRow table[] = {{".1.3.6.1.4.1.480.7.9", 1, 5},
                              {nullptr, 0, 5},
                              {".1.3.6.1.4.1.480.7.0", 3, 5}};
    EXPECT_EQ(client.QueryScalars("kestra", agent.address(), table), kStatusAnswered);
    EXPECT_EQ(table[0].value, 11);
    EXPECT_EQ(table[2].value, kNotAnswered);
  }
  {
    SCOPED_TRACE("an object id text that does not convert ends the query");
    ScalarQueryRow table[] = {{".1.3.6.1.4.1.480.7.0", 1, 5},
                              {".1.3.6.1.4.1.480.7.x", 2, 5},
                              {".1.3.6.1.4.1.480.7.0", 3, 5},
                              {nullptr, 0, 5}};
    EXPECT_EQ(client.QueryScalars("kestra", agent.address(), table),
              platform::kErrorInvalidParameter);
    ASSERT_NE(client.lastFailure().call, nullptr);
    EXPECT_STREQ(client.lastFailure().call, "SnmpMgrStrToOid");
    EXPECT_EQ(table[0].value, 11);
    EXPECT_EQ(table[1].value, kNotAnswered);
    EXPECT_EQ(table[2].value, kNotAnswered);
  }
  EXPECT_EQ(agent.Requests(),
            (std::vector<std::string>{".1.3.6.1.4.1.480.7.1", ".1.3.6.1.4.1.480.7.1"}));
  {
    SCOPED_TRACE("no address: the session does not open");
    ScalarQueryTable table = PrinterScalarQueryTable();
    EXPECT_EQ(client.QueryScalars("kestra", "", table), platform::kErrorInvalidParameter);
    ASSERT_NE(client.lastFailure().call, nullptr);
    EXPECT_STREQ(client.lastFailure().call, "SnmpMgrOpen");
  }
}

TEST(SupplyWalkTest, GapsCostOneFailedGetEach) {
  std::vector<uint32_t> indexes = Range(1, 4);
  indexes.push_back(51);
  indexes.push_back(52);
  test::SnmpAgent agent(Supplies(indexes));
  ASSERT_TRUE(agent.running());
  SupplyRecords records;
  std::memset(records.data(), 0xAB, sizeof(SupplyRecord) * records.size());
  SnmpStatusClient client;
  EXPECT_EQ(client.WalkSupplies("kestra", agent.address(), kSupplyColumns, &records), 6);
  for (size_t i = 0; i < indexes.size(); ++i) ExpectSupply(records[i], indexes[i]);
  for (size_t i = indexes.size(); i < kSupplyRecordCount; ++i) ExpectZeroed(records[i]);

  // Per column: 1 to 4, 5 (fails, first skip), 51, 52, 53 (fails, second skip), 101
  // (fails, the column ends).
  const std::vector<std::string> requests = agent.Requests();
  EXPECT_EQ(requests.size(), 9 * kSupplyColumnCount);
  for (size_t column = 0; column < kSupplyColumnCount; ++column) {
    SCOPED_TRACE("column " + std::to_string(column));
    for (const uint32_t asked : {1u, 4u, 5u, 51u, 52u, 53u, 101u}) {
      EXPECT_EQ(agent.RequestCount(Column(column, asked)), 1u) << asked;
    }
    for (uint32_t skipped = 6; skipped <= 50; ++skipped) {
      EXPECT_EQ(agent.RequestCount(Column(column, skipped)), 0u) << skipped;
    }
    EXPECT_EQ(agent.RequestCount(Column(column, 102)), 0u);
  }
}

TEST(SupplyWalkTest, FifteenEntriesAtMost) {
  test::SnmpAgent agent(Supplies(Range(1, 20)));
  ASSERT_TRUE(agent.running());
  SupplyRecords records;
  SnmpStatusClient client;
  EXPECT_EQ(client.WalkSupplies("kestra", agent.address(), kSupplyColumns, &records), 15);
  for (uint32_t i = 0; i < kSupplyRecordCount; ++i) ExpectSupply(records[i], i + 1);
  EXPECT_EQ(agent.Requests().size(), 15 * kSupplyColumnCount);
  for (size_t column = 0; column < kSupplyColumnCount; ++column) {
    EXPECT_EQ(agent.RequestCount(Column(column, 16)), 0u) << column;
  }
}

TEST(SupplyWalkTest, DecodingIsBoundedByEachField) {
  const std::string longText(300, 'd');
  test::SnmpAgent agent({
      {Column(0, 1), "string", longText},
      {Column(1, 1), "gauge", "4000000000"},
      {Column(2, 1), "counter", "500"},
      {Column(3, 1), "ipaddress", "10.0.0.5"},
      {Column(4, 1), "timeticks", "9"},
      {Column(0, 2), "integer", "5"},
      {Column(1, 2), "string", "7"},
      {Column(2, 2), "objectid", ".1.3.6"},
      {Column(3, 2), "integer", "19"},
      {Column(4, 2), "integer", "4"},
      // The description column goes on one entry further than the others.
      {Column(0, 3), "string", "third"},
  });
  ASSERT_TRUE(agent.running());
  SupplyRecords records;
  std::memset(records.data(), 0xAB, sizeof(SupplyRecord) * records.size());
  SnmpStatusClient client;
  // The result is the entry count of the last column.
  EXPECT_EQ(client.WalkSupplies("kestra", agent.address(), kSupplyColumns, &records), 2);

  {
    SCOPED_TRACE("over-long text, Gauge32, Counter32, IpAddress and TimeTicks");
    EXPECT_EQ(std::string(records[0].description), std::string(255, 'd'));
    EXPECT_EQ(records[0].description[255], '\0');
    EXPECT_EQ(records[0].level, static_cast<int32_t>(4000000000u));  // its 32-bit pattern
    EXPECT_EQ(records[0].maximum, 500);
    EXPECT_EQ(std::memcmp(records[0].unit, "\x0A\x00\x00\x05\x00", 5), 0);
    EXPECT_EQ(records[0].type, 9);
  }
  {
    SCOPED_TRACE("an integer where text belongs, and the other way round");
    EXPECT_STREQ(records[1].description, "");
    EXPECT_EQ(records[1].level, kNotAnswered);
    EXPECT_EQ(records[1].maximum, kNotAnswered);
    EXPECT_STREQ(records[1].unit, "");
    EXPECT_EQ(records[1].type, 4);
  }
  EXPECT_STREQ(records[2].description, "third");
  EXPECT_EQ(records[2].type, 0);
}

TEST(SnmpFailureTest, SilentPortGivesUpAfterOneRetry) {
  test::SilentUdpPort port;
  {
    SCOPED_TRACE("scalar query");
    ScalarQueryTable table = PrinterScalarQueryTable();
    for (ScalarQueryRow& row : table) row.value = 555;
    SnmpStatusClient client;
    const auto start = Clock::now();
    EXPECT_EQ(client.QueryScalars("kestra", port.address(), table), platform::kSnmpMgmtApiTimeout);
    const double seconds = SecondsSince(start);
    EXPECT_GE(seconds, 1.8);
    EXPECT_LT(seconds, 3.0);
    ASSERT_NE(client.lastFailure().call, nullptr);
    EXPECT_STREQ(client.lastFailure().call, "SnmpMgrRequest");
    EXPECT_EQ(client.lastFailure().error, platform::kSnmpMgmtApiTimeout);
    for (const ScalarQueryRow& row : table) EXPECT_EQ(row.value, kNotAnswered);
    EXPECT_EQ(port.datagrams(), 2);  // the request and its one retry
  }
  {
    SCOPED_TRACE("supply walk");
    SupplyRecords records;
    std::memset(records.data(), 0xAB, sizeof(SupplyRecord) * records.size());
    SnmpStatusClient client;
    const auto start = Clock::now();
    EXPECT_EQ(client.WalkSupplies("kestra", port.address(), kSupplyColumns, &records), 0);
    EXPECT_LT(SecondsSince(start), 3.0);
    EXPECT_EQ(client.lastFailure().error, platform::kSnmpMgmtApiTimeout);
    for (const SupplyRecord& record : records) ExpectZeroed(record);
    EXPECT_EQ(port.datagrams(), 4);
  }
}

TEST(SnmpFailureTest, WrongCommunityIsNoAnswer) {
  test::SnmpAgent agent(AllRows(), "kestra");
  ASSERT_TRUE(agent.running());
  ScalarQueryTable table = PrinterScalarQueryTable();
  SnmpStatusClient client;
  EXPECT_EQ(client.QueryScalars("public", agent.address(), table), platform::kSnmpMgmtApiTimeout);
  EXPECT_TRUE(agent.Requests().empty());
  EXPECT_EQ(table[0].value, kNotAnswered);
}

TEST(HostileNetworkTest, NoiseBeforeEachAnswerIsPassedOver) {
  test::SnmpAgent agent(Join(AllRows(), Supplies({1, 2})));
  ASSERT_TRUE(agent.running());
  test::MisbehavingRelay relay(agent.port(), test::MisbehavingRelay::Mode::kNoiseFirst);
  ScalarQueryTable table = PrinterScalarQueryTable();
  SupplyRecords records;
  SnmpStatusClient client;
  ASSERT_EQ(client.QueryScalars("kestra", relay.address(), table), kStatusAnswered);
  for (size_t row = 0; row < kScalarRowCount; ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(table[row].value, static_cast<int32_t>(100 + row));
  }
  EXPECT_EQ(client.WalkSupplies("kestra", relay.address(), kSupplyColumns, &records), 2);
  ExpectSupply(records[0], 1);
  ExpectSupply(records[1], 2);
  // Every answer was taken at the first try: a request that had waited for its time-out
  // would have been sent again and answered twice.
  EXPECT_EQ(relay.answersRelayed(), static_cast<int>(kScalarRowCount + 5 * 5));
}

TEST(HostileNetworkTest, AnswerForAnotherObjectHasNoValue) {
  test::SnmpAgent agent(Join(AllRows(), Supplies({1, 2})));
  ASSERT_TRUE(agent.running());
  test::MisbehavingRelay relay(agent.port(), test::MisbehavingRelay::Mode::kOtherObject);
  ScalarQueryTable table = PrinterScalarQueryTable();
  SnmpStatusClient client;
  EXPECT_EQ(client.QueryScalars("kestra", relay.address(), table), kStatusAnswered);
  for (const ScalarQueryRow& row : table) EXPECT_EQ(row.value, kNotAnswered);

  SupplyRecords records;
  EXPECT_EQ(client.WalkSupplies("kestra", relay.address(), kSupplyColumns, &records), 2);
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    EXPECT_STREQ(records[i].description, "");
    EXPECT_EQ(records[i].level, kNotAnswered);
    EXPECT_EQ(records[i].type, kNotAnswered);
  }
}

}  // namespace
}  // namespace kx::device
