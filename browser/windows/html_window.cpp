#include "browser/windows/html_window.h"

#include <cctype>

#include "automation/text/ascii.h"
#include "browser/dom/html_parser.h"
#include "browser/windows/location.h"
#include "ui/constants.h"
#include "ui/msgbox.h"
#include "ui/toolkit.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::ObjectRef;
using automation::Variant;

namespace {

constexpr size_t kMaxKeptErrors = 100;

std::string PercentDecode(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
      out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

// `href` read against the address of the page it appears in.
std::string Resolve(const std::string& base, const std::string& href) {
  const size_t colon = href.find(':');
  if (colon != std::string::npos && colon > 1 && href.find('/') > colon) return href;
  if (!text::StartsWithIgnoreCase(base, "http://")) return href;
  const size_t hostEnd = base.find('/', 7);
  const std::string origin = base.substr(0, hostEnd);
  if (!href.empty() && href[0] == '/') return origin + href;
  const std::string path = hostEnd == std::string::npos ? "/" : base.substr(hostEnd);
  return origin + path.substr(0, path.rfind('/') + 1) + href;
}

bool Bubbles(const std::string& type) {
  return type == "onclick" || type == "ondblclick" || type == "onkeypress" || type == "onkeydown" ||
         type == "onkeyup" || type == "onmouseover" || type == "onmouseout";
}

bool IsScriptBlock(const Element& script) {
  std::string kind =
      text::AsciiLowered(script.AttributeOr("type") + script.AttributeOr("language"));
  return kind.empty() || kind.find("javascript") != std::string::npos ||
         kind.find("jscript") != std::string::npos || kind.find("ecmascript") != std::string::npos;
}

}  // namespace

std::shared_ptr<HTMLWindow> HTMLWindow::Create(std::string name, ScriptLimits limits) {
  auto window = std::make_shared<HTMLWindow>(std::move(name), limits);
  window->document_ = HTMLDocument::Create(window);
  window->engine_ = ScriptEngine::Create(*window, limits);
  return window;
}

HTMLWindow::HTMLWindow(std::string name, ScriptLimits limits)
    : name_(std::move(name)), limits_(limits) {}

HTMLWindow::~HTMLWindow() {
  if (engine_) engine_->Detach();
}

void HTMLWindow::Navigate(const std::string& url) {
  if (closed_) return;
  if (engine_->Busy()) {
    pending_ = true;
    std::weak_ptr<HTMLWindow> weak = Self();
    ui::Toolkit::Current().Post([weak, url] {
      auto window = weak.lock();
      if (!window || !window->pending_) return;
      window->pending_ = false;
      window->NavigateNow(url);
    });
    return;
  }
  pending_ = false;
  NavigateNow(url);
}

void HTMLWindow::Stop() {
  pending_ = false;
}

void HTMLWindow::NavigateNow(const std::string& url) {
  auto keep = Self();
  const std::string address = NormalizeAddress(url);
  if (text::StartsWithIgnoreCase(address, "javascript:")) {
    RunScript(PercentDecode(address.substr(11)), "javascript: address");
    return;
  }
  loading_ = true;
  document_->ReadyState("loading");
  const auto fetch = hooks_.fetch;
  FetchResult fetched = fetch ? fetch(address) : FetchPage(address);
  LoadPage(fetched.ok ? fetched.body : ErrorPage(address, fetched.error),
           address.empty() ? "about:blank" : address);
  loading_ = false;
  if (const auto navigated = hooks_.navigated) navigated(document_->URL());
}

void HTMLWindow::LoadPage(const std::string& html, const std::string& url) {
  auto keep = Self();
  // Timers of the old page go with it.
  timers_.clear();
  event_.reset();
  document_->ReplaceContent(html);
  document_->URL(url);
  document_->ReadyState("interactive");
  // A page written by one of the old page's own scripts keeps the running engine.
  if (!engine_->Busy()) {
    engine_->Detach();
    engine_ = ScriptEngine::Create(*this, limits_);
  }
  RunPage();
}

void HTMLWindow::LoadWrittenPage(const std::string& html) {
  LoadPage(html, document_->URL());
}

void HTMLWindow::RunPage() {
  const auto root = document_->DocumentElement();
  int32_t block = 0;
  for (const auto& script : document_->GetElementsByTagName("script")) {
    ++block;
    // A script that replaced the page ends the run of the old page's blocks.
    if (document_->DocumentElement() != root) return;
    // Scripts from other files are not loaded: the pages shown here carry their scripts.
    if (script->HasAttribute("src") || !IsScriptBlock(*script)) continue;
    document_->WritingScript(script);
    RunScript(script->TextContent(), document_->URL() + " script block " + std::to_string(block));
    document_->WritingScript(nullptr);
  }
  if (document_->DocumentElement() != root) return;
  auto body = document_->Body();
  if (body->Handler("onload") || body->HasAttribute("onload")) {
    DispatchEvent(body, "onload");
  } else {
    auto engine = engine_;
    engine->CallGlobalIfFunction("onload");
  }
  if (document_->DocumentElement() == root) document_->ReadyState("complete");
}

void HTMLWindow::FollowLink(const std::string& href) {
  if (text::StartsWithIgnoreCase(href, "javascript:")) {
    RunScript(PercentDecode(href.substr(11)), "javascript: link");
    return;
  }
  Navigate(Resolve(document_->URL(), href));
}

EventHandler HTMLWindow::ResolveHandler(EventTarget& target, const std::string& type) {
  if (const EventHandler* h = target.Handler(type)) return *h;
  const auto text = target.HandlerAttribute(type);
  if (!text || text->empty()) return {};
  EventHandler handler;
  handler.script = engine_->CompileHandler(*text, document_->URL() + " " + type + " handler");
  handler.fromAttribute = true;
  if (handler) target.SetHandler(type, handler);
  return handler;
}

bool HTMLWindow::DispatchEvent(const ElementRef& target, const std::string& type, int32_t keyCode) {
  if (!target) return true;
  auto keep = Self();
  auto event =
      std::make_shared<EventObject>(target, type.substr(type.rfind("on", 0) == 0 ? 2 : 0), keyCode);
  auto previous = event_;
  event_ = event;
  std::vector<ObjectRef> path{target};
  if (Bubbles(type)) {
    for (Element* e = target->Parent(); e; e = e->Parent())
      path.push_back(e->SharedElement());
    if (target->OwnerDocument() == document_) path.push_back(document_);
  }
  for (const auto& object : path) {
    EventTarget* eventTarget = static_cast<ScriptObject&>(*object).AsEventTarget();
    const EventHandler handler = eventTarget ? ResolveHandler(*eventTarget, type) : EventHandler{};
    if (handler.script) {
      if (auto engine = handler.script->Engine()) {
        Variant result;
        if (engine->Call(*handler.script, object, Variant(event), result) &&
            result.GetType() == Variant::Type::Boolean && !result.ToBool())
          event->Cancel();
      }
    } else if (handler.host) {
      // The host's handler object: the browser calls its default member.
      try {
        std::vector<Variant> none;
        const std::string member = handler.host->Members().DefaultMember();
        if (!member.empty())
          automation::Invoke(*handler.host, member, automation::CallKind::Method, none);
      } catch (const automation::AutomationError& e) {
        ReportScriptError({e.Description(), 0, type + " handler of the host"});
      }
    }
    if (event->CancelBubble()) break;
  }
  event_ = previous;
  return !event->Cancelled();
}

bool HTMLWindow::RunScript(const std::string& code, const std::string& source) {
  auto keep = Self();
  auto engine = engine_;
  return engine->Run(code, source);
}

Variant HTMLWindow::Evaluate(const std::string& expression) {
  auto keep = Self();
  auto engine = engine_;
  Variant result;
  engine->Evaluate(expression, "evaluate", result);
  return result;
}

void HTMLWindow::ReportScriptError(const ScriptError& error) {
  if (errors_.size() >= kMaxKeptErrors) errors_.erase(errors_.begin());
  errors_.push_back(error);
  if (const auto report = hooks_.scriptError) report(error);
}

void HTMLWindow::Alert(const std::string& text) {
  if (const auto alert = hooks_.alert)
    alert(text);
  else
    ui::MsgBox(text, ui::vbOKOnly | ui::vbExclamation, "Web Page Message");
}

int32_t HTMLWindow::SetTimeout(std::shared_ptr<ScriptFunction> function, int32_t) {
  const int32_t id = nextTimer_++;
  timers_[id] = true;
  std::weak_ptr<HTMLWindow> weak = Self();
  ui::Toolkit::Current().Post([weak, id, function] {
    auto window = weak.lock();
    if (!window || !window->timers_.erase(id)) return;
    if (auto engine = function->Engine()) {
      Variant ignored;
      engine->Call(*function, window, Variant(), ignored);
    }
  });
  return id;
}

int32_t HTMLWindow::SetTimeout(std::string code, int32_t) {
  const int32_t id = nextTimer_++;
  timers_[id] = true;
  std::weak_ptr<HTMLWindow> weak = Self();
  ui::Toolkit::Current().Post([weak, id, code = std::move(code)] {
    auto window = weak.lock();
    if (!window || !window->timers_.erase(id)) return;
    window->RunScript(code, "setTimeout");
  });
  return id;
}

void HTMLWindow::ClearTimeout(int32_t id) {
  timers_.erase(id);
}

std::shared_ptr<HTMLWindow> HTMLWindow::Open(const std::string& url, const std::string& name,
                                             const std::string& features) {
  // An empty address opens a blank window, or leaves a window found by name as it is.
  const std::string address = url.empty() ? "" : Resolve(document_->URL(), url);
  if (const auto open = hooks_.open)
    if (auto placed = open(address, name, features)) return placed;
  if (!name.empty() && name != "_blank") {
    for (auto& w : opened_) {
      if (w->Name() != name || w->Closed()) continue;
      if (!url.empty()) w->Navigate(address);
      return w;
    }
  }
  auto window = Create(name == "_blank" ? "" : name, limits_);
  window->Hooks().fetch = hooks_.fetch;
  window->Hooks().alert = hooks_.alert;
  window->Hooks().scriptError = hooks_.scriptError;
  opened_.push_back(window);
  window->Navigate(address.empty() ? "about:blank" : address);
  return window;
}

void HTMLWindow::Focus() {
  if (const auto focus = hooks_.focus) focus();
}

void HTMLWindow::Close() {
  closed_ = true;
  if (const auto close = hooks_.close) close();
}

const automation::DispatchTable& HTMLWindow::Members() const {
  static const auto table =
      ClassTable<HTMLWindow>("HTMLWindow2")
          .Get("document", [](HTMLWindow& w) { return Variant(w.Document()); })
          .Get("event",
               [](HTMLWindow& w) {
                 auto e = w.Event();
                 return e ? Variant(e) : Variant(ObjectRef());
               })
          .Prop(
              "name", [](HTMLWindow& w) { return w.Name(); },
              [](HTMLWindow& w, const Variant& v) { w.Name(v.ToText()); })
          .Get("closed", [](HTMLWindow& w) { return w.Closed(); })
          .Method("open",
                  [](HTMLWindow& w, Args& a) {
                    auto opened =
                        w.Open(a.Opt(0, Variant("")).ToText(), a.Opt(1, Variant("")).ToText(),
                               a.Opt(2, Variant("")).ToText());
                    return opened ? Variant(std::static_pointer_cast<automation::Dispatch>(opened))
                                  : Variant(ObjectRef());
                  })
          .Sub("navigate", [](HTMLWindow& w, Args& a) { w.Navigate(a.Text(0)); })
          .Prop(
              "location",
              [](HTMLWindow& w) {
                return Variant(std::make_shared<Location>(
                    std::static_pointer_cast<HTMLWindow>(w.shared_from_this())));
              },
              [](HTMLWindow& w, const Variant& v) { w.Navigate(v.ToText()); })
          .Sub("focus", [](HTMLWindow& w, Args&) { w.Focus(); })
          .Sub("blur", [](HTMLWindow&, Args&) {})
          .Sub("close", [](HTMLWindow& w, Args&) { w.Close(); })
          .Sub("alert", [](HTMLWindow& w, Args& a) { w.Alert(a.Opt(0, Variant("")).ToText()); })
          .Method("execScript",
                  [](HTMLWindow& w, Args& a) { return w.RunScript(a.Text(0), "execScript"); })
          .Build();
  return table;
}

}  // namespace qv::browser
