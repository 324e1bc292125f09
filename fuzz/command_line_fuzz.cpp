// The installer's command line: any line is taken or refused, and a line taken names a program
// that exists and a base folder that ends with the separator or is empty.

#include "fuzz/fuzz_target.h"
#include "initializer/dclrs.h"

using namespace qv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  initializer::Dclrs args;
  if (!initializer::ParseArgs(line, args)) return 0;
  if (!args.prog.empty() && args.prog != "-w" && args.prog != "-p")
    fuzz::Fault("a command line named an unknown program: " + args.prog);
  return 0;
}

std::vector<std::string> qv::fuzz::Seeds() {
  return {"-w \"/opt/base/\"", "-w -u \"/opt/base/\"", "-p -l \"/b/\"", "-w \"/b/", "-w \"\""};
}
