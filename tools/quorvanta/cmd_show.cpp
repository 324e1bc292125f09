#include <cstdio>

#include "tools/quorvanta/commands.h"

namespace qv::tools {

int ShowCommand(const CommandArgs&) {
  std::fprintf(stderr, "quorvanta show: not available yet\n");
  return 2;
}

}  // namespace qv::tools
