#pragma once
// What preparing a document for the course asks of document validation: the check of every
// question before the document goes to the course host, and the short title that names a web page
// (or a question) by the first words of its text.

#include <string>

namespace qv::word {
class Document;
class Range;
}  // namespace qv::word

namespace qv::addin {

// Checks every question of a course document; true when the caller may go on (all complete, or
// the author chose to keep the document as it is), false when the author chose to fix it.
bool ValidateForCourse(word::Document& doc);

// The short title of the range: of its first 40 characters, the run of text characters and blanks
// that begins at the first text character, without blanks at either end; "" when the range holds
// no text character. Asterisks and other punctuation count as text characters.
std::string ShortTitle(word::Range& range);

}  // namespace qv::addin
