#pragma once
// <input>: text, password, hidden, radio, check box, and buttons (button, submit, reset, which
// behave as plain buttons: nothing is ever submitted). The current value and checkedness are the
// control's state; the value and checked attributes only give their defaults. Radio buttons of
// one group (same name in the same form) uncheck each other in SetChecked and nowhere else.

#include <optional>
#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLInputElement final : public Element {
 public:
  HTMLInputElement() : Element("input") {}
  const automation::DispatchTable& Members() const override;
  bool IsFormControl() const override { return true; }

  // Lower-case type; "text" when missing or unknown.
  std::string Type() const;
  bool IsCheckable() const;

  std::string Value() const;
  void Value(std::string value) { value_ = std::move(value); }
  std::string DefaultValue() const { return AttributeOr("value"); }
  void DefaultValue(const std::string& value) { SetAttribute("value", value); }

  bool Checked() const { return checked_.value_or(DefaultChecked()); }
  // Checks or unchecks; checking a radio button unchecks the others of its group.
  void SetChecked(bool checked);
  bool DefaultChecked() const { return HasAttribute("checked"); }

  // Back to the defaults (form reset).
  void Reset();

 protected:
  void PreActivation() override;
  void CancelledActivation() override;

 private:
  std::optional<std::string> value_;
  std::optional<bool> checked_;
  std::optional<bool> checkedBeforeClick_;
};

}  // namespace qv::browser
