#pragma once
// <textarea>: its text content is the default value; what the author types (or a script
// writes) is the current value, kept apart.

#include <optional>
#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLTextAreaElement final : public Element {
 public:
  HTMLTextAreaElement() : Element("textarea") {}
  const automation::DispatchTable& Members() const override;
  bool IsFormControl() const override { return true; }

  std::string Value() const { return value_ ? *value_ : DefaultValue(); }
  void Value(std::string value) { value_ = std::move(value); }
  std::string DefaultValue() const { return TextContent(); }
  void DefaultValue(const std::string& value) { SetText(value); }
  void Reset() { value_.reset(); }

 private:
  std::optional<std::string> value_;
};

}  // namespace qv::browser
