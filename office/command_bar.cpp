#include "office/command_bar.h"

#include "office/bars_context.h"
#include "office/command_bar_control.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/command_bars.h"
#include "office/find_control_args.h"
#include "office/name_match.h"

namespace qv::office {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

std::shared_ptr<CommandBar> CommandBar::Make(Init init, std::weak_ptr<CommandBars> collection,
                                             std::shared_ptr<BarsContext> context) {
  auto bar = std::make_shared<CommandBar>(std::move(init), std::move(collection), context);
  bar->controls_ = std::make_shared<CommandBarControls>(bar, std::move(context));
  return bar;
}

CommandBar::CommandBar(Init init, std::weak_ptr<CommandBars> collection,
                       std::shared_ptr<BarsContext> context)
    : init_(std::move(init)), collection_(std::move(collection)), context_(std::move(context)) {}

const DispatchTable& CommandBar::Members() const {
  using B = CommandBar;
  static const DispatchTable table =
      ClassTable<B>("CommandBar")
          .Prop(
              "Name", [](B& b) { return b.Name(); },
              [](B& b, const Variant& v) { b.SetName(v.ToText()); })
          .Prop(
              "NameLocal", [](B& b) { return b.NameLocal(); },
              [](B& b, const Variant& v) { b.SetName(v.ToText()); })
          .Get("Type", [](B& b) { return b.Type(); })
          .Prop(
              "Position", [](B& b) { return b.Position(); },
              [](B& b, const Variant& v) { b.SetPosition(v.ToInt32()); })
          .Prop(
              "Visible", [](B& b) { return b.Visible(); },
              [](B& b, const Variant& v) { b.SetVisible(v.ToBool()); })
          .Prop(
              "Enabled", [](B& b) { return b.Enabled(); },
              [](B& b, const Variant& v) { b.SetEnabled(v.ToBool()); })
          .Get("BuiltIn", [](B& b) { return b.BuiltIn(); })
          .Get("Index", [](B& b) { return b.Index(); })
          .Get("Controls", [](B& b) { return b.Controls(); })
          .Method("FindControl",
                  [](B& b, Args& a) {
                    return b.FindControl(FindControlQuery(a), a.Opt(4, Variant(false)).ToBool());
                  })
          .Sub("Delete", [](B& b, Args&) { b.Delete(); })
          .Build();
  return table;
}

void CommandBar::CheckAlive() const {
  if (deleted_) automation::Raise(automation::err::kObjectDeleted);
}

bool CommandBar::Kept() const {
  if (init_.temporary) return false;
  auto popup = owner_.lock();
  return !popup || popup->Kept();
}

void CommandBar::Changed() const {
  if (context_ && Kept()) context_->Changed();
}

std::string CommandBar::Name() const {
  CheckAlive();
  if (auto popup = owner_.lock()) return StripAccelerator(popup->Properties().caption);
  return init_.name;
}

void CommandBar::SetName(const std::string& value) {
  CheckAlive();
  if (init_.builtIn || !owner_.expired()) automation::Raise(automation::err::kInvalidCall);
  if (value == init_.name) return;
  if (auto set = collection_.lock();
      value.empty() || (set && set->NameTaken(value, init_.type == msoBarTypePopup, this)))
    automation::Raise(automation::err::kInvalidCall);
  init_.name = value;
  Changed();
}

int32_t CommandBar::Type() const {
  CheckAlive();
  return init_.type;
}

int32_t CommandBar::Position() const {
  CheckAlive();
  return init_.position;
}

void CommandBar::SetPosition(int32_t value) {
  CheckAlive();
  // A pop-up bar stays a pop-up; other bars dock on a side or float.
  if (init_.type == msoBarTypePopup || value < msoBarLeft || value > msoBarFloating)
    automation::Raise(automation::err::kInvalidCall);
  if (value == init_.position) return;
  init_.position = value;
  Changed();
}

bool CommandBar::Visible() const {
  CheckAlive();
  return init_.visible;
}

void CommandBar::SetVisible(bool value) {
  CheckAlive();
  if (value == init_.visible) return;
  init_.visible = value;
  Changed();
}

bool CommandBar::Enabled() const {
  CheckAlive();
  return enabled_;
}

void CommandBar::SetEnabled(bool value) {
  CheckAlive();
  if (value == enabled_) return;
  enabled_ = value;
  Changed();
}

bool CommandBar::BuiltIn() const {
  CheckAlive();
  return init_.builtIn;
}

bool CommandBar::Temporary() const {
  CheckAlive();
  return init_.temporary;
}

int32_t CommandBar::Index() const {
  CheckAlive();
  auto set = collection_.lock();
  if (!set) return 0;
  for (size_t i = 0; i < set->bars_.size(); ++i) {
    if (set->bars_[i].get() == this) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

std::shared_ptr<CommandBarControls> CommandBar::Controls() const {
  CheckAlive();
  return controls_;
}

std::shared_ptr<CommandBarControl> CommandBar::Search(const CommandBar& bar,
                                                      const ControlQuery& query, bool recursive) {
  for (const auto& control : bar.controls_->controls_) {
    const ControlProperties& p = control->props_;
    if (query.visibleOnly && !p.visible) continue;
    if ((query.type == 0 || query.type == control->type_) &&
        (query.id == 0 || query.id == control->id_) && (query.tag.empty() || query.tag == p.tag))
      return control;
    // A closed menu shows nothing, so a search for visible controls does not open it.
    if (recursive && !query.visibleOnly && control->type_ == msoControlPopup) {
      const auto& popup = static_cast<const CommandBarPopup&>(*control);
      if (auto found = Search(*popup.CommandBar(), query, true)) return found;
    }
  }
  return nullptr;
}

std::shared_ptr<CommandBarControl> CommandBar::FindControl(const ControlQuery& query,
                                                           bool recursive) const {
  CheckAlive();
  return Search(*this, query, recursive);
}

void CommandBar::Delete() {
  CheckAlive();
  if (init_.builtIn || !owner_.expired()) automation::Raise(automation::err::kInvalidCall);
  auto self = shared_from_this();  // the set may hold the last owning reference
  Changed();
  if (auto set = collection_.lock()) set->Remove(*this);
  MarkDeleted();
}

void CommandBar::MarkDeleted() {
  deleted_ = true;
  controls_->DeleteAll();
}

}  // namespace qv::office
