#pragma once
// <div>: a block of a page.

#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLDivElement final : public Element {
 public:
  explicit HTMLDivElement(std::string tag = "div") : Element(std::move(tag)) {}
  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::browser
