#pragma once
// The HTML document of a window: the page's tree and what the host's document object offers on
// it: its forms (by index and by name: document.frm), the elements by id, the title, the body,
// the element with the focus, and writing a whole page (open, write, close). The document keeps
// its identity across open/write/close, so a holder of the document sees the page written into
// it. Handlers assigned to the document (onclick, onkeypress) receive the events of every
// element of the page after the element's own handlers.

#include <memory>
#include <string>
#include <vector>

#include "browser/dom/element.h"
#include "browser/dom/event_target.h"

namespace qv::browser {

class HTMLFormElement;
class HTMLWindow;

class HTMLDocument final : public ScriptObject, public EventTarget {
 public:
  // A document of `window` holding an empty page. Use Create: the document hands weak
  // references to itself to its nodes.
  static std::shared_ptr<HTMLDocument> Create(const std::weak_ptr<HTMLWindow>& window);
  explicit HTMLDocument(std::weak_ptr<HTMLWindow> window) : window_(std::move(window)) {}

  const automation::DispatchTable& Members() const override;
  bool ScriptGet(const std::string& name, automation::Variant& out) override;
  EventTarget* AsEventTarget() override { return this; }

  std::shared_ptr<HTMLWindow> Window() const { return window_.lock(); }

  // ---- the page ----
  // Replaces the page with the parse of `html` (no scripts run: the window does that).
  void ReplaceContent(const std::string& html);
  ElementRef DocumentElement() const { return root_; }
  // The <body> element (made when the page has none).
  ElementRef Body();
  ElementRef Head();
  std::string Title() const;
  void Title(const std::string& title);
  const std::string& URL() const { return url_; }
  void URL(std::string url) { url_ = std::move(url); }
  // "uninitialized", "loading", "interactive" or "complete", as the host's document says.
  const std::string& ReadyState() const { return readyState_; }
  void ReadyState(std::string state) { readyState_ = std::move(state); }

  // ---- finding elements ----
  std::vector<std::shared_ptr<HTMLFormElement>> Forms() const;
  // The form at `index` (from 0), or nullptr.
  std::shared_ptr<HTMLFormElement> Form(int32_t index) const;
  ElementRef GetElementById(const std::string& id) const;
  std::vector<ElementRef> GetElementsByName(const std::string& name) const;
  std::vector<ElementRef> GetElementsByTagName(const std::string& tag) const;
  // Every element of the page in tree order (document.all).
  std::vector<ElementRef> All() const;

  ElementRef ActiveElement() const { return active_.lock(); }
  void ActiveElement(const ElementRef& element) { active_ = element; }

  // ---- writing a page ----
  // Starts a new page: the old one goes, and what Write adds until Close becomes the page.
  // Only "text/html" (or nothing) is accepted as the kind of content.
  void Open(const std::string& mimeType = "text/html");
  void Write(const std::string& text);
  // Parses what was written; the page's scripts and its load handler run, and the document is
  // complete when Close returns.
  void Close();
  bool IsOpenForWriting() const { return writing_; }
  // While the page's own scripts run at load, what they write goes into the page right after
  // the running script instead of starting a new page. The window sets the script; nullptr
  // ends it.
  void WritingScript(std::shared_ptr<Element> script) { loadScript_ = std::move(script); }

 private:
  std::weak_ptr<HTMLDocument> Self() const;

  std::weak_ptr<HTMLWindow> window_;
  ElementRef root_;
  std::string url_ = "about:blank";
  std::string readyState_ = "uninitialized";
  std::weak_ptr<Element> active_;
  std::string written_;
  bool writing_ = false;
  std::shared_ptr<Element> loadScript_;
  std::weak_ptr<Node> lastWritten_;
};

}  // namespace qv::browser
