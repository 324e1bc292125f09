#pragma once
// The text form of a part of the page (innerHTML, outerHTML): tags and attributes as HTML
// writes them, text escaped except inside script and style.

#include <string>

namespace qv::browser {

class Element;

std::string SerializeChildren(const Element& element);
std::string SerializeElement(const Element& element);

}  // namespace qv::browser
