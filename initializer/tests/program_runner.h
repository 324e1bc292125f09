#pragma once
// Runs the built programs from tests: the installer (its transcript read back) and a word
// processor of its own process (`quorvanta word`), each in the test's profile, with standard
// input from /dev/null so that nobody is waited for.

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/process/spawn.h"
#include "platform/testing/word_process.h"

namespace qv::testing {

// Starts `program` with `args`; stdin from /dev/null. Returns the process id.
inline pid_t Spawn(const std::string& program, const std::vector<std::string>& args) {
  return platform::SpawnProgram(program, args);
}

inline int Wait(pid_t pid) {
  return platform::WaitForExit(pid);
}

struct ProgramRun {
  int exitCode = -1;
  std::string transcript;  // one entry a line
};

// Runs a program that writes its transcript (QUORVANTA_TRANSCRIPT) and waits for it.
inline ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                             const std::filesystem::path& profile) {
  const auto file = profile / "transcript.txt";
  std::error_code ec;
  std::filesystem::remove(file, ec);
  ::setenv("QUORVANTA_TRANSCRIPT", file.c_str(), 1);
  ProgramRun run;
  run.exitCode = Wait(Spawn(program, args));
  ::unsetenv("QUORVANTA_TRANSCRIPT");
  run.transcript = platform::ReadWholeFile(file).value_or("<no transcript>");
  return run;
}

}  // namespace qv::testing
