#pragma once
// A button of a command bar. Product code hooks its click event with OnClick (the host's event
// reference on a button); the routing by Tag is described in click_events.h.

#include <memory>

#include "office/click_events.h"
#include "office/command_bar_control.h"

namespace qv::office {

class CommandBarButton : public CommandBarControl {
 public:
  CommandBarButton(int32_t id, bool builtIn, bool temporary, std::shared_ptr<BarsContext> context);

  const automation::DispatchTable& Members() const override;

  int32_t Style() const;
  void SetStyle(int32_t value);

  // Hooks `handler` to this button's click event (and, by Tag, to its look-alikes). The handler
  // runs until the token is destroyed or reset.
  ClickSubscription OnClick(ClickHandler handler);
  // The same as Execute: what a click of the user does.
  void Click() { Execute(); }

 protected:
  void Clicked() override;
};

}  // namespace qv::office
