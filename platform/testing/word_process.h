#pragma once
// A word processor serving in a process of its own (`quorvanta word`) for the object's lifetime,
// in the test's profile, with standard input from /dev/null so that nobody is waited for.

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/process/spawn.h"

namespace qv::testing {

class WordProcess {
 public:
  // Starts `quorvanta word` and waits until it publishes `socket`.
  WordProcess(const std::string& quorvanta, const std::filesystem::path& socket) {
    pid_ = platform::SpawnProgram(quorvanta, {"word"});
    for (int i = 0; i < 1000 && !std::filesystem::exists(socket); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!std::filesystem::exists(socket)) {
      Stop();
      throw std::runtime_error("the word processor did not publish " + socket.string());
    }
  }
  ~WordProcess() { Stop(); }
  WordProcess(const WordProcess&) = delete;
  WordProcess& operator=(const WordProcess&) = delete;

  // Asks it to end (it quits the word processor) and waits; the exit code.
  int Stop() { return End(SIGTERM); }
  // Ends it the hard way, as a crash would: its socket stays behind.
  void Kill() { (void)End(SIGKILL); }

 private:
  int End(int signal) {
    if (pid_ <= 0) return exit_;
    ::kill(pid_, signal);
    exit_ = platform::WaitForExit(pid_);
    pid_ = -1;
    return exit_;
  }

  pid_t pid_ = -1;
  int exit_ = -1;
};

}  // namespace qv::testing
