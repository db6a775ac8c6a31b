# The printer's PPD for CUPS queues: the sample PPD of the VRX48T7-PSN with the line that
# makes CUPS run kx48t7-filter on the queue's PostScript jobs. The filter writes the
# printer's own job (PJL and PostScript), which goes to the device as it is.
set(KX_CUPS_FILTER_LINE
  "*cupsFilter2: \"application/postscript application/vnd.vestral-kx48t7 0 kx48t7-filter\"")

# Writes the CUPS PPD derived from `source` to `destination` (at configure time; the
# source is a configure dependency, so an edit of it makes the derived file again).
function(kx_derive_cups_ppd source destination)
  file(READ ${source} text)
  string(FIND "${text}" "*PCFileName:" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${source} has no *PCFileName line to place the CUPS lines after")
  endif()
  string(REGEX REPLACE "(\\*PCFileName:[^\n]*\n)"
    "\\1*% CUPS renders the job through the rendering plug-in with kx48t7-filter.\n*cupsVersion: 2.4\n${KX_CUPS_FILTER_LINE}\n"
    text "${text}")
  file(WRITE ${destination} "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()
