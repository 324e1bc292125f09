#include "browser/dom/html_table_cell_element.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLTableCellElement::Members() const {
  static const auto table =
      ClassTable<Element>("HTMLTableCellElement")
          .Inherit(ElementMembers())
          .Prop(
              "colSpan", [](Element& e) { return e.AttributeOr("colspan", "1"); },
              [](Element& e, const Variant& v) { e.SetAttribute("colspan", v.ToText()); })
          .Prop(
              "rowSpan", [](Element& e) { return e.AttributeOr("rowspan", "1"); },
              [](Element& e, const Variant& v) { e.SetAttribute("rowspan", v.ToText()); })
          .Prop(
              "align", [](Element& e) { return e.AttributeOr("align", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("align", v.ToText()); })
          .Prop(
              "noWrap", [](Element& e) { return e.AttributeOr("nowrap", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("nowrap", v.ToText()); })
          .Prop(
              "width", [](Element& e) { return e.AttributeOr("width", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("width", v.ToText()); })
          .Build();
  return table;
}

}  // namespace qv::browser
