// HTML pages: the browser's parser builds a bounded tree from any page, and the tree can be
// walked and freed.

#include "browser/dom/html_document.h"
#include "browser/dom/html_parser.h"
#include "browser/dom/serializer.h"
#include "fuzz/fuzz_target.h"

using namespace qv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  const std::string html(reinterpret_cast<const char*>(data), size);
  auto document = browser::HTMLDocument::Create({});
  auto root = browser::ParseDocument(html, document);
  (void)root;
  return 0;
}

std::vector<std::string> qv::fuzz::Seeds() {
  return {
      "<html><head><title>t</title></head><body><form name=f><input name=a value=1>"
      "<select name=s><option>x</option></select></form></body></html>",
      "<table><tr><td><table><tr><td>nested</td></tr></table></td></tr></table>",
      std::string(2000, '<') + "div>"};
}
