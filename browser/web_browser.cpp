#include "browser/web_browser.h"

#include "browser/windows/browser_desktop.h"
#include "browser/windows/browser_window.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::ObjectRef;
using automation::Variant;

std::shared_ptr<HTMLWindow> WebBrowser::Window() {
  if (window_) return window_;
  window_ = HTMLWindow::Create();
  // The window may outlive the control (a script of another page can hold it), so its hooks
  // reach the control only while it lives.
  std::weak_ptr<WebBrowser> weak =
      std::static_pointer_cast<WebBrowser>(std::static_pointer_cast<Control>(shared_from_this()));
  window_->Hooks().navigated = [weak](const std::string& url) {
    if (auto self = weak.lock()) self->Completed(url);
  };
  window_->Hooks().open = [weak](const std::string& url, const std::string& name,
                                 const std::string& features) -> std::shared_ptr<HTMLWindow> {
    auto self = weak.lock();
    auto desktop = self ? self->desktop_.lock() : nullptr;
    if (!desktop) return nullptr;
    return desktop->OpenFromScript(url, name, features);
  };
  return window_;
}

void WebBrowser::Navigate(const std::string& url) {
  auto keep = shared_from_this();
  navigated_ = true;
  Window()->Navigate(url);
}

void WebBrowser::Refresh() {
  if (!navigated_) return;
  Navigate(LocationURL());
}

void WebBrowser::Stop() {
  if (window_) window_->Stop();
}

std::string WebBrowser::Describe() const {
  if (ReadyState() == 0) return "page: (none)";
  return "page: " + LocationName() + " <" + LocationURL() + ">";
}

int32_t WebBrowser::ReadyState() const {
  if (!navigated_ || !window_) return 0;
  return window_->Loading() ? 1 : 4;
}

std::shared_ptr<HTMLDocument> WebBrowser::Document() const {
  return navigated_ && window_ ? window_->Document() : nullptr;
}

std::string WebBrowser::LocationURL() const {
  return window_ && navigated_ ? window_->Document()->URL() : "";
}

std::string WebBrowser::LocationName() const {
  if (!window_ || !navigated_) return "";
  const std::string title = window_->Document()->Title();
  return title.empty() ? LocationURL() : title;
}

void WebBrowser::OnDocumentComplete(DocumentCompleteHandler handler) {
  documentComplete_.push_back(std::move(handler));
}

void WebBrowser::OnScriptError(std::function<void(const ScriptError&)> handler) {
  Window()->Hooks().scriptError = std::move(handler);
}

void WebBrowser::OnAlert(std::function<void(const std::string&)> handler) {
  Window()->Hooks().alert = std::move(handler);
}

void WebBrowser::Completed(const std::string& url) {
  const ObjectRef frame = shared_from_this();
  // A copy: a handler may add handlers or navigate again.
  const auto handlers = documentComplete_;
  for (const auto& handler : handlers)
    handler(frame, url);
}

const automation::DispatchTable& WebBrowser::Members() const {
  static const auto table =
      ClassTable<WebBrowser>("WebBrowser")
          .Inherit(Control::CommonMembers())
          .Sub("Navigate", [](WebBrowser& b, Args& a) { b.Navigate(a.Text(0)); })
          .Sub("Navigate2", [](WebBrowser& b, Args& a) { b.Navigate2(a.Text(0)); })
          .Sub("Refresh", [](WebBrowser& b, Args&) { b.Refresh(); })
          .Sub("Stop", [](WebBrowser& b, Args&) { b.Stop(); })
          .Get("ReadyState", [](WebBrowser& b) { return b.ReadyState(); })
          .Get("Busy", [](WebBrowser& b) { return b.Busy(); })
          .Get("Document",
               [](WebBrowser& b) {
                 auto d = b.Document();
                 return d ? Variant(d) : Variant(ObjectRef());
               })
          .Get("LocationURL", [](WebBrowser& b) { return b.LocationURL(); })
          .Get("LocationName", [](WebBrowser& b) { return b.LocationName(); })
          .Build();
  return table;
}

}  // namespace qv::browser
