#include "tools/lib/setup/run_installer.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "platform/com/activation.h"
#include "platform/process/spawn.h"
#include "word/rot/running_word.h"
#include "word/running_application.h"

namespace qv::tools {
namespace {

namespace fs = std::filesystem;

constexpr auto kInstallerLimit = std::chrono::minutes(2);

std::string Quoted(const fs::path& base) {
  return "\"" + base.string() + "\"";
}

}  // namespace

fs::path InitializerProgram() {
  if (const char* file = std::getenv("QUORVANTA_INITIALIZER"); file && *file) return file;
  return QV_INITIALIZER_PROGRAM;
}

int RunInitializer(const std::vector<std::string>& args) {
  const std::string program = InitializerProgram().string();

  // The installer attaches to a word processor of this process only if it is served meanwhile.
  word::RunningWordEndpoint endpoint;
  if (word::RunningApplication()) {
    std::string why;
    (void)endpoint.Publish(why);  // another one publishes already: the installer finds that one
  }

  // The installer keeps this program's standard input: at a terminal, its message boxes ask there.
  platform::SpawnOptions options;
  options.quietInput = false;
  const pid_t pid = platform::SpawnProgram(program, args, options);
  const auto deadline = std::chrono::steady_clock::now() + kInstallerLimit;
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      if (WIFEXITED(status)) return WEXITSTATUS(status);
      throw std::runtime_error("the installer " + program + " ended abnormally");
    }
    if (done < 0 && errno != EINTR) throw std::runtime_error("cannot wait for the installer");
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      throw std::runtime_error("the installer " + program + " did not end in time");
    }
    if (endpoint.Published())
      endpoint.Pump(platform::Millis(10));
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

InstallationPaths Install(const fs::path& base) {
  const InstallationPaths paths = CopyInstallationFiles(base);
  RunInitializer({"-w", Quoted(paths.base)});
  RunInitializer({"-p", Quoted(paths.base)});
  return paths;
}

void Uninstall(const fs::path& base) {
  const InstallationPaths paths = PathsFor(base);
  RunInitializer({"-w", "-u", Quoted(paths.base)});
  RunInitializer({"-p", "-u", Quoted(paths.base)});
  std::string error;
  (void)platform::CallRegistrationEntry(AddinLibrary().string(), true, error);
}

}  // namespace qv::tools
