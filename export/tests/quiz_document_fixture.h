#pragma once
// A course document holding every question type, built through the add-in's question classes and
// marked through its attribute routine, as an author would leave it: a page of text, a page of
// choice and blank questions, a page of picture questions and a short answer on its own page.

#include <memory>
#include <string>

#include "addin/document/Work.h"
#include "addin/questions/FillInTheBlank.h"
#include "addin/questions/ImageHotSpot.h"
#include "addin/questions/ImageTag.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/questions/MultipleChoiceFillInTheBlank.h"
#include "addin/questions/MultipleCorrect.h"
#include "addin/questions/MultipleCorrectFillInTheBlank.h"
#include "addin/questions/ShortAnswer.h"
#include "addin/questions/TrueFalse.h"
#include "addin/questions/g_markers.h"
#include "addin/tests/picture_question_fixture.h"
#include "word/paragraphs.h"

namespace qv::exporter::testing {

class QuizDocumentTest : public addin::testing::PictureQuestionTest {
 protected:
  std::shared_ptr<word::Table> Last() { return doc->Tables()->Item(doc->Tables()->Count()); }

  // Replaces the text of the box nested in (row, column) of `table`.
  void SetBoxText(const std::shared_ptr<word::Table>& table, int32_t row, int32_t column,
                  const std::string& text) {
    const int64_t start = table->Cell(row, column)->Start();
    auto box = doc->Range(start, start)->Tables()->Item(1)->Cell(1, 1);
    doc->Range(box->Start(), box->EndMark())->SetText(text);
  }
  std::shared_ptr<word::InlineShape> Picture(const std::shared_ptr<word::Table>& table, int32_t i) {
    return table->Range()->InlineShapes()->Item(i);
  }
  // The question's own attributes through the add-in's attribute routine.
  void Mark(const std::shared_ptr<word::Table>& table, const std::string& points,
            const std::string& partial = "", const std::string& right = "",
            const std::string& wrong = "") {
    auto marker = Picture(table, 1);
    addin::SetAttr(marker, "points", points);
    if (!partial.empty()) addin::SetAttr(marker, "partial", partial);
    if (!right.empty()) addin::SetAttr(marker, "pcomm", right);
    if (!wrong.empty()) addin::SetAttr(marker, "fcomm", wrong);
  }
  // A choice question's answers: texts, and the correct ones marked (1-based answer numbers).
  void Answers(const std::shared_ptr<word::Table>& table, const std::vector<std::string>& texts,
               const std::vector<int>& correct) {
    for (size_t i = 0; i < texts.size(); ++i)
      SetBoxText(table, 4 + int32_t(i), 2, texts[i]);
    for (int k : correct)
      addin::SetAttr(Picture(table, 1 + k), "checked", "on");
  }
  // Sets the accepted answers and size of every blank of the table, in order.
  void Blanks(const std::shared_ptr<word::Table>& table, const std::vector<std::string>& answers) {
    auto pictures = table->Range()->InlineShapes();
    size_t k = 0;
    for (int32_t i = 1; i <= pictures->Count() && k < answers.size(); ++i) {
      auto picture = pictures->Item(i);
      if (!addin::IsBlankMarker(picture)) continue;
      addin::SetAttr(picture, "ans", answers[k++]);
      addin::SetAttr(picture, "w", "12");
    }
  }
  // The text of the sentence box in the last row (a blank stays where it is).
  void SentenceBefore(const std::shared_ptr<word::Table>& table, const std::string& text) {
    const int64_t start = table->Cell(table->Rows()->Count(), 1)->Start();
    auto box = doc->Range(start, start)->Tables()->Item(1)->Cell(1, 1);
    doc->Range(box->Start(), box->EndMark())->SetText(text);
  }
  void Break() {
    PlaceAtEnd();
    addin::Work().InsertBreak(*doc);
  }

