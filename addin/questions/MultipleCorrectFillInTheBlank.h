#pragma once
// The multiple-response question whose sentence has a blank (type code 4): check-box answers, one
// or more correct, and a last row holding the sentence and its blank. Automation clients reach it
// as "KZOWord.MultipleCorrectFillInTheBlank".

#include "addin/questions/choice_question.h"
#include "addin/questions/question_types.h"

namespace qv::addin {

class MultipleCorrectFillInTheBlank : public ChoiceQuestion {
 public:
  MultipleCorrectFillInTheBlank() : ChoiceQuestion(kMultipleResponseFIB) {}
  const automation::DispatchTable& Members() const override;

  void AddCheckboxAnswer(const std::shared_ptr<word::Document>& doc) { InsertAnswer(doc); }
};

}  // namespace qv::addin
