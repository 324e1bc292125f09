#include "addin/connect/command_bar_setup.h"

#include "addin/constants.h"
#include "automation/error_trap.h"
#include "office/command_bar.h"
#include "office/command_bar_button.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/command_bar_types.h"

namespace qv::addin {
namespace {

constexpr int32_t kToolsMenuId = 30007;
constexpr const char* kPopupCaption = "&Quorvanta";

// Which of a command's two controls a container holds.
using ControlOf = ButtonSpec CommandDef::*;
using RefsOf = std::array<CommandRef, kCommandCount> CommandRefs::*;

std::shared_ptr<office::CommandBarButton> AsButton(
    const std::shared_ptr<office::CommandBarControl>& control) {
  auto button = std::dynamic_pointer_cast<office::CommandBarButton>(control);
  if (!button) automation::Raise(automation::err::kTypeMismatch);
  return button;
}

// Deletes every control of a container, appending "d" to the trace after each.
void Empty(office::CommandBarControls& controls, std::string& trace) {
  while (controls.Count() > 0) {
    controls.Item(1)->Delete();
    trace += "d";
  }
}

}  // namespace

CommandBarSetup::CommandBarSetup(office::CommandBars& bars, CommandRefs& refs, std::string progId,
                                 bool upgradeAvailable, int& f, std::string& addlInfo)
    : bars_(bars),
      refs_(refs),
      onAction_("!<" + progId + ">"),
      upgradeAvailable_(upgradeAvailable),
      f_(f),
      addlInfo_(addlInfo) {}

namespace {

// Creates the six buttons of one container in the order of the commands.
void CreateButtons(office::CommandBarControls& controls, ControlOf control, RefsOf refsOf,
                   CommandRefs& refs, const std::string& onAction, bool upgradeAvailable,
                   bool withGroups, int& f) {
  for (size_t i = 0; i < kCommandCount; ++i) {
    const CommandDef& command = Commands()[i];
    const ButtonSpec& def = command.*control;
    f = def.fAdd;
    auto button = AsButton(controls.Add(office::msoControlButton));
    (refs.*refsOf)[i].button = button;
    f = def.fSetup;
    button->SetCaption(def.caption);
    button->SetStyle(office::msoButtonCaption);
    button->SetOnAction(onAction);
    button->SetVisible(command.upgradeOnly ? upgradeAvailable : true);
    button->SetTag(def.tag);
    if (withGroups && def.beginGroup) button->SetBeginGroup(true);
  }
}

// Re-attaches the controls that carry one of the container's tags to their references.
void Reattach(office::CommandBarControls& controls, ControlOf controlOf, RefsOf refsOf,
              CommandRefs& refs, bool upgradeAvailable, int& f) {
  const int32_t count = controls.Count();
  for (int32_t i = 1; i <= count; ++i) {
    auto control = controls.Item(i);
    const std::string tag = control->Tag();
    for (size_t k = 0; k < kCommandCount; ++k) {
      const CommandDef& command = Commands()[k];
      const ButtonSpec& def = command.*controlOf;
      if (tag != def.tag) continue;
      f = def.fAttach;
      (refs.*refsOf)[k].button = AsButton(control);
      const bool on = command.upgradeOnly ? upgradeAvailable : true;
      control->SetVisible(on);
      control->SetEnabled(on);
      break;
    }
  }
}

}  // namespace

void CommandBarSetup::BuildMenu(bool rebuild) {
  f_ = 100001;
  auto tools = bars_.FindControl(office::ControlQuery{0, kToolsMenuId, "", false});
  f_ = 1;
  std::shared_ptr<office::CommandBarControls> toolsControls;
  automation::ErrorsIgnored ignore;
  ignore([&] {
    auto popup = std::dynamic_pointer_cast<office::CommandBarPopup>(tools);
    if (!popup) automation::Raise(automation::err::kObjectNotSet);
    (void)popup->Controls()->Count();
    toolsControls = popup->Controls();
  });
  if (ignore.Err()) return;  // no Tools menu: the toolbar alone is built

  addlInfo_ = "popup:";
  std::shared_ptr<office::CommandBarPopup> menu;
  const int32_t count = toolsControls->Count();
  for (int32_t i = 1; i <= count; ++i) {
    addlInfo_ += ".";
    auto control = toolsControls->Item(i);
    if (control->Caption() == kPopupCaption) {
      addlInfo_ += "m";
      menu = std::dynamic_pointer_cast<office::CommandBarPopup>(control);
      if (!menu) automation::Raise(automation::err::kTypeMismatch);
      if (rebuild) {
        addlInfo_ += "r";
        Empty(*menu->Controls(), addlInfo_);
      }
      break;
    }
  }
  addlInfo_ += "(end)";

  f_ = 2;
  if (!menu) {
    menu = std::dynamic_pointer_cast<office::CommandBarPopup>(
        toolsControls->Add(office::msoControlPopup, 0, "", std::nullopt, false));
    if (!menu) automation::Raise(automation::err::kTypeMismatch);
    menu->SetCaption(kPopupCaption);
  }
  f_ = 3;
  if (menu->Controls()->Count() == 0) {
    CreateButtons(*menu->Controls(), &CommandDef::menu, &CommandRefs::menu, refs_, onAction_,
                  upgradeAvailable_, false, f_);
    f_ = 115;
    menu->SetVisible(true);
  } else {
    f_ = 12;
    Reattach(*menu->Controls(), &CommandDef::menu, &CommandRefs::menu, refs_, upgradeAvailable_,
             f_);
    f_ = 18;
  }
  f_ = 19;
  menu->SetEnabled(true);
}

void CommandBarSetup::BuildToolbar(bool rebuild) {
  f_ = 20;
  addlInfo_ += " toolbar:";
  std::shared_ptr<office::CommandBar> toolbar;
  for (const auto& bar : bars_.All()) {
    addlInfo_ += ".";
    if (bar->Name() == kToolbarName && bar->Type() != office::msoBarTypePopup) {
      addlInfo_ += "m";
      if (rebuild) {
        addlInfo_ += "r";
        Empty(*bar->Controls(), addlInfo_);
      }
      toolbar = bar;
      break;
    }
  }
  addlInfo_ += "(end)";

  f_ = 21;
  if (!toolbar) toolbar = bars_.Add(std::string(kToolbarName), office::msoBarTop, false, false);
  f_ = 22;
  if (toolbar->Controls()->Count() == 0) {
    CreateButtons(*toolbar->Controls(), &CommandDef::toolbar, &CommandRefs::toolbar, refs_,
                  onAction_, upgradeAvailable_, true, f_);
    f_ = 313;
    toolbar->SetVisible(true);
    f_ = 32;
  } else {
    f_ = 33;
    Reattach(*toolbar->Controls(), &CommandDef::toolbar, &CommandRefs::toolbar, refs_,
             upgradeAvailable_, f_);
  }
  f_ = 40;
  toolbar->SetEnabled(true);
}

void SetCommandsEnabled(office::CommandBars& bars, bool enabled) {
  automation::ErrorsIgnored ignore;
  ignore([&] {
    auto tools = std::dynamic_pointer_cast<office::CommandBarPopup>(
        bars.Item(std::string("Menu Bar"))->Controls()->Item(std::string("Tools")));
    if (!tools) automation::Raise(automation::err::kObjectNotSet);
    auto menu = std::dynamic_pointer_cast<office::CommandBarPopup>(
        tools->Controls()->Item(std::string("Quorvanta")));
    if (!menu) automation::Raise(automation::err::kObjectNotSet);
    for (const auto& control : menu->Controls()->All())
      ignore([&] { control->SetEnabled(enabled); });
  });
  ignore([&] {
    for (const auto& control : bars.Item(std::string(kToolbarName))->Controls()->All())
      ignore([&] { control->SetEnabled(enabled); });
  });
}

void DisableCommands(office::CommandBars& bars) {
  SetCommandsEnabled(bars, false);
}
void EnableCommands(office::CommandBars& bars) {
  SetCommandsEnabled(bars, true);
}

}  // namespace qv::addin
