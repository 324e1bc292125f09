// Course documents as docx packages: a document with every question type, marked through the
// attribute dialog, with web page breaks and prepared by save processing, is saved as docx and
// reopened with the same text, tables, markers, properties and shape geometry; the add-in's own
// operations work on the reopened document.

#include <regex>

#include "addin/dialogs/dlgMark.h"
#include "addin/document/page_breaks.h"
#include "addin/document/save_processing.h"
#include "addin/document/validate_doc.h"
#include "addin/questions/FillInTheBlank.h"
#include "addin/questions/ImageHotSpot.h"
#include "addin/questions/ImageTag.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/questions/MultipleChoiceFillInTheBlank.h"
#include "addin/questions/MultipleCorrect.h"
#include "addin/questions/MultipleCorrectFillInTheBlank.h"
#include "addin/questions/ShortAnswer.h"
#include "addin/questions/TrueFalse.h"
#include "addin/questions/g_construction.h"
#include "addin/tests/picture_question_fixture.h"
#include "platform/files.h"
#include "platform/net/host_overrides.h"
#include "ui/constants.h"
#include "word/doc_file.h"
#include "word/docx/docx_file.h"
#include "word/tests/docx_checks.h"

namespace qv::addin::testing {
namespace {

struct DocxRoundTrip : PictureQuestionTest {
  void SetUp() override {
    PictureQuestionTest::SetUp();
    // Error reports and help pages go nowhere: nothing listens on port 1.
    ASSERT_TRUE(platform::MapHost("courses.quorvanta.example", "127.0.0.1", 1));
  }

  template <class Q>
  void Add(Q question) {
    PlaceAtEnd();
    question.CreateQuestion(app);
  }

  // The MarkQuestion of the question at the start of `table`, the author pressing OK.
  template <class Q>
  void Mark(Q question, const std::shared_ptr<word::Table>& table) {
    driver->OnFormOnce("dlgMark",
                       [](ui::Form& form) { static_cast<dlgMark&>(form).OKButton.Click(); });
    PlaceAt(table->Cell(3, 1)->Start());
    question.MarkQuestion(doc);
  }

  // One question of every type, the picture questions with pictures and areas.
  void BuildCourse() {
    Type("Fractions & decimals: «unit one»");
    Add(MultipleChoice());
    Add(MultipleCorrect());
    Add(MultipleChoiceFillInTheBlank());
    Add(MultipleCorrectFillInTheBlank());
    Add(FillInTheBlank());
    Add(TrueFalse());
    Add(ShortAnswer());
    ImageTag tag;
    Add(tag);
    PlaceInCell(doc->Tables()->Item(doc->Tables()->Count()), 4, 1);
    ChooseNext("btnMoveable");
    driver->AnswerFileDialog(Picture("apple.gif", 30, 30));
    tag.InsertPic(doc);
    ImageHotSpot spot;
    Add(spot);
    PlaceInCell(doc->Tables()->Item(doc->Tables()->Count()), 4, 1);
    driver->AnswerFileDialog(Picture("map.gif", 120, 90));
    spot.InsertPic(doc);
    spot.InsertShape(doc, word::msoShapeOval);
    PlaceAtEnd();
    InsertBreakAtSelection(*doc);
    Type("Closing words");
    Mark(MultipleChoice(), doc->Tables()->Item(1));
  }

  // Every alternative text of the document, in order: inline pictures, then floating shapes.
  static std::vector<std::string> Markers(word::Document& d) {
    std::vector<std::string> out;
    auto json = word::DocumentToJson(d);
    for (const auto& i : json["inlineShapes"])
      out.push_back(i["alternativeText"].get<std::string>());
    for (const auto& s : json["shapes"])
      out.push_back(s["alternativeText"].get<std::string>());
    return out;
  }
};

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
