#include "office/command_bars.h"

#include <algorithm>

#include "automation/collection_index.h"
#include "automation/text/ascii.h"
#include "office/bars_context.h"
#include "office/command_bar_control.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/find_control_args.h"
#include "office/name_match.h"

namespace qv::office {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

void CommandBars::AddBuiltIn(CommandBarControls& controls, const BuiltInControl& def,
                             const std::shared_ptr<BarsContext>& context) {
  auto control = CommandBarControl::Make(def.type, def.id, true, false, context);
  control->props_.caption = def.caption;
  controls.Insert(control, controls.All().size());
  if (def.type == msoControlPopup) {
    auto& popup = static_cast<CommandBarPopup&>(*control);
    for (const auto& child : def.controls)
      AddBuiltIn(*popup.Controls(), child, context);
  }
}

std::shared_ptr<CommandBars> CommandBars::Create(const std::vector<BuiltInBar>& builtIns) {
  auto context = std::make_shared<BarsContext>();
  auto set = std::make_shared<CommandBars>(context);
  for (const auto& def : builtIns) {
    CommandBar::Init init;
    init.name = def.name;
    init.type = def.type;
    init.position = def.type == msoBarTypePopup ? msoBarPopup : def.position;
    init.builtIn = true;
    init.visible = def.visible;
    auto bar = CommandBar::Make(std::move(init), set, context);
    for (const auto& control : def.controls)
      AddBuiltIn(*bar->controls_, control, context);
    set->bars_.push_back(std::move(bar));
  }
  return set;
}

CommandBars::CommandBars(std::shared_ptr<BarsContext> context) : context_(std::move(context)) {}

const DispatchTable& CommandBars::Members() const {
  using S = CommandBars;
  static const DispatchTable table =
      ClassTable<S>("CommandBars")
          .Collection()
          .Method("Add",
                  [](S& s, Args& a) {
                    std::optional<std::string> name;
                    if (a.Has(0)) name = a.Text(0);
                    return s.Add(name, a.Opt(1, Variant(msoBarFloating)).ToInt32(),
                                 a.Opt(2, Variant(false)).ToBool(),
                                 a.Opt(3, Variant(false)).ToBool());
                  })
          .Method("FindControl", [](S& s, Args& a) { return s.FindControl(FindControlQuery(a)); })
          .Get("ActiveMenuBar", [](S& s) { return s.ActiveMenuBar(); })
          .Build();
  return table;
}

int32_t CommandBars::Count() const {
  return static_cast<int32_t>(bars_.size());
}

std::shared_ptr<CommandBar> CommandBars::Item(int32_t index) const {
  return bars_[automation::CollectionPosition(index, bars_.size(), automation::err::kInvalidCall)];
}

std::shared_ptr<CommandBar> CommandBars::Item(const std::string& name) const {
  for (const auto& bar : bars_) {
    if (text::EqualsIgnoreCase(bar->init_.name, name)) return bar;
  }
  automation::Raise(automation::err::kInvalidCall);
}

bool CommandBars::NameTaken(const std::string& name, bool popup, const CommandBar* except) const {
  return std::any_of(bars_.begin(), bars_.end(), [&](const auto& bar) {
    return bar.get() != except && (bar->init_.type == msoBarTypePopup) == popup &&
           text::EqualsIgnoreCase(bar->init_.name, name);
  });
}

std::shared_ptr<CommandBar> CommandBars::Add(std::optional<std::string> name, int32_t position,
                                             bool menuBar, bool temporary) {
  if (position < msoBarLeft || position > msoBarPopup)
    automation::Raise(automation::err::kInvalidCall);
  const bool popup = position == msoBarPopup;
  if (!name) {
    do {
      name = "Custom " + std::to_string(++customCount_);
    } while (NameTaken(*name, popup, nullptr));
  }
  if (name->empty() || NameTaken(*name, popup, nullptr))
    automation::Raise(automation::err::kInvalidCall);
  CommandBar::Init init;
  init.name = *name;
  init.type = popup ? msoBarTypePopup : (menuBar ? msoBarTypeMenuBar : msoBarTypeNormal);
  init.position = position;
  init.temporary = temporary;
  init.visible = false;  // a new bar shows once it is made visible
  auto bar = CommandBar::Make(std::move(init),
                              std::static_pointer_cast<CommandBars>(shared_from_this()), context_);
  bars_.push_back(bar);
  bar->Changed();
  return bar;
}

std::shared_ptr<CommandBarControl> CommandBars::FindControl(const ControlQuery& query) const {
  for (const auto& bar : bars_) {
    if (query.visibleOnly && !bar->init_.visible) continue;
    if (auto found = CommandBar::Search(*bar, query, true)) return found;
  }
  return nullptr;
}

std::shared_ptr<CommandBar> CommandBars::ActiveMenuBar() const {
  // A custom menu bar that is shown replaces the built-in one.
  std::shared_ptr<CommandBar> active;
  for (const auto& bar : bars_) {
    if (bar->init_.type != msoBarTypeMenuBar) continue;
    if (!active || bar->init_.visible) active = bar;
  }
  return active;
}

void CommandBars::SetChangeHandler(std::function<void()> handler) {
  context_->onChange = std::move(handler);
}

void CommandBars::SetDefaultAction(std::function<void(CommandBarControl&)> action) {
  context_->defaultAction = std::move(action);
}

void CommandBars::Remove(const CommandBar& bar) {
  const auto it =
      std::find_if(bars_.begin(), bars_.end(), [&](const auto& b) { return b.get() == &bar; });
  if (it != bars_.end()) bars_.erase(it);
}

}  // namespace qv::office
