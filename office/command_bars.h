#pragma once
// The command bars of one host program, counted from 1: the built-in bars it starts with and the
// bars added to it. Item takes an index or a name (without regard to case).
//
// Customizations are stored by the owner: Save gives every bar (built-in or not) with every
// permanent control and its properties in order; Load puts such a record back. The change handler
// is called after every change of a permanent bar or control, so that the template that keeps the
// customizations can mark itself unsaved.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "automation/dispatch.h"
#include "office/built_in_bars.h"
#include "office/command_bar.h"
#include "office/command_bar_types.h"

namespace qv::office {

class CommandBarControl;
class CommandBarControls;
struct BarsContext;

class CommandBars : public automation::Dispatch {
 public:
  static std::shared_ptr<CommandBars> Create(const std::vector<BuiltInBar>& builtIns);
  explicit CommandBars(std::shared_ptr<BarsContext> context);

  const automation::DispatchTable& Members() const override;

  int32_t Count() const;
  // Raise 5 "Invalid procedure call or argument" when there is no such bar.
  std::shared_ptr<CommandBar> Item(int32_t index) const;
  std::shared_ptr<CommandBar> Item(const std::string& name) const;
  // Adds a bar at the end. `position` msoBarPopup makes a pop-up bar (type 2); `menuBar` a menu
  // bar (type 1). Without a name the bar is called "Custom <n>". Raises 5 when a bar of the same
  // kind (pop-up or not) already has the name. A temporary bar is not stored with the bars.
  std::shared_ptr<CommandBar> Add(std::optional<std::string> name = std::nullopt,
                                  int32_t position = msoBarFloating, bool menuBar = false,
                                  bool temporary = false);
  // The first control of any bar, in bar order and depth first through pop-up menus, that
  // matches; null when none does.
  std::shared_ptr<CommandBarControl> FindControl(const ControlQuery& query) const;
  std::shared_ptr<CommandBar> ActiveMenuBar() const;
  std::vector<std::shared_ptr<CommandBar>> All() const { return bars_; }

  // Every bar and permanent control (see docs/office.md for the format).
  nlohmann::json Save() const;
  // Puts back a record made by Save: built-in bars (matched by name) get the saved state and
  // controls; custom bars are replaced by the saved ones. References to the replaced bars and
  // controls become deleted. A malformed record raises 5 with a description naming the fault and
  // changes nothing.
  void Load(const nlohmann::json& saved);

  void SetChangeHandler(std::function<void()> handler);
  void SetDefaultAction(std::function<void(CommandBarControl&)> action);

 private:
  friend class CommandBar;
  struct SavedControl;
  struct SavedBar;

  static void AddBuiltIn(CommandBarControls& controls, const BuiltInControl& def,
                         const std::shared_ptr<BarsContext>& context);
  static void Restore(CommandBarControls& controls, const SavedControl& saved,
                      const std::shared_ptr<BarsContext>& context);
  void Remove(const CommandBar& bar);
  bool NameTaken(const std::string& name, bool popup, const CommandBar* except) const;

  std::shared_ptr<BarsContext> context_;
  std::vector<std::shared_ptr<CommandBar>> bars_;
  int32_t customCount_ = 0;
};

}  // namespace qv::office
