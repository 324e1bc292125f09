#include "export/html_page.h"

#include "export/html_text.h"

namespace qv::exporter {

std::string HtmlPageStart(std::string_view title, std::string_view headExtras) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
  html += HtmlEscaped(std::string(title), {.lineBreak = " ", .quotes = true, .apostrophes = true});
  html += "</title>\n";
  html += headExtras;
  html += "</head>\n<body>\n";
  return html;
}

std::string HtmlPageEnd(std::string_view bodyEnd) {
  std::string html(bodyEnd);
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace qv::exporter
