#pragma once
// The twelve command button references of the add-in object: one per menu item and toolbar
// button (indexed as the commands of commands.h), each with the subscription that routes its
// clicks to the command's handler.

#include <array>
#include <memory>

#include "addin/connect/commands.h"
#include "office/click_events.h"
#include "office/command_bar_button.h"

namespace qv::addin {

struct CommandRef {
  std::shared_ptr<office::CommandBarButton> button;
  office::ClickSubscription subscription;
  void Clear() {
    subscription = office::ClickSubscription();
    button.reset();
  }
};

struct CommandRefs {
  std::array<CommandRef, kCommandCount> menu;     // "&Quorvanta" in the Tools menu
  std::array<CommandRef, kCommandCount> toolbar;  // the "Quorvanta" toolbar

  void Clear() {
    for (CommandRef* r : All())
      r->Clear();
  }
  std::array<CommandRef*, 2 * kCommandCount> All() {
    std::array<CommandRef*, 2 * kCommandCount> all{};
    for (size_t i = 0; i < kCommandCount; ++i) {
      all[i] = &menu[i];
      all[kCommandCount + i] = &toolbar[i];
    }
    return all;
  }
};

}  // namespace qv::addin
