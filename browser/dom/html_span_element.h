#pragma once
// <span>: inline text of a page.

#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLSpanElement final : public Element {
 public:
  explicit HTMLSpanElement(std::string tag = "span") : Element(std::move(tag)) {}
  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::browser
