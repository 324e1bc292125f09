#pragma once
// A course document with one question of every type (the picture questions with pictures and an
// answer area), web page breaks and text around the questions, the first question marked through
// the attribute dialog; for tests of what the document becomes outside the word processor.

#include <string>
#include <vector>

#include "addin/dialogs/dlgMark.h"
#include "addin/document/page_breaks.h"
#include "addin/questions/FillInTheBlank.h"
#include "addin/questions/ImageHotSpot.h"
#include "addin/questions/ImageTag.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/questions/MultipleChoiceFillInTheBlank.h"
#include "addin/questions/MultipleCorrect.h"
#include "addin/questions/MultipleCorrectFillInTheBlank.h"
#include "addin/questions/ShortAnswer.h"
#include "addin/questions/TrueFalse.h"
#include "addin/tests/picture_question_fixture.h"
#include "platform/net/host_overrides.h"
#include "word/doc_file.h"

namespace qv::addin::testing {

class CourseDocumentTest : public PictureQuestionTest {
 protected:
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

}  // namespace qv::addin::testing
