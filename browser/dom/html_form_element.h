#pragma once
// <form>: its controls in tree order (inputs, selects, textareas below it) and named access to
// them. A name shared by several controls (a group of radio buttons) answers as a collection; a
// name used once answers as the control itself, as on the host.

#include <string>
#include <vector>

#include "browser/dom/collection.h"
#include "browser/dom/element.h"

namespace qv::browser {

class HTMLFormElement final : public Element {
 public:
  HTMLFormElement() : Element("form") {}
  const automation::DispatchTable& Members() const override;
  bool ScriptGet(const std::string& name, automation::Variant& out) override;
  bool NamedItemsFirst() const override { return true; }

  // The controls of this form in tree order.
  std::vector<ElementRef> Elements() const;
  // The controls whose name or id is `name`, in tree order.
  std::vector<ElementRef> ElementsNamed(const std::string& name) const;
  // Named access: empty when nothing has the name, the control when one has, a live collection
  // when several have.
  automation::Variant Item(const std::string& name) const;
  // Every control back to its defaults.
  void Reset();
};

}  // namespace qv::browser
