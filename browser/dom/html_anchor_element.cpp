#include "browser/dom/html_anchor_element.h"

#include "browser/dom/html_document.h"
#include "browser/dom/reflected.h"
#include "browser/windows/html_window.h"

namespace qv::browser {

using automation::ClassTable;
using automation::Variant;

void HTMLAnchorElement::Activation() {
  const auto href = GetAttribute("href");
  if (!href || href->empty()) return;
  auto document = OwnerDocument();
  auto window = document ? document->Window() : nullptr;
  if (window) window->FollowLink(*href);
}

const automation::DispatchTable& HTMLAnchorElement::Members() const {
  static const auto table = ClassTable<HTMLAnchorElement>("HTMLAnchorElement")
                                .Inherit(ElementMembers())
                                .With(Reflected<HTMLAnchorElement>("href"))
                                .With(Reflected<HTMLAnchorElement>("target"))
                                .Build();
  return table;
}

}  // namespace qv::browser
