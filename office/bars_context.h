#pragma once
// What every bar and control of one set of command bars shares: the click router, the owner's
// change signal and the action that runs when a click is not cancelled. Held by shared_ptr from
// every object of the set; it holds none of them, so it makes no ownership cycle.

#include <functional>
#include <memory>

#include "office/click_events.h"

namespace qv::office {

class CommandBarControl;

struct BarsContext {
  std::shared_ptr<ClickRouter> router = std::make_shared<ClickRouter>();
  // Called after every change of a permanent bar or control (the template that stores the
  // customizations marks itself unsaved).
  std::function<void()> onChange;
  // Runs a control's own action (its on-action macro or built-in command) after a click that no
  // handler cancelled.
  std::function<void(CommandBarControl&)> defaultAction;
  // While positive (during Load), changes are not signalled.
  int quiet = 0;

  void Changed() const {
    if (quiet == 0 && onChange) onChange();
  }
};

}  // namespace qv::office
