#pragma once
// The multiple-choice question whose sentence has a blank (type code 3): radio answers, one
// correct, and a last row holding the sentence and its blank. Automation clients reach it as
// "KZOWord.MultipleChoiceFillInTheBlank".

#include "addin/questions/choice_question.h"
#include "addin/questions/question_types.h"

namespace qv::addin {

class MultipleChoiceFillInTheBlank : public ChoiceQuestion {
 public:
  MultipleChoiceFillInTheBlank() : ChoiceQuestion(kMultipleChoiceFIB) {}
  const automation::DispatchTable& Members() const override;

  void AddRadioChoice(const std::shared_ptr<word::Document>& doc) { InsertAnswer(doc); }
};

}  // namespace qv::addin
