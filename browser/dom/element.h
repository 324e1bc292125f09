#pragma once
// An element of a page: its tag, its attributes (in source order), its children, its inline
// style and its event handlers. Elements of the kinds the pages use are classes of their own
// (HTMLInputElement, HTMLSelectElement, ...); the rest are plain Elements, which is also the
// generic element of the host's object model.
//
// Attribute names are kept in lower case and match without regard to case, as HTML's do. The
// style attribute and the style object are one: reading the attribute gives the style's current
// text, writing it replaces the style.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "browser/dom/event_target.h"
#include "browser/dom/node.h"
#include "browser/dom/style.h"

namespace qv::browser {

class HTMLFormElement;

class Element : public Node, public EventTarget {
 public:
  explicit Element(std::string tagName);
  ~Element() override;

  Type NodeType() const override { return Type::Element; }
  const automation::DispatchTable& Members() const override;
  // The members every element has; element classes inherit them.
  static const automation::DispatchTable& ElementMembers();
  EventTarget* AsEventTarget() override { return this; }
  std::optional<std::string> HandlerAttribute(const std::string& type) const override;

  // Lower-case tag name ("input").
  const std::string& TagName() const { return tag_; }

  // ---- attributes ----
  std::optional<std::string> GetAttribute(const std::string& name) const;
  bool HasAttribute(const std::string& name) const { return GetAttribute(name).has_value(); }
  void SetAttribute(const std::string& name, const std::string& value);
  void RemoveAttribute(const std::string& name);
  // Name and value of every attribute in source order (the style attribute with the style's
  // current text).
  std::vector<std::pair<std::string, std::string>> Attributes() const;
  std::string AttributeOr(const std::string& name, const std::string& fallback = "") const {
    return GetAttribute(name).value_or(fallback);
  }
  // A whole number attribute (size, cols, rows) as scripts read it; `fallback` when missing or
  // not a positive number.
  int32_t NumberAttribute(const std::string& name, int32_t fallback) const;
  std::string Id() const { return AttributeOr("id"); }
  std::string Name() const { return AttributeOr("name"); }
  std::string ClassName() const { return AttributeOr("class"); }
  void ClassName(const std::string& value) { SetAttribute("class", value); }
  bool Disabled() const { return HasAttribute("disabled"); }
  void Disabled(bool disabled);

  CSSStyle& Style() { return *StyleObject(); }
  // One property of the inline style, "" when not set (does not create the style).
  std::string StyleValue(const std::string& name) const { return style_ ? style_->Get(name) : ""; }
  std::shared_ptr<CSSStyle> StyleObject();

  // ---- tree ----
  const std::vector<NodeRef>& Children() const { return children_; }
  void AppendChild(NodeRef child);
  // Inserts `child` right after `reference` (one of this element's children), or at the end.
  void InsertAfter(NodeRef child, const Node* reference);
  void RemoveAllChildren();
  Element* ParentElement() const { return Parent(); }
  // Number of elements from the root to this one (the root has depth 0).
  int Depth() const;
  // Calls `visit` for every element below this one, in tree order; `visit` returns false to
  // stop the walk. The walk does not recurse, so a deep page cannot exhaust the stack.
  void ForEachDescendant(const std::function<bool(Element&)>& visit) const;
  std::shared_ptr<Element> SharedElement() {
    return std::static_pointer_cast<Element>(shared_from_this());
  }
  // The form this element belongs to: the nearest form around it.
  HTMLFormElement* Form() const;

  // ---- content ----
  std::string InnerHTML() const;
  // Replaces the children with the parse of `html` in this element's context.
  void InnerHTML(const std::string& html);
  std::string OuterHTML() const;
  // The text of the element and all below it.
  std::string TextContent() const;
  // The text as shown: as TextContent, with line breaks for <br> and block ends.
  std::string InnerText() const;
  // Replaces the children with one text.
  void SetText(const std::string& text);

  // ---- layout ----
  // False when this element or one around it is styled display:none.
  bool IsRendered() const;
  // The size of the element's box in pixels from the fixed font metrics (browser/dom/metrics.h).
  int32_t ClientWidth() const;
  int32_t ClientHeight() const;

  // ---- what the user does ----
  // A click: the element's activation (a check box toggles, a link is followed) around the
  // onclick handlers. A disabled control ignores it.
  void Click();
  // Fires an event of that name ("onkeypress") at this element, bubbling up to the document.
  // False when a handler cancelled it.
  bool FireEvent(const std::string& type, int32_t keyCode = 0);
  void Focus();
  void Blur();

  // ---- for element classes ----
  // Whether this element is a control of a form (input, select, textarea).
  virtual bool IsFormControl() const { return false; }
  virtual bool IsVoid() const;

 protected:
  // Called after an attribute changed (value empty when removed).
  virtual void AttributeChanged(const std::string& name) { (void)name; }
  // The click's effect before the handlers run (a check box toggles); undone when a handler
  // cancels the click.
  virtual void PreActivation() {}
  virtual void CancelledActivation() {}
  // The click's effect after the handlers ran without cancelling it (a link is followed).
  virtual void Activation() {}

 private:
  friend class HtmlTreeBuilder;

  std::string tag_;
  std::vector<std::pair<std::string, std::string>> attributes_;
  std::vector<NodeRef> children_;
  std::shared_ptr<CSSStyle> style_;
};

using ElementRef = std::shared_ptr<Element>;

}  // namespace qv::browser
