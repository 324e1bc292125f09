#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "word/story.h"

namespace qv::word {
namespace {

TEST(MapPosition, FollowsTheOneRule) {
  struct Case {
    int64_t pos;
    Edit edit;
    Bias bias;
    int64_t expected;
  };
  const Case cases[] = {
      {4, {5, 0, 3}, Bias::After, 4},  // before an insertion: stays
      {5, {5, 0, 3}, Bias::After, 8},  // at it: moves after the new text
      {5, {5, 0, 3}, Bias::Stay, 5},   // ... unless it asked to stay
      {6, {5, 0, 3}, Bias::Stay, 9},   // after it: shifts
      {4, {5, 3, 0}, Bias::After, 4},  // before a removal
      {5, {5, 3, 0}, Bias::After, 5},  // at its start
      {7, {5, 3, 0}, Bias::After, 5},  // inside: collapses to the start
      {8, {5, 3, 0}, Bias::After, 5},  // at its end
      {9, {5, 3, 0}, Bias::After, 6},  // after: shifts back
  };
  for (const auto& c : cases)
    EXPECT_EQ(MapPosition(c.pos, c.edit, c.bias), c.expected) << "pos " << c.pos;
}

Char C(char32_t c) {
  return Char{c, 0, 0};
}

TEST(Story, StartsAsOneEmptyParagraphAndKeepsItsFinalMark) {
  Story s;
  EXPECT_EQ(s.Length(), 1);
  EXPECT_EQ(s.CodeAt(0), kParagraphMark);
  EXPECT_NO_THROW(s.CheckInvariants());
  EXPECT_THROW(s.Insert(1, {C(U'x')}), std::out_of_range);
  s.Insert(0, {C(U'a'), C(U'b')});
  EXPECT_EQ(s.Text(0, s.Length()), "ab\r");
}

TEST(Story, GrammarCheckFindsStructureCharactersWithoutTheirNodes) {
  Story cell;
  cell.SetCheckAfterEdits(false);
  cell.Insert(0, {C(kCellMark)});
  EXPECT_THROW(cell.CheckInvariants(), std::logic_error);
  Story object;
  object.SetCheckAfterEdits(false);
  object.Insert(0, {C(kObjectChar)});
  EXPECT_THROW(object.CheckInvariants(), std::logic_error);
}

class Node : public StoryNode {
 public:
  void MarkRemoved() override { removed = true; }
  std::shared_ptr<void> KeepAlive() override { return nullptr; }
  int64_t ExtentEnd() const override { return mark.Pos(); }
  Mark mark{0, MarkKind::Object, this};
  bool removed = false;
};

TEST(Story, MarksMoveWithTheirCharactersAndAreToldWhenRemoved) {
  Story s;
  s.Insert(0, {C(U'a'), C(U'b')});
  Node n;
  s.Insert(1, {C(kObjectChar)}, {&n.mark});
  EXPECT_EQ(n.mark.Pos(), 1);
  EXPECT_NO_THROW(s.CheckInvariants());
  s.Insert(1, {C(U'x')});  // text inserted at the object's place goes in front of it
  EXPECT_EQ(n.mark.Pos(), 2);
  s.Remove(0, 1);
  EXPECT_EQ(n.mark.Pos(), 1);
  EXPECT_FALSE(n.removed);
  s.Remove(1, 2);
  EXPECT_TRUE(n.removed);
  EXPECT_TRUE(s.Marks().empty());
  EXPECT_EQ(s.Text(0, s.Length()), "xb\r");
}

// The nodes a story keeps alive: each found again from its pointer, let go in any order (the last
// one kept, one in the middle, one twice), kept by one story at a time, never twice by one.
TEST(Story, KeepsItsNodesAliveAndLetsGoOfEachOnRequest) {
  Story s;
  std::vector<std::weak_ptr<Node>> watched;
  std::vector<Node*> nodes;
  for (int i = 0; i < 6; ++i) {
    auto n = std::make_shared<Node>();
    watched.push_back(n);
    nodes.push_back(n.get());
    s.Own(n);
  }
  s.Own(s.Shared(nodes[2]));  // kept already: still once
  for (auto* n : nodes)
    EXPECT_EQ(s.Shared(n).get(), n);
  auto last = s.Disown(nodes[5]);
  auto middle = s.Disown(nodes[1]);
  EXPECT_EQ(last.get(), nodes[5]);
  EXPECT_EQ(middle.get(), nodes[1]);
  EXPECT_EQ(s.Disown(nodes[1]), nullptr);
  EXPECT_EQ(s.Shared(nodes[1]), nullptr);
  for (int i : {0, 2, 3, 4})
    EXPECT_EQ(s.Shared(nodes[static_cast<size_t>(i)]).get(), nodes[static_cast<size_t>(i)]);
  Story other;
  EXPECT_EQ(other.Shared(nodes[0]), nullptr);
  other.Own(middle);
  EXPECT_EQ(other.Shared(nodes[1]).get(), nodes[1]);
  EXPECT_EQ(s.Shared(nodes[1]), nullptr);
  middle.reset();
  last.reset();
  EXPECT_TRUE(watched[5].expired());
  EXPECT_FALSE(watched[1].expired());
  s.Disown(nodes[0]);
  EXPECT_TRUE(watched[0].expired());
  EXPECT_EQ(s.Shared(nodes[2]).get(), nodes[2]);
}

TEST(Story, ZeroWidthMarksKeepTheirNestingOrderAndStayAtAnInsertionPoint) {
  Node outer, inner, object;  // outlive the story, which tells them when it goes
  Story s;
  s.SetCheckAfterEdits(false);  // bare marks without tables
  s.Insert(0, {C(U'a'), C(U'b')});
  outer.mark = Mark{1, MarkKind::TableStart, &outer};
  inner.mark = Mark{1, MarkKind::TableStart, &inner};
  s.AddMark(&outer.mark);
  s.AddMark(&inner.mark);  // a later table at the same place nests inside the earlier one
  s.Insert(1, {C(kObjectChar)}, {&object.mark});
  ASSERT_EQ(s.Marks().size(), 3u);
  EXPECT_EQ(s.Marks()[0], &outer.mark);
  EXPECT_EQ(s.Marks()[1], &inner.mark);
  EXPECT_EQ(s.Marks()[2], &object.mark);
  EXPECT_EQ(outer.mark.Pos(), 1);  // text went in at the table start: into its first cell
  EXPECT_EQ(object.mark.Pos(), 1);
  // A new first row of the outer table goes behind its start, in front of the table nested there.
  s.Insert(InsertionPoint::Behind(outer.mark), {C(U'x')});
  EXPECT_EQ(outer.mark.Pos(), 1);
  EXPECT_EQ(inner.mark.Pos(), 2);
  EXPECT_EQ(s.Marks()[0], &outer.mark);
  EXPECT_EQ(s.FirstMarkAt(2), 1u);
  EXPECT_EQ(s.IndexOf(&object.mark), 2u);
  // New cells go in front of every table beginning where they go in.
  s.Insert(InsertionPoint::InFrontOfMarks(1), {C(U'y')});
  EXPECT_EQ(outer.mark.Pos(), 2);
  EXPECT_EQ(inner.mark.Pos(), 3);
  EXPECT_EQ(object.mark.Pos(), 3);
}

TEST(Story, RevisionChangesWithEveryEditAndFormatChange) {
  Story s;
  const uint64_t r0 = s.Revision();
  s.Insert(0, {C(U'a')});
  const uint64_t r1 = s.Revision();
  EXPECT_GT(r1, r0);
  s.ChangeFont(0, 1, [](FontData& f) { f.size = 20; });
  EXPECT_GT(s.Revision(), r1);
  EXPECT_EQ(s.Font(s.At(0).font).size, 20);
  EXPECT_EQ(s.Font(s.At(1).font).size, 12);
  s.Remove(0, 0);  // an empty removal changes nothing
  EXPECT_EQ(s.Text(0, s.Length()), "a\r");
}

// A change of one property over runs of different fonts keeps what differs between the runs;
// formats are stored once however many there are, and a file's table that lists one twice is
// read at its first place.
TEST(Story, FormatsChangeRunByRunAndAreStoredOnce) {
  Story s;
  s.Insert(0, std::vector<Char>(9, C(U'x')));
  s.ChangeFont(3, 6, [](FontData& f) { f.bold = true; });
  s.ChangeFont(6, 9, [](FontData& f) { f.color = 255; });
  s.ChangeFont(1, 8, [](FontData& f) { f.size = 20; });
  const std::vector<std::pair<bool, int32_t>> runs = {{false, 0}, {true, 0}, {false, 255}};
  for (int64_t p = 0; p < 9; ++p) {
    const FontData& f = s.Font(s.At(p).font);
    EXPECT_EQ(f.size, p >= 1 && p < 8 ? 20 : 12) << p;
    EXPECT_EQ(f.bold, runs[static_cast<size_t>(p / 3)].first) << p;
    EXPECT_EQ(f.color, runs[static_cast<size_t>(p / 3)].second) << p;
  }
  EXPECT_EQ(s.At(1).font, s.At(2).font);
  EXPECT_NE(s.At(2).font, s.At(3).font);
  for (int32_t color = 0; color < 3000; ++color) {
    FontData f;
    f.color = color;
    EXPECT_EQ(s.Intern(f), s.Intern(f));
  }
  const size_t distinct = s.Fonts().size();
  FontData again;
  again.color = 1234;
  s.Intern(again);
  EXPECT_EQ(s.Fonts().size(), distinct);

  Story read;
  FontData bold;
  bold.bold = true;
  read.Load({C(U'a'), C(kParagraphMark)}, {FontData{}, bold, bold}, {ParaData{}});
  EXPECT_EQ(read.Intern(bold), 1);
  EXPECT_EQ(read.Intern(FontData{}), 0);
}

}  // namespace
}  // namespace qv::word
