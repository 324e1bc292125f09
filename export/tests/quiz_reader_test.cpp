// Reading the neutral quiz from a course document: pages cut at the break markers, every question
// type with its attributes, answers, blanks, pictures, items and areas, identifiers that are XML
// names, and pictures stored once.

#include "export/quiz_reader.h"
#include "export/tests/quiz_document_fixture.h"
#include "word/render.h"

namespace qv::exporter::testing {
namespace {

std::vector<std::string> Texts(const std::vector<Answer>& answers) {
  std::vector<std::string> out;
  for (const auto& a : answers)
    out.push_back(a.text + (a.correct ? "*" : ""));
  return out;
}

TEST_F(QuizDocumentTest, PagesAreCutAtTheBreakMarkers) {
  BuildEveryType();
  const std::string before = word::RenderDocument(*doc);
  const Quiz quiz = ReadQuiz(doc);
  EXPECT_EQ(word::RenderDocument(*doc), before) << "reading changes nothing";
  ASSERT_EQ(quiz.pages.size(), 3u);
  EXPECT_EQ(quiz.pages[0].kind, PageKind::Text);
  EXPECT_EQ(quiz.pages[0].paragraphs,
            (std::vector<std::string>{"Welcome to the course.", "Read this first."}));
  EXPECT_EQ(quiz.pages[0].title, "Welcome to the course.");
  EXPECT_EQ(quiz.pages[1].kind, PageKind::Questions);
  EXPECT_EQ(quiz.pages[1].title, "Quiz 1") << "as the course host names it (an unsaved document)";
  EXPECT_EQ(quiz.pages[2].title, "Quiz 2");
  EXPECT_EQ(quiz.pages[1].questions.size(), 8u);
  EXPECT_TRUE(quiz.pages[1].paragraphs.empty());
  ASSERT_EQ(quiz.pages[2].questions.size(), 1u) << "short answer stands alone";
  EXPECT_EQ(quiz.pages[2].questions[0].kind, QuestionKind::ShortAnswer);
  EXPECT_EQ(quiz.TotalPoints(), 10 + 6 + 4 + 8 + 5 + 2 + 6 + 3 + 10);
}

TEST_F(QuizDocumentTest, ChoiceQuestionsCarryTheirAttributesAndCorrectAnswers) {
  BuildEveryType();
  const Quiz quiz = ReadQuiz(doc);
  const auto qs = quiz.Questions();
  const exporter::Question& mc = *qs[0];
  EXPECT_EQ(mc.kind, QuestionKind::SingleChoice);
  EXPECT_EQ(mc.text, "Which planet is red?");
  EXPECT_EQ(mc.points, 10);
  EXPECT_FALSE(mc.partial);
  EXPECT_EQ(mc.correctFeedback, "Right & well done") << "the stored substitute is an ampersand";
  EXPECT_EQ(mc.incorrectFeedback, "Look at the sky <again>");
  EXPECT_EQ(Texts(mc.answers), (std::vector<std::string>{"Mars*", "Venus", "Earth", "Jupiter"}));
  EXPECT_EQ(mc.id.size(), 16u);

  const exporter::Question& mr = *qs[1];
  EXPECT_EQ(mr.kind, QuestionKind::MultipleChoice);
  EXPECT_TRUE(mr.partial);
  EXPECT_EQ(mr.CorrectCount(), 2);

  const exporter::Question& mcb = *qs[2];
  EXPECT_EQ(mcb.kind, QuestionKind::SingleChoiceWithBlank);
  EXPECT_EQ(Texts(mcb.answers), (std::vector<std::string>{"Red", "Green", "Blue*", "Black"}));
  ASSERT_EQ(mcb.sentence.blanks.size(), 1u);
  EXPECT_EQ(mcb.sentence.pieces, (std::vector<std::string>{"Its name:", ""}));
  EXPECT_EQ(mcb.sentence.blanks[0].accepted, (std::vector<std::string>{"blue", "Blue"}));
  EXPECT_EQ(mcb.sentence.blanks[0].width, 12);

  EXPECT_EQ(qs[3]->kind, QuestionKind::MultipleChoiceWithBlank);
  EXPECT_EQ(qs[3]->sentence.blanks.at(0).accepted.size(), 3u);

  const exporter::Question& tf = *qs[5];
  EXPECT_TRUE(tf.IsTrueFalse());
  EXPECT_EQ(tf.kind, QuestionKind::SingleChoice);
  EXPECT_EQ(Texts(tf.answers), (std::vector<std::string>{"True*", "False"}));
}

TEST_F(QuizDocumentTest, ASentenceIsCutAtItsBlanksWithEachAcceptedAnswerTrimmed) {
  BuildEveryType();
  const Quiz quiz = ReadQuiz(doc);
  const exporter::Question& fib = *quiz.Questions()[4];
  EXPECT_EQ(fib.kind, QuestionKind::FillInTheBlank);
  EXPECT_EQ(fib.sentence.pieces,
            (std::vector<std::string>{"Paris is the capital of", "and Rome of", "."}));
  ASSERT_EQ(fib.sentence.blanks.size(), 2u);
  EXPECT_EQ(fib.sentence.blanks[1].accepted, (std::vector<std::string>{"Italy", "Italia"}));
  EXPECT_EQ(fib.sentence.blanks[1].height, 1);
}

TEST_F(QuizDocumentTest, PictureQuestionsKeepTheirItemsAreasAndPicturesOnce) {
  BuildEveryType();
  const Quiz quiz = ReadQuiz(doc);
  const auto qs = quiz.Questions();
  const exporter::Question& drag = *qs[6];
  EXPECT_EQ(drag.kind, QuestionKind::DragAndDrop);
  EXPECT_EQ(drag.area.width, 432);
  ASSERT_EQ(drag.items.size(), 3u);
  EXPECT_FALSE(drag.items[0].moveable);
  EXPECT_EQ(drag.items[0].picture, 0);
  EXPECT_EQ(quiz.pictures.at(0).file, "img1.gif");
  EXPECT_EQ(drag.items[1].label, "North");
  EXPECT_TRUE(drag.items[1].moveable);
  EXPECT_EQ(drag.items[2].box.left, 250);
  EXPECT_EQ(drag.items[2].box.top, 60);

  const exporter::Question& spot = *qs[7];
  EXPECT_EQ(spot.pictures, (std::vector<int32_t>{1}));
  ASSERT_EQ(spot.areas.size(), 1u);
  EXPECT_EQ(spot.areas[0].shape, AreaShape::Ellipse);
  EXPECT_EQ(spot.areas[0].box.width, 30);
  EXPECT_EQ(quiz.pictures.size(), 2u);

  const exporter::Question& sa = *qs[8];
  EXPECT_EQ(sa.answerBox.width, 412);
  EXPECT_EQ(sa.expectedLines, 5);
}

TEST_F(QuizDocumentTest, IdentifiersAreXmlNamesAndUniqueEvenForCopiesNotYetValidated) {
  addin::MultipleChoice().CreateQuestion(app);
  auto first = Last();
  addin::SetAttr(Picture(first, 1), "qID", "7abcDEF012345678");
  PlaceAtEnd();
  addin::MultipleChoice().CreateQuestion(app);
  addin::SetAttr(Picture(Last(), 1), "qID", "7abcDEF012345678");
  const Quiz quiz = ReadQuiz(doc);
  const auto qs = quiz.Questions();
  ASSERT_EQ(qs.size(), 2u);
  EXPECT_EQ(qs[0]->identifier, "Q7abcDEF012345678");
  EXPECT_EQ(qs[1]->identifier, "Q7abcDEF012345678_2");
}

TEST_F(QuizDocumentTest, AreasOfStraightEdgedShapesBecomePolygons) {
  addin::ImageHotSpot spot;
  spot.CreateQuestion(app);
  PlaceInArea();
  spot.InsertShape(doc, word::msoShapeDiamond);
  spot.InsertShape(doc, word::msoShapeRoundedRectangle);
  const Quiz quiz = ReadQuiz(doc);
  const auto qs = quiz.Questions();
  ASSERT_EQ(qs.at(0)->areas.size(), 2u);
  const Area& diamond = qs[0]->areas[0];
  EXPECT_EQ(diamond.shape, AreaShape::Polygon);
  const Box& b = diamond.box;
  ASSERT_EQ(diamond.points.size(), 4u);
  EXPECT_EQ(diamond.points[0], std::make_pair(b.left + b.width / 2, b.top));
  EXPECT_EQ(qs[0]->areas[1].shape, AreaShape::Rectangle) << "rounded corners: its rectangle";
}

}  // namespace
}  // namespace qv::exporter::testing