  // The whole document, questions in document order: MC, MR, MC+blank, MR+blank, blanks,
  // true/false, drag and drop, hot spot (one page), then short answer (a page of its own).
  void BuildEveryType() {
    Type("Welcome to the course.");
    doc->Selection()->TypeParagraph();
    Type("Read this first.");
    Break();

    addin::MultipleChoice().CreateQuestion(app);
    auto t = Last();
    SetBoxText(t, 3, 1, "Which planet is red?");
    Answers(t, {"Mars", "Venus", "Earth", "Jupiter"}, {1});
    Mark(t, "10", "", "Right &amp; well done", "Look at the sky <again>");

    PlaceAtEnd();
    addin::MultipleCorrect().CreateQuestion(app);
    t = Last();
    SetBoxText(t, 3, 1, "Which are prime?");
    Answers(t, {"2", "3", "4", "9"}, {1, 2});
    Mark(t, "6", "Yes");

    PlaceAtEnd();
    addin::MultipleChoiceFillInTheBlank().CreateQuestion(app);
    t = Last();
    SetBoxText(t, 3, 1, "Pick the colour, then name it.");
    Answers(t, {"Red", "Green", "Blue", "Black"}, {3});
    SentenceBefore(t, "Its name:");
    Blanks(t, {"blue;Blue"});
    Mark(t, "4");

    PlaceAtEnd();
    addin::MultipleCorrectFillInTheBlank().CreateQuestion(app);
    t = Last();
    SetBoxText(t, 3, 1, "Pick the even numbers, then give one more.");
    Answers(t, {"1", "2", "3", "4"}, {2, 4});
    SentenceBefore(t, "One more:");
    Blanks(t, {"6;8;10"});
    Mark(t, "8", "Yes");

    PlaceAtEnd();
    addin::FillInTheBlank().CreateQuestion(app);
    t = Last();
    SetBoxText(t, 3, 1, "Complete the sentence.");
    FillSentence(t);
    Mark(t, "5", "Yes");

    PlaceAtEnd();
    addin::TrueFalse().CreateQuestion(app);
    t = Last();
    SetBoxText(t, 3, 1, "The sun is a star.");
    addin::SetAttr(Picture(t, 2), "checked", "on");
    Mark(t, "2");

    PlaceAtEnd();
    addin::ImageTag tag;
    tag.CreateQuestion(app);
    t = Last();
    SetBoxText(t, 3, 1, "Drag the labels onto the map.");
    PlaceInCell(t, 4, 1);
    ChooseNext("btnFixed");
    driver->AnswerFileDialog(PictureQuestionTest::Picture("map.gif", 120, 90));
    tag.InsertPic(doc);
    ChooseNext("btnMoveable");
    tag.InsertTag(doc);
    ChooseNext("btnMoveable");
    tag.InsertTag(doc);
    auto shapes = ShapesIn(t);
    LabelItem(shapes, 1, "North", 20, 15);
    LabelItem(shapes, 2, "South", 250, 60);
    Mark(t, "6", "Yes");

    PlaceAtEnd();
    addin::ImageHotSpot spot;
    spot.CreateQuestion(app);
    t = Last();
    SetBoxText(t, 3, 1, "Click the heart.");
    PlaceInCell(t, 4, 1);
    driver->AnswerFileDialog(PictureQuestionTest::Picture("body.gif", 120, 150));
    spot.InsertPic(doc);
    spot.InsertShape(doc, word::msoShapeOval);
    auto areas = ShapesIn(t);
    auto& oval = areas.back()->Mutable();
    oval.left = 40;
    oval.top = 30;
    oval.width = 30;
    oval.height = 20;
    Mark(t, "3");

    PlaceAtEnd();
    addin::ShortAnswer().CreateQuestion(app);
    t = Last();
    SetBoxText(t, 3, 1, "Explain gravity.");
    Mark(t, "10", "", "Thanks", "");
  }

 private:
  void FillSentence(const std::shared_ptr<word::Table>& t) {
    const int64_t start = t->Cell(4, 1)->Start();
    auto box = doc->Range(start, start)->Tables()->Item(1)->Cell(1, 1);
    doc->Range(box->Start(), box->EndMark())->SetText("Paris is the capital of  and Rome of .");
    const int64_t boxStart = box->Start();
    PlaceAt(boxStart + 24);
    addin::FillInTheBlank().InsertBlank(doc);
    PlaceAt(boxStart + 38);
    addin::FillInTheBlank().InsertBlank(doc);
    Blanks(t, {"France", "Italy; Italia "});
  }
  void LabelItem(const std::vector<std::shared_ptr<word::Shape>>& shapes, size_t i,
                 const std::string& text, double left, double top) {
    auto& d = shapes.at(i)->Mutable();
    d.textFrame.text = text;
    d.left = left;
    d.top = top;
  }
};

}  // namespace qv::exporter::testing
