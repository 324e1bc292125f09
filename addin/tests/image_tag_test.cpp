// The drag-and-drop question: its drop area, picture and label items with their look, marker and
// z-order, and its completeness check with pasted pictures turned into items.

#include "addin/library/public_classes.h"
#include "addin/questions/ImageTag.h"
#include "addin/questions/check_image_items.h"
#include "addin/questions/image_item_format.h"
#include "addin/tests/picture_question_fixture.h"
#include "word/formatting.h"

namespace qv::addin::testing {
namespace {

using automation::Variant;

struct DragAndDropTest : PictureQuestionTest {
  ImageTag question;

  std::shared_ptr<word::Table> Create() {
    question.CreateQuestion(app);
    PlaceInArea();
    return Question();
  }
  void AddLabel(const std::string& button) {
    ChooseNext(button);
    question.InsertTag(doc);
  }
  void AddPicture(const std::string& button, const std::string& file) {
    ChooseNext(button);
    driver->AnswerFileDialog(file);
    question.InsertPic(doc);
  }
  std::string Check(const std::shared_ptr<word::Table>& table) {
    std::string message;
    return question.Validate(message, table) ? "complete" : message;
  }
};

TEST_F(DragAndDropTest, ANewQuestionHasAnEmptyDropAreaAndIsIncompleteUntilAMoveableItem) {
  auto table = Create();
  ASSERT_EQ(table->Rows()->Count(), 4);
  auto area = table->Cell(4, 1);
  EXPECT_EQ(area->Height(), 100);
  EXPECT_EQ(area->HeightRule(), word::wdRowHeightExactly);
  EXPECT_EQ(area->Width(), 432) << "612-point page, 90-point margins";
  EXPECT_EQ(area->Shading()->BackgroundPatternColor(), word::wdColorAutomatic);
  EXPECT_EQ(area->Padding(word::kLeft), 0);
  EXPECT_EQ(toolkit.FormCount(), 0) << "the progress window is closed";
  EXPECT_EQ(Check(table), "You need to add at least one answer");

  AddLabel("btnFixed");
  AddPicture("btnFixed", Picture("map.gif", 60, 30));
  EXPECT_EQ(ShapesIn(table).size(), 2u);
  EXPECT_EQ(Check(table), "You need to add at least one answer") << "only fixed items";

  AddLabel("btnMoveable");
  EXPECT_EQ(Check(table), "complete");
}

TEST_F(DragAndDropTest, ItemsShowWhetherTheyAreFixedOrMoveable) {
  auto table = Create();
  AddLabel("btnMoveable");
  AddLabel("btnFixed");
  AddPicture("btnFixed", Picture("map.gif", 60, 30));
  AddPicture("btnMoveable", Picture("pin.gif", 12, 12));
  auto shapes = ShapesIn(table);
  ASSERT_EQ(shapes.size(), 4u);
  auto byText = [&](const std::string& alt, bool picture) {
    for (const auto& s : shapes)
      if (s->Data().alt == alt && !s->Data().fill.userPicture.empty() == picture) return s;
    return std::shared_ptr<word::Shape>();
  };
  auto moveableLabel = byText("kzoA6&type=1", false);
  auto fixedLabel = byText("kzoA6", false);
  auto fixedPicture = byText("kzoA6", true);
  auto moveablePicture = byText("kzoA6&type=1", true);
  ASSERT_TRUE(moveableLabel && fixedLabel && fixedPicture && moveablePicture);

  const auto& label = moveableLabel->Data();
  EXPECT_EQ(label.line.foreColor, word::RGB(0, 0, 255));
  EXPECT_TRUE(label.line.visible);
  EXPECT_EQ(label.line.weight, 1);
  EXPECT_EQ(label.width, 100);
  EXPECT_EQ(label.height, 30);
  EXPECT_EQ(label.top, 10);
  EXPECT_EQ(label.left, (432 - 100) / 2.0);
  EXPECT_EQ(label.textFrame.text, " ");
  EXPECT_EQ(label.textFrame.font.name, "Arial");
  EXPECT_EQ(label.textFrame.alignment, word::wdAlignParagraphCenter);
  EXPECT_EQ(label.textFrame.marginLeft, 0.5);
  EXPECT_EQ(label.fill.foreColor, word::wdColorWhite);
  EXPECT_FALSE(label.lockAspectRatio);
  EXPECT_EQ(label.wrap.type, word::wdWrapNone);
  EXPECT_EQ(label.wrap.side, word::wdWrapLeft);
  EXPECT_EQ(label.relativeVertical, word::wdRelativeVerticalPositionMargin);
  EXPECT_TRUE(label.lockAnchor);

  EXPECT_EQ(fixedLabel->Data().line.foreColor, word::wdColorBlack);
  // A fixed picture item is a rectangle filled with the picture: it keeps a black outline.
  EXPECT_TRUE(fixedPicture->Data().line.visible);
  EXPECT_EQ(fixedPicture->Data().line.foreColor, word::wdColorBlack);
  EXPECT_EQ(fixedPicture->Data().width, 60);
  EXPECT_EQ(fixedPicture->Data().height, 30);
  EXPECT_EQ(fixedPicture->Data().left, 10);
  EXPECT_TRUE(fixedPicture->Data().lockAspectRatio);
  EXPECT_EQ(moveablePicture->Data().line.foreColor, word::RGB(0, 0, 255));

  // Fixed items lie behind the moveable ones, so the learner can always reach what moves.
  EXPECT_LT(fixedPicture->ZOrderPosition(), moveableLabel->ZOrderPosition());
  EXPECT_LT(fixedLabel->ZOrderPosition(), moveableLabel->ZOrderPosition());
  EXPECT_EQ(moveablePicture->ZOrderPosition(), 4) << "a moveable item comes to the front";
  EXPECT_EQ(doc->Selection()->ShapeRange()->Item(1), moveablePicture) << "the new item is selected";
}

TEST_F(DragAndDropTest, TheAreaGrowsToTakeATallPicture) {
  auto table = Create();
  AddPicture("btnFixed", Picture("short.gif", 60, 81));
  EXPECT_EQ(table->Cell(4, 1)->Height(), 100);
  AddPicture("btnFixed", Picture("fits.gif", 60, 90));
  EXPECT_EQ(table->Cell(4, 1)->Height(), 100) << "90 + 10 is not more than 100";
  AddPicture("btnFixed", Picture("tall.gif", 60, 150));
  EXPECT_EQ(table->Cell(4, 1)->Height(), 160);
  EXPECT_EQ(doc->Shapes()->Count(), 3) << "no measuring picture stays behind";
}

TEST_F(DragAndDropTest, LabelsInANarrowAreaTakeHalfItsWidth) {
  auto table = Create();
  table->Cell(4, 1)->SetWidth(40);
  AddLabel("btnFixed");
  auto label = ShapesIn(table).at(0);
  EXPECT_EQ(label->Data().width, 20);
  EXPECT_EQ(label->Data().height, 30);
  EXPECT_EQ(label->Data().left, 10);
  table->Cell(4, 1)->SetHeight(45);
  AddLabel("btnFixed");
  EXPECT_EQ(ShapesIn(table).at(1)->Data().height, 22) << "half of 45, to the even whole point";
}

TEST_F(DragAndDropTest, NothingIsAddedWithoutAChoiceAPictureOrAQuestion) {
  auto table = Create();
  AddLabel("");  // the close box
  ChooseNext("");
  question.InsertPic(doc);
  driver->CancelFileDialog();
  ChooseNext("btnMoveable");
  question.InsertPic(doc);
  EXPECT_EQ(doc->Shapes()->Count(), 0);
  EXPECT_TRUE(Messages().empty());

  PlaceAtEnd();
  AddLabel("btnMoveable");
  EXPECT_EQ(doc->Shapes()->Count(), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "Place the cursor into the question table at the point you want to "
                            "add an answer choice."});
}

TEST_F(DragAndDropTest, APictureThatCannotBeReadAddsNothing) {
  auto table = Create();
  const auto tiff = profile.Dir() / "scan.tif";
  std::ofstream(tiff) << "II*\0 not a picture the word processor reads";
  AddPicture("btnMoveable", tiff.string());
  AddPicture("btnMoveable", (profile.Dir() / "gone.gif").string());
  EXPECT_EQ(doc->Shapes()->Count(), 0) << "no item and no measuring picture";
  EXPECT_EQ(table->Cell(4, 1)->Height(), 100);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].find("The picture could not be added to the question."), 0u);
  EXPECT_NE(messages[0].find("GIF, PNG, JPEG and BMP"), std::string::npos);
  EXPECT_EQ(messages[1], "2") << "the system's error number: the file is not there";
  EXPECT_TRUE(driver->Text().find("Unload dlgMoveFixed") != std::string::npos);
}

