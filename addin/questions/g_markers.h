#pragma once
// Module G's readers of question tables: the marker tests on pictures and floating shapes, the
// picture half of the attribute writer, and what identifies a table as a question and gives its
// type and description. A question exists only as its table and the markers in it, so everything
// here reads the document afresh.

#include <cstdint>
#include <memory>
#include <string>

namespace qv::word {
class InlineShape;
class Range;
class Shape;
class Table;
}  // namespace qv::word

namespace qv::addin {

// Whether a picture's alternative text begins with "kzoQ", "kzoA" or "kzoO". A missing picture, a
// text shorter than 4 characters or one that cannot be read is no marker.
bool IsQuestionMarker(const std::shared_ptr<word::InlineShape>& picture);
bool IsAnswerMarker(const std::shared_ptr<word::InlineShape>& picture);
bool IsBlankMarker(const std::shared_ptr<word::InlineShape>& picture);
// The same test for a floating shape of a drag-and-drop or hot-spot question ("kzoA").
bool IsAnswerShape(const std::shared_ptr<word::Shape>& shape);
// Whether the picture is an embedded forms control of type "TextBox"; any failure gives false.
bool IsTextBoxControl(const std::shared_ptr<word::InlineShape>& picture);

// Sets `key` to `value` in the picture's attribute string (replaced in place, or appended) and
// stores it with every "&amp;" turned into the ampersand substitute.
void SetAttr(const std::shared_ptr<word::InlineShape>& picture, const std::string& key,
             const std::string& value);

// True exactly when the table has at least one row and the first picture of row 1 is a question
// marker.
bool IsQuestionTable(const std::shared_ptr<word::Table>& table);
// The type code of a question table, read from its question marker (first picture of row 1).
int32_t GetQuestionType(const std::shared_ptr<word::Table>& table);

// The question text of cell (3,1); "No question description available" for a table of fewer
// than 4 rows.
std::string GetQuestionDescription(const std::shared_ptr<word::Table>& table);
// The range's text without end-of-cell characters (code 7).
std::string RangeText(word::Range& range);

}  // namespace qv::addin
