#pragma once
// HTML5 parsing into the page's own tree. The parser's tree is read once and dropped. Limits
// keep hostile input bounded: the parser records at most a few errors (its error list otherwise
// grows with the square of the nesting), and an element nested deeper than kMaxTreeDepth keeps
// no children: what it held follows it as its siblings. No element is ever deeper than
// kMaxTreeDepth + 1, so walking and freeing the tree never exhausts the stack.

#include <memory>
#include <string>
#include <vector>

#include "browser/dom/element.h"

namespace qv::browser {

inline constexpr int kMaxTreeDepth = 400;

// The <html> element of the parsed page, its nodes owned by `document`.
ElementRef ParseDocument(const std::string& html, const std::weak_ptr<HTMLDocument>& document);

// The nodes of `html` parsed as the content of `context` (innerHTML), owned by its document.
std::vector<NodeRef> ParseFragment(const Element& context, const std::string& html);

}  // namespace qv::browser
