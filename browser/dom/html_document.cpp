#include "browser/dom/html_document.h"

#include "automation/text/ascii.h"
#include "browser/dom/collection.h"
#include "browser/dom/element_factory.h"
#include "browser/dom/html_form_element.h"
#include "browser/dom/html_parser.h"
#include "browser/windows/html_window.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::ObjectRef;
using automation::Variant;

namespace {

ElementRef FirstChildTagged(const ElementRef& parent, const std::string& tag) {
  if (!parent) return nullptr;
  for (const auto& child : parent->Children())
    if (child->NodeType() == Node::Type::Element && static_cast<Element&>(*child).TagName() == tag)
      return std::static_pointer_cast<Element>(child);
  return nullptr;
}

}  // namespace

std::shared_ptr<HTMLDocument> HTMLDocument::Create(const std::weak_ptr<HTMLWindow>& window) {
  auto document = std::make_shared<HTMLDocument>(window);
  document->ReplaceContent("");
  return document;
}

std::weak_ptr<HTMLDocument> HTMLDocument::Self() const {
  return std::static_pointer_cast<HTMLDocument>(
      std::const_pointer_cast<automation::Dispatch>(shared_from_this()));
}

void HTMLDocument::ReplaceContent(const std::string& html) {
  root_ = ParseDocument(html, Self());
  active_.reset();
}

ElementRef HTMLDocument::Body() {
  if (auto body = FirstChildTagged(root_, "body")) return body;
  auto body = CreateElement("body");
  body->SetOwnerDocument(Self());
  root_->AppendChild(body);
  return body;
}

ElementRef HTMLDocument::Head() {
  if (auto head = FirstChildTagged(root_, "head")) return head;
  auto head = CreateElement("head");
  head->SetOwnerDocument(Self());
  root_->AppendChild(head);
  return head;
}

