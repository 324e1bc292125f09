#pragma once
// The true/false question (type code 9): always the two answers "True" and "False", one of them
// correct, and no operation to add answers. Automation clients reach it as "KZOWord.TrueFalse".

#include "addin/questions/choice_question.h"
#include "addin/questions/question_types.h"

namespace qv::addin {

class TrueFalse : public ChoiceQuestion {
 public:
  TrueFalse() : ChoiceQuestion(kTrueFalse) {}
  const automation::DispatchTable& Members() const override;
};

}  // namespace qv::addin
