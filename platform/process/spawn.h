#pragma once
// Starting another program of the project as a process of its own: an argument vector handed to
// the program as it is (never through a command shell), the environment inherited.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qv::platform {

struct SpawnOptions {
  // Standard input from /dev/null, so that a program that would ask at a terminal takes its
  // defaults instead of waiting for somebody; false: the caller's standard input.
  bool quietInput = true;
  // Where standard output and standard error go (created or truncated); empty: the caller's.
  std::filesystem::path outFile;
  std::filesystem::path errFile;
  // The process leads a process group of its own, so that it can be stopped together with the
  // processes it starts (kill(-pid, ...)).
  bool ownProcessGroup = false;
};

// Starts `program` with `args` (argv[0] is the program itself). Throws std::runtime_error with
// the system's reason when the program cannot be started.
pid_t SpawnProgram(const std::string& program, const std::vector<std::string>& args,
                   const SpawnOptions& options = {});

// Waits for the process to end: its exit code, or -1 when a signal ended it.
int WaitForExit(pid_t pid);

}  // namespace qv::platform
