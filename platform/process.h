// Starting, watching and ending another program, and opening a web address. A started program
// is held through a pidfd, so a recycled process number can never be mistaken for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A started program packed into one 64-bit word (0: none), so two threads can share it whole.
using ProgramHandle = int64_t;

// Starts `program` with `arguments` (each passed as one argument, never through a shell) in
// `workingFolder`. A program name without "/" is searched on PATH. 0 when it could not start.
ProgramHandle StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& workingFolder);
// True while the program runs. Once it has ended, it is reaped here (no zombie is left).
bool IsProgramRunning(ProgramHandle handle);
// Asks the program to end (SIGTERM), then forces it (SIGKILL) after `graceMs`; reaps it.
void TerminateProgram(ProgramHandle handle, int graceMs);
// Gives the handle back to the system.
void ReleaseProgram(ProgramHandle handle);
int ProgramProcessId(ProgramHandle handle);

// Opens the address with the desktop's handler. False when nothing could take it.
bool OpenWebAddress(const std::u16string& address);

}  // namespace platform
