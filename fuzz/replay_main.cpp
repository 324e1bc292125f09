// The fuzz targets as ordinary programs (any compiler, no fuzzing engine): run every seed and
// every file or folder of files named on the command line through the target once; with
// --write-seeds DIR, write the seeds as files for a fuzzing run to start from.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fuzz/fuzz_target.h"

namespace {

void RunOne(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

void RunFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  RunOne(text.str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--write-seeds") {
    std::printf("%zu seeds written to %s\n", qv::fuzz::WriteSeeds(argv[2]), argv[2]);
    return 0;
  }
  const auto seeds = qv::fuzz::Seeds();
  for (const auto& s : seeds)
    RunOne(s);
  size_t files = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path p = argv[i];
    if (!std::filesystem::exists(p)) continue;  // a target without kept inputs yet
    if (std::filesystem::is_directory(p)) {
      for (const auto& e : std::filesystem::directory_iterator(p))
        if (e.is_regular_file()) {
          RunFile(e.path());
          ++files;
        }
    } else {
      RunFile(p);
      ++files;
    }
  }
  std::printf("%zu seeds and %zu files ran without a fault\n", seeds.size(), files);
  return 0;
}
