#include "quality_colour.h"

#include <string>

#include "postscript_text.h"
#include "settings/record_text.h"

namespace kx::ps {
namespace {

using settings::kBooleanTable;
using settings::kHalftoneTable;
using settings::kIntentTable;
using settings::PrivateRecord;

constexpr uint32_t kContrastIntent = 1;
constexpr uint32_t kVividIntent = 2;

// A profile chosen on the printer's disk; printers without the operator skip the line.
void WriteProfile(const JobWriter& writer, std::string_view operatorName,
                  std::u16string_view fileName) {
  const std::string op(operatorName);
  writer.Write("//statusdict /" + op + " known {statusdict begin (/ata0a/ps/color/profiles/" +
               PostScriptStringBody(NarrowLatin1Prefix(fileName)) + ") " + op + " end} if \r\n");
}

bool HasHardDisk(const PrivateRecord& record) {
  return record.devOpts.installedOptions[settings::kHasHardDisk] != 0;
}

void WriteIntentsOrSourceProfile(const JobWriter& writer, const ppd::PpdImage* ppd,
                                 const PrivateRecord& record) {
  if (record.useColorIntents != 0) {
    WriteFeature(writer, ppd, "ImageIntent", record.imageIntent, kIntentTable);
    WriteFeature(writer, ppd, "GraphicsIntent", record.graphicsIntent, kIntentTable);
  } else if (HasHardDisk(record)) {
    WriteProfile(writer, "setrgbsourceprofile", settings::FieldText(record.rgbSourceFile));
  } else {
    WriteFeature(writer, ppd, "ImageIntent", kContrastIntent, kIntentTable);
    WriteFeature(writer, ppd, "GraphicsIntent", kVividIntent, kIntentTable);
  }
}

void WriteColourBlock(const JobWriter& writer, const ppd::PpdImage* ppd,
                      const PrivateRecord& record) {
  WriteIntentsOrSourceProfile(writer, ppd, record);
  WriteFeature(writer, ppd, "ImageProcessGray", record.imageProcessGray, kBooleanTable);
  WriteFeature(writer, ppd, "GraphicsProcessGray", record.graphicsProcessGray, kBooleanTable);
  if (!HasHardDisk(record)) return;
  if (record.simulationNone == 0) {
    WriteProfile(writer, "setsimulationprofile", settings::FieldText(record.simulationFile));
  }
  if (record.destinationNone == 0) {
    WriteProfile(writer, "setdestinationprofile", settings::FieldText(record.destinationFile));
  }
}

}  // namespace

void WriteFeature(const JobWriter& writer, const ppd::PpdImage* ppd, std::string_view feature,
                  uint32_t number, settings::NameTable table) {
  const char* name = settings::OptionName(table, number);
  if (name == nullptr || ppd == nullptr) return;
  for (const ppd::PpdOption* option = ppd::PpdFindOptions(ppd, feature); option != nullptr;
       option = ppd::NextOption(ppd, option)) {
    const char* keyword = ppd::String(ppd, option->keyword);
    if (keyword == nullptr || std::string_view(keyword) != name) continue;
    const char* invocation = ppd::String(ppd, option->invocation);
    writer.Write(invocation != nullptr ? invocation : "");
    writer.Write("\r\n");
    return;
  }
}

void WriteQualityFeatures(const JobWriter& writer, const ppd::PpdImage* ppd,
                          const PrivateRecord& record) {
  WriteFeature(writer, ppd, "MiserMode", record.miserMode, kBooleanTable);
  // The record keeps smoothing as a signed 16-bit number.
  WriteFeature(writer, ppd, "Smoothing",
               static_cast<uint32_t>(static_cast<int16_t>(record.smoothing)), kBooleanTable);
}

void WriteColourFeatures(const JobWriter& writer, const ppd::PpdImage* ppd,
                         const PrivateRecord& record) {
  WriteFeature(writer, ppd, "ImageHalftone", record.imageHalftone, kHalftoneTable);
  WriteFeature(writer, ppd, "GraphicsHalftone", record.graphicsHalftone, kHalftoneTable);
  if (ppd != nullptr && ppd->colorDevice != 0 && record.colorMode == 2) {
    WriteColourBlock(writer, ppd, record);
  }
}

}  // namespace kx::ps
