#include "browser/dom/element.h"

#include <algorithm>

#include "automation/text/ascii.h"
#include "browser/dom/html_document.h"
#include "browser/dom/html_form_element.h"
#include "browser/dom/html_parser.h"
#include "browser/dom/metrics.h"
#include "browser/dom/reflected.h"
#include "browser/dom/serializer.h"
#include "browser/windows/html_window.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::Variant;

namespace {

bool IsBlock(const std::string& tag) {
  static const char* const kBlocks[] = {"p",  "div", "table", "tr", "form",  "h1",   "h2",
                                        "h3", "li",  "ul",    "ol", "tbody", "body", "pre"};
  return std::any_of(std::begin(kBlocks), std::end(kBlocks),
                     [&](const char* b) { return tag == b; });
}

enum class Step { Descend, Skip, Stop };

// Walks the nodes below `root` in document order with a stack of its own, as pages may nest
// deeper than the call stack allows. `enter` sees every node and says whether to go into it (only
// an element can be gone into), to pass over it, or to stop the walk; `leave` sees every element
// gone into, `root` last, once its children are done.
template <class Enter, class Leave>
void WalkBelow(const Element& root, Enter enter, Leave leave) {
  std::vector<std::pair<const Element*, size_t>> stack{{&root, 0}};
  while (!stack.empty()) {
    auto& [element, next] = stack.back();
    if (next >= element->Children().size()) {
      leave(*element);
      stack.pop_back();
      continue;
    }
    Node& child = *element->Children()[next++];
    const Step step = enter(child);
    if (step == Step::Stop) return;
    if (step == Step::Descend) stack.emplace_back(static_cast<const Element*>(&child), 0);
  }
}

void NothingToLeave(const Element&) {}

}  // namespace

Element::Element(std::string tagName) : tag_(text::AsciiLowered(std::move(tagName))) {}

Element::~Element() {
  for (auto& child : children_)
    child->parent_ = nullptr;
}

std::optional<std::string> Element::GetAttribute(const std::string& name) const {
  const std::string key = text::AsciiLowered(name);
  if (key == "style" && style_ && !style_->Empty()) return style_->CssText();
  for (const auto& [k, v] : attributes_) {
    if (k != key) continue;
    if (key == "style" && style_) return style_->CssText();
    return v;
  }
  return std::nullopt;
}

void Element::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = text::AsciiLowered(name);
  auto it = std::find_if(attributes_.begin(), attributes_.end(),
                         [&](const auto& a) { return a.first == key; });
  if (it == attributes_.end())
    attributes_.emplace_back(key, value);
  else
    it->second = value;
  if (key == "style") StyleObject()->CssText(value);
  // A handler written into the attribute replaces one compiled from the old text.
  if (IsEventName(key)) {
    const EventHandler* h = Handler(key);
    if (h && h->fromAttribute) ClearHandler(key);
  }
  AttributeChanged(key);
}

void Element::RemoveAttribute(const std::string& name) {
  const std::string key = text::AsciiLowered(name);
  std::erase_if(attributes_, [&](const auto& a) { return a.first == key; });
  if (key == "style" && style_) style_->CssText("");
  AttributeChanged(key);
}

std::vector<std::pair<std::string, std::string>> Element::Attributes() const {
  auto out = attributes_;
  bool hasStyle = false;
  for (auto& [k, v] : out) {
    if (k != "style") continue;
    hasStyle = true;
    if (style_) v = style_->CssText();
  }
  // A style first given by a script shows as an attribute too.
  if (!hasStyle && style_ && !style_->Empty()) out.emplace_back("style", style_->CssText());
  return out;
}

int32_t Element::NumberAttribute(const std::string& name, int32_t fallback) const {
  double d = 0;
  if (auto v = GetAttribute(name); v && automation::ParseNumber(*v, d) && d >= 1 && d < 1e9)
    return static_cast<int32_t>(d);
  return fallback;
}

void Element::Disabled(bool disabled) {
  if (disabled)
    SetAttribute("disabled", "");
  else
    RemoveAttribute("disabled");
}

std::shared_ptr<CSSStyle> Element::StyleObject() {
  if (!style_) {
    style_ = std::make_shared<CSSStyle>();
    // The attribute keeps its place in the source order; its text now lives in the style.
    if (auto it = std::find_if(attributes_.begin(), attributes_.end(),
                               [](const auto& a) { return a.first == "style"; });
        it != attributes_.end())
      style_->CssText(it->second);
  }
  return style_;
}

