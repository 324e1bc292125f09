#include "office/command_bar_control.h"

#include "office/bars_context.h"
#include "office/command_bar.h"
#include "office/command_bar_button.h"
#include "office/command_bar_controls.h"
#include "office/command_bar_popup.h"
#include "office/name_match.h"

namespace qv::office {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

std::shared_ptr<CommandBarControl> CommandBarControl::Make(int32_t type, int32_t id, bool builtIn,
                                                           bool temporary,
                                                           std::shared_ptr<BarsContext> context) {
  if (type == msoControlButton)
    return std::make_shared<CommandBarButton>(id, builtIn, temporary, std::move(context));
  if (type != msoControlPopup) automation::Raise(automation::err::kInvalidCall);
  auto popup = std::make_shared<CommandBarPopup>(id, builtIn, temporary, context);
  CommandBar::Init init;
  init.type = msoBarTypePopup;
  init.position = msoBarPopup;
  init.builtIn = builtIn;
  init.temporary = temporary;
  init.visible = false;
  popup->bar_ = CommandBar::Make(std::move(init), {}, std::move(context));
  popup->bar_->owner_ = popup;
  return popup;
}

CommandBarControl::CommandBarControl(int32_t type, int32_t id, bool builtIn, bool temporary,
                                     std::shared_ptr<BarsContext> context)
    : type_(type),
      id_(id),
      builtIn_(builtIn),
      temporary_(temporary),
      context_(std::move(context)) {}

const DispatchTable& CommandBarControl::CommonMembers() {
  using C = CommandBarControl;
  static const DispatchTable table =
      ClassTable<C>("CommandBarControl")
          .Prop(
              "Caption", [](C& c) { return c.Caption(); },
              [](C& c, const Variant& v) { c.SetCaption(v.ToText()); })
          .Prop(
              "Tag", [](C& c) { return c.Tag(); },
              [](C& c, const Variant& v) { c.SetTag(v.ToText()); })
          .Prop(
              "OnAction", [](C& c) { return c.OnAction(); },
              [](C& c, const Variant& v) { c.SetOnAction(v.ToText()); })
          .Prop(
              "TooltipText", [](C& c) { return c.TooltipText(); },
              [](C& c, const Variant& v) { c.SetTooltipText(v.ToText()); })
          .Prop(
              "Parameter", [](C& c) { return c.Parameter(); },
              [](C& c, const Variant& v) { c.SetParameter(v.ToText()); })
          .Prop(
              "Visible", [](C& c) { return c.Visible(); },
              [](C& c, const Variant& v) { c.SetVisible(v.ToBool()); })
          .Prop(
              "Enabled", [](C& c) { return c.Enabled(); },
              [](C& c, const Variant& v) { c.SetEnabled(v.ToBool()); })
          .Prop(
              "BeginGroup", [](C& c) { return c.BeginGroup(); },
              [](C& c, const Variant& v) { c.SetBeginGroup(v.ToBool()); })
          .Get("Id", [](C& c) { return c.Id(); })
          .Get("Type", [](C& c) { return c.Type(); })
          .Get("Index", [](C& c) { return c.Index(); })
          .Get("BuiltIn", [](C& c) { return c.BuiltIn(); })
          .Get("Parent", [](C& c) { return c.Parent(); })
          .Sub("Delete", [](C& c, Args&) { c.Delete(); })
          .Sub("Execute", [](C& c, Args&) { c.Execute(); })
          .Method("Move",
                  [](C& c, Args& a) {
                    std::shared_ptr<CommandBar> bar;
                    if (a.Has(0)) {
                      bar = std::dynamic_pointer_cast<CommandBar>(a.Object(0));
                      if (!bar) automation::Raise(automation::err::kTypeMismatch);
                    }
                    std::optional<int32_t> before;
                    if (a.Has(1)) before = a.Int(1);
                    return c.Move(bar, before);
                  })
          .Build();
  return table;
}

const DispatchTable& CommandBarControl::Members() const {
  return CommonMembers();
}

void CommandBarControl::CheckAlive() const {
  if (deleted_) automation::Raise(automation::err::kObjectDeleted);
}

bool CommandBarControl::Kept() const {
  if (temporary_) return false;
  auto bar = parent_.lock();
  return !bar || bar->Kept();
}

void CommandBarControl::Changed() const {
  if (context_ && Kept()) context_->Changed();
}

#define QV_CONTROL_TEXT(Getter, Setter, field)           \
  std::string CommandBarControl::Getter() const {        \
    CheckAlive();                                        \
    return props_.field;                                 \
  }                                                      \
  void CommandBarControl::Setter(const std::string& v) { \
    CheckAlive();                                        \
    if (props_.field == v) return;                       \
    props_.field = v;                                    \
    Changed();                                           \
  }
#define QV_CONTROL_FLAG(Getter, Setter, field) \
  bool CommandBarControl::Getter() const {     \
    CheckAlive();                              \
    return props_.field;                       \
  }                                            \
  void CommandBarControl::Setter(bool v) {     \
    CheckAlive();                              \
    if (props_.field == v) return;             \
    props_.field = v;                          \
    Changed();                                 \
  }

QV_CONTROL_TEXT(Caption, SetCaption, caption)
QV_CONTROL_TEXT(Tag, SetTag, tag)
QV_CONTROL_TEXT(OnAction, SetOnAction, onAction)
QV_CONTROL_TEXT(TooltipText, SetTooltipText, tooltipText)
QV_CONTROL_TEXT(Parameter, SetParameter, parameter)
QV_CONTROL_FLAG(Visible, SetVisible, visible)
QV_CONTROL_FLAG(Enabled, SetEnabled, enabled)
QV_CONTROL_FLAG(BeginGroup, SetBeginGroup, beginGroup)

#undef QV_CONTROL_TEXT
#undef QV_CONTROL_FLAG

int32_t CommandBarControl::Id() const {
  CheckAlive();
  return id_;
}

int32_t CommandBarControl::Type() const {
  CheckAlive();
  return type_;
}

bool CommandBarControl::BuiltIn() const {
  CheckAlive();
  return builtIn_;
}

bool CommandBarControl::Temporary() const {
  CheckAlive();
  return temporary_;
}

int32_t CommandBarControl::Index() const {
  CheckAlive();
  auto bar = parent_.lock();
  return bar ? bar->controls_->IndexOf(*this) : 0;
}

std::shared_ptr<CommandBar> CommandBarControl::Parent() const {
  CheckAlive();
  return parent_.lock();
}

std::string CommandBarControl::Name() const {
  CheckAlive();
  return StripAccelerator(props_.caption);
}

void CommandBarControl::Delete() {
  CheckAlive();
  // Held for the rest of the call: the bar's list may hold the last owning reference.
  auto self = shared_from_this();
  Changed();
  if (auto bar = parent_.lock()) bar->controls_->Detach(*this);
  MarkDeleted();
}

void CommandBarControl::MarkDeleted() {
  deleted_ = true;
  parent_.reset();
}

bool CommandBarControl::Clickable() const {
  if (!props_.visible || !props_.enabled) return false;
  // A control on a disabled bar, or in a menu whose pop-up is hidden or disabled, cannot be
  // reached by the user.
  auto bar = parent_.lock();
  while (bar) {
    if (!bar->enabled_) return false;
    auto popup = bar->owner_.lock();
    if (!popup) break;
    if (popup->deleted_ || !popup->props_.visible || !popup->props_.enabled) return false;
    bar = popup->parent_.lock();
  }
  return true;
}

void CommandBarControl::Execute() {
  CheckAlive();
  if (!Clickable()) return;
  auto self = shared_from_this();  // handlers may delete the control while it runs
  Clicked();
}

std::shared_ptr<CommandBarControl> CommandBarControl::Move(const std::shared_ptr<CommandBar>& bar,
                                                           std::optional<int32_t> before) {
  CheckAlive();
  auto self = std::static_pointer_cast<CommandBarControl>(shared_from_this());
  auto target = bar ? bar : parent_.lock();
  if (!target) automation::Raise(automation::err::kInvalidCall);
  target->CheckAlive();
  if (target->context_ != context_) automation::Raise(automation::err::kInvalidCall);
  // A pop-up cannot go into its own menu, nor into a menu inside it.
  for (auto b = target; b;) {
    auto popup = b->owner_.lock();
    if (!popup) break;
    if (popup.get() == this) automation::Raise(automation::err::kInvalidCall);
    b = popup->parent_.lock();
  }
  // `before` names the control (by its present position) that this one is to precede.
  const auto& list = target->controls_->controls_;
  std::shared_ptr<CommandBarControl> anchor;
  if (before) {
    if (*before < 1 || static_cast<size_t>(*before) > list.size() + 1)
      automation::Raise(automation::err::kInvalidCall);
    if (static_cast<size_t>(*before) <= list.size())
      anchor = list[static_cast<size_t>(*before - 1)];
  }
  if (anchor == self) return self;
  const bool wasKept = Kept();
  if (auto old = parent_.lock()) old->controls_->Detach(*this);
  size_t pos = list.size();
  if (anchor) pos = static_cast<size_t>(target->controls_->IndexOf(*anchor) - 1);
  target->controls_->Insert(self, pos);
  // Leaving a kept bar is a change even when the new place is temporary.
  if (wasKept || Kept()) context_->Changed();
  return self;
}

}  // namespace qv::office
