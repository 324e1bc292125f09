#include "browser/dom/html_text_area_element.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLTextAreaElement::Members() const {
  static const auto table =
      ClassTable<HTMLTextAreaElement>("HTMLTextAreaElement")
          .Inherit(ElementMembers())
          .Get("type", [](HTMLTextAreaElement&) { return "textarea"; })
          .Prop(
              "value", [](HTMLTextAreaElement& e) { return e.Value(); },
              [](HTMLTextAreaElement& e, const Variant& v) { e.Value(v.ToText()); })
          .Prop(
              "defaultValue", [](HTMLTextAreaElement& e) { return e.DefaultValue(); },
              [](HTMLTextAreaElement& e, const Variant& v) { e.DefaultValue(v.ToText()); })
          .Prop(
              "cols", [](HTMLTextAreaElement& e) { return e.NumberAttribute("cols", 20); },
              [](HTMLTextAreaElement& e, const Variant& v) { e.SetAttribute("cols", v.ToText()); })
          .Prop(
              "rows", [](HTMLTextAreaElement& e) { return e.NumberAttribute("rows", 2); },
              [](HTMLTextAreaElement& e, const Variant& v) { e.SetAttribute("rows", v.ToText()); })
          .Sub("select", [](HTMLTextAreaElement& e, Args&) { e.Focus(); })
          .Build();
  return table;
}

}  // namespace qv::browser
