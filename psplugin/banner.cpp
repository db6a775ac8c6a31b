#include "banner.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "banner_blocks.h"
#include "central_european.h"
#include "nup.h"
#include "platform/codepage.h"

namespace kx::ps {
namespace {

using settings::PrivateRecord;

// The labels as stored, in code page 949; their order is their index in HTarray.
constexpr std::string_view kLabels[] = {
    "\xC0\xDB\xBE\xF7",                                  // 작업 (job)
    "\xBF\xEB\xB5\xB5\x3A",                              // 용도: (for)
    "\xC3\xE6\xC0\xFC\x20\xC8\xB8\xBC\xF6",              // 충전 회수 (charge number)
    "\xC8\xA3\xBD\xBA\xC6\xAE",                          // 호스트 (host)
    "\xC0\xCE\xBC\xE2\xB5\xC8\x20\xBF\xEB\xC1\xF6\x3A",  // 인쇄된 용지: (sheets printed)
    "\xC0\xDB\xBE\xF7\x20\xBD\xC3\xC0\xDB",              // 작업 시작 (job start)
    "\xC0\xDB\xBE\xF7\x20\xC1\xBE\xB7\xE1",              // 작업 종료 (job end)
};

constexpr char kOneCopy[] = "<< /NumCopies 1 >> setpagedevice\n";
// Ends the current sheet: the back of a duplex banner stays blank, or a trailer starts
// on a sheet of its own.
constexpr char kEndSheet[] = "showpage\r\n";

// A banner field from the C bytes of its ANSI copy. Where the watermark text was stored
// on a Central-European system, byte i is fixed from unit i of the wide string (as far as
// that string's array reaches); the text ends at the first NUL, never past the C bytes.
template <size_t W, size_t C>
std::string BannerField(const char16_t (&wide)[W], const char (&ansi)[C], bool centralEuropean) {
  std::string bytes(ansi, C);
  if (centralEuropean) {
    for (size_t i = 0; i < std::min(W, C); ++i) {
      bytes[i] = static_cast<char>(CentralEuropeanFix(wide[i], static_cast<uint8_t>(bytes[i])));
    }
  }
  return HexDigits(bytes);
}

// A label's 949 bytes read in the ANSI code page, then treated as the watermark text.
std::string LabelText(std::string_view label) {
  const int length = static_cast<int>(label.size());
  const int needed =
      platform::MultiByteToWideChar(platform::kCpAcp, 0, label.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::u16string wide(static_cast<size_t>(needed), u'\0');
  const int written = platform::MultiByteToWideChar(platform::kCpAcp, 0, label.data(), length,
                                                    wide.data(), needed);
  wide.resize(written > 0 ? static_cast<size_t>(written) : 0);
  return OemHexText(wide);
}

// The operands below the switch: owner, host and charge number as hex strings.
std::string FieldOperands(const PrivateRecord& record) {
  const BannerFields fields = BannerFieldTexts(record);
  return "<" + fields.owner + ">\n<" + fields.host + ">\n<" + fields.chargeNumber + ">\n";
}

// The blocks both pages share, around the page's argument getters and the labels.
void WriteCommonBlocks(const JobWriter& writer, std::string_view argumentGetters) {
  writer.Write(banner_blocks::kCommonDefinitions);
  writer.Write(banner_blocks::kFontsAndUtilities);
  writer.Write(banner_blocks::kPageScaling);
  writer.Write(argumentGetters);
  writer.Write(BannerLabelArray());
  writer.Write(banner_blocks::kLabelRetrieval);
  writer.Write(banner_blocks::kPageComponents);
}

}  // namespace

BannerFields BannerFieldTexts(const PrivateRecord& record) {
  const auto& options = record.devOpts;
  const bool centralEuropean = record.watermarkCodePage == kCentralEuropeanCodePage;
  return {BannerField(options.userName, options.userNameAnsi, centralEuropean),
          BannerField(options.hostName, options.hostNameAnsi, centralEuropean),
          BannerField(options.chargeNumber, options.chargeNumberAnsi, centralEuropean)};
}

std::string BannerLabelArray() {
  std::string text = " /HTarray\r\n\t  [ ";
  for (const std::string_view label : kLabels) text += "<" + LabelText(label) + "> ";
  return text + "] def\r\n  /RetrieveOps\r\n";
}

void WriteHeaderPage(const JobWriter& writer, const PrivateRecord& record,
                     const host::DEVMODEW& devMode) {
  if (record.headerPage == 0) return;
  writer.Write(kOneCopy);
  writer.Write(FieldOperands(record) + "(JOB) 4 (1)\r\n");
  WriteCommonBlocks(writer, banner_blocks::kHeaderArguments);
  writer.Write(banner_blocks::kHeaderPage);
  if (devMode.dmDuplex != host::DMDUP_SIMPLEX) writer.Write(kEndSheet);
  writer.Write("<< /NumCopies " + std::to_string(devMode.dmCopies) + " >> setpagedevice\n");
}

void WriteTrailerPage(const JobWriter& writer, const PrivateRecord& record,
                      const host::DEVMODEW& devMode) {
  if (record.trailerPage == 0) return;
  writer.Write(kOneCopy);
  const uint32_t perSheet = PagesPerSheet(record.nupCode);
  const uint32_t sheets = (record.pageCounter + perSheet - 1) / perSheet;
  const bool simplex = devMode.dmDuplex == host::DMDUP_SIMPLEX;
  if (!simplex && sheets % 2 == 1) writer.Write(kEndSheet);
  const int64_t printed = static_cast<int64_t>(simplex ? sheets : (sheets + 1) / 2) * devMode.dmCopies;
  writer.Write("(" + std::to_string(printed) + ")\n" + FieldOperands(record) + "(JOB) 5 (1)\r\n");
  WriteCommonBlocks(writer, banner_blocks::kTrailerArguments);
  writer.Write(banner_blocks::kTrailerPage);
  writer.Write(banner_blocks::kTrailerRun);
}

}  // namespace kx::ps
