#pragma once
// A pop-up menu on a command bar: a control that holds a bar of its own (type msoBarTypePopup,
// position msoBarPopup) with the menu's controls. Its bar is not one of the CommandBars items;
// it is reached through the pop-up and searched by FindControl.

#include <memory>

#include "office/command_bar_control.h"

namespace qv::office {

class CommandBarControls;

class CommandBarPopup : public CommandBarControl {
 public:
  CommandBarPopup(int32_t id, bool builtIn, bool temporary, std::shared_ptr<BarsContext> context);

  const automation::DispatchTable& Members() const override;

  std::shared_ptr<CommandBarControls> Controls() const;
  std::shared_ptr<qv::office::CommandBar> CommandBar() const;

 protected:
  void MarkDeleted() override;

 private:
  friend class CommandBarControl;
  std::shared_ptr<qv::office::CommandBar> bar_;
};

}  // namespace qv::office
