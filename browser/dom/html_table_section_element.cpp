#include "browser/dom/html_table_section_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLTableSectionElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLTableSectionElement")
                                .Inherit(ElementMembers())
                                .With(Reflected<Element>("align"))
                                .Build();
  return table;
}

}  // namespace qv::browser
