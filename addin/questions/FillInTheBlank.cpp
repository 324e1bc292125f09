#include "addin/questions/FillInTheBlank.h"

#include "addin/addin_app.h"
#include "addin/dialogs/dlgProgress.h"
#include "addin/questions/check_blanks.h"
#include "addin/questions/g_delete.h"
#include "addin/questions/g_find.h"
#include "addin/questions/question_class.h"
#include "addin/questions/question_types.h"
#include "addin/questions/report_error.h"
#include "addin/questions/sentence_row.h"
#include "automation/error_trap.h"
#include "ui/msgbox.h"
#include "word/application.h"
#include "word/document.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/table.h"

namespace qv::addin {

void FillInTheBlank::CreateQuestion(const std::shared_ptr<word::Application>& app) {
  BuildQuestion(kFillInTheBlank, app, [](word::Document& doc, word::Table& table, dlgProgress&) {
    FillSentenceBodyRow(doc, table);
  });
}

void FillInTheBlank::DeleteQuestion(const std::shared_ptr<word::Document>& doc) {
  addin::DeleteQuestion(GetCurrentQuestion(doc));
}

void FillInTheBlank::DeleteAnswer(const std::shared_ptr<word::Document>& doc) {
  addin::DeleteAnswer(GetCurrentQuestion(doc));
}

bool FillInTheBlank::Validate(std::string& message, const std::shared_ptr<word::Table>& table) {
  return ValidateSafely(message, [&] { return CheckBlanks(message, table); });
}

void FillInTheBlank::InsertBlank(const std::shared_ptr<word::Document>& doc) {
  std::shared_ptr<dlgProgress> progress;
  automation::Trap(
      [&] {
        auto table = GetCurrentQuestion(doc);
        if (!table) {
          ui::MsgBox(AddinApp(),
                     "Place the cursor into the question table at the point you want to add an "
                     "answer choice.",
                     ui::vbCritical, "Error");
          return;
        }
        auto selection = doc->Selection();
        if (!selection->InRange(*table->Rows()->Item(4)->Range())) {
          ui::MsgBox(AddinApp(),
                     "This is not a valid answer location.  Place your cursor into the question "
                     "response table and try again.",
                     ui::vbCritical, "Error");
          return;
        }
        progress = dlgProgress::Create();
        progress->Show(ui::vbModeless);
        progress->AddMessage("Creating Fill-In-The-Blank spot...");
        auto blank = PlaceBlank(*doc, selection->Range(), kFillInTheBlank);
        progress->AddMessage("Done!  Closing...");
        blank->Select();
        progress->DONE();
        doc->Activate();
      },
      [&](const automation::ErrInfo& e) {
        CloseProgress(progress);
        automation::ErrorsIgnored ignore;
        ignore([&] { doc->Activate(); });
        ReportError(e.description, "FillInTheBlank.InsertBlank", e.number, true);
      });
}

void FillInTheBlank::MarkQuestion(const std::shared_ptr<word::Document>& doc) {
  automation::Trap([&] { MarkQuestionOfType(doc, kFillInTheBlank); },
                   [&](const automation::ErrInfo& e) {
                     ReportError(e.description, "FillInTheBlank.MarkQuestion", e.number, true);
                   });
}

const automation::DispatchTable& FillInTheBlank::Members() const {
  using automation::Args;
  using Q = FillInTheBlank;
  static const automation::DispatchTable table =
      QuestionTable<Q>("FillInTheBlank", [](automation::ClassTable<Q>& t) {
        t.Sub("InsertBlank", [](Q& q, Args& a) { q.InsertBlank(ObjectArg<word::Document>(a, 0)); });
      });
  return table;
}

}  // namespace qv::addin
