#pragma once
// The controls of one command bar, counted from 1. Item takes an index or a name; a name matches
// the control's caption without its "&" accelerator marks ("&&" shows as "&"), or the caption
// itself, without regard to case, so "Tools" and "&Tools" find "&Tools".

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/dispatch.h"

namespace qv::office {

class CommandBar;
class CommandBarControl;
struct BarsContext;

class CommandBarControls : public automation::Dispatch {
 public:
  CommandBarControls(std::weak_ptr<CommandBar> bar, std::shared_ptr<BarsContext> context);

  const automation::DispatchTable& Members() const override;

  int32_t Count() const;
  // Raises 5 "Invalid procedure call or argument" when there is no such control.
  std::shared_ptr<CommandBarControl> Item(int32_t index) const;
  std::shared_ptr<CommandBarControl> Item(const std::string& name) const;
  // Adds a control of `type` (msoControlButton or msoControlPopup) before the control at
  // `before` (at the end when absent). An `id` of 0 or 1 makes a custom control (Id 1); another id
  // makes a copy of the built-in control with that id found on any bar of the set (caption, type
  // and tooltip; raises 5 when there is none). A temporary control is not stored with the bars.
  std::shared_ptr<CommandBarControl> Add(int32_t type, int32_t id = 0,
                                         const std::string& parameter = "",
                                         std::optional<int32_t> before = std::nullopt,
                                         bool temporary = false);
  std::shared_ptr<qv::office::CommandBar> Parent() const;

  // The controls in order (C++ convenience; the list is a copy).
  std::vector<std::shared_ptr<CommandBarControl>> All() const { return controls_; }

 private:
  friend class CommandBarControl;
  friend class CommandBar;
  friend class CommandBars;

  void CheckAlive() const;
  // Places a control at 0-based `pos` (clamped to the end) and makes this bar its parent.
  void Insert(const std::shared_ptr<CommandBarControl>& control, size_t pos);
  // Takes a control out of the list (it stays alive for its holders); false when not here.
  bool Detach(const CommandBarControl& control);
  int32_t IndexOf(const CommandBarControl& control) const;
  // Marks every control deleted and empties the list.
  void DeleteAll();

  std::weak_ptr<CommandBar> bar_;
  std::shared_ptr<BarsContext> context_;
  std::vector<std::shared_ptr<CommandBarControl>> controls_;
};

}  // namespace qv::office
