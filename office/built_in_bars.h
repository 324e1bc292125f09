#pragma once
// The built-in command bars a host program starts with: what bars exist, their kinds, and the
// built-in controls (with the host's control ids) on them.

#include <cstdint>
#include <string>
#include <vector>

#include "office/command_bar_types.h"

namespace qv::office {

// The Tools menu, on every host's menu bar.
inline constexpr int32_t kToolsMenuId = 30007;

struct BuiltInControl {
  int32_t type = msoControlButton;
  int32_t id = 0;
  std::string caption;
  std::vector<BuiltInControl> controls;  // the menu of a pop-up
};

struct BuiltInBar {
  std::string name;
  int32_t type = msoBarTypeNormal;
  int32_t position = msoBarTop;
  bool visible = true;
  std::vector<BuiltInControl> controls;
};

// "Menu Bar" (File, Edit, View, Insert, Format, Tools, Table, Window, Help), "Standard",
// "Formatting".
std::vector<BuiltInBar> WordBuiltInBars();
// "Menu Bar" (File, Edit, View, Insert, Format, Tools, Slide Show, Window, Help), "Standard",
// "Formatting".
std::vector<BuiltInBar> PowerPointBuiltInBars();
// Removes every built-in control with `id` (at any depth): a host whose Tools menu is missing is
// WordBuiltInBars() without kToolsMenuId.
void RemoveBuiltInControl(std::vector<BuiltInBar>& bars, int32_t id);

}  // namespace qv::office
