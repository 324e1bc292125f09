#pragma once
// Runs a built program of the project as a separate process, the way people and the installer's
// callers start it: an argument vector (never a shell), standard input from /dev/null, standard
// output and error captured. The child inherits the environment (QUORVANTA_HOME among it).

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/process/spawn.h"

namespace qv::testing {

struct ProgramOutcome {
  int exitCode = -1;  // -1: not started or ended by a signal
  std::string out;
  std::string err;
};

// Runs `program ARGS...` and waits for it; the captured outputs go through files in `scratch`.
inline ProgramOutcome RunProgram(const std::string& program, const std::vector<std::string>& args,
                                 const std::filesystem::path& scratch) {
  static std::atomic<int> runs{0};
  const int n = runs++;
  const auto outFile =
      scratch / ("run-" + std::to_string(::getpid()) + "-" + std::to_string(n) + ".out");
  const auto errFile =
      scratch / ("run-" + std::to_string(::getpid()) + "-" + std::to_string(n) + ".err");
  ProgramOutcome o;
  pid_t pid = -1;
  try {
    pid = platform::SpawnProgram(program, args,
                                 {.quietInput = true, .outFile = outFile, .errFile = errFile});
  } catch (const std::runtime_error&) {
    return o;
  }
  o.exitCode = platform::WaitForExit(pid);
  o.out = platform::ReadWholeFile(outFile).value_or("");
  o.err = platform::ReadWholeFile(errFile).value_or("");
  std::error_code ec;
  std::filesystem::remove(outFile, ec);
  std::filesystem::remove(errFile, ec);
  return o;
}

}  // namespace qv::testing
