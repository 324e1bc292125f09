#include "office/command_bar_controls.h"

#include <algorithm>

#include "automation/collection_index.h"
#include "automation/text/ascii.h"
#include "office/bars_context.h"
#include "office/command_bar.h"
#include "office/command_bar_control.h"
#include "office/command_bar_popup.h"
#include "office/command_bars.h"
#include "office/name_match.h"

namespace qv::office {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

namespace {

// The set of bars `bar` belongs to, through the pop-ups that hold it.
std::shared_ptr<CommandBars> SetOf(std::shared_ptr<CommandBar> bar) {
  while (bar) {
    auto popup = bar->OwnerPopup();
    if (!popup) break;
    if (popup->IsDeleted()) return nullptr;
    bar = popup->Parent();
  }
  return bar ? bar->Collection() : nullptr;
}

}  // namespace

CommandBarControls::CommandBarControls(std::weak_ptr<CommandBar> bar,
                                       std::shared_ptr<BarsContext> context)
    : bar_(std::move(bar)), context_(std::move(context)) {}

const DispatchTable& CommandBarControls::Members() const {
  using C = CommandBarControls;
  static const DispatchTable table =
      ClassTable<C>("CommandBarControls")
          .Collection()
          .Method("Add",
                  [](C& c, Args& a) {
                    const int32_t type = a.Opt(0, Variant(msoControlButton)).ToInt32();
                    const int32_t id = a.Opt(1, Variant(0)).ToInt32();
                    const std::string parameter = a.Opt(2, Variant("")).ToText();
                    std::optional<int32_t> before;
                    if (a.Has(3)) before = a.Int(3);
                    const bool temporary = a.Opt(4, Variant(false)).ToBool();
                    return c.Add(type, id, parameter, before, temporary);
                  })
          .Get("Parent", [](C& c) { return c.Parent(); })
          .Build();
  return table;
}

void CommandBarControls::CheckAlive() const {
  auto bar = bar_.lock();
  if (!bar || bar->IsDeleted()) automation::Raise(automation::err::kObjectDeleted);
}

int32_t CommandBarControls::Count() const {
  CheckAlive();
  return static_cast<int32_t>(controls_.size());
}

std::shared_ptr<CommandBarControl> CommandBarControls::Item(int32_t index) const {
  CheckAlive();
  return controls_[automation::CollectionPosition(index, controls_.size(),
                                                  automation::err::kInvalidCall)];
}

std::shared_ptr<CommandBarControl> CommandBarControls::Item(const std::string& name) const {
  CheckAlive();
  // The name is the caption as shown (without accelerator marks); the caption itself also does.
  for (const auto& control : controls_) {
    const std::string& caption = control->Properties().caption;
    if (text::EqualsIgnoreCase(StripAccelerator(caption), name) ||
        text::EqualsIgnoreCase(caption, name))
      return control;
  }
  automation::Raise(automation::err::kInvalidCall);
}

std::shared_ptr<CommandBarControl> CommandBarControls::Add(int32_t type, int32_t id,
                                                           const std::string& parameter,
                                                           std::optional<int32_t> before,
                                                           bool temporary) {
  CheckAlive();
  if (type != msoControlButton && type != msoControlPopup)
    automation::Raise(automation::err::kInvalidCall);
  size_t pos = controls_.size();
  if (before) {
    if (*before < 1 || static_cast<size_t>(*before) > controls_.size() + 1)
      automation::Raise(automation::err::kInvalidCall);
    pos = static_cast<size_t>(*before - 1);
  }
  std::shared_ptr<CommandBarControl> control;
  if (id == 0 || id == kCustomControlId) {
    control = CommandBarControl::Make(type, kCustomControlId, false, temporary, context_);
  } else {
    // A copy of a built-in command: it carries the command's Id, caption and kind.
    auto set = SetOf(bar_.lock());
    ControlQuery query;
    query.id = id;
    auto original = set ? set->FindControl(query) : nullptr;
    if (!original || !original->BuiltIn()) automation::Raise(automation::err::kInvalidCall);
    control = CommandBarControl::Make(original->Type(), id, true, temporary, context_);
    control->props_.caption = original->Properties().caption;
    control->props_.tooltipText = original->Properties().tooltipText;
  }
  control->props_.parameter = parameter;
  Insert(control, pos);
  control->Changed();
  return control;
}

std::shared_ptr<CommandBar> CommandBarControls::Parent() const {
  CheckAlive();
  return bar_.lock();
}

void CommandBarControls::Insert(const std::shared_ptr<CommandBarControl>& control, size_t pos) {
  pos = std::min(pos, controls_.size());
  controls_.insert(controls_.begin() + static_cast<std::ptrdiff_t>(pos), control);
  control->parent_ = bar_;
}

bool CommandBarControls::Detach(const CommandBarControl& control) {
  const auto it = std::find_if(controls_.begin(), controls_.end(),
                               [&](const auto& c) { return c.get() == &control; });
  if (it == controls_.end()) return false;
  (*it)->parent_.reset();
  controls_.erase(it);
  return true;
}

int32_t CommandBarControls::IndexOf(const CommandBarControl& control) const {
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].get() == &control) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

void CommandBarControls::DeleteAll() {
  auto doomed = std::move(controls_);
  controls_.clear();
  for (const auto& control : doomed)
    control->MarkDeleted();
}

}  // namespace qv::office
