// Child processes, started from an argument vector and never through a shell.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts program with args as its arguments (argv[1] onwards), each reaching
// the child exactly as given. A program name without "/" is looked up on PATH;
// a relative path is taken from the caller's current folder. workingDir empty
// keeps the caller's current folder. outputFile, when not empty, is created
// (an old file replaced) and receives the child's standard output and error.
// Returns the process id, or -1 when the process could not be started
// (missing or non-executable program, bad working folder).
int StartProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::string& workingDir, const std::string& outputFile);

// Waits until the process ends. Returns its exit code, 128 + the signal number
// when a signal ended it, or -1 when it is not our child.
int WaitForProcess(int pid);

// The id of the running process.
int CurrentProcessId();

// True while a process of that id exists (also one of another user).
bool ProcessExists(int pid);

// Lets a started process run on its own; it is reaped in the background when
// it ends, so it never lingers as a zombie.
void DetachProcess(int pid);

}  // namespace platform
