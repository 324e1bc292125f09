#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "tools/lib/script/script_runner.h"
#include "tools/quorvanta/commands.h"

namespace qv::tools {
namespace {

// A new, empty profile for one run (the test suite runs every scenario in its own), removed
// afterwards.
class FreshProfile {
 public:
  FreshProfile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qv-run-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a fresh profile");
    dir_ = pattern;
    ::setenv("QUORVANTA_HOME", dir_.c_str(), 1);
  }
  ~FreshProfile() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  FreshProfile(const FreshProfile&) = delete;
  FreshProfile& operator=(const FreshProfile&) = delete;

 private:
  std::filesystem::path dir_;
};

}  // namespace

// quorvanta run [--embedding|--automation] [--fresh-profile] SCRIPT.js|- [ARGS...]
int RunCommand(const CommandArgs& args) {
  ScriptOptions options;
  bool freshProfile = false;
  size_t i = 0;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
    if (args[i] == "--embedding") {
      options.startMode = 2;
    } else if (args[i] == "--automation") {
      options.startMode = 3;
    } else if (args[i] == "--fresh-profile") {
      freshProfile = true;
    } else {
      std::fprintf(stderr, "quorvanta run: unknown option '%s'\n", args[i].c_str());
      return 2;
    }
  }
  if (i >= args.size()) {
    std::fprintf(stderr,
                 "usage: quorvanta run [--embedding|--automation] [--fresh-profile] SCRIPT.js|- "
                 "[ARGS...]\n");
    return 2;
  }
  options.path = args[i];
  options.args.assign(args.begin() + static_cast<long>(i) + 1, args.end());
  std::optional<FreshProfile> profile;
  if (freshProfile) profile.emplace();
  ScriptRunner runner(options);
  return runner.Run();
}

}  // namespace qv::tools
