#pragma once
// A text rendering of a document for terminals, transcripts and tests: paragraphs as lines,
// tables as boxes of "+", "-" and "|" (nested tables as boxes inside cells), inline pictures as
// "[pic: ALT]" and controls as "[ctl: CLASS "TEXT"]" with control characters shown as "\x01",
// manual page breaks as "[page break]", then the floating shapes with their anchor paragraph,
// type, position, size and z-order. The same document always renders the same way.

#include <string>

namespace qv::word {

class Document;

std::string RenderDocument(Document& doc);
// Text with control characters (other than none) written as "\xNN".
std::string VisibleText(const std::string& text);

}  // namespace qv::word
