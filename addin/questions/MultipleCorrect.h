#pragma once
// The multiple-response question (type code 1): check-box pictures, one or more answers correct.
// Automation clients reach it as "KZOWord.MultipleCorrect".

#include "addin/questions/choice_question.h"
#include "addin/questions/question_types.h"

namespace qv::addin {

class MultipleCorrect : public ChoiceQuestion {
 public:
  MultipleCorrect() : ChoiceQuestion(kMultipleResponse) {}
  const automation::DispatchTable& Members() const override;

  void AddAnswer(const std::shared_ptr<word::Document>& doc) { InsertAnswer(doc); }
};

}  // namespace qv::addin
