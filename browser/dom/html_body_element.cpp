#include "browser/dom/html_body_element.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLBodyElement::Members() const {
  static const auto table =
      ClassTable<Element>("HTMLBodyElement")
          .Inherit(ElementMembers())
          .Prop(
              "bgColor", [](Element& e) { return e.AttributeOr("bgcolor", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("bgcolor", v.ToText()); })
          .Build();
  return table;
}

}  // namespace qv::browser
