#pragma once
// The answer rows of the choice questions (multiple choice, multiple response, true/false and the
// two choice questions with a blank): the marker picture and the answer text box of a row, the
// rows a new question gets, and the operation that adds one answer row at the insertion point.
// Every step is parameterised by the question type code; the pictures and markers come from the
// type's facts (question_types.h).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace qv::word {
class Cell;
class Document;
class Table;
}  // namespace qv::word

namespace qv::addin {

class dlgProgress;

// The width of the picture column of a new question's answer rows, in points.
inline constexpr double kMarkerColumnWidth = 20;

// The answer picture of `type` in `cell` (column 1), marked "kzoA" + type; the cell takes
// `width` points when one is given.
void PlaceAnswerMarker(word::Document& doc, word::Cell& cell, int32_t type,
                       std::optional<double> width);
// The answer text box (a nested 1 x 1 table, white, black 12-point text) holding `text` in
// `cell` (column 2); `fontName` empty keeps the question table's font.
void PlaceAnswerBox(word::Document& doc, word::Cell& cell, const std::string& text,
                    const std::string& fontName);

// Fills the answer rows of a question table just built for `type`: rows 4 on, one per answer
// ("True" and "False" for true/false, "Answer " + k otherwise), each announced in `progress`.
void FillAnswerRows(word::Document& doc, word::Table& table, int32_t type, dlgProgress& progress);

// Adds one answer row of `type` to the question at the document's selection: below the row that
// holds the insertion point (a caret at a row's start counts for that row), or above it when it is
// the sentence row that must stay last. Outside a question the author is told where to click.
// Each step the word processor refuses is skipped.
void InsertAnswerRow(const std::shared_ptr<word::Document>& doc, int32_t type);

}  // namespace qv::addin
