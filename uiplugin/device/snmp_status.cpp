#include "device/snmp_status.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "platform/last_error.h"
#include "platform/snmp.h"
#include "platform/win32_errors.h"

namespace kx::device {

namespace {

using platform::SnmpObjectId;
using platform::SnmpValue;
using platform::SnmpVarBind;

constexpr char kCallOpen[] = "SnmpMgrOpen";
constexpr char kCallTextToObjectId[] = "SnmpMgrStrToOid";
constexpr char kCallRequest[] = "SnmpMgrRequest";

constexpr ScalarQueryTable kPrinterScalarQueryTable = {{
    {".1.3.6.1.4.1.480.2.1.3.1.0", 0, kNotAnswered},
    {".1.3.6.1.4.1.480.1.1.1001.0", 0, kNotAnswered},
    {".1.3.6.1.2.1.25.2.3.1.4.2", 2, kNotAnswered},
    {".1.3.6.1.4.1.480.1.1.1011.0", 0, kNotAnswered},
    {".1.3.6.1.2.1.43.13.4.1.2.1.2", 2, kNotAnswered},
    {".1.3.6.1.4.1.480.1.304.1015.0", 0, kNotAnswered},
    {".1.3.6.1.4.1.480.1.304.1010.0", 0, kNotAnswered},
    {".1.3.6.1.2.1.43.8.2.1.2.1.2", 3, kNotAnswered},
    {".1.3.6.1.2.1.43.8.2.1.2.1.2", 4, kNotAnswered},
    {".1.3.6.1.2.1.43.8.2.1.2.1.2", 5, kNotAnswered},
    {".1.3.6.1.4.1.480.2.1.1.4.1.5", 0, kNotAnswered},
    {nullptr, 0, kNotAnswered},
}};

// What one GET brought back: the agent's error status and index, and its value when
// the answer is a well-formed one for the object asked.
struct Answer {
  int32_t errorStatus = 0;
  int32_t errorIndex = 0;
  bool hasValue = false;
  SnmpValue value;

  bool Clean() const { return errorStatus == 0 && errorIndex == 0 && hasValue; }
};

// One session with the agent and its one variable binding.
class AgentSession {
 public:
  explicit AgentSession(SnmpFailure* failure) : failure_(failure) {}

  bool Open(std::string_view community, std::string_view address) {
    session_ = platform::OpenSnmpSession(std::string(address), std::string(community),
                                         platform::kSnmpTimeoutMilliseconds,
                                         platform::kSnmpRetries);
    return session_ != nullptr || Fail(kCallOpen);
  }

  // GET of the object named by `objectIdText` with its last number replaced by `index`.
  bool Get(const char* objectIdText, uint32_t index, Answer* answer) {
    binding_.clear();
    SnmpObjectId name;
    if (!platform::SnmpTextToObjectId(objectIdText, &name)) return Fail(kCallTextToObjectId);
    name.back() = index;
    binding_.push_back(SnmpVarBind{name, SnmpValue{}});
    *answer = Answer();
    if (!session_->Request(platform::kSnmpPduGet, &binding_, &answer->errorStatus,
                           &answer->errorIndex)) {
      return Fail(kCallRequest);
    }
    // An answer counts only with exactly the one binding asked for; anything else (no
    // binding, several, another object) is an answer without a value.
    if (binding_.size() == 1 && binding_[0].name == name) {
      answer->hasValue = true;
      answer->value = std::move(binding_[0].value);
    }
    return true;
  }

 private:
  // Records the failing call. Its error code becomes the caller's status, which must not
  // read as a status of its own (0 checking, 1 answered, 2 no address): such a code, or
  // none, is reported as a general failure.
  bool Fail(const char* call) {
    uint32_t error = platform::GetLastErrorCode();
    if (error == kStatusChecking || error == kStatusAnswered || error == kStatusNoAddress) {
      error = platform::kErrorGenFailure;
    }
    failure_->call = call;
    failure_->error = error;
    return false;
  }

