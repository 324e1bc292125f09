#pragma once
// The multiple-choice question (type code 0): radio pictures, exactly one answer correct.
// Automation clients reach it as "KZOWord.MultipleChoice".

#include "addin/questions/choice_question.h"
#include "addin/questions/question_types.h"

namespace qv::addin {

class MultipleChoice : public ChoiceQuestion {
 public:
  MultipleChoice() : ChoiceQuestion(kMultipleChoice) {}
  const automation::DispatchTable& Members() const override;

  void AddRadioChoice(const std::shared_ptr<word::Document>& doc) { InsertAnswer(doc); }
};

}  // namespace qv::addin
