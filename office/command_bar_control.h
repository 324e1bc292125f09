#pragma once
// A control of a command bar: a button (CommandBarButton) or a pop-up menu (CommandBarPopup).
// The members common to both are declared here, once.
//
// Ownership: a bar's Controls collection owns its controls; a control knows its bar only weakly.
// Deleting a control (or its bar, or the pop-up that holds it) takes it out of its bar for good:
// every later use of a reference still held raises 5825 "Object has been deleted.".

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "automation/dispatch.h"
#include "office/command_bar_types.h"

namespace qv::office {

class CommandBar;
class CommandBarControls;
struct BarsContext;

// The state of a control that the user can customize and the template stores.
struct ControlProperties {
  std::string caption;
  std::string tag;
  std::string onAction;
  std::string tooltipText;
  std::string parameter;
  int32_t style = msoButtonAutomatic;  // buttons only
  bool visible = true;
  bool enabled = true;
  bool beginGroup = false;
};

class CommandBarControl : public automation::Dispatch {
 public:
  // Makes a detached control of `type` (msoControlButton or msoControlPopup; raises 5 for other
  // types). Controls reach a bar through CommandBarControls::Add.
  static std::shared_ptr<CommandBarControl> Make(int32_t type, int32_t id, bool builtIn,
                                                 bool temporary,
                                                 std::shared_ptr<BarsContext> context);

  const automation::DispatchTable& Members() const override;

  std::string Caption() const;
  void SetCaption(const std::string& value);
  std::string Tag() const;
  void SetTag(const std::string& value);
  std::string OnAction() const;
  void SetOnAction(const std::string& value);
  std::string TooltipText() const;
  void SetTooltipText(const std::string& value);
  std::string Parameter() const;
  void SetParameter(const std::string& value);
  bool Visible() const;
  void SetVisible(bool value);
  bool Enabled() const;
  void SetEnabled(bool value);
  bool BeginGroup() const;
  void SetBeginGroup(bool value);

  int32_t Id() const;
  int32_t Type() const;
  bool BuiltIn() const;
  bool Temporary() const;
  // The position in its bar's controls, from 1.
  int32_t Index() const;
  // The bar this control sits on (for a control of a pop-up menu: the pop-up's own bar).
  std::shared_ptr<qv::office::CommandBar> Parent() const;

  // Removes the control from its bar; raises 5825 when it was already deleted.
  void Delete();
  // Runs the control as a click of the user does: nothing when it (or a pop-up it sits in) is
  // disabled or hidden; otherwise the click event, then the control's own action unless a handler
  // cancelled it.
  void Execute();
  // Moves the control to `bar` (its own bar when null), before the control at `before` (at the
  // end when absent), as the user does with the mouse while customizing. Returns the control.
  std::shared_ptr<CommandBarControl> Move(const std::shared_ptr<qv::office::CommandBar>& bar,
                                          std::optional<int32_t> before = std::nullopt);

  // The name the Controls collection matches: the caption without its accelerator marks.
  std::string Name() const;
  bool IsDeleted() const { return deleted_; }
  const ControlProperties& Properties() const { return props_; }

 protected:
  CommandBarControl(int32_t type, int32_t id, bool builtIn, bool temporary,
                    std::shared_ptr<BarsContext> context);

  // The members shared by every kind of control, for derived tables to inherit.
  static const automation::DispatchTable& CommonMembers();
  // Raises 5825 once the control was deleted.
  void CheckAlive() const;
  // True when the control is stored with the bars: neither it nor a bar or menu holding it is
  // temporary.
  bool Kept() const;
  // Signals a customization of a kept control.
  void Changed() const;
  // True when a click of the user can reach the control now.
  bool Clickable() const;
  // What a click does once the control is clickable.
  virtual void Clicked() {}
  // Marks this control (and anything it holds) deleted.
  virtual void MarkDeleted();

  const std::shared_ptr<BarsContext>& Context() const { return context_; }
  ControlProperties& MutableProperties() { return props_; }

 private:
  friend class CommandBarControls;
  friend class CommandBar;
  friend class CommandBars;

  int32_t type_;
  int32_t id_;
  bool builtIn_;
  bool temporary_;
  bool deleted_ = false;
  ControlProperties props_;
  std::shared_ptr<BarsContext> context_;
  std::weak_ptr<qv::office::CommandBar> parent_;
};

}  // namespace qv::office
