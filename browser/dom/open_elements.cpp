#include "browser/dom/open_elements.h"

#include <algorithm>
#include <array>

namespace qv::browser {
namespace {

template <size_t N>
bool OneOf(std::string_view tag, const std::array<std::string_view, N>& tags) {
  return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

bool IsHeading(std::string_view tag) {
  return tag.size() == 2 && tag[0] == 'h' && tag[1] >= '1' && tag[1] <= '6';
}

// Elements that end the search of an end tag for its element, and of <li>, <dd>, <dt> for the
// item they close.
bool IsSpecial(std::string_view tag) {
  static constexpr std::array<std::string_view, 80> kSpecial = {
      "address",    "applet",  "area",   "article", "aside",     "base",     "basefont", "bgsound",
      "blockquote", "body",    "br",     "button",  "caption",   "center",   "col",      "colgroup",
      "dd",         "details", "dir",    "div",     "dl",        "dt",       "embed",    "fieldset",
      "figcaption", "figure",  "footer", "form",    "frame",     "frameset", "h1",       "h2",
      "h3",         "h4",      "h5",     "h6",      "head",      "header",   "hgroup",   "hr",
      "html",       "iframe",  "img",    "input",   "keygen",    "li",       "link",     "listing",
      "main",       "marquee", "menu",   "meta",    "nav",       "noembed",  "noframes", "noscript",
      "object",     "ol",      "p",      "param",   "plaintext", "pre",      "script",   "section",
      "select",     "source",  "style",  "summary", "table",     "tbody",    "td",       "template",
      "textarea",   "tfoot",   "th",     "thead",   "title",     "tr",       "ul",       "wbr"};
  return OneOf(tag, kSpecial);
}

bool IsScopeBoundary(std::string_view tag) {
  static constexpr std::array<std::string_view, 16> kBoundaries = {
      "applet",   "caption", "html", "table", "td", "th",    "marquee",        "object",
      "template", "mi",      "mo",   "mn",    "ms", "mtext", "annotation-xml", "foreignobject"};
  return OneOf(tag, kBoundaries);
}

bool IsButtonScopeBoundary(std::string_view tag) {
  return tag == "button" || IsScopeBoundary(tag);
}

bool IsListItemScopeBoundary(std::string_view tag) {
  return tag == "ol" || tag == "ul" || IsScopeBoundary(tag);
}

bool IsTableScopeBoundary(std::string_view tag) {
  return tag == "html" || tag == "table" || tag == "template";
}

// Start tags that close an open paragraph.
bool ClosesParagraph(std::string_view tag) {
  static constexpr std::array<std::string_view, 32> kClosers = {
      "address", "article", "aside",    "blockquote", "center", "details", "dialog",  "dir",
      "div",     "dl",      "fieldset", "figcaption", "figure", "footer",  "header",  "hgroup",
      "main",    "menu",    "nav",      "ol",         "p",      "section", "summary", "ul",
      "pre",     "listing", "form",     "plaintext",  "xmp",    "li",      "dd",      "dt"};
  return OneOf(tag, kClosers) || IsHeading(tag) || tag == "hr";
}

// End tags that close their element when it is in scope, whatever is open above it.
bool IsBlockEnd(std::string_view tag) {
  static constexpr std::array<std::string_view, 32> kBlocks = {
      "address", "article", "aside",  "blockquote", "button",     "center", "details", "dialog",
      "dir",     "div",     "dl",     "fieldset",   "figcaption", "figure", "footer",  "header",
      "hgroup",  "listing", "main",   "menu",       "nav",        "ol",     "pre",     "section",
      "summary", "ul",      "applet", "marquee",    "object",     "dd",     "dt",      "search"};
  return OneOf(tag, kBlocks);
}

bool IsTablePart(std::string_view tag) {
  static constexpr std::array<std::string_view, 9> kParts = {
      "table", "caption", "colgroup", "tbody", "thead", "tfoot", "tr", "td", "th"};
  return OneOf(tag, kParts);
}

}  // namespace

bool OpenElements::IsVoid(std::string_view tag) {
  static constexpr std::array<std::string_view, 19> kVoid = {
      "area", "base",  "basefont", "bgsound", "br",   "col",   "embed",  "frame", "hr", "image",
      "img",  "input", "keygen",   "link",    "meta", "param", "source", "track", "wbr"};
  return OneOf(tag, kVoid);
}

bool OpenElements::IsRawText(std::string_view tag) {
  static constexpr std::array<std::string_view, 10> kRaw = {
      "script",   "style",    "xmp",   "iframe",   "noembed",
      "noframes", "noscript", "title", "textarea", "plaintext"};
  return OneOf(tag, kRaw);
}

bool OpenElements::IsOpen(std::string_view tag) const {
  const auto it = counts_.find(tag);
  return it != counts_.end() && it->second > 0;
}

void OpenElements::Push(std::string_view tag) {
  stack_.emplace_back(tag);
  ++counts_[stack_.back()];
  if (IsHeading(tag)) ++headings_;
  if (tag == "svg" || tag == "math") ++foreign_;
}

void OpenElements::Remove(long index) {
  const std::string& tag = stack_[static_cast<size_t>(index)];
  --counts_.find(tag)->second;
  if (IsHeading(tag)) --headings_;
  if (tag == "svg" || tag == "math") --foreign_;
  stack_.erase(stack_.begin() + index);
}

long OpenElements::Find(std::string_view tag, bool (*isBoundary)(std::string_view)) const {
  if (!IsOpen(tag)) return -1;
  for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
    const std::string& open = stack_[static_cast<size_t>(i)];
    if (open == tag) return i;
    if (isBoundary(open)) return -1;
  }
  return -1;
}

void OpenElements::PopTo(long index) {
  if (index < 0) return;
  while (static_cast<long>(stack_.size()) > index)
    Remove(static_cast<long>(stack_.size()) - 1);
}

void OpenElements::PopLast() {
  PopTo(static_cast<long>(stack_.size()) - 1);
}

void OpenElements::CloseParagraph() {
  PopTo(Find("p", IsButtonScopeBoundary));
}

bool OpenElements::Start(std::string_view tag, bool selfClosing) {
  if (tag == "html" || tag == "head" || tag == "body" || tag == "frameset") return false;
  auto top = [&] { return stack_.empty() ? std::string_view() : std::string_view(stack_.back()); };
  // An item closes the item of its kind still open, unless a block other than a paragraph or
  // division stands between them.
  if ((tag == "li" && IsOpen("li")) ||
      ((tag == "dd" || tag == "dt") && (IsOpen("dd") || IsOpen("dt")))) {
    for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
      const std::string& open = stack_[static_cast<size_t>(i)];
      const bool sameKind = tag == "li" ? open == "li" : (open == "dd" || open == "dt");
      if (sameKind) {
        PopTo(i);
        break;
      }
      if (IsSpecial(open) && open != "address" && open != "div" && open != "p") break;
    }
  }
  if (ClosesParagraph(tag)) CloseParagraph();
  if (IsHeading(tag) && IsHeading(top())) PopLast();
  if (tag == "option" || tag == "optgroup") {
    if (top() == "option") PopLast();
    if (tag == "optgroup" && top() == "optgroup") PopLast();
  }
  // Rows and cells close the row or cell before them; a section or a table closes the section or
  // table before it (a table inside a cell nests).
  if (IsTablePart(tag) &&
      (IsOpen("td") || IsOpen("th") || IsOpen("tr") || IsOpen("table") || IsOpen("tbody") ||
       IsOpen("thead") || IsOpen("tfoot") || IsOpen("caption") || IsOpen("colgroup"))) {
    for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
      const std::string& open = stack_[static_cast<size_t>(i)];
      bool closes = false;
      bool stops = open == "html" || open == "template";
      if (tag == "td" || tag == "th") {
        closes = open == "td" || open == "th";
        stops = stops || open == "tr" || open == "table";
      } else if (tag == "tr") {
        closes = open == "tr";
        stops = stops || open == "table" || open == "tbody" || open == "thead" || open == "tfoot";
      } else if (tag == "table") {
        closes = open == "table";
        stops = stops || open == "td" || open == "th" || open == "caption";
      } else {
        closes = open == "tbody" || open == "thead" || open == "tfoot" || open == "caption" ||
                 open == "colgroup";
        stops = stops || open == "table";
      }
      if (closes) {
        PopTo(i);
        break;
      }
      if (stops) break;
    }
  }
  // Rows and cells outside their section or row are given one.
  if ((tag == "tr" || tag == "td" || tag == "th") && top() == "table") Push("tbody");
  if ((tag == "td" || tag == "th") && (top() == "tbody" || top() == "thead" || top() == "tfoot"))
    Push("tr");
  // A link inside a link closes the outer one, as its end tag would.
  if (tag == "a") End("a");
  if (tag == "button") PopTo(Find("button", IsScopeBoundary));
  if (tag == "select" && IsOpen("select")) {
    for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
      const std::string& open = stack_[static_cast<size_t>(i)];
      if (open == "option" || open == "optgroup") continue;
      if (open != "select") break;
      PopTo(i);  // a select inside a select only closes the outer one
      return false;
    }
  }
  if (IsVoid(tag)) return false;
  if (selfClosing && foreign_ > 0) return false;
  if (IsRawText(tag) && foreign_ == 0) return false;
  Push(tag);
  return true;
}

