#include "addin/questions/choice_question.h"

#include "addin/dialogs/dlgProgress.h"
#include "addin/questions/answer_rows.h"
#include "addin/questions/check_answer_chosen.h"
#include "addin/questions/check_blanks.h"
#include "addin/questions/g_delete.h"
#include "addin/questions/g_find.h"
#include "addin/questions/question_class.h"
#include "addin/questions/question_types.h"
#include "addin/questions/sentence_row.h"
#include "word/application.h"
#include "word/document.h"
#include "word/table.h"

namespace qv::addin {

void ChoiceQuestion::CreateQuestion(const std::shared_ptr<word::Application>& app) {
  BuildQuestion(type_, app, [this](word::Document& doc, word::Table& table, dlgProgress& progress) {
    FillAnswerRows(doc, table, type_, progress);
    if (TypeFacts(type_).blankRow) {
      progress.AddMessage("Creating Fill-In-The-Blank Answer.  Please wait...");
      FillChoiceSentenceRow(doc, table, type_);
    }
  });
}

void ChoiceQuestion::DeleteQuestion(const std::shared_ptr<word::Document>& doc) {
  addin::DeleteQuestion(GetCurrentQuestion(doc));
}

void ChoiceQuestion::DeleteAnswer(const std::shared_ptr<word::Document>& doc) {
  addin::DeleteAnswer(GetCurrentQuestion(doc));
}

bool ChoiceQuestion::Validate(std::string& message, const std::shared_ptr<word::Table>& table) {
  return ValidateSafely(message, [&] {
    // The blanks are looked at only once the answers are complete.
    return CheckAnswerChosen(message, table) &&
           (!TypeFacts(type_).blankRow || CheckBlanks(message, table));
  });
}

void ChoiceQuestion::InsertAnswer(const std::shared_ptr<word::Document>& doc) {
  InsertAnswerRow(doc, type_);
}

void ChoiceQuestion::MarkQuestion(const std::shared_ptr<word::Document>& doc) {
  MarkQuestionOfType(doc, type_);
}

automation::DispatchTable ChoiceQuestion::MemberTable(const std::string& className,
                                                      const std::string& insertName) {
  using automation::Args;
  using Q = ChoiceQuestion;
  return QuestionTable<Q>(className, [&](automation::ClassTable<Q>& table) {
    if (insertName.empty()) return;
    table.Sub(insertName, [](Q& q, Args& a) { q.InsertAnswer(ObjectArg<word::Document>(a, 0)); });
  });
}

}  // namespace qv::addin
