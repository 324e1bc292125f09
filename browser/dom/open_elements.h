#pragma once
// An estimate of the HTML parser's stack of open elements, kept while the markup is scanned ahead
// of the parser (browser/dom/markup_bounds.h). It follows the tree builder's rules for the tags
// that close elements without an end tag (p, li, dd, dt, option, table rows and cells, headings)
// and for end tags that are ignored (an end tag that meets a block before its element), so that
// ordinary pages, which leave such tags open by the thousand, are estimated no deeper than they
// are. Where the rules are not followed the estimate errs deep: a nested form or a table start
// inside a paragraph count as open.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qv::browser {

class OpenElements {
 public:
  // What the rules need to know of a tag, looked up once per tag.
  enum Kind : uint32_t {
    kSpecial = 1 << 0,          // ends the search of an end tag for its element
    kScopeBoundary = 1 << 1,    // ends the search for an element "in scope"
    kClosesParagraph = 1 << 2,  // its start tag closes an open <p>
    kBlockEnd = 1 << 3,         // its end tag closes it when in scope, whatever is open above
    kTablePart = 1 << 4,
    kVoid = 1 << 5,     // never holds content (img, br, ...)
    kRawText = 1 << 6,  // its content is text up to its end tag (script, style, ...)
    kHeading = 1 << 7,
    kForeign = 1 << 8,              // svg, math: inside them self-closing tags close
    kDocument = 1 << 9,             // html, head, body, frameset: opened by the parser, never again
    kTableScopeBoundary = 1 << 10,  // html, table, template
  };
  static uint32_t KindOf(std::string_view tag);

  // A start tag (lower-case name). Returns false when it opens nothing: void and raw text
  // elements, the document's own html/head/body, a self-closing tag in SVG or MathML, a select
  // inside a select.
  bool Start(std::string_view tag, bool selfClosing);
  void End(std::string_view tag);
  // Drops the element just opened (the caller closed it right away).
  void PopLast();
  size_t Depth() const { return stack_.size(); }
  // True inside SVG or MathML, where self-closing tags close and no element holds raw text.
  bool InForeignContent() const { return foreign_ > 0; }

 private:
  struct Open {
    std::string tag;
    uint32_t kind;
  };
  bool IsOpen(std::string_view tag) const;
  void Push(std::string_view tag, uint32_t kind);
  void Remove(size_t index);
  // Index of the nearest open `tag` above every element of the `boundaries` kinds (or named
  // `extraBoundary`), or -1.
  long Find(std::string_view tag, uint32_t boundaries, std::string_view extraBoundary = {},
            std::string_view extraBoundary2 = {}) const;
  void PopTo(long index);  // pops the element at `index` and all above it
  void CloseParagraph();

  std::vector<Open> stack_;
  // How many of each element are open, so that a search for an element that is not open costs
  // nothing however deep the stack.
  std::unordered_map<std::string, int> counts_;
  int headings_ = 0;
  int tableParts_ = 0;
  int foreign_ = 0;
};

}  // namespace qv::browser
