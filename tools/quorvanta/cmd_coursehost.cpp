#include <cstdio>

#include "tools/quorvanta/commands.h"

namespace qv::tools {

int CourseHostCommand(const CommandArgs&) {
  std::fprintf(stderr, "quorvanta coursehost: not available yet\n");
  return 2;
}

}  // namespace qv::tools
