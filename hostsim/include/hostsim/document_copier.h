// Copies a DSC-structured PostScript document into a device's job the way the host
// driver produces a job: the document's own text, with the plug-in called at each
// injection point. Sections the document lacks (prolog, setup, page set-up) are made,
// as the host driver always writes them.
#pragma once

#include <string>
#include <string_view>

#include "hostsim/host_device.h"

namespace kx::hostsim {

// False with *error set when the document has no DSC structure (no "%!PS-Adobe" first
// line or no "%%Page:" comment) or an injection fails; the job is then incomplete.
bool CopyDocument(HostDevice& device, std::string_view document, std::string* error);

// A small DSC document of `pages` pages (at least 1), each with its number in large
// type and a frame, on an A4 page.
std::string SampleDocument(int pages);

}  // namespace kx::hostsim
