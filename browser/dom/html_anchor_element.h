#pragma once
// <a>: a click that no handler cancels follows the link; a "javascript:" address runs its script
// in the page, any other address is navigated to in the page's window.

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLAnchorElement final : public Element {
 public:
  HTMLAnchorElement() : Element("a") {}
  const automation::DispatchTable& Members() const override;

 protected:
  void Activation() override;
};

}  // namespace qv::browser
