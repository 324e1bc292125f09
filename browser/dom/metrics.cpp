#include "browser/dom/metrics.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "automation/text/utf8.h"
#include "automation/variant.h"
#include "browser/dom/element.h"
#include "browser/dom/html_input_element.h"
#include "browser/dom/html_option_element.h"
#include "browser/dom/html_select_element.h"

namespace qv::browser {
namespace {

// A positive whole number from an attribute, or `fallback`.
int32_t PositiveAttribute(const Element& e, const char* name, int32_t fallback) {
  double d = 0;
  if (auto v = e.GetAttribute(name); v && automation::ParseNumber(*v, d) && d >= 1 && d < 1e6)
    return static_cast<int32_t>(d);
  return fallback;
}

// "120px" or "120" from the style; -1 when not given in pixels.
int32_t StylePixels(const std::string& value) {
  if (value.empty()) return -1;
  std::string number = value;
  if (number.size() > 2 && number.compare(number.size() - 2, 2, "px") == 0)
    number.resize(number.size() - 2);
  double d = 0;
  if (!automation::ParseNumber(number, d) || d < 0 || d > 1e6) return -1;
  return static_cast<int32_t>(d);
}

ElementBox TextBox(const std::string& text) {
  int32_t longest = 0, lines = 0, current = 0;
  bool any = false;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n') {
      longest = std::max(longest, current);
      ++lines;
      current = 0;
      continue;
    }
    any = true;
    if (text[i] != '\r' && !qv::text::IsContinuationByte(text[i])) ++current;
  }
  if (!any) return {};
  return {longest * kCharWidth, lines * kLineHeight, 0, 0};
}

}  // namespace

ElementBox MeasureElement(const Element& element) {
  if (!element.IsRendered()) return {};
  ElementBox box;
  int32_t border = 0;
  const std::string& tag = element.TagName();
  if (tag == "input") {
    const auto& input = static_cast<const HTMLInputElement&>(element);
    const std::string type = input.Type();
    if (type == "hidden") return {};
    if (type == "checkbox" || type == "radio") {
      box = {13, 13, 0, 0};
    } else if (type == "button" || type == "submit" || type == "reset") {
      box = {static_cast<int32_t>(text::CountCodePoints(input.Value())) * kCharWidth + 16, 22, 0,
             0};
    } else {
      box = {PositiveAttribute(element, "size", 20) * kCharWidth + 4, 22, 0, 0};
      border = 2;
    }
  } else if (tag == "textarea") {
    box = {PositiveAttribute(element, "cols", 20) * kCharWidth + 20,
           PositiveAttribute(element, "rows", 2) * kLineHeight + 4, 0, 0};
    border = 2;
  } else if (tag == "select") {
    const auto& select = static_cast<const HTMLSelectElement&>(element);
    int32_t longest = 0;
    for (const auto& option : select.Options())
      longest = std::max(longest, static_cast<int32_t>(text::CountCodePoints(option->Text())));
    const int32_t size = PositiveAttribute(element, "size", 1);
    box = {longest * kCharWidth + 24, size > 1 ? size * kLineHeight + 4 : 20, 0, 0};
    border = 2;
  } else if (tag == "img") {
    box = {PositiveAttribute(element, "width", 0), PositiveAttribute(element, "height", 0), 0, 0};
  } else {
    box = TextBox(element.InnerText());
  }
  if (const int32_t w = StylePixels(element.StyleValue("width")); w >= 0) box.width = w;
  if (const int32_t h = StylePixels(element.StyleValue("height")); h >= 0) box.height = h;
  box.offsetWidth = box.width + 2 * border;
  box.offsetHeight = box.height + 2 * border;
  return box;
}

}  // namespace qv::browser
