#pragma once
// Building a question: the empty question table of any type at the insertion point (marker row,
// help box, question text box, and the answer or body rows left for the question class to fill),
// leaving the document ready for typing once the class has filled it, and stamping the document
// as one that holds questions of this add-in.

#include <cstdint>
#include <memory>
#include <string>

namespace qv::word {
class Application;
class Document;
class Table;
}  // namespace qv::word

namespace qv::addin {

class dlgProgress;

// The value of custom property KZOConvert that marks a document of this add-in.
inline constexpr int32_t kConvertedMark = 7;

// Builds the question table of `type` at the insertion point of the active document (of a new
// one when none is open), showing its steps in `progress` (shown modeless here). Web page breaks
// are inserted before and after it where the page rules ask for them. Null when the guard refused
// (the author has been told) or the word processor failed (reported; what was built so far
// stays).
std::shared_ptr<word::Table> SetupTable(int32_t type, const std::shared_ptr<word::Application>& app,
                                        dlgProgress& progress);

// Ends the building of a question: an empty paragraph after the table, the document stamped, the
// insertion point at the end of the question prompt, the table scrolled into view.
void FinishQuestion(const std::shared_ptr<word::Table>& table,
                    const std::shared_ptr<word::Document>& doc);

// Records in the document's custom properties that it holds questions of this add-in
// (KZOConvert "7", Ver "27", Site the course host) and installs the menus template. Never
// raises: each step that fails is skipped.
void StampDocument(word::Document& doc);

// Whether custom property KZOConvert exists and equals `value`; any error gives false.
bool IsConvertedDocument(word::Document& doc, int32_t value);

// Gives the document's custom text property `name` the value: replaces the value of an existing
// property, else adds one (text, not linked to content).
void SetTextProperty(word::Document& doc, const std::string& name, const std::string& value);

}  // namespace qv::addin
