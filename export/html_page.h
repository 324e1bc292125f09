#pragma once
// The frame of every HTML page the system writes for a browser: the learner preview's pages and
// the local course host's. One frame keeps them alike in what a browser relies on (the document
// type, the character set, the language, a viewport for small screens) and escapes the title once.

#include <string>
#include <string_view>

namespace qv::exporter {

// From the document type to the opening of the body. `title` is plain text; `headExtras` is
// markup placed at the end of the head (a style sheet link, say).
std::string HtmlPageStart(std::string_view title, std::string_view headExtras = {});
// The end of the body and of the page, after `bodyEnd` (markup: a script element, say).
std::string HtmlPageEnd(std::string_view bodyEnd = {});

}  // namespace qv::exporter
