// Starting another program without waiting for it.
#pragma once

#include <string>
#include <vector>

namespace kx::platform {

// Starts `program` (a full path) with the arguments, without inherited handles, in the
// caller's environment and current directory, and does not wait for it. False with the
// last error set when it cannot be started (2 when the program does not exist). On
// Windows the command line is the program's path in quotes followed by the arguments.
bool StartProgram(const std::u16string& program, const std::vector<std::u16string>& arguments);

// Lets a host without a user (tests) take the starts instead: every StartProgram of the
// calling thread goes to the receiver, which answers in place of the system. Null restores
// the system.
using ProgramReceiver = bool (*)(void* context, const std::u16string& program,
                                 const std::vector<std::u16string>& arguments);
void SetProgramReceiver(ProgramReceiver receiver, void* context);

}  // namespace kx::platform