TEST_F(DragAndDropTest, APastedPictureBecomesAFixedItemWhenChecked) {
  auto table = Create();
  AddLabel("btnMoveable");
  doc->InlineShapes()->AddPicture(Picture("pasted.gif", 30, 30), false, true,
                                  table->Cell(4, 1)->Range());
  ASSERT_EQ(table->Rows()->Item(4)->Range()->InlineShapes()->Count(), 1);
  EXPECT_EQ(Check(table), "complete");
  EXPECT_EQ(table->Rows()->Item(4)->Range()->InlineShapes()->Count(), 0);
  auto shapes = ShapesIn(table);
  ASSERT_EQ(shapes.size(), 2u);
  // A real picture loses its outline; it goes behind the moveable label.
  EXPECT_EQ(shapes[0]->Data().alt, "kzoA6");
  EXPECT_EQ(shapes[0]->Data().type, word::msoPicture);
  EXPECT_FALSE(shapes[0]->Data().line.visible);
  EXPECT_EQ(shapes[1]->Data().alt, "kzoA6&type=1");

  std::string message;
  EXPECT_FALSE(CheckImageItems(message, nullptr, kDragAndDrop));
  EXPECT_EQ(message, "An error has occurred while verifiying the document: 91");
}

TEST_F(DragAndDropTest, SendingBackwardStopsAtTheBack) {
  auto table = Create();
  AddLabel("btnMoveable");
  AddLabel("btnMoveable");
  auto front = ShapesIn(table).at(1);
  SendBackwardTo(*front, -5);
  EXPECT_EQ(front->ZOrderPosition(), 1);
}

TEST_F(DragAndDropTest, AutomationClientsCreateItByItsIdentifier) {
  auto object = CreatePublicObject("KZOWord.ImageTag");
  ASSERT_TRUE(object);
  automation::Call(object, "CreateQuestion", {Variant(automation::ObjectRef(app))});
  auto table = Question();
  std::vector<Variant> args{Variant(""), Variant(automation::ObjectRef(table))};
  EXPECT_FALSE(
      automation::Invoke(*object, "Validate", automation::CallKind::Method, args).ToBool());
  EXPECT_EQ(args[0].ToText(), "You need to add at least one answer");
  std::vector<std::string> names;
  for (const auto& member : object->Members().Members())
    names.push_back(member.name);
  EXPECT_EQ(names, (std::vector<std::string>{"CreateQuestion", "DeleteQuestion", "DeleteAnswer",
                                             "Validate", "InsertPic", "InsertTag", "FormatShape",
                                             "MarkQuestion"}));
}

}  // namespace
}  // namespace qv::addin::testing
