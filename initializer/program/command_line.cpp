#include "initializer/program/command_line.h"

namespace qv::initializer {

std::string CommandLine(int argc, const char* const* argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

}  // namespace qv::initializer
