#include "browser/dom/html_table_cell_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

const automation::DispatchTable& HTMLTableCellElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLTableCellElement")
                                .Inherit(ElementMembers())
                                .With(Reflected<Element>("colSpan", "colspan", "1"))
                                .With(Reflected<Element>("rowSpan", "rowspan", "1"))
                                .With(Reflected<Element>("align"))
                                .With(Reflected<Element>("noWrap", "nowrap"))
                                .With(Reflected<Element>("width"))
                                .Build();
  return table;
}

}  // namespace qv::browser
