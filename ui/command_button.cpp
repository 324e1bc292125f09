#include "ui/command_button.h"

#include "ui/form.h"

namespace qv::ui {

using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

const DispatchTable& CommandButton::Members() const {
  static const DispatchTable table =
      ClassTable<CommandButton>("CommandButton")
          .Inherit(Control::CommonMembers())
          .Prop(
              "Caption", [](CommandButton& c) { return c.Caption(); },
              [](CommandButton& c, const Variant& v) { c.Caption(v.ToText()); })
          .Prop(
              "Default", [](CommandButton& c) { return c.Default(); },
              [](CommandButton& c, const Variant& v) { c.Default(v.ToBool()); })
          .Prop(
              "Cancel", [](CommandButton& c) { return c.Cancel(); },
              [](CommandButton& c, const Variant& v) { c.Cancel(v.ToBool()); })
          .Prop(
              "Value", [](CommandButton& c) { return c.Value(); },
              [](CommandButton& c, const Variant& v) { c.Value(v.ToBool()); })
          .Default("Value")
          .Build();
  return table;
}

void CommandButton::Default(bool isDefault) {
  if (isDefault && Parent())
    for (Control* c : Parent()->AllControls())
      if (auto* b = dynamic_cast<CommandButton*>(c); b && b != this) b->default_ = false;
  default_ = isDefault;
}

void CommandButton::Cancel(bool isCancel) {
  if (isCancel && Parent())
    for (Control* c : Parent()->AllControls())
      if (auto* b = dynamic_cast<CommandButton*>(c); b && b != this) b->cancel_ = false;
  cancel_ = isCancel;
}

void CommandButton::Value(bool value) {
  if (value) Click();
}

}  // namespace qv::ui
