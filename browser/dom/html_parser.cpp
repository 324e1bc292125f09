#include "browser/dom/html_parser.h"

#include <gumbo.h>

#include <optional>

#include "automation/text/ascii.h"
#include "browser/dom/element_factory.h"
#include "browser/dom/markup_bounds.h"

namespace qv::browser {
namespace {

// The parser's error list keeps a copy of the open elements per error; a handful is enough.
constexpr int kMaxParseErrors = 16;
// What the parser is given: elements open deeper than the tree keeps (with a margin, since the
// markup's depth is estimated) are closed at once, and a tag keeps a few hundred attributes.
constexpr MarkupBounds kMarkupBounds{kMaxTreeDepth + 100, 256};

class GumboResult {
 public:
  // `baseDepth`: how many elements are open around the markup.
  GumboResult(const std::string& html, GumboTag context, size_t baseDepth)
      : options_(kGumboDefaultOptions), bounded_(BoundMarkup(html, kMarkupBounds, baseDepth)) {
    options_.max_errors = kMaxParseErrors;
    options_.fragment_context = context;
    const std::string& markup = bounded_ ? *bounded_ : html;
    output_ = gumbo_parse_with_options(&options_, markup.data(), markup.size());
  }
  ~GumboResult() {
    if (output_) gumbo_destroy_output(&options_, output_);
  }
  GumboResult(const GumboResult&) = delete;
  GumboResult& operator=(const GumboResult&) = delete;
  const GumboOutput* Output() const { return output_; }

 private:
  GumboOptions options_;
  // The parser's tree points into the markup it was given, so the rewritten markup lives as long.
  std::optional<std::string> bounded_;
  GumboOutput* output_ = nullptr;
};

std::string TagNameOf(const GumboElement& e) {
  if (e.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(e.tag);
  GumboStringPiece original = e.original_tag;
  gumbo_tag_from_original_text(&original);
  std::string name(original.data ? original.data : "", original.length);
  name = text::AsciiLowered(name);
  return name.empty() ? "span" : name;
}

ElementRef MakeElement(const GumboElement& source, const std::weak_ptr<HTMLDocument>& document) {
  ElementRef e = CreateElement(TagNameOf(source));
  e->SetOwnerDocument(document);
  for (unsigned i = 0; i < source.attributes.length; ++i) {
    const auto* a = static_cast<const GumboAttribute*>(source.attributes.data[i]);
    // The parser has already dropped repeated attributes, keeping the first.
    e->SetAttribute(a->name, a->value);
  }
  return e;
}

// Copies the children of `source` below `target`, without recursion. `baseDepth` is the depth
// of `target` in its tree.
void CopyChildren(const GumboNode& source, Element& target, int baseDepth,
                  const std::weak_ptr<HTMLDocument>& document) {
  struct Frame {
    const GumboVector* children;
    unsigned next;
    Element* target;
    int depth;
  };
  const GumboVector* first =
      source.type == GUMBO_NODE_DOCUMENT ? &source.v.document.children : &source.v.element.children;
  std::vector<Frame> stack{{first, 0, &target, baseDepth}};
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.next >= f.children->length) {
      stack.pop_back();
      continue;
    }
    const auto* node = static_cast<const GumboNode*>(f.children->data[f.next++]);
    Element* parent = f.target;
    const int depth = f.depth;
    switch (node->type) {
      case GUMBO_NODE_TEXT:
      case GUMBO_NODE_WHITESPACE:
      case GUMBO_NODE_CDATA: {
        auto text = std::make_shared<Text>(node->v.text.text);
        text->SetOwnerDocument(document);
        parent->AppendChild(std::move(text));
        break;
      }
      case GUMBO_NODE_ELEMENT:
      case GUMBO_NODE_TEMPLATE: {
        ElementRef e = MakeElement(node->v.element, document);
        Element* raw = e.get();
        parent->AppendChild(std::move(e));
        if (depth + 1 > kMaxTreeDepth) {
          // Too deep: the element stays, empty, and what it held follows it as its siblings.
          stack.push_back({&node->v.element.children, 0, parent, depth});
          break;
        }
        stack.push_back({&node->v.element.children, 0, raw, depth + 1});
        break;
      }
      default:  // comments and the document type are not kept
        break;
    }
  }
}

GumboTag ContextTag(const Element& context) {
  const GumboTag tag = gumbo_tag_enum(context.TagName().c_str());
  // Elements whose content is raw text or that cannot hold markup take it as a <div> would.
  if (tag == GUMBO_TAG_UNKNOWN || tag == GUMBO_TAG_HTML || tag == GUMBO_TAG_TITLE ||
      tag == GUMBO_TAG_TEXTAREA || tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE)
    return GUMBO_TAG_DIV;
  return tag;
}

}  // namespace

ElementRef ParseDocument(const std::string& html, const std::weak_ptr<HTMLDocument>& document) {
  GumboResult result(html, GUMBO_TAG_LAST, 0);
  ElementRef root = CreateElement("html");
  root->SetOwnerDocument(document);
  const GumboNode* gumboRoot = result.Output() ? result.Output()->root : nullptr;
  if (!gumboRoot) return root;
  for (unsigned i = 0; i < gumboRoot->v.element.attributes.length; ++i) {
    const auto* a = static_cast<const GumboAttribute*>(gumboRoot->v.element.attributes.data[i]);
    root->SetAttribute(a->name, a->value);
  }
  CopyChildren(*gumboRoot, *root, 0, document);
  return root;
}

std::vector<NodeRef> ParseFragment(const Element& context, const std::string& html) {
  const size_t depth = static_cast<size_t>(context.Depth()) + 1;
  GumboResult result(html, ContextTag(context), depth);
  auto document = std::weak_ptr<HTMLDocument>(context.OwnerDocument());
  // A scratch element holds the nodes until the caller adopts them.
  ElementRef holder = CreateElement(context.TagName());
  holder->SetOwnerDocument(document);
  if (result.Output() && result.Output()->root)
    CopyChildren(*result.Output()->root, *holder, static_cast<int>(depth), document);
  std::vector<NodeRef> nodes(holder->Children().begin(), holder->Children().end());
  holder->RemoveAllChildren();
  return nodes;
}

}  // namespace qv::browser
