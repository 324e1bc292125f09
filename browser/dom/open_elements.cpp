#include "browser/dom/open_elements.h"

#include <initializer_list>

namespace qv::browser {
namespace {

using Kinds = std::unordered_map<std::string_view, uint32_t>;

void Mark(Kinds& kinds, uint32_t kind, std::initializer_list<std::string_view> tags) {
  for (auto tag : tags)
    kinds[tag] |= kind;
}

Kinds MakeKinds() {
  using K = OpenElements;
  Kinds k;
  Mark(k, K::kSpecial,
       {"address", "applet",     "area",     "article",    "aside",     "base",     "basefont",
        "bgsound", "blockquote", "body",     "br",         "button",    "caption",  "center",
        "col",     "colgroup",   "dd",       "details",    "dir",       "div",      "dl",
        "dt",      "embed",      "fieldset", "figcaption", "figure",    "footer",   "form",
        "frame",   "frameset",   "h1",       "h2",         "h3",        "h4",       "h5",
        "h6",      "head",       "header",   "hgroup",     "hr",        "html",     "iframe",
        "img",     "input",      "keygen",   "li",         "link",      "listing",  "main",
        "marquee", "menu",       "meta",     "nav",        "noembed",   "noframes", "noscript",
        "object",  "ol",         "p",        "param",      "plaintext", "pre",      "script",
        "section", "select",     "source",   "style",      "summary",   "table",    "tbody",
        "td",      "template",   "textarea", "tfoot",      "th",        "thead",    "title",
        "tr",      "ul",         "wbr"});
  Mark(k, K::kScopeBoundary,
       {"applet", "caption", "html", "table", "td", "th", "marquee", "object", "template", "mi",
        "mo", "mn", "ms", "mtext", "annotation-xml", "foreignobject"});
  Mark(k, K::kTableScopeBoundary, {"html", "table", "template"});
  Mark(k, K::kClosesParagraph,
       {"address", "article", "aside",    "blockquote", "center", "details", "dialog",  "dir",
        "div",     "dl",      "fieldset", "figcaption", "figure", "footer",  "header",  "hgroup",
        "main",    "menu",    "nav",      "ol",         "p",      "section", "summary", "ul",
        "pre",     "listing", "form",     "plaintext",  "xmp",    "li",      "dd",      "dt",
        "hr",      "h1",      "h2",       "h3",         "h4",     "h5",      "h6"});
  Mark(k, K::kBlockEnd,
       {"address", "article", "aside",  "blockquote", "button",     "center", "details", "dialog",
        "dir",     "div",     "dl",     "fieldset",   "figcaption", "figure", "footer",  "header",
        "hgroup",  "listing", "main",   "menu",       "nav",        "ol",     "pre",     "section",
        "summary", "ul",      "applet", "marquee",    "object",     "dd",     "dt"});
  Mark(k, K::kTablePart,
       {"table", "caption", "colgroup", "tbody", "thead", "tfoot", "tr", "td", "th"});
  Mark(k, K::kVoid,
       {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "image", "img",
        "input", "keygen", "link", "meta", "param", "source", "track", "wbr"});
  Mark(k, K::kRawText,
       {"script", "style", "xmp", "iframe", "noembed", "noframes", "noscript", "title", "textarea",
        "plaintext"});
  Mark(k, K::kHeading, {"h1", "h2", "h3", "h4", "h5", "h6"});
  Mark(k, K::kForeign, {"svg", "math"});
  Mark(k, K::kDocument, {"html", "head", "body", "frameset"});
  return k;
}

}  // namespace

uint32_t OpenElements::KindOf(std::string_view tag) {
  static const Kinds kinds = MakeKinds();
  const auto it = kinds.find(tag);
  return it == kinds.end() ? 0 : it->second;
}

bool OpenElements::IsOpen(std::string_view tag) const {
  const auto it = counts_.find(std::string(tag));
  return it != counts_.end() && it->second > 0;
}

void OpenElements::Push(std::string_view tag, uint32_t kind) {
  stack_.push_back({std::string(tag), kind});
  ++counts_[stack_.back().tag];
  if (kind & kHeading) ++headings_;
  if (kind & kTablePart) ++tableParts_;
  if (kind & kForeign) ++foreign_;
}

void OpenElements::Remove(size_t index) {
  const Open& open = stack_[index];
  --counts_[open.tag];
  if (open.kind & kHeading) --headings_;
  if (open.kind & kTablePart) --tableParts_;
  if (open.kind & kForeign) --foreign_;
  stack_.erase(stack_.begin() + static_cast<long>(index));
}

long OpenElements::Find(std::string_view tag, uint32_t boundaries, std::string_view extraBoundary,
                        std::string_view extraBoundary2) const {
  if (!IsOpen(tag)) return -1;
  for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
    const Open& open = stack_[static_cast<size_t>(i)];
    if (open.tag == tag) return i;
    if ((open.kind & boundaries) || open.tag == extraBoundary || open.tag == extraBoundary2)
      return -1;
  }
  return -1;
}

