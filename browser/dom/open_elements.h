#pragma once
// An estimate of the HTML parser's stack of open elements, kept while the markup is scanned ahead
// of the parser (browser/dom/markup_bounds.h). It follows the tree builder's rules for the tags
// that close elements without an end tag (p, li, dd, dt, option, table rows and cells, headings)
// and for end tags that are ignored (an end tag that meets a block before its element), so that
// ordinary pages, which leave such tags open by the thousand, are estimated no deeper than they
// are. Where the rules are not followed the estimate errs deep: a nested form or a table start
// inside a paragraph count as open.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qv::browser {

class OpenElements {
 public:
  // Elements that never hold content (img, br, ...); their start tags open nothing.
  static bool IsVoid(std::string_view tag);
  // Elements whose content the tokenizer reads as text up to their end tag (script, style, ...).
  static bool IsRawText(std::string_view tag);

  // A start tag (lower-case name). Returns false when it opens nothing: void elements, the
  // document's own html/head/body, a self-closing tag in SVG or MathML, a select inside a select.
  bool Start(std::string_view tag, bool selfClosing);
  void End(std::string_view tag);
  // Drops the element just opened (the caller closed it right away).
  void PopLast();
  size_t Depth() const { return stack_.size(); }
  // True inside SVG or MathML, where self-closing tags close.
  bool InForeignContent() const { return foreign_ > 0; }

 private:
  bool IsOpen(std::string_view tag) const;
  void Push(std::string_view tag);
  void Remove(long index);
  // Index of the nearest open `tag` above every element of `boundaries`, or -1.
  long Find(std::string_view tag, bool (*isBoundary)(std::string_view)) const;
  void PopTo(long index);  // pops the element at `index` and all above it
  void CloseParagraph();

  std::vector<std::string> stack_;
  // How many of each element are open, so that a search for an element that is not open costs
  // nothing however deep the stack.
  std::map<std::string, int, std::less<>> counts_;
  int headings_ = 0;
  int foreign_ = 0;
};

}  // namespace qv::browser
