#pragma once
// <body>: the page's content; its onload attribute is the page's load handler.

#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLBodyElement final : public Element {
 public:
  explicit HTMLBodyElement(std::string tag = "body") : Element(std::move(tag)) {}
  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::browser
