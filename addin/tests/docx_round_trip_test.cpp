// Course documents as docx packages: a document with every question type, marked through the
// attribute dialog, with web page breaks and prepared by save processing, is saved as docx and
// reopened with the same text, tables, markers, properties and shape geometry; the add-in's own
// operations work on the reopened document.

#include "addin/document/save_processing.h"
#include "addin/document/validate_doc.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/questions/TrueFalse.h"
#include "addin/questions/g_construction.h"
#include "addin/tests/course_fixture.h"
#include "platform/files.h"
#include "ui/constants.h"
#include "word/doc_file.h"
#include "word/docx/docx_file.h"
#include "word/tests/docx_checks.h"

namespace qv::addin::testing {
namespace {

using DocxRoundTrip = CourseDocumentTest;

TEST_F(DocxRoundTrip, EveryQuestionTypeSurvivesADocxRoundTrip) {
  BuildCourse();
  const auto file = profile.Dir() / "Unit1.docx";
  doc->SaveAs(file.string(), word::wdFormatXMLDocument);
  StampDocument(*doc);
  ASSERT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved) << driver->Text();
  ASSERT_TRUE(word::IsDocxFile(file));
  if (!word::testing::OoxmlSchemaDir().empty()) {
    EXPECT_EQ(word::testing::DocxFaults(*platform::ReadWholeFile(file)), "");
  }

  driver->ClearTranscript();
  driver->AnswerMsgBox(ui::vbNo);
  const bool valid = ValidateDoc(doc);
  const auto messages = Messages();
  const auto before = word::DocumentToJson(*doc);
  const auto markers = Markers(*doc);
  const std::string drawn = Rendering();
  ASSERT_GE(markers.size(), 30u) << drawn;
  doc->Close();
  doc = app->Documents()->Open(file.string());
  EXPECT_EQ(nlohmann::json::diff(word::testing::DocxComparable(before),
                                 word::testing::DocxComparable(word::DocumentToJson(*doc)))
                .dump(),
            "[]");
  EXPECT_EQ(Markers(*doc), markers);
  EXPECT_EQ(Rendering(), drawn);

  // The add-in works on the reopened document as on the one it built.
  driver->ClearTranscript();
  driver->AnswerMsgBox(ui::vbNo);
  EXPECT_EQ(ValidateDoc(doc), valid);
  EXPECT_EQ(Messages(), messages);
  Mark(MultipleChoice(), doc->Tables()->Item(1));
  EXPECT_EQ(Markers(*doc), markers);
  Add(TrueFalse());
  EXPECT_EQ(Markers(*doc).size(), markers.size() + 4);
  EXPECT_EQ(ProcessKZOInfo(*doc), SaveOutcome::Saved);
  EXPECT_TRUE(word::IsDocxFile(file));
}

}  // namespace
}  // namespace qv::addin::testing
