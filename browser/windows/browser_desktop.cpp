#include "browser/windows/browser_desktop.h"

#include <algorithm>

#include "browser/windows/browser_window.h"

namespace qv::browser {

std::shared_ptr<BrowserDesktop> BrowserDesktop::Shared() {
  static const auto desktop = std::make_shared<BrowserDesktop>();
  return desktop;
}

std::shared_ptr<BrowserWindow> BrowserDesktop::NewWindow() {
  auto window = std::make_shared<BrowserWindow>(weak_from_this(), NewHandle());
  window->Browser().Desktop(weak_from_this());
  windows_.push_back(window);
  return window;
}

std::shared_ptr<HTMLWindow> BrowserDesktop::OpenFromScript(const std::string& url,
                                                           const std::string& name,
                                                           const std::string&) {
  std::shared_ptr<BrowserWindow> window;
  if (!name.empty() && name != "_blank") {
    for (auto& w : windows_)
      if (w->Name() == name) window = w;
  }
  if (!window) {
    window = NewWindow();
    if (name != "_blank") window->Name(name);
    window->Navigate(url.empty() ? "about:blank" : url);
  } else if (!url.empty()) {
    window->Navigate(url);
  }
  window->Visible(true);
  return window->PageWindow();
}

std::shared_ptr<BrowserWindow> BrowserDesktop::FindByHandle(int64_t handle) const {
  for (const auto& w : windows_)
    if (w->Hwnd() == handle) return w;
  return nullptr;
}

void BrowserDesktop::Remove(const BrowserWindow* window) {
  std::erase_if(windows_, [&](const auto& w) { return w.get() == window; });
}

void BrowserDesktop::CloseAll() {
  auto windows = windows_;
  for (auto& w : windows)
    w->Quit();
  windows_.clear();
}

}  // namespace qv::browser
