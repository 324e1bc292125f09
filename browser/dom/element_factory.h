#pragma once
// Makes the element class of a tag name: the kinds the pages use have their own classes, every
// other tag a generic element.

#include <string>

#include "browser/dom/element.h"

namespace qv::browser {

ElementRef CreateElement(const std::string& tagName);

}  // namespace qv::browser
