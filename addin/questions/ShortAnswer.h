#pragma once
// The short-answer question (type code 10): the learner types a short free-text answer into a
// box whose size the author sets by resizing a placeholder rectangle in the black answer area.
// Not offered by the Add New Question dialog; automation clients reach it as
// "KZOWord.ShortAnswer". It has no answers to delete and nothing to insert.

#include <memory>
#include <string>

#include "automation/dispatch.h"

namespace qv::word {
class Application;
class Document;
class Table;
}  // namespace qv::word

namespace qv::addin {

// The text of a new answer box placeholder.
inline constexpr const char* kShortAnswerPlaceholderText =
    "Resize this shape to create the size that you would like the textbox to be.";

class ShortAnswer : public automation::Dispatch {
 public:
  const automation::DispatchTable& Members() const override;

  // Builds a question with an 85-point black answer area as wide as the text and the answer box
  // placeholder in it. Errors are reported.
  void CreateQuestion(const std::shared_ptr<word::Application>& app);
  void DeleteQuestion(const std::shared_ptr<word::Document>& doc);
  // Complete while the placeholder (an answer marker without `type`) is there. Never raises.
  bool Validate(std::string& message, const std::shared_ptr<word::Table>& table);
  // The attribute form of the question's own attributes (points, partial credit, feedback).
  void MarkQuestion(const std::shared_ptr<word::Document>& doc);
};

}  // namespace qv::addin
