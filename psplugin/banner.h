// Banner pages: a header page before the document and a trailer page after it, each
// printed by fixed PostScript programs that read the job's owner, computer, charge
// number (and, on the trailer, the sheets printed) and seven Korean labels.
#pragma once

#include <string>

#include "host/devmode.h"
#include "job_writer.h"
#include "settings/record.h"

namespace kx::ps {

// The argument fields as the hex digits that go between "<" and ">".
struct BannerFields {
  std::string owner;
  std::string host;
  std::string chargeNumber;
};
BannerFields BannerFieldTexts(const settings::PrivateRecord& record);

// " /HTarray ... /RetrieveOps" with the labels converted for this system.
std::string BannerLabelArray();

// At the end of the setup, after the colour features.
void WriteHeaderPage(const JobWriter& writer, const settings::PrivateRecord& record,
                     const host::DEVMODEW& devMode);
// At the end of the document.
void WriteTrailerPage(const JobWriter& writer, const settings::PrivateRecord& record,
                      const host::DEVMODEW& devMode);

}  // namespace kx::ps
