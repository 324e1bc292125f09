#include "browser/windows/browser_window.h"

#include "platform/windows.h"

#include "browser/windows/browser_desktop.h"

namespace qv::browser {

using automation::Args;
using automation::ClassTable;
using automation::ObjectRef;
using automation::Variant;

BrowserWindow::BrowserWindow(std::weak_ptr<BrowserDesktop> desktop, int64_t handle)
    : desktop_(std::move(desktop)), browser_(std::make_shared<WebBrowser>()), handle_(handle) {
  auto page = browser_->Window();
  // A page's window.focus() and window.close() act on this window. The page window may outlive
  // this object, so it reaches it through the desktop's list only.
  std::weak_ptr<BrowserDesktop> weakDesktop = desktop_;
  page->Hooks().focus = [weakDesktop, handle] {
    if (auto list = weakDesktop.lock())
      for (auto& w : list->Windows())
        if (w->Hwnd() == handle) w->Focus();
  };
  page->Hooks().close = [weakDesktop, handle] {
    if (auto list = weakDesktop.lock())
      for (auto& w : list->Windows())
        if (w->Hwnd() == handle) w->Quit();
  };
  // Other programs bring the window to the front through its handle.
  platform::RegisterWindow(handle, [weakDesktop, handle](int32_t command) {
    if (auto list = weakDesktop.lock())
      for (auto& w : list->Windows())
        if (w->Hwnd() == handle) w->ShowWindow(command);
  });
}

BrowserWindow::~BrowserWindow() {
  platform::UnregisterWindow(handle_);
  // The page window may be held by a script elsewhere; it must not call back into this one.
  if (auto page = browser_->Window()) {
    page->Hooks().focus = nullptr;
    page->Hooks().close = nullptr;
  }
}

void BrowserWindow::Navigate(const std::string& url) {
  if (quit_) automation::Raise(automation::err::kObjectNotSet);
  browser_->Navigate(url);
}

const std::string& BrowserWindow::Name() const {
  return browser_->Window()->Name();
}
void BrowserWindow::Name(const std::string& name) {
  browser_->Window()->Name(name);
}

void BrowserWindow::ShowWindow(int32_t command) {
  if (quit_) return;
  showState_ = command;
  visible_ = command != 0;
  if (command == 1 || command == 9 || command == 5) Focus();
}

void BrowserWindow::Quit() {
  if (quit_) return;
  quit_ = true;
  visible_ = false;
  platform::UnregisterWindow(handle_);
  // The object stays alive while the caller holds it; the list lets it go.
  if (auto desktop = desktop_.lock()) desktop->Remove(this);
}

const automation::DispatchTable& BrowserWindow::Members() const {
  static const auto table =
      ClassTable<BrowserWindow>("IWebBrowser2")
          .Prop(
              "Visible", [](BrowserWindow& w) { return w.Visible(); },
              [](BrowserWindow& w, const Variant& v) { w.Visible(v.ToBool()); })
          .Get("hwnd", [](BrowserWindow& w) { return Variant::Long(w.Hwnd()); })
          .Get("HWND", [](BrowserWindow& w) { return Variant::Long(w.Hwnd()); })
          .Sub("Navigate", [](BrowserWindow& w, Args& a) { w.Navigate(a.Text(0)); })
          .Sub("Navigate2", [](BrowserWindow& w, Args& a) { w.Navigate(a.Text(0)); })
          .Get("Document",
               [](BrowserWindow& w) {
                 auto d = w.Document();
                 return d ? Variant(d) : Variant(ObjectRef());
               })
          .Get("LocationURL", [](BrowserWindow& w) { return w.LocationURL(); })
          .Get("LocationName", [](BrowserWindow& w) { return w.LocationName(); })
          .Get("ReadyState", [](BrowserWindow& w) { return w.ReadyState(); })
          .Get("Busy", [](BrowserWindow& w) { return w.Busy(); })
          .Sub("Quit", [](BrowserWindow& w, Args&) { w.Quit(); })
          .Build();
  return table;
}

}  // namespace qv::browser
