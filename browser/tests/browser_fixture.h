#pragma once
// Shared pieces of the browser tests: a browser control with a page written into it (as a dialog
// writes its page into about:blank), and the errors and alerts the page reported.

#include <memory>
#include <string>
#include <vector>

#include "browser/dom/html_document.h"
#include "browser/web_browser.h"
#include "browser/windows/html_window.h"
#include "platform/testing/temp_profile.h"
#include "ui/toolkit.h"

namespace qv::browser::testing {

class LoadedPage {
 public:
  explicit LoadedPage(const std::string& html, ScriptLimits limits = {})
      : browser_(std::make_shared<WebBrowser>()) {
    browser_->Window()->Limits(limits);
    browser_->OnScriptError([this](const ScriptError& e) { errors.push_back(e); });
    browser_->OnAlert([this](const std::string& text) { alerts.push_back(text); });
    browser_->Navigate("about:blank");
    Write(html);
  }

  void Write(const std::string& html) {
    auto document = browser_->Document();
    document->Open("text/html");
    document->Write(html);
    document->Close();
  }

  WebBrowser& Browser() { return *browser_; }
  HTMLDocument& Document() { return *browser_->Document(); }
  HTMLWindow& Window() { return *browser_->Window(); }
  bool Run(const std::string& code) { return Window().RunScript(code, "test"); }
  // The text of a script expression in the page.
  std::string Eval(const std::string& expression) {
    return Window().Evaluate("String(" + expression + ")").ToText();
  }

  std::vector<ScriptError> errors;
  std::vector<std::string> alerts;

 private:
  qv::testing::TempProfile profile_;
  ui::Toolkit toolkit_;
  std::shared_ptr<WebBrowser> browser_;
};

}  // namespace qv::browser::testing