std::optional<std::string> Element::HandlerAttribute(const std::string& type) const {
  return GetAttribute(type);
}

void Element::AppendChild(NodeRef child) {
  if (child->parent_) {
    auto& siblings = child->parent_->children_;
    std::erase(siblings, child);
  }
  child->parent_ = this;
  child->document_ = document_;
  children_.push_back(std::move(child));
}

void Element::InsertAfter(NodeRef child, const Node* reference) {
  // Searched from the end: what a script writes while the page loads goes after the script and
  // after what it wrote before, near the end of its parent, so many writes stay linear.
  auto find = [&] {
    return std::find_if(children_.rbegin(), children_.rend(),
                        [&](const NodeRef& n) { return n.get() == reference; });
  };
  if (find() == children_.rend()) return AppendChild(std::move(child));
  if (child->parent_) std::erase(child->parent_->children_, child);
  // The erase may have moved the reference.
  const auto it = find().base();  // the position after the reference
  child->parent_ = this;
  child->document_ = document_;
  children_.insert(it, std::move(child));
}

void Element::RemoveAllChildren() {
  for (auto& child : children_)
    child->parent_ = nullptr;
  children_.clear();
}

int Element::Depth() const {
  int depth = 0;
  for (const Element* e = Parent(); e; e = e->Parent())
    ++depth;
  return depth;
}

void Element::ForEachDescendant(const std::function<bool(Element&)>& visit) const {
  WalkBelow(
      *this,
      [&](Node& child) {
        if (child.NodeType() != Type::Element) return Step::Skip;
        return visit(static_cast<Element&>(child)) ? Step::Descend : Step::Stop;
      },
      NothingToLeave);
}

HTMLFormElement* Element::Form() const {
  for (Element* e = Parent(); e; e = e->Parent())
    if (e->TagName() == "form") return static_cast<HTMLFormElement*>(e);
  return nullptr;
}

std::string Element::InnerHTML() const {
  return SerializeChildren(*this);
}

void Element::InnerHTML(const std::string& html) {
  auto nodes = ParseFragment(*this, html);
  RemoveAllChildren();
  for (auto& n : nodes)
    AppendChild(std::move(n));
}

std::string Element::OuterHTML() const {
  return SerializeElement(*this);
}

std::string Element::TextContent() const {
  std::string out;
  WalkBelow(
      *this,
      [&](Node& child) {
        if (child.NodeType() != Type::Text) return Step::Descend;
        out += static_cast<const Text&>(child).Data();
        return Step::Skip;
      },
      NothingToLeave);
  return out;
}

std::string Element::InnerText() const {
  std::string out;
  const auto blockBreak = [&](const Element& e) {
    if (IsBlock(e.TagName()) && !out.empty() && out.back() != '\n') out += "\r\n";
  };
  WalkBelow(
      *this,
      [&](Node& child) {
        if (child.NodeType() == Type::Text) {
          out += static_cast<const Text&>(child).Data();
          return Step::Skip;
        }
        const auto& e = static_cast<const Element&>(child);
        if (e.TagName() == "br") out += "\r\n";
        if (e.TagName() == "script" || e.TagName() == "style" || !e.IsRendered()) return Step::Skip;
        // A block starts on a line of its own, and what follows it on another.
        blockBreak(e);
        return Step::Descend;
      },
      [&](const Element& e) {
        if (&e != this) blockBreak(e);
      });
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
    out.pop_back();
  return out;
}

void Element::SetText(const std::string& text) {
  RemoveAllChildren();
  if (!text.empty()) AppendChild(std::make_shared<Text>(text));
}

bool Element::IsRendered() const {
  for (const Element* e = this; e; e = e->Parent())
    if (e->StyleValue("display") == "none") return false;
  return true;
}

int32_t Element::ClientWidth() const {
  return MeasureElement(*this).width;
}
int32_t Element::ClientHeight() const {
  return MeasureElement(*this).height;
}

bool Element::IsVoid() const {
  static const char* const kVoid[] = {"area",  "base", "br",   "col",   "embed",  "hr", "img",
                                      "input", "link", "meta", "param", "source", "wbr"};
  return std::any_of(std::begin(kVoid), std::end(kVoid), [&](const char* v) { return tag_ == v; });
}

