#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/fuzz_target.h"

namespace qv::fuzz {

void Fault(const std::string& what) {
  std::fprintf(stderr, "fuzz fault: %s\n", what.c_str());
  std::abort();
}

size_t WriteSeeds(const std::string& dir) {
  const auto seeds = Seeds();
  std::filesystem::create_directories(dir);
  for (size_t i = 0; i < seeds.size(); ++i)
    std::ofstream(std::filesystem::path(dir) / ("seed-" + std::to_string(i)), std::ios::binary)
        << seeds[i];
  return seeds.size();
}

void UseTemporaryProfile() {
  static const bool done = [] {
    std::string dir = (std::filesystem::temp_directory_path() / "qv-fuzz-XXXXXX").string();
    if (!::mkdtemp(dir.data())) Fault("cannot make a profile directory");
    ::setenv("QUORVANTA_HOME", dir.c_str(), 1);
    static const std::string made = dir;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(made, ec);
    });
    return true;
  }();
  (void)done;
}

}  // namespace qv::fuzz
