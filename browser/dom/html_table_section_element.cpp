#include "browser/dom/html_table_section_element.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLTableSectionElement::Members() const {
  static const auto table =
      ClassTable<Element>("HTMLTableSectionElement")
          .Inherit(ElementMembers())
          .Prop(
              "align", [](Element& e) { return e.AttributeOr("align", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("align", v.ToText()); })
          .Build();
  return table;
}

}  // namespace qv::browser
