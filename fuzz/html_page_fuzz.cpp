// HTML pages: the browser's parser builds a bounded tree from any page, the tree can be walked,
// written out, read again and freed; and a page loaded in a window runs its scripts and load
// handler within their time bound, fetching nothing.

#include "browser/dom/html_document.h"
#include "browser/dom/html_parser.h"
#include "browser/dom/serializer.h"
#include "browser/windows/html_window.h"
#include "fuzz/fuzz_target.h"
#include "ui/toolkit.h"

using namespace qv;

namespace {

void CheckTree(const browser::HTMLDocument& document) {
  const auto root = document.DocumentElement();
  size_t elements = 0;
  root->ForEachDescendant([&](browser::Element& e) {
    // The parent chain is walked for a few elements only: the check itself stays linear.
    if (++elements % 64 == 0 && e.Depth() > browser::kMaxTreeDepth + 1)
      fuzz::Fault("an element is nested deeper than the tree's bound");
    return true;
  });
}

// Pages in a window: scripts get a short time bound each, and the window fetches nothing.
void LoadInWindow(const std::string& html) {
  browser::ScriptLimits limits;
  limits.timeLimit = std::chrono::milliseconds(20);
  limits.heapBytes = size_t{32} << 20;
  auto window = browser::HTMLWindow::Create("", limits);
  window->Hooks().alert = [](const std::string&) {};
  window->Hooks().scriptError = [](const browser::ScriptError&) {};
  window->Hooks().fetch = [](const std::string&) {
    browser::FetchResult refused;
    refused.error = "not fetched while fuzzing";
    return refused;
  };
  window->LoadPage(html, "about:blank");
  // Timers and navigations the page asked for.
  ui::Toolkit::Current().DoEvents();
  window->Close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  const std::string html(reinterpret_cast<const char*>(data), size);
  auto document = browser::HTMLDocument::Create({});
  document->ReplaceContent(html);
  CheckTree(*document);
  // What is written out reads back as a page within the same bounds.
  document->ReplaceContent(browser::SerializeChildren(*document->DocumentElement()));
  CheckTree(*document);
  if (size <= (16u << 10)) LoadInWindow(html);
  return 0;
}

std::vector<std::string> qv::fuzz::Seeds() {
  return {
      "<html><head><title>t</title></head><body><form name=f><input name=a value=1>"
      "<select name=s><option>x</option></select></form></body></html>",
      "<table><tr><td><table><tr><td>nested</td></tr></table></td></tr></table>",
      std::string(2000, '<') + "div>",
      "<body onload=\"document.f.a.value = document.f.s.selectedIndex\"><form name=f>"
      "<input name=a><select name=s><option>x<option selected>y</select></form>"
      "<script>var d = document.createElement ? 1 : 0; document.write('<b>' + d + '</b>');"
      "setTimeout('document.title = 1', 0); location.href = 'http://example.invalid/';"
      "</script>",
      "<div id=d onclick=\"this.innerHTML = '<i>' + this.innerHTML\">x</div>"
      "<script>for (var i = 0; i < 50; i++) document.getElementById('d').click();</script>",
  };
}
