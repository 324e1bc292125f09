#include "browser/dom/html_body_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLBodyElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLBodyElement")
                                .Inherit(ElementMembers())
                                .With(Reflected<Element>("bgColor", "bgcolor"))
                                .Build();
  return table;
}

}  // namespace qv::browser
