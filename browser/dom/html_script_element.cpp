#include "browser/dom/html_script_element.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLScriptElement::Members() const {
  static const auto table =
      ClassTable<Element>("HTMLScriptElement")
          .Inherit(ElementMembers())
          .Prop(
              "language", [](Element& e) { return e.AttributeOr("language", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("language", v.ToText()); })
          .Prop(
              "type", [](Element& e) { return e.AttributeOr("type", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("type", v.ToText()); })
          .Prop(
              "src", [](Element& e) { return e.AttributeOr("src", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("src", v.ToText()); })
          .Prop(
              "text", [](Element& e) { return e.TextContent(); },
              [](Element& e, const Variant& v) { e.SetText(v.ToText()); })
          .Build();
  return table;
}

}  // namespace qv::browser
