#include "browser/dom/html_div_element.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLDivElement::Members() const {
  static const auto table =
      ClassTable<Element>("HTMLDivElement")
          .Inherit(ElementMembers())
          .Prop(
              "align", [](Element& e) { return e.AttributeOr("align", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("align", v.ToText()); })
          .Build();
  return table;
}

}  // namespace qv::browser
