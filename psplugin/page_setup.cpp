#include "page_setup.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/files.h"
#include "settings/record_text.h"

namespace kx::ps {
namespace {

constexpr size_t kHeaderPieceSize = 260;

const char* MediaTypeText(uint32_t mediaType) {
  switch (mediaType) {
    case 256: return "<< /MediaType (Plain Paper) >> setpagedevice\r\n";
    case 257: return "<< /MediaType (Transparency) >> setpagedevice\r\n";
    case 258: return "<< /MediaType (Thick Stock) >> setpagedevice\r\n";
    case 259: return "<< /MediaType (Labels) >> setpagedevice\r\n";
    default: return nullptr;
  }
}

// The flip procedure replaces `def` so that the host's page set-up matrix `mysetup` is
// mirrored as it is stored, and sets Xlen and Ylen (the page size) for the rotation.
constexpr const char* kFlipProcedure[] = {
    "userdict /vtideforig systemdict /def get put userdict begin /def {exch dup /mysetup eq {exch vtideforig\r\n",
    "currentpagedevice /PageSize get aload pop /Ylen exch def /Xlen exch def\r\n",
    "FlipSE true eq {mysetup 0 get -1 mul mysetup exch 0 exch put mysetup 4 get Xlen sub abs mysetup\r\n",
    "exch 4 exch put} if FlipLE true eq {mysetup 1 get -1 mul mysetup exch 1 exch put mysetup 5 get\r\n",
    "Ylen sub abs mysetup exch 5 exch put}if}{exch vtideforig}ifelse}bind vtideforig end\r\n",
};

constexpr const char* kSingleCopy[] = {
    "featurebegin{\n",
    "%%BeginNonPPDFeature: NumCopies 1\n",
    "1  /languagelevel where {pop languagelevel}{1} ifelse\n",
    "2 ge { 1 dict dup /NumCopies 4 -1 roll put setpagedevice }{ userdict /#copies 3 -1 roll put } ifelse\n",
    "%%EndNonPPDFeature\n",
    "}featurecleanup\n\n",
};

constexpr char kNegativeImage[] =
    "[{1 exch sub} /exec load currenttransfer /exec load] cvx settransfer\n"
    "gsave clippath 1 setgray fill grestore\r\n";

template <typename... Args>
void WriteFormatted(const JobWriter& writer, const char* format, Args... args) {
  char text[512];
  const int length = std::snprintf(text, sizeof(text), format, args...);
  if (length > 0) writer.Write(std::string_view(text, static_cast<size_t>(length)));
}

bool IsColourJob(const PrivateRecord& record, const ppd::PpdImage* ppd) {
  return ppd != nullptr && ppd->colorDevice != 0 && record.colorMode == 2;
}

}  // namespace

void WriteMediaType(const JobWriter& writer, const PrivateRecord& record,
                    const host::DEVMODEW& devMode) {
  if (record.singleUserMode != 1) return;
  if (const char* text = MediaTypeText(devMode.dmMediaType)) writer.Write(text);
}

void WriteExternalHeader(const JobWriter& writer, const PrivateRecord& record) {
  if (record.useExternalHeader == 0) return;
  const std::u16string_view path = settings::FieldText(record.externalHeaderFile);
  if (path.empty()) return;
  auto file = platform::OpenForSharedReading(std::u16string(path));
  if (!file) return;
  char piece[kHeaderPieceSize];
  size_t copied = 0;
  for (;;) {
    const size_t wanted = std::min(sizeof(piece), kExternalHeaderLimit - copied);
    // At the limit one byte more tells a file of exactly the limit from a longer one.
    const int64_t count = file->Read(piece, wanted == 0 ? 1 : wanted);
    if (count <= 0) break;
    if (wanted == 0) {
      WriteFormatted(writer, "\n%% External header file cut after %u bytes\n",
                     static_cast<unsigned>(kExternalHeaderLimit));
      break;
    }
    writer.Write(std::string_view(piece, static_cast<size_t>(count)));
    copied += static_cast<size_t>(count);
  }
}

void WriteProcessColorModel(const JobWriter& writer, const PrivateRecord& record,
                            const ppd::PpdImage* ppd) {
  writer.Write(IsColourJob(record, ppd) ? "<</ProcessColorModel /DeviceCMYK >>setpagedevice\r\n"
                                        : "<</ProcessColorModel /DeviceGray >>setpagedevice\r\n");
}

void WriteFlipProcedure(const JobWriter& writer, const PrivateRecord& record,
                        const host::DEVMODEW& devMode) {
  if (record.rotation == 0 && record.mirrorImage == 0) return;
  if (record.mirrorImage == 0) {
    writer.Write("/FlipSE false def /FlipLE false def\n");
  } else if (devMode.dmOrientation == host::DMORIENT_PORTRAIT) {
    writer.Write("/FlipSE true def /FlipLE false def\n");
  } else {
    writer.Write("/FlipSE false def /FlipLE true def\n");
  }
  for (const char* line : kFlipProcedure) writer.Write(line);
}

void WriteSingleCopy(const JobWriter& writer, const host::DEVMODEW& devMode) {
  if (devMode.dmCopies != 1) return;
  for (const char* line : kSingleCopy) writer.Write(line);
}

void WriteJobTimeout(const JobWriter& writer, const PrivateRecord& record) {
  if (record.jobTimeout == 0) return;
  WriteFormatted(writer, "statusdict begin %d setjobtimeout end\n",
                 static_cast<int>(record.jobTimeout));
}

void WriteNupRotationHook(const JobWriter& writer, const PrivateRecord& record) {
  if (record.rotation == 0 || record.nupCode == 0) return;
  WriteFormatted(writer,
                 "/startnup where { /dicName exch def dicName /oldfinalpage dicName /finalpage get put "
                 "dicName begin /finalpage {oldfinalpage Xlen 2 div Ylen 2 div translate %d rotate "
                 "Xlen -2 div Ylen -2 div translate} bind def end} if\r\n",
                 static_cast<int>(record.rotation));
}

void WritePageRotation(const JobWriter& writer, const PrivateRecord& record) {
  if (record.rotation == 0) return;
  const bool onePerSheet = record.nupCode == 0 && record.booklet == 0;
  const bool firstOfNup = record.nupCode != 0 && record.pageCounter == 1;
  if (!onePerSheet && !firstOfNup) return;
  WriteFormatted(writer,
                 "Xlen 2 div Ylen 2 div translate %d rotate Xlen -2 div Ylen -2 div translate\r\n",
                 static_cast<int>(record.rotation));
}

void WriteNegativeImage(const JobWriter& writer, const PrivateRecord& record) {
  if (record.pageCounter <= 1 && record.negativeImage != 0 && record.colorMode != 2) {
    writer.Write(kNegativeImage);
  }
}

}  // namespace kx::ps
