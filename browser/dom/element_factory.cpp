#include "browser/dom/element_factory.h"

#include <functional>
#include <map>

#include "automation/text/ascii.h"
#include "browser/dom/html_anchor_element.h"
#include "browser/dom/html_body_element.h"
#include "browser/dom/html_div_element.h"
#include "browser/dom/html_form_element.h"
#include "browser/dom/html_input_element.h"
#include "browser/dom/html_option_element.h"
#include "browser/dom/html_script_element.h"
#include "browser/dom/html_select_element.h"
#include "browser/dom/html_span_element.h"
#include "browser/dom/html_style_element.h"
#include "browser/dom/html_table_cell_element.h"
#include "browser/dom/html_table_element.h"
#include "browser/dom/html_table_row_element.h"
#include "browser/dom/html_table_section_element.h"
#include "browser/dom/html_text_area_element.h"
#include "browser/dom/html_title_element.h"

namespace qv::browser {

ElementRef CreateElement(const std::string& tagName) {
  std::string tag = text::AsciiLowered(tagName);
  static const std::map<std::string, std::function<ElementRef(const std::string&)>> kinds = {
      {"form", [](const std::string&) { return std::make_shared<HTMLFormElement>(); }},
      {"input", [](const std::string&) { return std::make_shared<HTMLInputElement>(); }},
      {"textarea", [](const std::string&) { return std::make_shared<HTMLTextAreaElement>(); }},
      {"select", [](const std::string&) { return std::make_shared<HTMLSelectElement>(); }},
      {"option", [](const std::string&) { return std::make_shared<HTMLOptionElement>(); }},
      {"a", [](const std::string&) { return std::make_shared<HTMLAnchorElement>(); }},
      {"span", [](const std::string& t) { return std::make_shared<HTMLSpanElement>(t); }},
      {"div", [](const std::string& t) { return std::make_shared<HTMLDivElement>(t); }},
      {"table", [](const std::string& t) { return std::make_shared<HTMLTableElement>(t); }},
      {"tbody", [](const std::string& t) { return std::make_shared<HTMLTableSectionElement>(t); }},
      {"thead", [](const std::string& t) { return std::make_shared<HTMLTableSectionElement>(t); }},
      {"tfoot", [](const std::string& t) { return std::make_shared<HTMLTableSectionElement>(t); }},
      {"tr", [](const std::string& t) { return std::make_shared<HTMLTableRowElement>(t); }},
      {"td", [](const std::string& t) { return std::make_shared<HTMLTableCellElement>(t); }},
      {"th", [](const std::string& t) { return std::make_shared<HTMLTableCellElement>(t); }},
      {"body", [](const std::string& t) { return std::make_shared<HTMLBodyElement>(t); }},
      {"script", [](const std::string& t) { return std::make_shared<HTMLScriptElement>(t); }},
      {"style", [](const std::string& t) { return std::make_shared<HTMLStyleElement>(t); }},
      {"title", [](const std::string& t) { return std::make_shared<HTMLTitleElement>(t); }},
  };
  const auto it = kinds.find(tag);
  if (it != kinds.end()) return it->second(tag);
  return std::make_shared<Element>(tag);
}

}  // namespace qv::browser
