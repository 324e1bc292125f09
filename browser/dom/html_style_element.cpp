#include "browser/dom/html_style_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLStyleElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLStyleElement")
                                .Inherit(ElementMembers())
                                .With(Reflected<Element>("type"))
                                .With(Reflected<Element>("media"))
                                .Prop(
                                    "text", [](Element& e) { return e.TextContent(); },
                                    [](Element& e, const Variant& v) { e.SetText(v.ToText()); })
                                .Build();
  return table;
}

}  // namespace qv::browser
