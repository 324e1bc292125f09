#pragma once
// The web browser control of a form: it shows one window's page and offers what the host's
// control offers to its form: Navigate/Navigate2, ReadyState (0 before the first navigation, 1
// while loading, 4 when complete), Document (the window's HTML document; none before the first
// navigation), LocationURL, Busy, Refresh, Stop, and the DocumentComplete event, raised once
// per completed navigation with the control itself as the frame.
//
// Navigation is synchronous (html_window.h): when Navigate returns the page is complete and
// DocumentComplete has been raised, so a caller that waits for ReadyState 4 while pumping
// events finds it at once. A page that cannot be fetched completes with an error page.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser/windows/html_window.h"
#include "ui/control.h"

namespace qv::browser {

class BrowserDesktop;

class WebBrowser : public ui::Control {
 public:
  using DocumentCompleteHandler =
      std::function<void(const automation::ObjectRef& frame, const std::string& url)>;

  WebBrowser() = default;
  const automation::DispatchTable& Members() const override;
  bool TakesFocus() const override { return true; }
  // What a driver that draws forms as text shows: the page's title and address.
  std::string Describe() const override;

  void Navigate(const std::string& url);
  void Navigate2(const std::string& url) { Navigate(url); }
  void Refresh();
  void Stop();
  int32_t ReadyState() const;
  bool Busy() const { return window_ && window_->Loading(); }
  // The current document; nullptr before the first navigation.
  std::shared_ptr<HTMLDocument> Document() const;
  std::string LocationURL() const;
  // The title of the current page.
  std::string LocationName() const;

  // Adds a handler of DocumentComplete(frame, url).
  void OnDocumentComplete(DocumentCompleteHandler handler);

  // The window behind the control (made on first use).
  std::shared_ptr<HTMLWindow> Window();
  // Where window.open puts new windows: the desktop's stand-alone windows. Without one, a
  // window opened by the page belongs to the page's window.
  void Desktop(std::weak_ptr<BrowserDesktop> desktop) { desktop_ = std::move(desktop); }
  // Script errors of the page: reported here as well as kept by the window.
  void OnScriptError(std::function<void(const ScriptError&)> handler);
  // Alerts of the page; the toolkit's message box when not set.
  void OnAlert(std::function<void(const std::string&)> handler);

 private:
  void Completed(const std::string& url);

  std::shared_ptr<HTMLWindow> window_;
  std::weak_ptr<BrowserDesktop> desktop_;
  std::vector<DocumentCompleteHandler> documentComplete_;
  bool navigated_ = false;
};

}  // namespace qv::browser
