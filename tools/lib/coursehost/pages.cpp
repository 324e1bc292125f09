#include "tools/lib/coursehost/pages.h"

#include <algorithm>
#include <cctype>

#include "automation/text/ascii.h"
#include "export/html_page.h"
#include "export/html_text.h"

namespace qv::tools {
namespace {

// Pages named by the add-in, each served under its own title derived from the path.
constexpr std::string_view kPlainPages[] = {
    "/files/02/pages/help/tutorials.asp",  // the web tutorial
    "/addins.asp",                         // the update page
    "/engine/help/info.asp",               // online help by id
    "/engine/plugins/help.htm",            // plug-in help of the attribute form
};

bool IsExamplePage(std::string_view lowerPath) {
  if (lowerPath.substr(0, 6) != "/prot/") return false;
  const auto name = lowerPath.substr(lowerPath.rfind('/') + 1);
  constexpr std::string_view prefix = "qti_examples-", suffix = ".htm";
  if (name.size() <= prefix.size() + suffix.size() || name.substr(0, prefix.size()) != prefix ||
      name.substr(name.size() - suffix.size()) != suffix) {
    return false;
  }
  const auto number = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  return std::all_of(number.begin(), number.end(), [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

std::string TitleFromPath(std::string_view path) {
  auto name = path.substr(path.rfind('/') + 1);
  if (const auto dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) {
    name = name.substr(0, dot);
  }
  std::string title;
  bool wordStart = true;
  char previous = '\0';
  for (const char c : name) {
    if (c == '_' || c == '-' || c == ' ') {
      wordStart = true;
      previous = c;
      continue;
    }
    const bool upper = std::isupper(static_cast<unsigned char>(c));
    if (upper && std::islower(static_cast<unsigned char>(previous))) wordStart = true;
    if (wordStart && !title.empty()) title += ' ';
    title += wordStart ? text::AsciiUpper(c) : c;
    wordStart = false;
    previous = c;
  }
  return title;
}

std::optional<std::string> PageTitle(std::string_view path, std::string_view host) {
  const std::string lower = text::AsciiLowered(path);
  // The portal and its lesson pages are found again by the add-in through these titles.
  // A user who has a portal is sent to the host's own address, one who has none to the page
  // that creates it.
  if (lower == "/" || lower == "/groups/config/createportal.asp") return std::string(host);
  if (lower == "/groups/lessonlist.asp") return std::string(host) + " - Lesson List";
  if (lower == "/groups/lessoneditor.asp") return std::string(host) + " - Lesson Editor";
  if (std::find(std::begin(kPlainPages), std::end(kPlainPages), lower) != std::end(kPlainPages) ||
      IsExamplePage(lower)) {
    return TitleFromPath(path);
  }
  return std::nullopt;
}

std::string HtmlPage(std::string_view title, std::string_view paragraph) {
  const exporter::HtmlTextStyle text{.lineBreak = "\n", .quotes = true};
  return exporter::HtmlPageStart(title) + "<h1>" + exporter::HtmlEscaped(std::string(title), text) +
         "</h1>\n<p>" + exporter::HtmlEscaped(std::string(paragraph), text) + "</p>\n" +
         exporter::HtmlPageEnd();
}

}  // namespace qv::tools
