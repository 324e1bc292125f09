#pragma once
// The choice questions: one answer picture and one answer text box per answer row, the correct
// answers marked "&checked=on" through the attribute form. Multiple choice, multiple response,
// true/false and the two choice questions with a sentence blank differ only in the facts of their
// type code (picture, marker, radio or check boxes, sentence row), so they share this class; each
// public class names its operations for automation clients. Like every question class it holds
// no question data: each operation finds its question table at the document's selection (or is
// given it), works on it and forgets it.

#include <cstdint>
#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace qv::word {
class Application;
class Document;
class Table;
}  // namespace qv::word

namespace qv::addin {

class ChoiceQuestion : public automation::Dispatch {
 public:
  // Builds a complete question at the insertion point of the active document (of a new one when
  // none is open): its answer rows and, for the blank types, the sentence row with one blank.
  // Errors are reported.
  void CreateQuestion(const std::shared_ptr<word::Application>& app);
  // Deletes the question at the selection, after asking.
  void DeleteQuestion(const std::shared_ptr<word::Document>& doc);
  // Deletes the answer row (or blank) at the selection, after asking.
  void DeleteAnswer(const std::shared_ptr<word::Document>& doc);
  // Whether the question is complete (an answer, one marked correct, and for the blank types
  // accepted answers in every blank); otherwise false with `message` saying what is missing.
  // Never raises.
  bool Validate(std::string& message, const std::shared_ptr<word::Table>& table);
  // Adds an answer row at the insertion point (AddRadioChoice, AddAnswer, AddCheckboxAnswer).
  void InsertAnswer(const std::shared_ptr<word::Document>& doc);
  // Shows the attribute form of the question at the selection and, on OK, writes the author's
  // points, partial credit, feedback, correct answers and blank answers into its markers and
  // marks the document changed. A cancelled form changes nothing. Errors (no question at the
  // selection included) reach the caller.
  void MarkQuestion(const std::shared_ptr<word::Document>& doc);

  int32_t Type() const { return type_; }

 protected:
  explicit ChoiceQuestion(int32_t type) : type_(type) {}
  // The member table of a public choice class: the common operations in their order, with the
  // insert operation under `insertName` (none when empty).
  static automation::DispatchTable MemberTable(const std::string& className,
                                               const std::string& insertName);

 private:
  int32_t type_;
};

}  // namespace qv::addin
