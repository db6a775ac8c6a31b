#include "custom_page_size.h"

#include <cstdio>

#include "platform/message_box.h"
#include "platform/text.h"

namespace kx::ps {
namespace {

// Paper sources the check knows.
constexpr int kSourceTray1 = 257;
constexpr int kSourceManualFeed = 261;
constexpr int kSourceFormSource = 15;

// Limits in tenths of a millimetre.
constexpr int kMaxTrayLength = 4575;
constexpr int kTrayLength = 4570;
constexpr int kMaxWidth = 2970;
constexpr int kMaxDuplexLength = 4320;

constexpr double kInchesPerTenthMillimetre = 0.003937007874015748;

constexpr char kWarningIntro[] =
    "The custom page size you selected is not suppported for your print job\n"
    "based on your printing options. Please make sure the selected tray contains\n"
    "media of the following size. Otherwise it may cause the printer to jam.\n";

const char* TrayName(int source) {
  if (source == kSourceTray1) return "Tray 1";
  if (source == kSourceManualFeed) return "Manual Feed Tray";
  return "";
}

const char* DuplexName(int duplex) {
  if (duplex == host::DMDUP_SIMPLEX) return "Simplex";
  if (duplex == host::DMDUP_VERTICAL) return "Long Edge";
  return "Short Edge";
}

}  // namespace

bool CheckCustomPageSize(const host::DEVMODEW& devMode, JobValues* job) {
  int width = devMode.dmPaperWidth;
  int length = devMode.dmPaperLength;
  const int source = devMode.dmDefaultSource;
  const bool duplex = devMode.dmDuplex != host::DMDUP_SIMPLEX;
  bool adjusted = false;
  if (source == kSourceTray1 && length > kMaxTrayLength) {
    length = kTrayLength;
    adjusted = true;
  } else if ((source == kSourceManualFeed && width > kMaxWidth) ||
             (source == kSourceFormSource && length > kMaxTrayLength && width > kMaxWidth)) {
    width = kMaxWidth;
    adjusted = true;
  }
  if (duplex && length > kMaxDuplexLength) {
    length = kMaxDuplexLength;
    adjusted = true;
  }
  if (duplex && width > kMaxWidth) {
    width = kMaxWidth;
    adjusted = true;
  }
  job->adjustedWidth = width;
  job->adjustedLength = length;
  job->adjusted = adjusted;
  return adjusted;
}

std::string CustomPageSizeWarning(const host::DEVMODEW& devMode, const JobValues& job) {
  char size[160];
  std::snprintf(size, sizeof(size), "Width: %.2f in (%d mm)\nLength: %.2f in (%d mm)\n",
                job.adjustedWidth * kInchesPerTenthMillimetre, job.adjustedWidth / 10,
                job.adjustedLength * kInchesPerTenthMillimetre, job.adjustedLength / 10);
  std::string text = std::string(kWarningIntro) + size;
  if (devMode.dmDefaultSource != kSourceFormSource) {
    text += std::string("Tray Selected: ") + TrayName(devMode.dmDefaultSource);
  }
  text += std::string("\nDuplex Option: ") + DuplexName(devMode.dmDuplex);
  return text;
}

void WarnAboutCustomPageSize(const host::DEVMODEW& devMode, const JobValues& job) {
  if (!job.adjusted) return;
  platform::ShowWarningBox(platform::Utf8ToUtf16(kCustomPageSizeTitle),
                           platform::Utf8ToUtf16(CustomPageSizeWarning(devMode, job)));
}

void WritePageSizeOverride(const JobWriter& writer, const JobValues& job) {
  if (!job.adjusted) return;
  char text[160];
  const int length = std::snprintf(
      text, sizeof(text),
      "<< /PageSize [%d %d] /ImagingBBox null /Policies << /PageSize 7 >> >> setpagedevice",
      job.adjustedWidth * 72 / 254, job.adjustedLength * 72 / 254);
  writer.Write(std::string_view(text, static_cast<size_t>(length)));
}

}  // namespace kx::ps
