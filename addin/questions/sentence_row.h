#pragma once
// The sentence of the blank questions: the white sentence box in the body row of a
// fill-in-the-blank question or in the last row of a choice question with a blank, and the blank
// pictures ("textbox.gif", marked "kzoO" + type + "&h=1&w=20") placed in it.

#include <cstdint>
#include <memory>
#include <string>

namespace qv::word {
class Document;
class InlineShape;
class Range;
class Table;
}  // namespace qv::word

namespace qv::addin {

// The alternative text of a new blank of `type`: one line high, 20 characters wide.
std::string NewBlankMarker(int32_t type);

// Row 4 of a new fill-in-the-blank question: one merged cell holding the sentence box with its
// initial text and no blank.
void FillSentenceBodyRow(word::Document& doc, word::Table& table);

// The last row of a new choice question with a blank: one merged cell holding the sentence box
// and, after it, one blank as wide as the cell's inner width.
void FillChoiceSentenceRow(word::Document& doc, word::Table& table, int32_t type);

// A new blank picture of `type` at `at` (a non-empty range is replaced by it).
std::shared_ptr<word::InlineShape> PlaceBlank(word::Document& doc,
                                              const std::shared_ptr<word::Range>& at, int32_t type);

}  // namespace qv::addin
