#include "addin/connect/commands.h"

#include "addin/connect/connect.h"

namespace qv::addin {

const std::array<CommandDef, kCommandCount>& Commands() {
  static const std::array<CommandDef, kCommandCount> commands = {{
      {"CreateQuestion",
       &Connect::CreateQuestion_Click,
       false,
       {"Add New Question", "kzoMCQ", false, 4, 4, 13},
       {"Add New Question", "kzoCQ", false, 23, 24, 34}},
      {"CreateContentDelim",
       &Connect::CreateContentDelim_Click,
       false,
       {"Insert Web Page Break", "kzoMC", false, 5, 5, 14},
       {"Add Web Page Break", "kzoC", true, 25, 26, 35}},
      {"WebVerify",
       &Connect::WebVerify_Click,
       false,
       {"Enhanced Web Preview", "kzoMWV", false, 6, 7, 15},
       {"Enhanced Web Preview", "kzoWV", true, 27, 28, 36}},
      {"Tutorial",
       &Connect::Tutorial_Click,
       false,
       {"Web Tutorial", "kzoMWT", false, 8, 9, 16},
       {"Web Tutorial", "kzoWT", true, 29, 30, 37}},
      {"SignUp",
       &Connect::SignUp_Click,
       false,
       {"Add to Course", "kzoMAC", false, 10, 111, 17},
       {"Add to Course", "kzoAC", true, 31, 310, 38}},
      {"Upgrade",
       &Connect::Upgrade_Click,
       true,
       {"Get Update", "kzoMUG", false, 112, 114, 171},
       {"Get Upgrade", "kzoUG", true, 311, 312, 39}},
  }};
  return commands;
}

}  // namespace qv::addin
