#pragma once
// A stand-alone browser window, the object "InternetExplorer.Application" makes: a window
// handle, a visible flag (hidden when made), Navigate and Navigate2, the current document (with
// its title and focus), LocationURL, ReadyState, Busy, and Quit, which closes the window and
// takes it off the desktop's list.

#include <cstdint>
#include <memory>
#include <string>

#include "browser/web_browser.h"

namespace qv::browser {

class BrowserDesktop;

class BrowserWindow final : public automation::Dispatch {
 public:
  BrowserWindow(std::weak_ptr<BrowserDesktop> desktop, int64_t handle);
  ~BrowserWindow() override;
  const automation::DispatchTable& Members() const override;
  std::string TypeName() const override { return "IWebBrowser2"; }

  int64_t Hwnd() const { return handle_; }
  bool Visible() const { return visible_; }
  void Visible(bool visible) { visible_ = visible; }
  void Navigate(const std::string& url);
  std::shared_ptr<HTMLDocument> Document() const { return browser_->Document(); }
  std::string LocationURL() const { return browser_->LocationURL(); }
  std::string LocationName() const { return browser_->LocationName(); }
  int32_t ReadyState() const { return browser_->ReadyState(); }
  bool Busy() const { return browser_->Busy(); }
  void Quit();
  bool HasQuit() const { return quit_; }
  // The window's name for window.open ("helpWin").
  const std::string& Name() const;
  void Name(const std::string& name);
  WebBrowser& Browser() { return *browser_; }
  std::shared_ptr<HTMLWindow> PageWindow() { return browser_->Window(); }
  // How many times the window was brought to the front or asked for the focus.
  int32_t FocusCount() const { return focusCount_; }
  void Focus() { ++focusCount_; }
  // The window system's show command for this window's handle (0 hide, 1 normal, 2 minimised,
  // 3 maximised, 9 restore, ...): showing makes it visible, and restoring or showing it normally
  // brings it to the front.
  void ShowWindow(int32_t command);
  // The last show command applied (1 when never changed).
  int32_t ShowState() const { return showState_; }

 private:
  std::weak_ptr<BrowserDesktop> desktop_;
  std::shared_ptr<WebBrowser> browser_;
  int64_t handle_;
  bool visible_ = false;
  bool quit_ = false;
  int32_t focusCount_ = 0;
  int32_t showState_ = 1;
};

}  // namespace qv::browser
