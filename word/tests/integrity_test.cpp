// Documents that must survive every edit: deleting text keeps the structure marks the story
// needs, whichever object model call deletes it, and what is saved opens again.

#include <gtest/gtest.h>

#include "word/doc_file.h"
#include "word/find.h"
#include "word/render.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using testing::WordTest;

class IntegrityTest : public WordTest {
 protected:
  // Saves, reopens and compares; the reopened document replaces `doc`.
  void Reopen() {
    Check();
    const auto file = profile.Dir() / "again.doc";
    doc->SaveAs(file.string());
    const auto before = DocumentToJson(*doc);
    doc->Close();
    doc = app->Documents()->Open(file.string());
    Check();
    EXPECT_EQ(DocumentToJson(*doc), before);
  }

  bool ReplaceAll(const std::shared_ptr<Range>& in, const std::string& what,
                  const std::string& with) {
    auto f = in->Find();
    f->text = what;
    f->replacement->text = with;
    f->replace = wdReplaceAll;
    return f->Execute();
  }
};

TEST_F(IntegrityTest, ReplacingEveryParagraphMarkKeepsTablesAndTheFinalMark) {
  doc->Content()->SetText("one\rtwo\rthree\r");
  auto t = doc->Tables()->Add(R(8, 8), 2, 2);
  t->Cell(1, 1)->Range()->InsertBefore("a\rb");
  auto nested = doc->Tables()->Add(t->Cell(2, 2)->Range(), 1, 1);
  nested->Cell(1, 1)->Range()->InsertBefore("deep\rer");
  EXPECT_TRUE(ReplaceAll(doc->Content(), "^p", ""));
  Check();
  // The mark in front of the table stays, so the table is still a table and still the first.
  EXPECT_EQ(doc->Tables()->Count(), 1);
  EXPECT_EQ(doc->Tables()->Item(1), t);
  EXPECT_EQ(t->Cell(1, 1)->Range()->Text(), "ab\r\a");
  EXPECT_EQ(nested->Cell(1, 1)->Range()->Text(), "deeper\r\a");
  EXPECT_EQ(doc->GetStory().CodeAt(doc->GetStory().Length() - 1), kParagraphMark);
  EXPECT_EQ(doc->Content()->Text().substr(0, 7), "onetwo\r");
  Reopen();
  // Over again: nothing more can go, and the search ends.
  EXPECT_TRUE(ReplaceAll(doc->Content(), "^p", ""));
  Reopen();
}

TEST_F(IntegrityTest, ReplacingInsideARangeStopsAtItsEnd) {
  doc->Content()->SetText("a\rb\rc\rd");
  EXPECT_TRUE(ReplaceAll(R(0, 4), "^p", "-"));
  EXPECT_EQ(Text(), "a-b-c\rd\r");
  // The final mark is found but stays as it is.
  EXPECT_TRUE(ReplaceAll(doc->Content(), "^p", "^p^p"));
  EXPECT_EQ(Text(), "a-b-c\r\rd\r");
  Check();
}

TEST_F(IntegrityTest, EveryDeletionKeepsTheStructureMarks) {
  doc->Content()->SetText("intro\r");
  auto t = doc->Tables()->Add(R(6, 6), 3, 2);
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 2; ++c)
      t->Cell(r, c)->Range()->InsertBefore("cell" + std::to_string(r) + std::to_string(c));
  doc->Content()->InsertAfter("tail");
  // A range from the middle of the text into the middle of the table: the text goes, the mark in
  // front of the table and the cell and row marks stay.
  const int64_t inTable = t->Cell(2, 1)->Range()->Start() + 2;
  R(2, inTable)->Delete();
  Check();
  EXPECT_EQ(t->RowList().size(), 3u);
  EXPECT_EQ(t->Cell(2, 1)->Range()->Text(), "ll21\r\a");
  // The selection typing over the whole document leaves an empty document.
  doc->Content()->Select();
  app->Selection()->TypeText("fresh");
  Check();
  EXPECT_EQ(Text(), "fresh\r");
  EXPECT_TRUE(t->Deleted());
  Reopen();
}

}  // namespace
}  // namespace qv::word
