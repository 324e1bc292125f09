#pragma once
// Runs a built program of the project as a separate process, the way people and the installer's
// callers start it: an argument vector (never a shell), standard input from /dev/null, standard
// output and error captured. The child inherits the environment (QUORVANTA_HOME among it).

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"

extern char** environ;

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
  std::vector<std::string> argv = {program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (auto& a : argv)
    cargv.push_back(a.data());
  cargv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, cargv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ProgramOutcome o;
  if (rc != 0) return o;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  o.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  o.out = platform::ReadWholeFile(outFile).value_or("");
  o.err = platform::ReadWholeFile(errFile).value_or("");
  std::error_code ec;
  std::filesystem::remove(outFile, ec);
  std::filesystem::remove(errFile, ec);
  return o;
}

}  // namespace qv::testing
