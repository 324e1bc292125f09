#include "platform/shell/shell_execute.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

#include "automation/text/ascii.h"

extern char** environ;

namespace qv::platform {
namespace {

// "C:\Program Files\...\IEXPLORE.EXE" and "/usr/bin/iexplore.exe" -> "iexplore.exe".
std::string FileNameOf(const std::string& file) {
  const size_t cut = file.find_last_of("\\/");
  return text::AsciiLowered(cut == std::string::npos ? file : file.substr(cut + 1));
}

bool IsWebAddress(const std::string& file) {
  const std::string lower = text::AsciiLowered(file.substr(0, 8));
  return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
}

}  // namespace

std::string CommandLineArgument(const std::string& parameters) {
  size_t b = 0, e = parameters.size();
  while (b < e && (parameters[b] == ' ' || parameters[b] == '\t'))
    ++b;
  while (e > b && (parameters[e - 1] == ' ' || parameters[e - 1] == '\t'))
    --e;
  if (e - b >= 2 && parameters[b] == '"' && parameters[e - 1] == '"') {
    ++b;
    --e;
  }
  return parameters.substr(b, e - b);
}

ShellPrograms& ShellPrograms::Process() {
  static ShellPrograms programs;
  return programs;
}

void ShellPrograms::Register(const std::string& fileName, ShellProgram program) {
  programs_[text::AsciiLowered(fileName)] = std::move(program);
}

void ShellPrograms::Unregister(const std::string& fileName) {
  programs_.erase(text::AsciiLowered(fileName));
}

const ShellProgram* ShellPrograms::Find(const std::string& fileName) const {
  const auto it = programs_.find(text::AsciiLowered(fileName));
  return it == programs_.end() ? nullptr : &it->second;
}

int32_t SpawnDetached(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> raw;
  for (auto& a : argv)
    raw.push_back(a.data());
  raw.push_back(nullptr);
  pid_t pid = 0;
  const int rc = program.find('/') == std::string::npos
                     ? ::posix_spawnp(&pid, program.c_str(), nullptr, nullptr, raw.data(), environ)
                     : ::posix_spawn(&pid, program.c_str(), nullptr, nullptr, raw.data(), environ);
  if (rc == ENOENT) return shell::kFileNotFound;
  if (rc == EACCES) return shell::kAccessDenied;
  if (rc != 0) return shell::kOutOfResources;
  // The browser lives on its own; its exit status is collected so it leaves no zombie.
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return shell::kSuccess;
}

int32_t ShellExecute(const ShellPrograms& programs, const ShellRequest& request) {
  const std::string verb = text::AsciiLowered(request.verb);
  if (!verb.empty() && verb != "open") return shell::kNoAssociation;
  if (request.file.empty()) return shell::kFileNotFound;

  // A web address is opened by the browser program, with the address as its parameter.
  ShellRequest effective = request;
  std::string program = FileNameOf(request.file);
  if (IsWebAddress(request.file)) {
    program = shell::kBrowserProgram;
    effective.parameters = request.file;
  }

  if (program == shell::kBrowserProgram) {
    if (const char* desktop = std::getenv("QUORVANTA_DESKTOP_BROWSER"); desktop && *desktop) {
      std::vector<std::string> arguments;
      const std::string argument = CommandLineArgument(effective.parameters);
      if (!argument.empty()) arguments.push_back(argument);
      return SpawnDetached(desktop, arguments);
    }
  }
  if (const ShellProgram* handler = programs.Find(program)) {
    const int32_t result = (*handler)(effective);
    return result;
  }
  return shell::kFileNotFound;
}

int32_t ShellExecute(int64_t, const std::string& verb, const std::string& file,
                     const std::string& parameters, const std::string& directory,
                     int32_t showCommand) {
  return ShellExecute(ShellPrograms::Process(),
                      ShellRequest{verb, file, parameters, directory, showCommand});
}

}  // namespace qv::platform
