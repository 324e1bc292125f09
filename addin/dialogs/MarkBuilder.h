#pragma once
// The attribute form page: the HTML document in which the author sets a question's points,
// partial credit, feedback texts and correct answers. A question type's MarkQuestion joins the
// fragments below in a fixed order (header first, footer last) and hands the page to dlgMark,
// which reads the fields back by the names written here:
//
//   form "frm": title, qID, points, partial, ans (radio, value = marker index) or ans<i> (check
//   box), pcomm, fcomm, and per blank fib<i>_w, fib<i>_h, fib<i>_I, fib<i>_T (ids fib<N>__w ...,
//   N counting the blanks of the page from 1).
//
// One MarkBuilder builds one page at a time: BuildHeader sets the page's question type and
// restarts the blank count, which BuildBlankRow raises and BuildFooter reads.
//
// Texts from the document (question, answers, text between blanks) and the answers of blanks are
// written as HTML text: "Is x<y?" shows as typed instead of breaking the page, and a blank's
// answer reads back exactly as it was shown.

#include <cstdint>
#include <memory>
#include <string>

namespace qv::word {
class InlineShape;
class Table;
}  // namespace qv::word

namespace qv::addin {

class MarkBuilder {
 public:
  // Page head, scripts (feedback texts, DoLink), form start and the header row with the title,
  // qID, points and partial fields.
  std::string BuildHeader(const std::shared_ptr<word::InlineShape>& questionMarker);
  // Start of the question block, the "Select correct answer(s)" row of the choice types and the
  // question text row.
  std::string BuildQuestionRow(const std::shared_ptr<word::Table>& table);
  // One answer row for inline picture `markerIndex` (from 1) of the table; no line end.
  std::string BuildAnswerRow(const std::shared_ptr<word::Table>& table, int32_t markerIndex);
  // A full-width row holding `text` (the question text between blanks).
  std::string BuildTextRow(const std::string& text);
  // One blank row for a blank marker picture or an embedded text-box control.
  std::string BuildBlankRow(const std::shared_ptr<word::InlineShape>& blank, int32_t markerIndex);
  // Closes the question block's inner table; no line end.
  std::string BuildListEnd() const;
  // The two feedback fields, form end, the load script and the page end.
  std::string BuildFooter() const;

  int32_t QuestionType() const { return questionType_; }
  int32_t BlankCount() const { return blankCount_; }

 private:
  int32_t questionType_ = 0;
  int32_t blankCount_ = 0;
};

// A feedback text as the inside of a single-quoted page script string: its lines, apostrophes
// and backslashes survive the trip into the textarea unchanged, and a closing script tag cannot
// end the page's script (it shows as "scr ipt>").
std::string EscapeFeedbackForScript(const std::string& text);

// A text of the document as HTML text ("&", "<" and ">" as entities).
std::string HtmlText(const std::string& text);

}  // namespace qv::addin
