#include "browser/dom/html_style_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;

const automation::DispatchTable& HTMLStyleElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLStyleElement")
                                .Inherit(ElementMembers())
                                .With(Reflected<Element>("type"))
                                .With(Reflected<Element>("media"))
                                .With(ReflectedText<Element>("text"))
                                .Build();
  return table;
}

}  // namespace qv::browser
