#pragma once
// The shell's open verb: "open this program (or address) with this parameter", as the host's
// ShellExecute does. Programs are looked up, by file name without regard to case ("iexplore.exe",
// also when given with a folder), in a table of handlers that higher layers register (the
// browser registers its own program: the address opens in a stand-alone window of the embedded
// browser). A web address given as the file opens with the browser program.
//
// When the environment variable QUORVANTA_DESKTOP_BROWSER names a program, the desktop's browser
// takes the browser program's place: it is started with posix_spawn and the argument vector
// {program, parameters} (the parameters read as CommandLineArgument does): never through a
// command shell, so no text of the parameters is ever read as a command. Nothing else is ever
// started.
//
// The result is the host's: a value above 32 on success, an error code of 32 or below otherwise.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qv::platform {

namespace shell {
inline constexpr int32_t kSuccess = 42;        // any value above 32 means success
inline constexpr int32_t kOutOfResources = 0;  // the system is out of memory or resources
inline constexpr int32_t kFileNotFound = 2;    // ERROR_FILE_NOT_FOUND / SE_ERR_FNF
inline constexpr int32_t kPathNotFound = 3;    // SE_ERR_PNF
inline constexpr int32_t kAccessDenied = 5;    // SE_ERR_ACCESSDENIED
inline constexpr int32_t kNoAssociation = 31;  // SE_ERR_NOASSOC: nothing opens this
// Show commands.
inline constexpr int32_t kHide = 0;
inline constexpr int32_t kShowNormal = 1;
inline constexpr int32_t kShowMinimized = 2;
inline constexpr int32_t kRestore = 9;
// The name of the browser program, which also opens web addresses.
inline constexpr const char* kBrowserProgram = "iexplore.exe";
}  // namespace shell

struct ShellRequest {
  std::string verb;        // "" or "open" (any case)
  std::string file;        // the program or address
  std::string parameters;  // handed to the program as one argument
  std::string directory;
  int32_t showCommand = shell::kShowNormal;
};

// A program of the table: does what the request asks and returns the shell's result.
using ShellProgram = std::function<int32_t(const ShellRequest&)>;

class ShellPrograms {
 public:
  // The table of this process, which the product's calls use.
  static ShellPrograms& Process();

  // Registers (or replaces) the program of that file name (without regard to case).
  void Register(const std::string& fileName, ShellProgram program);
  void Unregister(const std::string& fileName);
  const ShellProgram* Find(const std::string& fileName) const;

 private:
  std::map<std::string, ShellProgram> programs_;  // by lower-cased file name
};

// Runs the request against `programs`.
int32_t ShellExecute(const ShellPrograms& programs, const ShellRequest& request);
// The host's call: ShellExecute(window, verb, file, parameters, directory, show command) on the
// process's table. The window handle is not used.
int32_t ShellExecute(int64_t window, const std::string& verb, const std::string& file,
                     const std::string& parameters, const std::string& directory,
                     int32_t showCommand);

// The parameters as the started program reads its one argument from its command line: blanks
// around it dropped, and one pair of double quotes around it removed.
std::string CommandLineArgument(const std::string& parameters);

// Starts `program` with the argument vector {program, arguments...} without a shell and without
// waiting for it. Returns the shell's result (kFileNotFound when it cannot be started).
int32_t SpawnDetached(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace qv::platform
