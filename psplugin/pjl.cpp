#include "pjl.h"

#include <string>

#include "pjl_text.h"
#include "postscript_text.h"
#include "settings/record_text.h"

namespace kx::ps {
namespace {

constexpr std::string_view kUniversalExit = "\x1B%-12345X";
constexpr std::string_view kPjlLine = "@PJL\r\n";
constexpr std::string_view kJobName = "@PJL JOB NAME = \"";
constexpr std::string_view kEndQuote = "\"\r\n";
constexpr std::string_view kEndOfJob = "@PJL EOJ\r\n";
constexpr std::string_view kSetUserName = "@PJL SET USERNAME = \"";
constexpr std::string_view kSetHost = "@PJL SET HOST = \"";
constexpr std::string_view kSetChargeNumber = "@PJL SET CHARGENUMBER = \"";
constexpr std::string_view kNotifyJobEnd = "@PJL SET NOTIFY = \"JOBEND\" \r\n";
constexpr std::string_view kEmailAddress = "@PJL SET EMAILADDRESS = \"";
constexpr std::string_view kAutoContinueOn = "@PJL SET AUTOCONT = ON\r\n";
constexpr std::string_view kAutoContinueOff = "@PJL SET AUTOCONT = OFF\r\n";

constexpr size_t kJobNameByteLimit = 260;

// A SET line for an accounting field: written when the wide string is set, with the
// bytes of its UTF-8 copy (three writes).
template <size_t Wide, size_t Utf8>
void WriteAccountingLine(const JobWriter& writer, std::string_view command,
                         const char16_t (&wide)[Wide], const char (&utf8)[Utf8]) {
  if (settings::FieldText(wide).empty()) return;
  writer.Write(command);
  writer.Write(PjlSafeBytes(settings::FieldText(utf8)));
  writer.Write(kEndQuote);
}

void WriteJobName(const JobWriter& writer, const settings::PrivateRecord& record) {
  writer.Write(kJobName);
  const std::u16string_view name = settings::FieldText(record.jobName);
  if (!name.empty()) {
    writer.Write(settings::EncodeUnitsAsUtf8(PjlSafeText(name), kJobNameByteLimit));
  }
  writer.Write(kEndQuote);
}

void WriteNotification(const JobWriter& writer, const settings::PrivateRecord& record) {
  if (record.emailNotify == 0) return;
  writer.Write(kNotifyJobEnd);
  const std::u16string address = PjlSafeText(settings::FieldText(record.emailAddress));
  writer.Write(std::string(kEmailAddress) + NarrowLatin1Prefix(address) + std::string(kEndQuote));
}

}  // namespace

void WriteJobHeader(const JobWriter& writer, const settings::PrivateRecord& record) {
  const settings::DeviceOptions& options = record.devOpts;
  writer.Write(kUniversalExit);
  writer.Write(kPjlLine);
  WriteJobName(writer, record);
  writer.Write(kEndOfJob);
  WriteAccountingLine(writer, kSetUserName, options.userName, options.userNameUtf8);
  WriteAccountingLine(writer, kSetHost, options.hostName, options.hostNameUtf8);
  WriteAccountingLine(writer, kSetChargeNumber, options.chargeNumber, options.chargeNumberUtf8);
  WriteNotification(writer, record);
  writer.Write(record.autoContinue != 0 ? kAutoContinueOn : kAutoContinueOff);
}

void WriteUniversalExit(const JobWriter& writer) { writer.Write(kUniversalExit); }

}  // namespace kx::ps
