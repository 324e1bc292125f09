#include "browser/dom/html_script_element.h"

#include "browser/dom/reflected.h"

namespace qv::browser {

using automation::ClassTable;

const automation::DispatchTable& HTMLScriptElement::Members() const {
  static const auto table = ClassTable<Element>("HTMLScriptElement")
                                .Inherit(ElementMembers())
                                .With(Reflected<Element>("language"))
                                .With(Reflected<Element>("type"))
                                .With(Reflected<Element>("src"))
                                .With(ReflectedText<Element>("text"))
                                .Build();
  return table;
}

}  // namespace qv::browser
