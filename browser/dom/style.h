#pragma once
// The inline style of an element (`element.style`): the properties written in its style
// attribute and those set by scripts, kept per element. Scripts use the camel-case names
// (backgroundColor); the attribute text uses the hyphenated ones (background-color). A property
// never set reads as "", as the host's style object answers.

#include <string>
#include <utility>
#include <vector>

#include "browser/script_object.h"

namespace qv::browser {

class CSSStyle final : public ScriptObject {
 public:
  const automation::DispatchTable& Members() const override;
  bool ScriptGet(const std::string& name, automation::Variant& out) override;
  bool ScriptPut(const std::string& name, const automation::Variant& value) override;

  // The value of a property by its camel-case or hyphenated name; "" when not set.
  std::string Get(const std::string& name) const;
  // Sets a property; an empty value removes it.
  void Set(const std::string& name, const std::string& value);
  // The declarations as attribute text ("display: none; width: 10px").
  std::string CssText() const;
  // Replaces every declaration with those of `text`.
  void CssText(const std::string& text);
  bool Empty() const { return properties_.empty(); }

 private:
  std::vector<std::pair<std::string, std::string>> properties_;  // hyphenated name, value
};

}  // namespace qv::browser
