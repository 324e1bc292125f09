#pragma once
// The multiple-choice question (type code 0): one radio picture and one answer text box per
// answer row, exactly one answer marked correct. Like every question class it holds no question
// data: each operation finds its question table at the document's selection (or is given it),
// works on it and forgets it. Automation clients reach it as "KZOWord.MultipleChoice".

#include <memory>
#include <optional>
#include <string>

#include "automation/dispatch.h"

namespace qv::word {
class Application;
class Cell;
class Document;
class Table;
}  // namespace qv::word

namespace qv::addin {

class MultipleChoice : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;

  // Builds a complete question at the insertion point of the active document (of a new one
  // when none is open) with one answer row per answer the table was built with. Errors are
  // reported.
  void CreateQuestion(const std::shared_ptr<word::Application>& app);
  // Deletes the question at the selection, after asking.
  void DeleteQuestion(const std::shared_ptr<word::Document>& doc);
  // Deletes the answer row at the selection, after asking.
  void DeleteAnswer(const std::shared_ptr<word::Document>& doc);
  // Whether the question is complete (an answer, and one marked correct); otherwise false with
  // `message` saying what is missing. Never raises.
  bool Validate(std::string& message, const std::shared_ptr<word::Table>& table);
  // Adds an answer row below the row holding the insertion point.
  void AddRadioChoice(const std::shared_ptr<word::Document>& doc);
  // Shows the attribute form of the question at the selection and, on OK, writes the author's
  // points, partial credit, feedback and correct answer into its markers and marks the document
  // changed. A cancelled form changes nothing. Errors (no question at the selection included)
  // reach the caller.
  void MarkQuestion(const std::shared_ptr<word::Document>& doc);

 private:
  // Kept while a question is being created.
  std::shared_ptr<word::Application> app_;
  std::shared_ptr<word::Document> doc_;
};

// The radio picture of an answer row in `cell` (column 1), marked as an answer of type code 0;
// the cell takes `width` points when one is given.
void PlaceRadioMarker(word::Document& doc, word::Cell& cell, std::optional<double> width);
// The answer text box (a nested 1 x 1 table, white, black 12-point text) holding `text` in
// `cell` (column 2); `fontName` empty keeps the question table's font.
void PlaceAnswerBox(word::Document& doc, word::Cell& cell, const std::string& text,
                    const std::string& fontName);

}  // namespace qv::addin
