#pragma once
// One command bar: a toolbar, a menu bar, or the menu of a pop-up control. Built-in bars cannot
// be deleted or renamed; custom bars can. A deleted bar raises 5825 "Object has been deleted."
// on every later use, as do its controls.

#include <cstdint>
#include <memory>
#include <string>

#include "automation/dispatch.h"
#include "office/command_bar_types.h"

namespace qv::office {

class CommandBars;
class CommandBarControl;
class CommandBarControls;
class CommandBarPopup;
struct BarsContext;

// What FindControl looks for: 0 or empty means "any". With `visibleOnly`, hidden bars and
// controls are skipped and closed pop-up menus are not searched.
struct ControlQuery {
  int32_t type = 0;
  int32_t id = 0;
  std::string tag;
  bool visibleOnly = false;
};

class CommandBar : public automation::Dispatch {
 public:
  struct Init {
    std::string name;
    int32_t type = msoBarTypeNormal;
    int32_t position = msoBarFloating;
    bool builtIn = false;
    bool temporary = false;
    bool visible = false;
  };
  // Makes a bar of the set `collection` (empty for the bar of a pop-up control).
  static std::shared_ptr<CommandBar> Make(Init init, std::weak_ptr<CommandBars> collection,
                                          std::shared_ptr<BarsContext> context);
  CommandBar(Init init, std::weak_ptr<CommandBars> collection,
             std::shared_ptr<BarsContext> context);

  const automation::DispatchTable& Members() const override;

  // The bar of a pop-up control takes its name from the pop-up's caption (without "&").
  std::string Name() const;
  // Raises 5 for a built-in bar, a pop-up's bar, or a name another bar of the same kind has.
  void SetName(const std::string& value);
  std::string NameLocal() const { return Name(); }
  int32_t Type() const;
  int32_t Position() const;
  void SetPosition(int32_t value);
  bool Visible() const;
  void SetVisible(bool value);
  bool Enabled() const;
  void SetEnabled(bool value);
  bool BuiltIn() const;
  bool Temporary() const;
  // The position among the CommandBars, from 1; 0 for the bar of a pop-up control.
  int32_t Index() const;
  std::shared_ptr<CommandBarControls> Controls() const;
  // The first control of this bar (and, when `recursive`, of its pop-up menus) that matches.
  std::shared_ptr<CommandBarControl> FindControl(const ControlQuery& query,
                                                 bool recursive = false) const;
  // Deletes a custom bar; raises 5 for a built-in bar or a pop-up's bar.
  void Delete();

  // The pop-up control whose menu this bar is (null for the CommandBars items).
  std::shared_ptr<CommandBarPopup> OwnerPopup() const { return owner_.lock(); }
  // The set this bar is an item of (null for the bar of a pop-up control).
  std::shared_ptr<CommandBars> Collection() const { return collection_.lock(); }
  bool IsDeleted() const { return deleted_; }

 private:
  friend class CommandBars;
  friend class CommandBarPopup;
  friend class CommandBarControl;
  friend class CommandBarControls;

  void CheckAlive() const;
  // True when the bar is stored with the set (it is not temporary, nor in a temporary menu).
  bool Kept() const;
  void Changed() const;
  static std::shared_ptr<CommandBarControl> Search(const CommandBar& bar, const ControlQuery& query,
                                                   bool recursive);
  void MarkDeleted();

  Init init_;
  bool enabled_ = true;
  bool deleted_ = false;
  std::weak_ptr<CommandBars> collection_;
  std::weak_ptr<CommandBarPopup> owner_;
  std::shared_ptr<BarsContext> context_;
  std::shared_ptr<CommandBarControls> controls_;
};

}  // namespace qv::office
