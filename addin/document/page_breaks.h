#pragma once
// Web page breaks: the "kzoB" marker pictures that cut a course document into web pages, and the
// page classification that decides whether a new question needs a break before or after it.
// A question of most types may share a page with other questions but not with text; a
// short-answer question always stands on a page of its own.

#include <cstdint>
#include <memory>

namespace qv::word {
class Document;
class InlineShape;
class Range;
}  // namespace qv::word

namespace qv::addin {

// Page kinds of a stretch of the document.
inline constexpr int16_t kPageEmpty = -1;       // no words, pictures or anchored shapes
inline constexpr int16_t kPageOfText = 0;       // text outside questions
inline constexpr int16_t kPageOfQuestions = 1;  // questions only
// Kind 2, the page of a short-answer question, is only ever expected, never found.

// Whether the picture is a web page break marker ("kzoB"), or a question or break marker.
bool IsPageBreakMarker(const std::shared_ptr<word::InlineShape>& picture);
bool IsQuestionOrPageBreakMarker(const std::shared_ptr<word::InlineShape>& picture);

// Inserts a break marker in a paragraph of its own at the insertion point (splitting the
// paragraph there) and leaves the insertion point after it. True.
bool InsertBreakAtSelection(word::Document& doc);
// Removes the break marker the selection holds: the selection must hold exactly one picture, a
// break marker, and nothing else that counts (no words, no anchored shapes). True when removed;
// never raises.
bool DeleteBreakAtSelection(word::Document& doc);

// The stretch a question marker stands for in the page classification: its question table, or
// the marker alone when it stands outside any table.
std::shared_ptr<word::Range> QuestionExtent(const std::shared_ptr<word::InlineShape>& marker,
                                            word::Document& doc);

// No floating shape anchored in the range, no inline picture in it and no words.
bool IsRangeEmpty(word::Range& range);

// The kind of the page that the insertion point would join: from the last question or break
// marker before it (or the document start) to the insertion point.
int16_t PageKindBefore(word::Document& doc);
// The kind of the page that follows `range`'s start: `range` is extended to the document's end
// and then cut back to the first question table or break marker after its start.
int16_t PageKindAfter(word::Range& range, word::Document& doc);

// Whether a question of `type` created at the insertion point needs a break before it (after
// it): the neighbouring page is neither empty nor of the question's own break kind.
bool BreakNeededBefore(int32_t type, word::Document& doc);
bool BreakNeededAfter(int32_t type, word::Document& doc);

// Raised when a page classification finds text between a question table and a neighbouring
// question or break; save processing clears it before classifying and reads it after.
bool TextOutsideQuestions();
void SetTextOutsideQuestions(bool value);

}  // namespace qv::addin
