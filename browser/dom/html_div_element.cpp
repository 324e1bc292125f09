#include "browser/dom/html_div_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLDivElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLDivElement")
                                .Inherit(ElementMembers())
                                .With(Reflected<Element>("align"))
                                .Build();
  return table;
}

}  // namespace qv::browser
