// The libFuzzer programs' start: `-write_seeds=DIR` writes the target's seeds into DIR and ends,
// so that a fuzzing run can start from them without a second build of the targets.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  const std::string flag = "-write_seeds=";
  for (int i = 1; i < *argc; ++i) {
    const std::string arg = (*argv)[i];
    if (arg.rfind(flag, 0) != 0) continue;
    const std::string dir = arg.substr(flag.size());
    std::printf("%zu seeds written to %s\n", qv::fuzz::WriteSeeds(dir), dir.c_str());
    std::exit(0);
  }
  return 0;
}
