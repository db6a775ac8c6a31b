// Starting something in the background of a short-lived shell: the shell is waited for at
// once and what it started is left to the system, so no child of the host process stays
// behind as a zombie and the host's SIGCHLD handling is not disturbed.
#pragma once

#include <string>
#include <vector>

namespace kx::platform::detail {

// Runs `/bin/sh -c script` with `parameters` as $0, $1, ...: whatever the script takes
// from outside comes in as positional parameters, never as part of the script. The shell
// gets only the standard descriptors (where the C library can say so). False with the last
// error set when the shell cannot be started.
bool RunInBackgroundShell(const std::string& script, const std::vector<std::string>& parameters);

}  // namespace kx::platform::detail
