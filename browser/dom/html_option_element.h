#pragma once
// <option>: its text, its value (the text when no value attribute is given) and its
// selectedness. The selected attribute only gives the default; the select element around the
// option keeps the selection right (HTMLSelectElement::ResetSelectedness).

#include <optional>
#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLSelectElement;

class HTMLOptionElement final : public Element {
 public:
  HTMLOptionElement() : Element("option") {}
  const automation::DispatchTable& Members() const override;

  // The text with surrounding blanks removed and inner runs of blanks made one, as shown.
  std::string Text() const;
  void Text(const std::string& text) { SetText(text); }
  std::string Value() const;
  bool Selected() const;
  // Selects or deselects; in a single-selection list selecting it deselects the others.
  void SetSelected(bool selected);
  bool DefaultSelected() const { return HasAttribute("selected"); }
  // Position among the options of its select, or 0 outside one.
  int32_t Index() const;
  HTMLSelectElement* OwnerSelect() const;

 private:
  friend class HTMLSelectElement;
  bool RawSelected() const { return selected_.value_or(DefaultSelected()); }
  std::optional<bool> selected_;
};

}  // namespace qv::browser
