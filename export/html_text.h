#pragma once
// Document text written as HTML element text, for the writers that carry text as HTML: the
// characters that mean markup as entities, and every line end as the markup the format wants.

#include <string>

namespace qv::exporter {

struct HtmlTextStyle {
  const char* lineBreak = "<br>";  // what a line end becomes
  bool quotes = false;             // '"' as "&quot;"
  bool apostrophes = false;        // "'" as "&#39;"
};

std::string HtmlEscaped(const std::string& text, const HtmlTextStyle& style);

}  // namespace qv::exporter
