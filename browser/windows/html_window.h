#pragma once
// A browsing window: the document it shows, the script engine of that document, the event being
// handled, timers, and the window's ties to the outside (hooks): where alerts go, where script
// errors are reported, how window.open finds or makes another window, and who hears that a
// navigation completed. The browser control and the stand-alone browser windows each own one.
//
// Loading is synchronous: Navigate returns with the page loaded, its scripts run and its load
// handler called. Only a navigation asked for while a script of this window runs (a link clicked
// by a handler) waits for the next turn of the message loop, because the page cannot be replaced
// under the script that is running.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "browser/dom/element.h"
#include "browser/dom/event_object.h"
#include "browser/dom/html_document.h"
#include "browser/fetch.h"
#include "browser/script/script_engine.h"
#include "browser/script/script_error.h"
#include "browser/script_object.h"

namespace qv::browser {

class HTMLWindow;

// Each hook is called on a copy, so a hook may drop the object that set it (a window that closes
// itself lets its stand-alone window go).
struct WindowHooks {
  // A page's script failed. Without a hook the error is only kept (ScriptErrors).
  std::function<void(const ScriptError&)> scriptError;
  // alert(text). Without a hook the toolkit's message box shows it.
  std::function<void(const std::string&)> alert;
  // window.open(url, name, features): the window to show `url` in (found by name or new). Without
  // a hook, or when it gives nullptr, the window opens one of its own, alive as long as it is.
  std::function<std::shared_ptr<HTMLWindow>(const std::string& url, const std::string& name,
                                            const std::string& features)>
      open;
  // A navigation completed (after the load handler ran), with the address loaded.
  std::function<void(const std::string& url)> navigated;
  std::function<void()> focus;
  std::function<void()> close;
  // How pages are fetched; FetchPage when not set.
  Fetcher fetch;
};

class HTMLWindow final : public ScriptObject {
 public:
  static std::shared_ptr<HTMLWindow> Create(std::string name = "", ScriptLimits limits = {});
  HTMLWindow(std::string name, ScriptLimits limits);
  ~HTMLWindow() override;

  const automation::DispatchTable& Members() const override;

  const std::shared_ptr<HTMLDocument>& Document() const { return document_; }
  const std::string& Name() const { return name_; }
  void Name(std::string name) { name_ = std::move(name); }
  WindowHooks& Hooks() { return hooks_; }
  const ScriptLimits& Limits() const { return limits_; }
  // New limits, for the scripts of the next page loaded.
  void Limits(ScriptLimits limits) { limits_ = limits; }

  // ---- navigation ----
  // Loads `url` ("about:blank", a file, an http address; "javascript:" runs the script). A page
  // that cannot be fetched loads an error page instead: the load always completes.
  void Navigate(const std::string& url);
  // True while a navigation waits for the message loop or is loading.
  bool Loading() const { return pending_ || loading_; }
  // Stops a navigation that has not started yet.
  void Stop();
  // Replaces the page with `html` (shown as `url`) and runs its scripts and load handler.
  void LoadPage(const std::string& html, const std::string& url);
  // The page written with document.open/write/close.
  void LoadWrittenPage(const std::string& html);
  // A link was followed (a click on <a href>).
  void FollowLink(const std::string& href);

  // ---- events ----
  // Fires `type` ("onclick") at `target`: its handlers, then (for the events that bubble) those
  // of the elements around it and of the document. False when a handler cancelled the event.
  bool DispatchEvent(const ElementRef& target, const std::string& type, int32_t keyCode = 0);
  // The event being handled, or nullptr.
  std::shared_ptr<EventObject> Event() const { return event_; }
  // The handler of `type` on `target`; compiles the attribute's handler on first use.
  EventHandler ResolveHandler(EventTarget& target, const std::string& type);

  // ---- scripts ----
  // Runs a script in the page; false when it failed (reported).
  bool RunScript(const std::string& code, const std::string& source = "script");
  // The value of a script expression in the page (empty when it failed; reported).
  automation::Variant Evaluate(const std::string& expression);
  void ReportScriptError(const ScriptError& error);
  // The errors reported so far (the last 100).
  const std::vector<ScriptError>& ScriptErrors() const { return errors_; }
  void Alert(const std::string& text);
  // Runs the function (or the code) at the next turn of the message loop; the delay is not
  // waited for. The id cancels it.
  int32_t SetTimeout(std::shared_ptr<ScriptFunction> function, int32_t delay);
  int32_t SetTimeout(std::string code, int32_t delay);
  void ClearTimeout(int32_t id);
  std::shared_ptr<HTMLWindow> Open(const std::string& url, const std::string& name,
                                   const std::string& features);
  void Focus();
  void Close();
  bool Closed() const { return closed_; }
  ScriptEngine& Engine() { return *engine_; }

 private:
  void NavigateNow(const std::string& url);
  void RunPage();
  std::shared_ptr<HTMLWindow> Self() {
    return std::static_pointer_cast<HTMLWindow>(shared_from_this());
  }

  std::string name_;
  ScriptLimits limits_;
  WindowHooks hooks_;
  std::shared_ptr<HTMLDocument> document_;
  std::shared_ptr<ScriptEngine> engine_;
  std::shared_ptr<EventObject> event_;
  std::vector<ScriptError> errors_;
  std::map<int32_t, bool> timers_;  // pending timer ids
  int32_t nextTimer_ = 1;
  bool pending_ = false;
  bool loading_ = false;
  bool closed_ = false;
  // Windows opened by this one's scripts when no hook places them elsewhere.
  std::vector<std::shared_ptr<HTMLWindow>> opened_;
};

}  // namespace qv::browser
