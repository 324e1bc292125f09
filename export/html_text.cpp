#include "export/html_text.h"

namespace qv::exporter {

std::string HtmlEscaped(const std::string& text, const HtmlTextStyle& style) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"' && style.quotes)
      out += "&quot;";
    else if (c == '\'' && style.apostrophes)
      out += "&#39;";
    else if (c == '\n')
      out += style.lineBreak;
    else
      out += c;
  }
  return out;
}

}  // namespace qv::exporter