void OpenElements::End(std::string_view tag) {
  if (tag == "p") return CloseParagraph();
  if (tag == "li") return PopTo(Find("li", IsListItemScopeBoundary));
  if (IsBlockEnd(tag)) return PopTo(Find(tag, IsScopeBoundary));
  if (IsHeading(tag) && headings_ > 0) {
    for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
      const std::string& open = stack_[static_cast<size_t>(i)];
      if (IsHeading(open)) return PopTo(i);
      if (IsScopeBoundary(open)) return;
    }
    return;
  }
  if (tag == "form") {
    // The form leaves the stack; what was opened inside it stays open.
    const long i = Find("form", IsScopeBoundary);
    if (i >= 0) Remove(i);
    return;
  }
  if (IsTablePart(tag)) return PopTo(Find(tag, IsTableScopeBoundary));
  if (tag == "select") {
    for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
      const std::string& open = stack_[static_cast<size_t>(i)];
      if (open == "select") return PopTo(i);
      if (open != "option" && open != "optgroup") return;
    }
    return;
  }
  if (tag == "html" || tag == "body" || tag == "head" || tag == "br") return;
  // Any other end tag (inline formatting included) closes its element unless a block was opened
  // inside it; then the tag is ignored, or its element is moved and the depth stays.
  if (!IsOpen(tag)) return;
  for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
    const std::string& open = stack_[static_cast<size_t>(i)];
    if (open == tag) return PopTo(i);
    if (IsSpecial(open)) return;
  }
}

}  // namespace qv::browser