std::string HTMLDocument::Title() const {
  auto titles = GetElementsByTagName("title");
  if (titles.empty()) return "";
  // The host trims the title and makes its runs of blanks one.
  std::string out;
  bool blank = false;
  for (char c : titles.front()->TextContent()) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

void HTMLDocument::Title(const std::string& title) {
  auto titles = GetElementsByTagName("title");
  if (!titles.empty()) return titles.front()->SetText(title);
  auto element = CreateElement("title");
  element->SetOwnerDocument(Self());
  element->SetText(title);
  Head()->AppendChild(element);
}

std::vector<ElementRef> HTMLDocument::All() const {
  std::vector<ElementRef> out;
  if (!root_) return out;
  out.push_back(root_);
  root_->ForEachDescendant([&](Element& e) {
    out.push_back(e.SharedElement());
    return true;
  });
  return out;
}

std::vector<std::shared_ptr<HTMLFormElement>> HTMLDocument::Forms() const {
  std::vector<std::shared_ptr<HTMLFormElement>> out;
  if (!root_) return out;
  root_->ForEachDescendant([&](Element& e) {
    if (e.TagName() == "form")
      out.push_back(std::static_pointer_cast<HTMLFormElement>(e.SharedElement()));
    return true;
  });
  return out;
}

std::shared_ptr<HTMLFormElement> HTMLDocument::Form(int32_t index) const {
  auto forms = Forms();
  if (index < 0 || index >= static_cast<int32_t>(forms.size())) return nullptr;
  return forms[static_cast<size_t>(index)];
}

ElementRef HTMLDocument::GetElementById(const std::string& id) const {
  ElementRef found;
  if (!root_ || id.empty()) return found;
  root_->ForEachDescendant([&](Element& e) {
    if (e.Id() != id) return true;
    found = e.SharedElement();
    return false;
  });
  return found;
}

std::vector<ElementRef> HTMLDocument::GetElementsByName(const std::string& name) const {
  std::vector<ElementRef> out;
  for (auto& e : All())
    if (!name.empty() && e->Name() == name) out.push_back(e);
  return out;
}

std::vector<ElementRef> HTMLDocument::GetElementsByTagName(const std::string& tag) const {
  std::string lower = text::AsciiLowered(tag);
  std::vector<ElementRef> out;
  for (auto& e : All())
    if (lower == "*" || e->TagName() == lower) out.push_back(e);
  return out;
}

void HTMLDocument::Open(const std::string& mimeType) {
  loadScript_.reset();
  std::string kind = text::AsciiLowered(mimeType);
  if (!kind.empty() && kind != "text/html") automation::Raise(automation::err::kInvalidCall);
  ReplaceContent("");
  written_.clear();
  writing_ = true;
  readyState_ = "loading";
}

void HTMLDocument::Write(const std::string& text) {
  if (!writing_ && loadScript_ && loadScript_->Parent()) {
    // Written during loading: the markup joins the page after the script (after what the same
    // script wrote before).
    Element& parent = *loadScript_->Parent();
    auto after = lastWritten_.lock();
    const Node* reference =
        after && after->Parent() == &parent ? after.get() : static_cast<Node*>(loadScript_.get());
    for (auto& node : ParseFragment(parent, text)) {
      lastWritten_ = node;
      parent.InsertAfter(node, reference);
      reference = node.get();
    }
    return;
  }
  if (!writing_) Open();
  written_ += text;
}

void HTMLDocument::Close() {
  if (!writing_) return;
  writing_ = false;
  std::string page;
  page.swap(written_);
  if (auto window = Window())
    window->LoadWrittenPage(page);
  else {
    ReplaceContent(page);
    readyState_ = "complete";
  }
}

bool HTMLDocument::ScriptGet(const std::string& name, Variant& out) {
  // document.frm: forms by name; several of one name answer as a collection.
  std::vector<ElementRef> forms;
  for (auto& f : Forms())
    if (f->Name() == name || f->Id() == name) forms.push_back(f);
  if (forms.empty()) return false;
  out = forms.size() == 1 ? Variant(forms.front())
                          : Variant(std::make_shared<ElementCollection>([forms] { return forms; }));
  return true;
}

const automation::DispatchTable& HTMLDocument::Members() const {
  static const auto table = [] {
    ClassTable<HTMLDocument> t("HTMLDocument");
    t.Prop(
         "title", [](HTMLDocument& d) { return d.Title(); },
         [](HTMLDocument& d, const Variant& v) { d.Title(v.ToText()); })
        .Get("body", [](HTMLDocument& d) { return Variant(d.Body()); })
        .Get("documentElement", [](HTMLDocument& d) { return Variant(d.DocumentElement()); })
        .Get("URL", [](HTMLDocument& d) { return d.URL(); })
        .Get("readyState", [](HTMLDocument& d) { return d.ReadyState(); })
        .Get("activeElement",
             [](HTMLDocument& d) {
               auto e = d.ActiveElement();
               return e ? Variant(e) : Variant(ObjectRef());
             })
        .Get("parentWindow",
             [](HTMLDocument& d) {
               auto w = d.Window();
               return w ? Variant(std::static_pointer_cast<automation::Dispatch>(w))
                        : Variant(ObjectRef());
             })
        .Get("forms",
             [](HTMLDocument& d) {
               auto self = std::static_pointer_cast<HTMLDocument>(d.shared_from_this());
               return Variant(std::make_shared<ElementCollection>([self] {
                 auto forms = self->Forms();
                 return std::vector<ElementRef>(forms.begin(), forms.end());
               }));
             })
        .Get("all",
             [](HTMLDocument& d) {
               auto self = std::static_pointer_cast<HTMLDocument>(d.shared_from_this());
               return Variant(std::make_shared<ElementCollection>([self] { return self->All(); }));
             })
        .Method("getElementById",
                [](HTMLDocument& d, Args& a) {
                  auto e = d.GetElementById(a.Text(0));
                  return e ? Variant(e) : Variant(ObjectRef());
                })
        .Method("getElementsByName",
                [](HTMLDocument& d, Args& a) {
                  auto self = std::static_pointer_cast<HTMLDocument>(d.shared_from_this());
                  const std::string name = a.Text(0);
                  return Variant(std::make_shared<ElementCollection>(
                      [self, name] { return self->GetElementsByName(name); }));
                })
        .Method("getElementsByTagName",
                [](HTMLDocument& d, Args& a) {
                  auto self = std::static_pointer_cast<HTMLDocument>(d.shared_from_this());
                  const std::string tag = a.Text(0);
                  return Variant(std::make_shared<ElementCollection>(
                      [self, tag] { return self->GetElementsByTagName(tag); }));
                })
        .Method(
            "open",
            [](HTMLDocument& d, Args& a) {
              d.Open(a.Has(0) ? a.Text(0) : "text/html");
              return Variant(std::static_pointer_cast<automation::Dispatch>(d.shared_from_this()));
            })
        .Sub("write",
             [](HTMLDocument& d, Args& a) {
               for (size_t i = 0; i < a.Count(); ++i)
                 d.Write(a.Text(i));
             })
        .Sub("writeln",
             [](HTMLDocument& d, Args& a) {
               for (size_t i = 0; i < a.Count(); ++i)
                 d.Write(a.Text(i));
               d.Write("\n");
             })
        .Sub("close", [](HTMLDocument& d, Args&) { d.Close(); })
        .Sub("focus", [](HTMLDocument& d, Args&) {
          if (auto w = d.Window()) w->Focus();
        });
    for (const char* name : kEventNames) {
      const std::string n = name;
      t.Prop(
          n,
          [n](HTMLDocument& d) {
            const EventHandler* h = d.Handler(n);
            return h && h->host ? Variant(h->host) : Variant();
          },
          [n](HTMLDocument& d, const Variant& v) {
            EventHandler h;
            if (v.IsObject()) h.host = v.ToObject();
            d.SetHandler(n, std::move(h));
          });
    }
    return t.Build();
  }();
  return table;
}

}  // namespace qv::browser
