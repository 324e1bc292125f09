#include <cstdio>

#include "tools/quorvanta/commands.h"

namespace qv::tools {

int RegCommand(const CommandArgs&) {
  std::fprintf(stderr, "quorvanta reg: not available yet\n");
  return 2;
}

}  // namespace qv::tools