void OpenElements::PopTo(long index) {
  if (index < 0) return;
  while (static_cast<long>(stack_.size()) > index)
    Remove(stack_.size() - 1);
}

void OpenElements::PopLast() {
  PopTo(static_cast<long>(stack_.size()) - 1);
}

void OpenElements::CloseParagraph() {
  PopTo(Find("p", kScopeBoundary, "button"));
}

bool OpenElements::Start(std::string_view tag, bool selfClosing) {
  const uint32_t kind = KindOf(tag);
  if (kind & kDocument) return false;
  auto top = [&] {
    return stack_.empty() ? std::string_view() : std::string_view(stack_.back().tag);
  };
  // An item closes the item of its kind still open, unless a block other than a paragraph or
  // division stands between them.
  const bool listItem = tag == "li";
  const bool definition = tag == "dd" || tag == "dt";
  if ((listItem && IsOpen("li")) || (definition && (IsOpen("dd") || IsOpen("dt")))) {
    for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
      const Open& open = stack_[static_cast<size_t>(i)];
      if (listItem ? open.tag == "li" : (open.tag == "dd" || open.tag == "dt")) {
        PopTo(i);
        break;
      }
      if ((open.kind & kSpecial) && open.tag != "address" && open.tag != "div" && open.tag != "p")
        break;
    }
  }
  if (kind & kClosesParagraph) CloseParagraph();
  if ((kind & kHeading) && headings_ > 0 && (stack_.back().kind & kHeading)) PopLast();
  if (tag == "option" || tag == "optgroup") {
    if (top() == "option") PopLast();
    if (tag == "optgroup" && top() == "optgroup") PopLast();
  }
  // Rows and cells close the row or cell before them; a section or a table closes the section or
  // table before it (a table inside a cell nests).
  if ((kind & kTablePart) && tableParts_ > 0) {
    for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
      const std::string& open = stack_[static_cast<size_t>(i)].tag;
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
  if ((tag == "tr" || tag == "td" || tag == "th") && top() == "table")
    Push("tbody", KindOf("tbody"));
  if ((tag == "td" || tag == "th") && (top() == "tbody" || top() == "thead" || top() == "tfoot"))
    Push("tr", KindOf("tr"));
  // A link inside a link closes the outer one, as its end tag would.
  if (tag == "a") End("a");
  if (tag == "button") PopTo(Find("button", kScopeBoundary));
  if (tag == "select" && IsOpen("select")) {
    for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
      const std::string& open = stack_[static_cast<size_t>(i)].tag;
      if (open == "option" || open == "optgroup") continue;
      if (open != "select") break;
      PopTo(i);  // a select inside a select only closes the outer one
      return false;
    }
  }
  if (kind & kVoid) return false;
  if (selfClosing && foreign_ > 0) return false;
  if ((kind & kRawText) && foreign_ == 0) return false;
  Push(tag, kind);
  return true;
}

void OpenElements::End(std::string_view tag) {
  const uint32_t kind = KindOf(tag);
  if (tag == "p") return CloseParagraph();
  if (tag == "li") return PopTo(Find("li", kScopeBoundary, "ol", "ul"));
  if (kind & kBlockEnd) return PopTo(Find(tag, kScopeBoundary));
  if (kind & kHeading) {
    if (headings_ == 0) return;
    for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
      const Open& open = stack_[static_cast<size_t>(i)];
      if (open.kind & kHeading) return PopTo(i);
      if (open.kind & kScopeBoundary) return;
    }
    return;
  }
  if (tag == "form") {
    // The form leaves the stack; what was opened inside it stays open.
    const long i = Find("form", kScopeBoundary);
    if (i >= 0) Remove(static_cast<size_t>(i));
    return;
  }
  if (kind & kTablePart) return PopTo(Find(tag, kTableScopeBoundary));
  if (tag == "select") {
    for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
      const std::string& open = stack_[static_cast<size_t>(i)].tag;
      if (open == "select") return PopTo(i);
      if (open != "option" && open != "optgroup") return;
    }
    return;
  }
  if ((kind & kDocument) || tag == "br") return;
  // Any other end tag (inline formatting included) closes its element unless a block was opened
  // inside it; then the tag is ignored, or its element is moved and the depth stays.
  if (!IsOpen(tag)) return;
  for (long i = static_cast<long>(stack_.size()) - 1; i >= 0; --i) {
    const Open& open = stack_[static_cast<size_t>(i)];
    if (open.tag == tag) return PopTo(i);
    if (open.kind & kSpecial) return;
  }
}

}  // namespace qv::browser
