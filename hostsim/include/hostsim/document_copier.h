// Copies a DSC-structured PostScript document into a device's job the way the host
// driver produces a job: the document's own text, with the plug-in called at each
// injection point. Sections the document lacks (prolog, setup, page set-up) are made,
// as the host driver always writes them.
#pragma once

#include <string>
#include <string_view>

#include "hostsim/host_device.h"

namespace kx::hostsim {

// What the host driver itself puts into every job: its feature wrapper in the prolog,
// and the page set-up matrix `mysetup` in the document setup. Plug-in text relies on
// both (feature code runs inside featurebegin/featurecleanup; the flip procedure hooks
// the definition of mysetup).
inline constexpr char kHostProcSet[] =
    "/featurebegin { countdictstack mark } bind def\n"
    "/featurecleanup { stopped { cleartomark countdictstack exch sub dup 0 gt"
    " { { end } repeat } { pop } ifelse } { cleartomark pop } ifelse } bind def\n";
inline constexpr char kHostSetup[] = "userdict begin /mysetup [1 0 0 1 0 0] def end\n";

// False with *error set when the document has no DSC structure (no "%!PS-Adobe" first
// line or no "%%Page:" comment) or an injection fails; the job is then incomplete.
bool CopyDocument(HostDevice& device, std::string_view document, std::string* error);

// The same copy without calling the plug-in: what the host alone costs, for measuring
// what the plug-in adds.
bool CopyDocumentWithoutPlugin(HostDevice& device, std::string_view document, std::string* error);

// A small DSC document of `pages` pages (at least 1), each with its number in large
// type and a frame, on an A4 page.
std::string SampleDocument(int pages);

}  // namespace kx::hostsim
