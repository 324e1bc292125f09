#pragma once
// <select>: a list of options with a selection. ResetSelectedness is the one routine that keeps
// the selection right; every read and write of the selection goes through it.

#include <memory>
#include <string>
#include <vector>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLOptionElement;

class HTMLSelectElement final : public Element {
 public:
  HTMLSelectElement() : Element("select") {}
  const automation::DispatchTable& Members() const override;
  bool ScriptGet(const std::string& name, automation::Variant& out) override;
  bool IsFormControl() const override { return true; }

  bool Multiple() const { return HasAttribute("multiple"); }
  // The options in tree order (also those inside option groups).
  std::vector<std::shared_ptr<HTMLOptionElement>> Options() const;
  // Index of the first selected option; -1 when none is.
  int32_t SelectedIndex() const;
  // Selects the option at `index` alone; an index outside the list clears the selection.
  void SelectedIndex(int32_t index);
  // The value of the selected option, "" when none.
  std::string Value() const;
  // Text of the selected option, "" when none.
  std::string SelectedText() const;
  void Reset();

  // Keeps a single-selection list right: with `chosen` selected, every other option is
  // deselected; with several selected, only the last stays; with none and a drop-down list, the
  // first option that is not disabled is selected (the host shows a drop-down list never empty).
  void ResetSelectedness(const HTMLOptionElement* chosen = nullptr) const;
};

}  // namespace qv::browser
