#include "browser/dom/html_table_row_element.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLTableRowElement::Members() const {
  static const auto table =
      ClassTable<Element>("HTMLTableRowElement")
          .Inherit(ElementMembers())
          .Prop(
              "align", [](Element& e) { return e.AttributeOr("align", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("align", v.ToText()); })
          .Prop(
              "vAlign", [](Element& e) { return e.AttributeOr("valign", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("valign", v.ToText()); })
          .Build();
  return table;
}

}  // namespace qv::browser
