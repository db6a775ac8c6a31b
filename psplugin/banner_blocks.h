// The fixed PostScript programs of the banner pages, written into the job unchanged
// (LF line ends). Between them the plug-in writes the job's arguments and labels.
#pragma once

#include <string_view>

namespace kx::ps::banner_blocks {

// Common definitions: units, margins, font sizes, and the bold and plain
// fonts (the Japanese font where the printer has it, else Helvetica in ISO Latin-1).
extern const std::string_view kCommonDefinitions;
// Fonts at their sizes and the text utilities: centring, line steps, breaking a
// value into lines that fit, and showing a labelled item.
extern const std::string_view kFontsAndUtilities;
// Scales the 612 x 792 banner layout to the clip path of the page.
extern const std::string_view kPageScaling;
// Getters of the header page's arguments and the label index.
extern const std::string_view kHeaderArguments;
// Getters of the trailer page's arguments (the sheet count too).
extern const std::string_view kTrailerArguments;
// The body of RetrieveOps: the labels of HTarray as the names the page shows.
extern const std::string_view kLabelRetrieval;
// The parts of a banner page: border, owner, logo and printer names, accounting.
extern const std::string_view kPageComponents;
// The header page procedure; it takes its four arguments and prints at once.
extern const std::string_view kHeaderPage;
// The trailer page procedure, taking five arguments; run by kTrailerRun.
extern const std::string_view kTrailerPage;
// Runs the label retrieval and the trailer page.
extern const std::string_view kTrailerRun;

}  // namespace kx::ps::banner_blocks