  SnmpFailure* failure_;
  std::unique_ptr<platform::SnmpSession> session_;
  std::vector<SnmpVarBind> binding_;
};

// INTEGER only, and only when it fits the field.
int32_t ScalarValue(const Answer& answer) {
  if (!answer.Clean() || answer.value.type != platform::kAsnInteger) return kNotAnswered;
  const int64_t value = answer.value.integer;
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    return kNotAnswered;
  }
  return static_cast<int32_t>(value);
}

// INTEGER as for the scalar rows; Counter32, Gauge32 and TimeTicks as their 32-bit
// pattern, as the field holds them. Anything else gives -1.
int32_t DecodeInteger(const Answer& answer) {
  if (!answer.Clean()) return kNotAnswered;
  switch (answer.value.type) {
    case platform::kAsnInteger:
      return ScalarValue(answer);
    case platform::kAsnCounter32:
    case platform::kAsnGauge32:
    case platform::kAsnTimeTicks:
      return static_cast<int32_t>(static_cast<uint32_t>(answer.value.integer));
    default:
      return kNotAnswered;
  }
}

// The value's bytes, at most 255 of them, and a zero byte; any other answer leaves the
// field empty.
void DecodeText(const Answer& answer, char (&field)[kSupplyTextSize]) {
  std::memset(field, 0, sizeof field);
  if (!answer.Clean()) return;
  switch (answer.value.type) {
    case platform::kAsnOctetString:
    case platform::kAsnSequence:
    case platform::kAsnIpAddress:
    case platform::kAsnOpaque: {
      const size_t length = std::min(answer.value.bytes.size(), kSupplyTextSize - 1);
      if (length > 0) std::memcpy(field, answer.value.bytes.data(), length);
      break;
    }
    default:
      break;
  }
}

void StoreEntry(SupplyField field, const Answer& answer, SupplyRecord* record) {
  switch (field) {
    case SupplyField::kDescription:
      DecodeText(answer, record->description);
      break;
    case SupplyField::kLevel:
      record->level = DecodeInteger(answer);
      break;
    case SupplyField::kMaximum:
      record->maximum = DecodeInteger(answer);
      break;
    case SupplyField::kUnit:
      DecodeText(answer, record->unit);
      break;
    case SupplyField::kType:
      record->type = DecodeInteger(answer);
      break;
  }
}

}  // namespace

const std::array<SupplyColumn, kSupplyColumnCount> kSupplyColumns = {{
    {".1.3.6.1.2.1.43.11.1.1.6.1.0", SupplyField::kDescription},
    {".1.3.6.1.2.1.43.11.1.1.9.1.0", SupplyField::kLevel},
    {".1.3.6.1.2.1.43.11.1.1.8.1.0", SupplyField::kMaximum},
    {".1.3.6.1.2.1.43.11.1.1.7.1.0", SupplyField::kUnit},
    {".1.3.6.1.2.1.43.11.1.1.5.1.0", SupplyField::kType},
}};

ScalarQueryTable PrinterScalarQueryTable() { return kPrinterScalarQueryTable; }

uint32_t SnmpStatusClient::QueryScalars(std::string_view community, std::string_view address,
                                        std::span<ScalarQueryRow> table) {
  failure_ = SnmpFailure();
  for (ScalarQueryRow& row : table) row.value = kNotAnswered;
  AgentSession session(&failure_);
  if (!session.Open(community, address)) return failure_.error;
  for (ScalarQueryRow& row : table) {
    if (row.objectId == nullptr) break;
    Answer answer;
    if (!session.Get(row.objectId, row.index, &answer)) return failure_.error;
    row.value = ScalarValue(answer);
  }
  return kStatusAnswered;
}

int SnmpStatusClient::WalkSupplies(std::string_view community, std::string_view address,
                                   std::span<const SupplyColumn> columns,
                                   SupplyRecords* records) {
  failure_ = SnmpFailure();
  std::memset(records->data(), 0, sizeof(SupplyRecord) * records->size());
  AgentSession session(&failure_);
  if (!session.Open(community, address)) return 0;
  size_t entries = 0;
  for (const SupplyColumn& column : columns) {
    entries = 0;
    uint32_t index = 1;
    int skipsLeft = 2;
    while (entries < kSupplyRecordCount) {
      Answer answer;
      if (!session.Get(column.objectId, index, &answer)) return 0;
      if (answer.errorStatus == platform::kSnmpErrorNoError) {
        StoreEntry(column.field, answer, &(*records)[entries]);
        ++entries;
        ++index;
      } else if (skipsLeft == 2) {
        skipsLeft = 1;
        index = kFirstSkipIndex;
      } else if (skipsLeft == 1) {
        skipsLeft = 0;
        index = kSecondSkipIndex;
      } else {
        break;
      }
    }
  }
  return static_cast<int>(entries);
}

std::string SnmpText(std::u16string_view text) {
  std::string result;
  for (const char16_t unit : text) {
    if (unit == u'\0' || unit >= 0x80) break;
    result.push_back(static_cast<char>(unit));
  }
  return result;
}

}  // namespace kx::device
