#pragma once
// Form dlgIE of the web page viewer: one page in a browser control, and an OK button below it
// that closes the window. The browser fills the window less its margins; in a window too small
// for the margins it falls back to 200 twips wide or 500 twips high, the button still below it.

#include <string>

#include "browser/web_browser.h"
#include "ui/command_button.h"
#include "ui/form.h"

namespace qv::helper {

// How long the window waits for the empty page before it shows the address; the browser
// control completes synchronously, so the bound only guards against one that never does.
inline constexpr int kBlankPageWaitMs = 10000;

class dlgIE : public ui::Form {
 public:
  dlgIE();

  // Shows `address` in a modal window titled `title`; true when the window was closed.
  bool Display(const std::string& address, const std::string& title);

  browser::WebBrowser& winIE = Add<browser::WebBrowser>("winIE");
  ui::CommandButton& btnOK = Add<ui::CommandButton>("btnOK");

 private:
  void Form_Load();
  void Form_Resize();

  std::string address_;
  int32_t initialWidth_ = 12000;
  int32_t initialHeight_ = 8000;
};

}  // namespace qv::helper
