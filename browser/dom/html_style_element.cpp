#include "browser/dom/html_style_element.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLStyleElement::Members() const {
  static const auto table =
      ClassTable<Element>("HTMLStyleElement")
          .Inherit(ElementMembers())
          .Prop(
              "type", [](Element& e) { return e.AttributeOr("type", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("type", v.ToText()); })
          .Prop(
              "media", [](Element& e) { return e.AttributeOr("media", ""); },
              [](Element& e, const Variant& v) { e.SetAttribute("media", v.ToText()); })
          .Prop(
              "text", [](Element& e) { return e.TextContent(); },
              [](Element& e, const Variant& v) { e.SetText(v.ToText()); })
          .Build();
  return table;
}

}  // namespace qv::browser
