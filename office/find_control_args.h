#pragma once
// FindControl's arguments as automation clients pass them to a bar and to the set of bars:
// Type, Id, Tag and Visible, each optional.

#include "automation/dispatch.h"
#include "office/command_bar.h"

namespace qv::office {

// The query of arguments 0 to 3; a missing argument means "any".
ControlQuery FindControlQuery(automation::Args& args);

}  // namespace qv::office
