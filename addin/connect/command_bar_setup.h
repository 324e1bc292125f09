#pragma once
// The add-in's two command containers: the "&Quorvanta" pop-up in the word processor's Tools menu
// and the "Quorvanta" toolbar. Both are built once, kept in the Normal template, and at every
// later connection found again and re-attached to the command handlers by their controls' tags;
// a rebuild (first run after installation or a version change) empties and refills them.
//
// The step number `f` and the trace `addlInfo` of the connection are advanced as the work goes,
// so that a failure report says how far it got.

#include <string>

#include "addin/connect/command_refs.h"
#include "office/command_bars.h"

namespace qv::addin {

class CommandBarSetup {
 public:
  CommandBarSetup(office::CommandBars& bars, CommandRefs& refs, std::string progId,
                  bool upgradeAvailable, int& f, std::string& addlInfo);

  void BuildMenu(bool rebuild);
  void BuildToolbar(bool rebuild);

 private:
  office::CommandBars& bars_;
  CommandRefs& refs_;
  std::string onAction_;
  bool upgradeAvailable_;
  int& f_;
  std::string& addlInfo_;
};

// Sets the enabled flag of every control of the menu pop-up and of the toolbar, with errors
// ignored; the containers themselves are left as they are.
void SetCommandsEnabled(office::CommandBars& bars, bool enabled);
void DisableCommands(office::CommandBars& bars);
void EnableCommands(office::CommandBars& bars);

}  // namespace qv::addin
