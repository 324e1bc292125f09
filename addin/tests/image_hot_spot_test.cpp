// The hot-spot question: its pictures and translucent answer areas, the order in which they lie,
// and its completeness check (an area and a picture).

#include "addin/library/public_classes.h"
#include "addin/questions/ImageHotSpot.h"
#include "addin/tests/picture_question_fixture.h"
#include "word/formatting.h"

namespace qv::addin::testing {
namespace {

struct HotSpotTest : PictureQuestionTest {
  ImageHotSpot question;

  std::shared_ptr<word::Table> Create() {
    question.CreateQuestion(app);
    PlaceInArea();
    return Question();
  }
  void AddPicture(const std::string& file) {
    driver->AnswerFileDialog(file);
    question.InsertPic(doc);
  }
  std::string Check(const std::shared_ptr<word::Table>& table) {
    std::string message;
    return question.Validate(message, table) ? "complete" : message;
  }
};

TEST_F(HotSpotTest, AnswerAreasAreTranslucentShapesMarkedWithTheirType) {
  auto table = Create();
  EXPECT_EQ(table->Cell(4, 1)->Height(), 100);
  EXPECT_EQ(table->Cell(4, 1)->Shading()->BackgroundPatternColor(), word::wdColorAutomatic);
  question.InsertShape(doc, word::msoShapeOval);
  auto shapes = ShapesIn(table);
  ASSERT_EQ(shapes.size(), 1u);
  const auto& d = shapes[0]->Data();
  EXPECT_EQ(d.alt, "kzoA7&type=9");
  EXPECT_EQ(d.autoShapeType, word::msoShapeOval);
  EXPECT_EQ(d.width, 50);
  EXPECT_EQ(d.height, 50);
  EXPECT_EQ(d.top, 10);
  EXPECT_EQ(d.left, (432 - 50) / 2.0);
  EXPECT_EQ(d.fill.foreColor, word::RGB(192, 192, 192));
  EXPECT_EQ(d.fill.transparency, 0.5);
  EXPECT_TRUE(d.line.visible);
  EXPECT_EQ(d.line.weight, 1.5);
  EXPECT_EQ(d.line.foreColor, word::wdColorBlack);
  EXPECT_EQ(d.wrap.type, word::wdWrapNone);
  EXPECT_TRUE(d.lockAnchor);

  table->Cell(4, 1)->SetWidth(30);
  question.InsertShape(doc, word::msoShapeRectangle);
  EXPECT_EQ(ShapesIn(table).at(1)->Data().width, 15) << "half a narrow area";
  EXPECT_EQ(ShapesIn(table).at(1)->Data().height, 50);
  EXPECT_EQ(ShapesIn(table).at(1)->ZOrderPosition(), 2) << "a new area is not reordered";
}

TEST_F(HotSpotTest, APictureGoesBehindTheAreasAndTheAreaGrowsToTakeIt) {
  auto table = Create();
  question.InsertShape(doc, word::msoShapeRectangle);
  EXPECT_EQ(Check(table), "You need to add at least one image");
  AddPicture(Picture("body.gif", 120, 150));
  EXPECT_EQ(table->Cell(4, 1)->Height(), 170);
  auto shapes = ShapesIn(table);
  ASSERT_EQ(shapes.size(), 2u);
  auto picture = shapes[0];
  EXPECT_EQ(picture->Data().alt, "kzoA7") << "stepped back behind the area";
  EXPECT_FALSE(picture->Data().line.visible);
  EXPECT_TRUE(picture->Data().lockAspectRatio);
  EXPECT_EQ(picture->Data().width, 120);
  EXPECT_EQ(picture->Data().left, 10);
  EXPECT_EQ(shapes[1]->Data().alt, "kzoA7&type=1");
  EXPECT_EQ(Check(table), "complete");
  EXPECT_EQ(doc->Shapes()->Count(), 2) << "no measuring picture stays behind";
}

TEST_F(HotSpotTest, APictureWithoutAreasIsNoAnswer) {
  auto table = Create();
  EXPECT_EQ(Check(table), "You need to add at least one answer");
  AddPicture(Picture("body.gif", 60, 60));
  EXPECT_EQ(table->Cell(4, 1)->Height(), 100);
  EXPECT_EQ(Check(table), "You need to add at least one answer");
  // A pasted picture becomes a picture of the question when checked.
  question.InsertShape(doc, word::msoShapeDiamond);
  doc->InlineShapes()->AddPicture(Picture("pasted.gif", 30, 30), false, true,
                                  table->Cell(4, 1)->Range());
  EXPECT_EQ(Check(table), "complete");
  auto shapes = ShapesIn(table);
  ASSERT_EQ(shapes.size(), 3u);
  EXPECT_EQ(shapes[2]->Data().alt, "kzoA7&type=4") << "the area stays in front";
  EXPECT_EQ(shapes[1]->Data().alt, "kzoA7");
  EXPECT_EQ(shapes[1]->Data().type, word::msoPicture);
}

TEST_F(HotSpotTest, APictureThatCannotBeReadAddsNothing) {
  auto table = Create();
  question.InsertShape(doc, word::msoShapeRectangle);
  const auto tiff = profile.Dir() / "scan.tif";
  std::ofstream(tiff) << "II*\0 not a picture the word processor reads";
  AddPicture(tiff.string());
  EXPECT_EQ(doc->Shapes()->Count(), 1) << "only the area: no empty picture, no measuring one";
  EXPECT_EQ(table->Cell(4, 1)->Height(), 100);
  EXPECT_EQ(Check(table), "You need to add at least one image");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].find("The picture could not be added to the question."), 0u);

  driver->CancelFileDialog();
  question.InsertPic(doc);
  EXPECT_EQ(doc->Shapes()->Count(), 1);
  PlaceAtEnd();
  question.InsertShape(doc, word::msoShapeRectangle);
  EXPECT_EQ(doc->Shapes()->Count(), 1);
  EXPECT_EQ(Messages().size(), 2u) << "outside the question the author is told";
}

TEST_F(HotSpotTest, AutomationClientsSeeItsOperationsInOrder) {
  auto object = CreatePublicObject("KZOWord.ImageHotSpot");
  ASSERT_TRUE(object);
  std::vector<std::string> names;
  for (const auto& member : object->Members().Members())
    names.push_back(member.name);
  EXPECT_EQ(names, (std::vector<std::string>{"CreateQuestion", "DeleteQuestion", "DeleteAnswer",
                                             "Validate", "InsertPic", "InsertShape", "FormatShape",
                                             "MarkQuestion"}));
}

}  // namespace
}  // namespace qv::addin::testing
