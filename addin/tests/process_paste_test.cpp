// Pictures pasted into a picture question: in a drag-and-drop question each becomes a fixed or a
// moveable item as the author chooses; in a hot-spot question each becomes a picture of the
// question; anywhere else nothing changes.

#include "addin/document/process_paste.h"

#include "addin/document/Work.h"
#include "addin/questions/ImageHotSpot.h"
#include "addin/questions/ImageTag.h"
#include "addin/questions/MultipleChoice.h"
#include "addin/tests/picture_question_fixture.h"

namespace qv::addin::testing {
namespace {

struct ProcessPasteTest : PictureQuestionTest {
  // Pastes a picture at the start of the area of `table` (row 4).
  void Paste(const std::shared_ptr<word::Table>& table, const std::string& name) {
    doc->InlineShapes()->AddPicture(
        Picture(name, 30, 30), false, true,
        doc->Range(table->Cell(4, 1)->Start(), table->Cell(4, 1)->Start()));
  }
  int32_t InlineInArea(const std::shared_ptr<word::Table>& table) {
    return table->Rows()->Item(4)->Range()->InlineShapes()->Count();
  }
  std::vector<std::string> Markers(const std::shared_ptr<word::Table>& table) {
    std::vector<std::string> out;
    for (const auto& shape : ShapesIn(table))
      out.push_back(shape->Data().alt);
    return out;
  }
  int32_t ChooserShows() const {
    int32_t n = 0;
    for (const auto& entry : driver->Transcript())
      if (entry->kind == ui::EntryKind::FormShown && entry->form == "dlgMoveFixed") ++n;
    return n;
  }
  // Work.ProcessPaste by name, for the question's area.
  bool ProcessArea(const std::shared_ptr<word::Table>& table) {
    auto area = table->Cell(4, 1)->Range();
    auto work = std::make_shared<Work>();
    return automation::Call(work, "ProcessPaste",
                            {automation::Variant(area), automation::Variant(doc)})
        .ToBool();
  }
};

TEST_F(ProcessPasteTest, DragAndDropAsksForEachPictureWhetherItIsFixedOrMoveable) {
  ImageTag().CreateQuestion(app);
  auto table = Question();
  Paste(table, "first.gif");
  Paste(table, "second.gif");
  ASSERT_EQ(InlineInArea(table), 2);
  driver->ClearTranscript();
  ChooseNext("btnMoveable");
  ChooseNext("");  // the close box: no choice, a fixed item
  EXPECT_TRUE(ProcessArea(table));
  EXPECT_EQ(InlineInArea(table), 0);
  auto markers = Markers(table);
  std::sort(markers.begin(), markers.end());
  EXPECT_EQ(markers, (std::vector<std::string>{"kzoA6", "kzoA6&type=1"}));
  EXPECT_EQ(ChooserShows(), 2);
  EXPECT_EQ(toolkit.FormCount(), 0) << "the chooser is closed";
  std::string message;
  EXPECT_TRUE(ImageTag().Validate(message, table)) << message;
}

TEST_F(ProcessPasteTest, HotSpotPicturesBecomeItsPicturesWithoutAQuestion) {
  ImageHotSpot().CreateQuestion(app);
  auto table = Question();
  Paste(table, "map.gif");
  driver->ClearTranscript();
  EXPECT_TRUE(ProcessArea(table));
  EXPECT_EQ(InlineInArea(table), 0);
  EXPECT_EQ(Markers(table), std::vector<std::string>{"kzoA7"});
  EXPECT_EQ(ChooserShows(), 0);
}

TEST_F(ProcessPasteTest, OtherQuestionsAndPlainTextAreLeftAlone) {
  auto work = std::make_shared<Work>();
  Type("Plain text");
  auto text = doc->Range(0, 5);
  EXPECT_TRUE(work->ProcessPaste(*text, *doc));

  PlaceAtEnd();
  MultipleChoice().CreateQuestion(app);
  auto table = doc->Tables()->Item(1);
  const int32_t pictures = table->Range()->InlineShapes()->Count();
  EXPECT_TRUE(ProcessArea(table));
  EXPECT_EQ(table->Range()->InlineShapes()->Count(), pictures);
  EXPECT_EQ(doc->Shapes()->Count(), 0);
  EXPECT_EQ(ChooserShows(), 0);
}

}  // namespace
}  // namespace qv::addin::testing
