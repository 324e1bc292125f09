#include "browser/dom/html_table_element.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLTableElement::Members() const {
  static const auto table =
      ClassTable<Element>("HTMLTableElement")
          .Inherit(ElementMembers())
          .Prop(
              "border", [](Element& e) { return e.AttributeOr("border", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("border", v.ToText()); })
          .Prop(
              "cellPadding", [](Element& e) { return e.AttributeOr("cellpadding", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("cellpadding", v.ToText()); })
          .Prop(
              "cellSpacing", [](Element& e) { return e.AttributeOr("cellspacing", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("cellspacing", v.ToText()); })
          .Prop(
              "width", [](Element& e) { return e.AttributeOr("width", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("width", v.ToText()); })
          .Build();
  return table;
}

}  // namespace qv::browser
