#pragma once
// Bounds on the markup handed to the HTML parser, so that a page costs time in proportion to its
// size. The parser's work for each tag grows with the number of elements open around it and with
// the attributes the tag already has, so a page of deeply nested markup, or of a tag with
// thousands of attributes, costs the square of its size. The markup is scanned once ahead of the
// parser, estimating the elements it keeps open (browser/dom/open_elements.h):
//
// - an element that would open deeper than `maxOpen` is closed right after its start tag: it
//   stays, empty, and what it held follows it as its siblings (the end tag that would have closed
//   it is dropped). That is the shape the page tree gives such elements anyway
//   (browser/dom/html_parser.h);
// - a tag keeps its first `maxAttributes` attributes.
//
// Markup within both bounds is left as it is.

#include <optional>
#include <string>
#include <string_view>

namespace qv::browser {

struct MarkupBounds {
  size_t maxOpen;
  size_t maxAttributes;
};

// The markup rewritten to keep within `bounds`, or nothing when it already does. `baseDepth` is
// the number of elements open around it (the context of a fragment).
std::optional<std::string> BoundMarkup(std::string_view html, const MarkupBounds& bounds,
                                       size_t baseDepth = 0);

}  // namespace qv::browser
