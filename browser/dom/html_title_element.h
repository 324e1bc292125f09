#pragma once
// <title>: the page's title (document.title).

#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

class HTMLTitleElement final : public Element {
 public:
  explicit HTMLTitleElement(std::string tag = "title") : Element(std::move(tag)) {}
  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::browser
