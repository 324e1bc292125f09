#include "browser/dom/html_input_element.h"

#include "automation/text/ascii.h"
#include "browser/dom/html_form_element.h"
#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::Variant;

std::string HTMLInputElement::Type() const {
  std::string type = text::AsciiLowered(AttributeOr("type", "text"));
  static const char* const kKnown[] = {"text",   "password", "hidden", "radio", "checkbox",
                                       "button", "submit",   "reset",  "image", "file"};
  for (const char* k : kKnown)
    if (type == k) return type;
  return "text";
}

bool HTMLInputElement::IsCheckable() const {
  const std::string type = Type();
  return type == "radio" || type == "checkbox";
}

std::string HTMLInputElement::Value() const {
  if (value_) return *value_;
  if (auto v = GetAttribute("value")) return *v;
  return IsCheckable() ? "on" : "";
}

void HTMLInputElement::SetChecked(bool checked) {
  checked_ = checked;
  if (!checked || Type() != "radio") return;
  const std::string name = Name();
  if (name.empty()) return;
  // The group: radio buttons of this name in the same form, or, outside any form, in the rest of
  // the page outside forms.
  HTMLFormElement* form = Form();
  const Element* root = form;
  if (!root) {
    root = this;
    while (root->Parent())
      root = root->Parent();
  }
  root->ForEachDescendant([&](Element& e) {
    if (&e == this || e.TagName() != "input") return true;
    auto& other = static_cast<HTMLInputElement&>(e);
    if (other.Type() == "radio" && other.Name() == name && other.Form() == form)
      other.checked_ = false;
    return true;
  });
}

void HTMLInputElement::Reset() {
  value_.reset();
  checked_.reset();
}

void HTMLInputElement::PreActivation() {
  const std::string type = Type();
  if (type != "checkbox" && type != "radio") return;
  checkedBeforeClick_ = Checked();
  SetChecked(type == "checkbox" ? !Checked() : true);
}

void HTMLInputElement::CancelledActivation() {
  if (checkedBeforeClick_) checked_ = *checkedBeforeClick_;
  checkedBeforeClick_.reset();
}

const automation::DispatchTable& HTMLInputElement::Members() const {
  static const auto table =
      ClassTable<HTMLInputElement>("HTMLInputElement")
          .Inherit(ElementMembers())
          .With(ReflectedReadBy<HTMLInputElement>("type", "type", &HTMLInputElement::Type))
          .Prop(
              "value", [](HTMLInputElement& e) { return e.Value(); },
              [](HTMLInputElement& e, const Variant& v) { e.Value(v.ToText()); })
          .Prop(
              "defaultValue", [](HTMLInputElement& e) { return e.DefaultValue(); },
              [](HTMLInputElement& e, const Variant& v) { e.DefaultValue(v.ToText()); })
          .Prop(
              "checked", [](HTMLInputElement& e) { return e.Checked(); },
              [](HTMLInputElement& e, const Variant& v) { e.SetChecked(v.ToBool()); })
          .With(ReflectedFlag<HTMLInputElement>("defaultChecked", "checked"))
          .With(ReflectedNumber<HTMLInputElement>("size", "size", 20))
          .With(ReflectedNumber<HTMLInputElement>("maxLength", "maxlength", 2147483647))
          .Sub("select", [](HTMLInputElement& e, Args&) { e.Focus(); })
          .Build();
  return table;
}

}  // namespace qv::browser
