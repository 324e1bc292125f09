#include <gtest/gtest.h>

#include "word/errors.h"
#include "word/find.h"
#include "word/paragraphs.h"
#include "word/tests/word_test_support.h"

namespace qv::word {
namespace {

using testing::ErrorNumber;
using testing::WordTest;

class RangeTest : public WordTest {};

TEST_F(RangeTest, StaysOnItsTextThroughInsertions) {
  struct Case {
    const char* what;
    int64_t at;
    int64_t start, end;
  };
  // "Hello world today": the range holds "world" [6, 11).
  const Case cases[] = {
      {"before", 0, 8, 13}, {"at its start (joins it)", 6, 6, 13},
      {"inside", 8, 6, 13}, {"at its end (stays outside)", 11, 6, 11},
      {"after", 12, 6, 11},
  };
  for (const auto& c : cases) {
    doc->Content()->SetText("Hello world today");
    auto r = R(6, 11);
    R(c.at, c.at)->InsertBefore("XX");
    EXPECT_EQ(r->Start(), c.start) << c.what;
    EXPECT_EQ(r->End(), c.end) << c.what;
  }
}

// Ranges come and go in any order; every one still alive follows each edit, and one that went is
// never touched again (the sanitizer build would see it).
TEST_F(RangeTest, RangesGoneInAnyOrderLeaveTheOthersFollowingEdits) {
  doc->Content()->SetText(std::string(100, 'x'));
  std::vector<std::shared_ptr<Range>> ranges;
  for (int64_t i = 0; i < 60; ++i)
    ranges.push_back(R(i, i + 1));
  for (size_t k : {0u, 59u, 30u, 1u, 58u, 31u})
    ranges[k].reset();
  R(0, 0)->InsertBefore("abc");
  for (size_t k = 0; k < ranges.size(); ++k) {
    if (!ranges[k]) continue;
    EXPECT_EQ(ranges[k]->Start(), static_cast<int64_t>(k) + 3) << k;
    EXPECT_EQ(ranges[k]->End(), static_cast<int64_t>(k) + 4) << k;
  }
  ranges.clear();
  R(0, 0)->InsertBefore("d");
  EXPECT_EQ(doc->Content()->End(), 105);
}

TEST_F(RangeTest, StaysOnItsTextThroughDeletions) {
  struct Case {
    const char* what;
    int64_t from, to;
    int64_t start, end;
    const char* text;
  };
  const Case cases[] = {
      {"before", 0, 3, 3, 8, "world"}, {"over its start", 4, 8, 4, 7, "rld"},
      {"inside", 7, 9, 6, 9, "wld"},   {"over its end", 8, 13, 6, 8, "wo"},
      {"around it", 5, 12, 5, 5, ""},  {"after", 12, 14, 6, 11, "world"},
  };
  for (const auto& c : cases) {
    doc->Content()->SetText("Hello world today");
    auto r = R(6, 11);
    R(c.from, c.to)->Delete();
    EXPECT_EQ(r->Start(), c.start) << c.what;
    EXPECT_EQ(r->End(), c.end) << c.what;
    EXPECT_EQ(r->Text(), c.text) << c.what;
    Check();
  }
}

TEST_F(RangeTest, CollapsedRangeMovesWithNewTextButTheInsertionPointStays) {
  doc->Content()->SetText("abc");
  auto r = R(1, 1);
  auto sel = doc->Selection();
  sel->SetRange(1, 1);
  R(1, 1)->InsertAfter("XY");
  EXPECT_EQ(r->Start(), 3);
  EXPECT_EQ(sel->Start(), 1);
  EXPECT_EQ(sel->End(), 1);
  sel->TypeText("T");
  EXPECT_EQ(sel->Start(), 2);
  EXPECT_EQ(Text(), "aTXYbc\r");
}

TEST_F(RangeTest, InsertBeforeAndAfterExtendTheRange) {
  doc->Content()->SetText("mid");
  auto r = R(0, 3);
  r->InsertBefore("<");
  r->InsertAfter(">");
  EXPECT_EQ(r->Text(), "<mid>");
  r->InsertParagraphAfter();
  EXPECT_EQ(Text(), "<mid>\r\r");
  // CR LF is one paragraph mark.
  R(0, 0)->InsertBefore("x\r\ny");
  EXPECT_EQ(Text(), "x\ry<mid>\r\r");
}

TEST_F(RangeTest, MovesByCharactersParagraphsAndStory) {
  doc->Content()->SetText("one\rtwo\rthree");
  struct Case {
    const char* what;
    int64_t start, end;
    int op;  // 0 Move, 1 MoveStart, 2 MoveEnd
    int32_t unit, count;
    int64_t newStart, newEnd;
  };
  const Case cases[] = {
      {"next paragraph", 5, 5, 0, wdParagraph, 1, 8, 8},
      {"start of this paragraph", 5, 5, 0, wdParagraph, -1, 4, 4},
      {"two paragraphs back", 9, 9, 0, wdParagraph, -2, 4, 4},
      {"end back one paragraph", 0, 14, 2, wdParagraph, -1, 0, 8},
      {"end back one character", 0, 14, 2, wdCharacter, -1, 0, 13},
      {"end before start collapses", 5, 6, 2, wdCharacter, -3, 3, 3},
      {"start forward", 0, 3, 1, wdCharacter, 2, 2, 3},
      {"to the story end", 2, 2, 0, wdStory, 1, 13, 13},
      {"collapse counts as a unit", 4, 7, 0, wdCharacter, 1, 7, 7},
  };
  for (const auto& c : cases) {
    auto r = R(c.start, c.end);
    if (c.op == 0) r->Move(c.unit, c.count);
    if (c.op == 1) r->MoveStart(c.unit, c.count);
    if (c.op == 2) r->MoveEnd(c.unit, c.count);
    EXPECT_EQ(r->Start(), c.newStart) << c.what;
    EXPECT_EQ(r->End(), c.newEnd) << c.what;
  }
}

TEST_F(RangeTest, InRangeAndCollapse) {
  doc->Content()->SetText("abcdef");
  EXPECT_TRUE(R(1, 3)->InRange(*R(0, 4)));
  EXPECT_TRUE(R(0, 4)->InRange(*R(0, 4)));
  EXPECT_FALSE(R(1, 5)->InRange(*R(0, 4)));
  auto r = R(1, 3);
  r->Collapse(wdCollapseEnd);
  EXPECT_EQ(r->Start(), 3);
  r->SetRange(1, 3);
  r->Collapse();
  EXPECT_EQ(r->End(), 1);
}

TEST_F(RangeTest, SelectionTypeFollowsWhatIsSelected) {
  auto sel = doc->Selection();
  EXPECT_EQ(sel->Type(), wdSelectionIP);
  sel->TypeText("ab");
  sel->SetRange(0, 2);
  EXPECT_EQ(sel->Type(), wdSelectionNormal);
  auto pic = doc->InlineShapes()->AddPicture(Gif().string(), false, true, R(1, 1));
  pic->Select();
  EXPECT_EQ(sel->Type(), wdSelectionInlineShape);
  auto shape = doc->Shapes()->AddShape(1, 0, 0, 10, 10, R(0, 0));
  shape->Select();
  EXPECT_EQ(sel->Type(), wdSelectionShape);
  EXPECT_EQ(sel->ShapeRange()->Count(), 1);
  sel->SelectText(0, 0);
  EXPECT_EQ(sel->Type(), wdSelectionIP);
}

TEST_F(RangeTest, ReplaceAllManualPageBreaksByParagraphMarks) {
  doc->Content()->SetText("a\fb\fc");
  auto content = doc->Content();
  auto find = content->Find();
  find->text = "^m";
  find->replacement->text = "^p";
  find->wrap = wdFindContinue;
  find->replace = wdReplaceAll;
  EXPECT_TRUE(find->Execute());
  EXPECT_EQ(Text(), "a\rb\rc\r");
  // A plain search no longer finds one.
  find->replace = wdReplaceNone;
  EXPECT_FALSE(doc->Content()->Find()->Execute());
  Check();
}

TEST_F(RangeTest, FindSelectsWhatItFound) {
  doc->Content()->SetText("one Two two");
  auto r = doc->Content();
  auto f = r->Find();
  f->text = "two";
  f->matchCase = true;
  EXPECT_TRUE(f->Execute());
  EXPECT_EQ(r->Start(), 8);
  EXPECT_EQ(r->Text(), "two");
}

TEST_F(RangeTest, CountsWordsAsTheHostDoes) {
  struct Case {
    const char* text;
    int32_t words;
  };
  const Case cases[] = {
      {"", 0}, {"\r\r\r", 0}, {"   \t ", 0}, {"Hello, world.", 2}, {"one\rtwo three\f", 3},
  };
  for (const auto& c : cases) {
    doc->Content()->SetText(c.text);
    EXPECT_EQ(doc->Content()->ComputeStatistics(wdStatisticWords), c.words) << c.text;
  }
  // Cell and row marks and pictures are no words.
  doc->Content()->SetText("");
  auto t = doc->Tables()->Add(R(0, 0), 2, 2);
  doc->InlineShapes()->AddPicture(Gif().string(), false, true, t->Cell(1, 1)->Range());
  EXPECT_EQ(doc->Content()->ComputeStatistics(wdStatisticWords), 0);
  t->Cell(2, 2)->Range()->InsertAfter("answer");
  EXPECT_EQ(doc->Content()->ComputeStatistics(wdStatisticWords), 1);
}

TEST_F(RangeTest, FormattingReadsBackAndMixedValuesReadAsUndefined) {
  doc->Content()->SetText("abc\rdef");
  R(0, 3)->Font()->SetSize(20);
  R(0, 1)->Font()->SetName("Arial");
  EXPECT_EQ(R(0, 3)->Font()->Size(), 20);
  EXPECT_EQ(R(0, 3)->Font()->Name(), "");
  EXPECT_EQ(R(0, 6)->Font()->Size(), 9999999);
  R(1, 1)->ParagraphFormat()->SetKeepWithNext(true);
  EXPECT_TRUE(R(0, 0)->ParagraphFormat()->KeepWithNext());
  EXPECT_FALSE(R(5, 5)->ParagraphFormat()->KeepWithNext());
  // Typed text takes the formatting of the text before it.
  R(1, 1)->InsertBefore("x");
  EXPECT_EQ(R(1, 2)->Font()->Name(), "Arial");
}

TEST_F(RangeTest, ScriptsReachTheSameMembersByName) {
  using automation::Call;
  using automation::Get;
  using automation::Put;
  automation::ObjectRef r = doc->Content();
  Put(r, "Text", automation::Variant("Hello"));
  EXPECT_EQ(Get(r, "Text").ToText(), "Hello");
  Call(r, "Collapse", {automation::Variant(wdCollapseStart)});
  Call(r, "InsertAfter", {automation::Variant("A")});
  EXPECT_EQ(Text(), "AHello\r");
  EXPECT_EQ(Get(automation::ObjectRef(doc), "Paragraphs").ToObject()->TypeName(), "Paragraphs");
  EXPECT_EQ(ErrorNumber([&] { Get(r, "NoSuchMember"); }), automation::err::kNoSuchMember);
}

TEST_F(RangeTest, TextWrittenOverATableKeepsItsStructure) {
  doc->Content()->SetText("before\rafter");
  auto t = doc->Tables()->Add(R(7, 7), 1, 2);
  t->Cell(1, 1)->Range()->InsertAfter("one");
  t->Cell(1, 2)->Range()->InsertAfter("two");
  // Writing a cell's range replaces the cell's text, not its end mark.
  t->Cell(1, 2)->Range()->SetText("2");
  EXPECT_EQ(t->Cell(1, 2)->Range()->Text(), "2\r\a");
  // A stretch from the middle of one cell to the middle of the next empties what it covers.
  const int64_t from = t->Cell(1, 1)->Range()->Start() + 1;
  R(from, t->Cell(1, 2)->Range()->Start() + 1)->Delete();
  Check();
  EXPECT_EQ(t->Range()->Text(), "o\r\a\r\a\r\a");
  // The paragraph mark in front of a table stays; a stretch holding the whole table takes it.
  R(6, 8)->Delete();
  EXPECT_EQ(Text(), "before\r\r\a\r\a\r\aafter\r");
  R(7, t->End())->Delete();
  Check();
  EXPECT_TRUE(t->Deleted());
  EXPECT_EQ(Text(), "before\rafter\r");
}

TEST_F(RangeTest, ParagraphsOfARangeIncludeTheirMarks) {
  doc->Content()->SetText("one\r\rthree");
  auto paras = doc->Paragraphs();
  ASSERT_EQ(paras->Count(), 3);
  EXPECT_EQ(paras->Item(1)->Range()->Text(), "one\r");
  EXPECT_EQ(paras->Item(2)->Range()->Text(), "\r");
  EXPECT_EQ(paras->Item(3)->Range()->Text(), "three\r");
  EXPECT_EQ(R(5, 6)->Paragraphs()->Count(), 1);
  // Inserting a blank before every empty paragraph, walking by index, as a conversion does.
  for (int32_t i = 1; i <= paras->Count(); ++i)
    if (paras->Item(i)->Range()->Text() == "\r") paras->Item(i)->Range()->InsertBefore(" ");
  EXPECT_EQ(Text(), "one\r \rthree\r");
  // A cell's paragraphs end with the cell's end mark.
  doc->Content()->SetText("");
  auto t = doc->Tables()->Add(R(0, 0), 1, 1);
  t->Cell(1, 1)->Range()->InsertAfter("a\rb");
  auto cellParas = t->Cell(1, 1)->Range()->Paragraphs();
  ASSERT_EQ(cellParas->Count(), 2);
  EXPECT_EQ(cellParas->Item(2)->Range()->Text(), "b\r\a");
}

TEST_F(RangeTest, FindHonoursWholeWordsCaseAndWrap) {
  doc->Content()->SetText("cat concat Cat");
  struct Case {
    const char* text;
    bool matchCase, wholeWord;
    int64_t start;  // -1: not found
  };
  const Case cases[] = {{"Cat", false, false, 0},
                        {"Cat", true, false, 11},
                        {"at", false, false, 1},
                        {"at", false, true, -1},
                        {"concat", false, true, 4}};
  for (const auto& c : cases) {
    auto r = doc->Content();
    auto f = r->Find();
    f->text = c.text;
    f->matchCase = c.matchCase;
    f->matchWholeWord = c.wholeWord;
    EXPECT_EQ(f->Execute(), c.start >= 0) << c.text;
    if (c.start >= 0) {
      EXPECT_EQ(r->Start(), c.start) << c.text;
    }
  }
  // From an insertion point after the last match, only wrapping finds one.
  auto r = R(12, 12);
  auto f = r->Find();
  f->text = "concat";
  EXPECT_FALSE(f->Execute());
  f->wrap = wdFindContinue;
  EXPECT_TRUE(f->Execute());
  EXPECT_EQ(r->Start(), 4);
  // Replacing one.
  auto all = doc->Content();
  auto g = all->Find();
  g->text = "Cat";
  g->matchCase = true;
  g->replacement->text = "Dog";
  g->replace = wdReplaceOne;
  EXPECT_TRUE(g->Execute());
  EXPECT_EQ(Text(), "cat concat Dog\r");
}

TEST_F(RangeTest, TableInformationOfARange) {
  auto t = doc->Tables()->Add(R(0, 0), 3, 2);
  t->Cell(2, 2)->Range()->InsertAfter("x");
  const int64_t p = t->Cell(2, 2)->Range()->Start();
  auto r = R(p, p);
  EXPECT_EQ(r->Information(wdStartOfRangeRowNumber).ToInt32(), 2);
  EXPECT_EQ(r->Information(wdStartOfRangeColumnNumber).ToInt32(), 2);
  EXPECT_EQ(r->Information(wdMaximumNumberOfRows).ToInt32(), 3);
  EXPECT_EQ(r->Cells()->Count(), 1);
  EXPECT_EQ(r->Cells()->Item(1), t->Cell(2, 2));
  EXPECT_EQ(t->RowList()[1]->Range()->Cells()->Count(), 2);
  EXPECT_EQ(R(t->End(), t->End())->Information(wdStartOfRangeRowNumber).ToInt32(), -1);
  EXPECT_EQ(ErrorNumber([&] { R(t->End(), t->End())->Cells(); }), kErrNotInTable);
}

// The insertion point sequences the add-in uses to make room: a web page break in the middle of
// a paragraph, and the paragraphs made before a new question.
TEST_F(RangeTest, InsertionPointSequencesOfTheAddIn) {
  doc->Content()->SetText("HelloWorld");
  auto sel = doc->Selection();
  sel->SelectText(5, 5);
  sel->InsertBefore("\r\n");
  sel->Collapse(wdCollapseStart);
  sel->InsertBefore("\r\n");
  sel->Collapse(wdCollapseEnd);
  doc->InlineShapes()->AddPicture(Gif().string(), false, true, sel->Range());
  sel->MoveEnd(wdCharacter, 1);
  EXPECT_EQ(sel->Type(), wdSelectionInlineShape);
  sel->InlineShapes()->Item(1)->SetAlternativeText("kzoB");
  sel->Collapse(wdCollapseEnd);
  EXPECT_EQ(Text(), "Hello\r\x01\rWorld\r");
  EXPECT_EQ(doc->InlineShapes()->Item(1)->AlternativeText(), "kzoB");
  EXPECT_EQ(sel->Start(), 7);

  doc->Content()->SetText("");
  sel->SelectText(0, 0);
  sel->InsertBefore("\r\n");
  sel->Collapse(wdCollapseStart);
  sel->InsertBefore("\r\n");
  sel->InsertAfter("\r\n");
  sel->Collapse(wdCollapseEnd);
  sel->MoveEnd(wdCharacter, -1);
  sel->MoveEnd(wdCharacter, 1);
  sel->Collapse(wdCollapseEnd);
  auto t = doc->Tables()->Add(sel->Range(), 4, 1);
  EXPECT_EQ(Text().substr(0, 2), "\r\r");
  EXPECT_EQ(t->Start(), 2);
  t->Select();
  sel->Collapse(wdCollapseEnd);
  sel->InsertBefore("\r\n");
  sel->Collapse(wdCollapseEnd);
  EXPECT_EQ(R(t->End(), doc->GetStory().Length())->Text(), "\r\r\r");
  Check();
}

}  // namespace
}  // namespace qv::word