bool Element::FireEvent(const std::string& type, int32_t keyCode) {
  auto document = OwnerDocument();
  auto window = document ? document->Window() : nullptr;
  if (!window) return true;
  return window->DispatchEvent(SharedElement(), type, keyCode);
}

void Element::Click() {
  if (IsFormControl() && Disabled()) return;
  // The element stays alive while its handlers run, even when one of them replaces the page.
  auto keep = SharedElement();
  PreActivation();
  if (!FireEvent("onclick")) {
    CancelledActivation();
    return;
  }
  Activation();
}

void Element::Focus() {
  auto document = OwnerDocument();
  if (!document) return;
  auto keep = SharedElement();
  auto previous = document->ActiveElement();
  if (previous.get() == this) return;
  document->ActiveElement(keep);
  if (previous) previous->FireEvent("onblur");
  FireEvent("onfocus");
}

void Element::Blur() {
  auto document = OwnerDocument();
  if (!document || document->ActiveElement().get() != this) return;
  auto keep = SharedElement();
  document->ActiveElement(nullptr);
  FireEvent("onblur");
}

const automation::DispatchTable& Element::ElementMembers() {
  static const auto table = [] {
    ClassTable<Element> t("HTMLElement");
    t.With(Reflected<Element>("id"))
        .With(Reflected<Element>("name"))
        .With(Reflected<Element>("className", "class"))
        .With(Reflected<Element>("title"))
        .Get("tagName", [](Element& e) { return text::AsciiUppered(e.TagName()); })
        .Get("nodeType", [](Element&) { return 1; })
        .With(ReflectedFlag<Element>("disabled", "disabled"))
        .Get("style", [](Element& e) { return Variant(e.StyleObject()); })
        .Prop(
            "innerHTML", [](Element& e) { return e.InnerHTML(); },
            [](Element& e, const Variant& v) { e.InnerHTML(v.ToText()); })
        .Prop(
            "innerText", [](Element& e) { return e.InnerText(); },
            [](Element& e, const Variant& v) { e.SetText(v.ToText()); })
        .Get("outerHTML", [](Element& e) { return e.OuterHTML(); })
        .Get("clientWidth", [](Element& e) { return e.ClientWidth(); })
        .Get("clientHeight", [](Element& e) { return e.ClientHeight(); })
        .Get("offsetWidth", [](Element& e) { return MeasureElement(e).offsetWidth; })
        .Get("offsetHeight", [](Element& e) { return MeasureElement(e).offsetHeight; })
        .Get("parentElement",
             [](Element& e) {
               return e.Parent() ? Variant(e.Parent()->SharedElement())
                                 : Variant(automation::ObjectRef());
             })
        .Get("form",
             [](Element& e) {
               HTMLFormElement* f = e.Form();
               return f ? Variant(std::static_pointer_cast<automation::Dispatch>(
                              static_cast<Element*>(f)->SharedElement()))
                        : Variant(automation::ObjectRef());
             })
        .Method("getAttribute",
                [](Element& e, Args& a) {
                  auto v = e.GetAttribute(a.Text(0));
                  return v ? Variant(*v) : Variant(automation::ObjectRef());
                })
        .Sub("setAttribute", [](Element& e, Args& a) { e.SetAttribute(a.Text(0), a.Text(1)); })
        .Sub("removeAttribute", [](Element& e, Args& a) { e.RemoveAttribute(a.Text(0)); })
        .Sub("click", [](Element& e, Args&) { e.Click(); })
        .Sub("focus", [](Element& e, Args&) { e.Focus(); })
        .Sub("blur", [](Element& e, Args&) { e.Blur(); })
        .Method("fireEvent", [](Element& e, Args& a) {
          return e.FireEvent(a.Text(0), a.Has(1) ? a.Int(1) : 0);
        });
    // Handler properties as the host sees them: an object whose default member is called.
    for (const char* name : kEventNames) {
      const std::string n = name;
      t.Prop(
          n,
          [n](Element& e) {
            const EventHandler* h = e.Handler(n);
            return h && h->host ? Variant(h->host) : Variant();
          },
          [n](Element& e, const Variant& v) {
            EventHandler h;
            if (v.IsObject()) h.host = v.ToObject();
            e.SetHandler(n, std::move(h));
          });
    }
    return t.Build();
  }();
  return table;
}

const automation::DispatchTable& Element::Members() const {
  return ElementMembers();
}

}  // namespace qv::browser
