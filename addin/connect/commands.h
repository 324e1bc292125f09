#pragma once
// The add-in's six commands, each declared once: its name (the click handlers are
// name + "_Click" for the toolbar button and name + "M_Click" for the menu item), the handler of
// the add-in object that runs it, and its control in the "&Quorvanta" menu and in the "Quorvanta"
// toolbar. The menu, the toolbar, the references to their controls, the click subscriptions and
// the handlers automation clients call by name are all made from this table.

#include <array>
#include <cstddef>

#include "automation/dispatch.h"

namespace qv::addin {

class Connect;

// One control as it is created, and the connection's step numbers while it is added, set up and
// re-attached (a failure report says how far it got).
struct ButtonSpec {
  const char* caption;
  const char* tag;
  bool beginGroup;
  int fAdd;
  int fSetup;
  int fAttach;
};

struct CommandDef {
  const char* name;
  void (Connect::*handler)(const automation::ObjectRef& ctrl, bool& cancelDefault);
  bool upgradeOnly;  // shown only when an update is available
  ButtonSpec menu;
  ButtonSpec toolbar;
};

// The commands in the order of their controls.
enum CommandIndex : size_t {
  kCreateQuestionCommand,
  kCreateContentDelimCommand,
  kWebVerifyCommand,
  kTutorialCommand,
  kSignUpCommand,
  kUpgradeCommand,
  kCommandCount
};

const std::array<CommandDef, kCommandCount>& Commands();

}  // namespace qv::addin
