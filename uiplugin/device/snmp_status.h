// The SNMP status client: what the UI plug-in asks a printer over SNMP version 1. Two
// query shapes: the scalar query table (one GET per row) and the supply walk over the
// Printer MIB's marker-supplies columns. Each caller keeps its own copies of the tables,
// its own status and its own supply records; the client object keeps only what the last
// query's failure was.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kx::device {

// A scalar row's value before the query, and after it when the row was not answered with
// an INTEGER.
inline constexpr int32_t kNotAnswered = -1;

// The status of a caller's query.
inline constexpr uint32_t kStatusChecking = 0;
inline constexpr uint32_t kStatusAnswered = 1;
inline constexpr uint32_t kStatusNoAddress = 2;
// Any other status is the error code of the query's failing call.

// One row of a scalar query table. The object's last number is replaced by `index`
// before the request; `value` receives the INTEGER answered.
struct ScalarQueryRow {
  const char* objectId;  // dotted text; null ends the table
  uint32_t index;
  int32_t value;
};

inline constexpr size_t kScalarRowCount = 11;
using ScalarQueryTable = std::array<ScalarQueryRow, kScalarRowCount + 1>;

// Rows whose answers decide installed options.
inline constexpr size_t kRowHardDisk = 2;          // hrStorageAllocationUnits.2
inline constexpr size_t kRowMultiResolution = 3;   // vendor object, a value above 1
inline constexpr size_t kRowDuplexer = 4;          // prtMediaPathMaxSpeedPrintUnit.1.2
inline constexpr size_t kRowFinisher = 5;          // vendor object
inline constexpr size_t kRowOptionalTray1 = 7;     // prtInputType.1.3
inline constexpr size_t kRowOptionalTray2 = 8;     // prtInputType.1.4
inline constexpr size_t kRowOptionalFeeder = 9;    // prtInputType.1.5

// A fresh copy of the printer's scalar query table: eleven rows, every value -1, then
// the row without object id.
ScalarQueryTable PrinterScalarQueryTable();

// The supply record field a column of the supply walk fills.
enum class SupplyField { kDescription, kLevel, kMaximum, kUnit, kType };

struct SupplyColumn {
  const char* objectId;  // ends in .1.0; the walk replaces the 0 by the entry index
  SupplyField field;
};

inline constexpr size_t kSupplyColumnCount = 5;
// prtMarkerSuppliesDescription, Level, MaxCapacity, SupplyUnit and Type, in that order.
extern const std::array<SupplyColumn, kSupplyColumnCount> kSupplyColumns;

inline constexpr size_t kSupplyRecordCount = 15;
inline constexpr size_t kSupplyTextSize = 256;

// Text fields hold at most 255 bytes of 8-bit text and always end in a zero byte.
struct SupplyRecord {
  char description[kSupplyTextSize];
  int32_t level;
  int32_t maximum;
  char unit[kSupplyTextSize];
  int32_t type;
};
static_assert(offsetof(SupplyRecord, description) == 0);
static_assert(offsetof(SupplyRecord, level) == 256);
static_assert(offsetof(SupplyRecord, maximum) == 260);
static_assert(offsetof(SupplyRecord, unit) == 264);
static_assert(offsetof(SupplyRecord, type) == 520);
static_assert(sizeof(SupplyRecord) == 524);

using SupplyRecords = std::array<SupplyRecord, kSupplyRecordCount>;

// The supply walk's gaps: after the first failed GET of a column the walk goes on at
// this index, after the second at the next; the third ends the column.
inline constexpr uint32_t kFirstSkipIndex = 51;
inline constexpr uint32_t kSecondSkipIndex = 101;

// Which platform call failed in a query, and its error code.
struct SnmpFailure {
  const char* call = nullptr;  // "SnmpMgrOpen", "SnmpMgrStrToOid" or "SnmpMgrRequest"
  uint32_t error = 0;
};

class SnmpStatusClient {
 public:
  // Sets every row's value to -1, then asks for each row up to the one without object
  // id (or the end of the table). A row answered without error with an INTEGER that
  // fits 32 bits gets that value; any other answer leaves -1. Returns kStatusAnswered,
  // or the error code of the failing call, which ends the query (the rows not reached
  // keep -1).
  uint32_t QueryScalars(std::string_view community, std::string_view address,
                        std::span<ScalarQueryRow> table);

  // Zeroes the records, then walks each column from index 1 until 15 entries are stored,
  // using the two skips on failed GETs. Entry i of every column lands in record i.
  // Returns the number of entries of the last column, or 0 when a call failed (the
  // records keep what was stored until then).
  int WalkSupplies(std::string_view community, std::string_view address,
                   std::span<const SupplyColumn> columns, SupplyRecords* records);

  // The failure that ended the last query; `call` is null when none did.
  const SnmpFailure& lastFailure() const { return failure_; }

 private:
  SnmpFailure failure_;
};

// The 8-bit text of a community name or address as the queries take it: each UTF-16
// unit below 0x80 as one byte. The text ends at a NUL or at any other unit, which that
// text cannot carry.
std::string SnmpText(std::u16string_view text);

}  // namespace kx::device
