#pragma once
// The fill-in-the-blank question (type code 5): a sentence in the body row (row 4) with one or
// more blanks, each a "textbox.gif" picture carrying its accepted answers and the size of the
// learner's answer box. Automation clients reach it as "KZOWord.FillInTheBlank".

#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace qv::word {
class Application;
class Document;
class Table;
}  // namespace qv::word

namespace qv::addin {

class FillInTheBlank : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;

  // Builds a complete question (the sentence box, no blank yet) at the insertion point of the
  // active document, or of a new one. Errors are reported.
  void CreateQuestion(const std::shared_ptr<word::Application>& app);
  void DeleteQuestion(const std::shared_ptr<word::Document>& doc);
  // Deletes the blank at the selection, after asking.
  void DeleteAnswer(const std::shared_ptr<word::Document>& doc);
  // Whether every blank has accepted answers and there is at least one blank. Never raises.
  bool Validate(std::string& message, const std::shared_ptr<word::Table>& table);
  // Places a blank at the selection (replacing selected words) when it lies in the body row;
  // otherwise tells the author where to click. Errors are reported.
  void InsertBlank(const std::shared_ptr<word::Document>& doc);
  // The attribute form of the question at the selection, with the sentence text between its
  // blanks; on OK the blanks take their answers and sizes. Errors are reported.
  void MarkQuestion(const std::shared_ptr<word::Document>& doc);
};

}  // namespace qv::addin
