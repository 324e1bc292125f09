// The story's marks against a naive model: a list of positions in mark order in which every edit
// visits every mark. Long runs of edits near the start (where the mark list keeps its gap) and
// edits far from it (which move the gap across many marks) must leave both the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "word/story.h"

namespace qv::word {
namespace {

class Node : public StoryNode {
 public:
  explicit Node(MarkKind kind) : mark(-1, kind, this) {}
  void MarkRemoved() override { removed = true; }
  std::shared_ptr<void> KeepAlive() override { return nullptr; }
  int64_t ExtentEnd() const override { return mark.Pos(); }
  Mark mark;
  bool removed = false;
};

Char C(char32_t c) {
  return Char{c, 0, 0};
}

struct Model {
  struct Entry {
    Node* node;
    int64_t pos;
  };
  std::vector<Entry> marks;  // in the story's mark order

  size_t FirstAt(int64_t pos) const {
    size_t i = 0;
    while (i < marks.size() && marks[i].pos < pos)
      ++i;
    return i;
  }
  void Insert(size_t slot, int64_t n, const std::vector<Entry>& added) {
    for (size_t i = slot; i < marks.size(); ++i)
      marks[i].pos += n;
    marks.insert(marks.begin() + static_cast<std::ptrdiff_t>(slot), added.begin(), added.end());
  }
  void Remove(int64_t from, int64_t to) {
    std::vector<Entry> kept;
    for (const auto& e : marks) {
      if (e.pos >= from && e.pos < to) continue;
      kept.push_back({e.node, e.pos >= to ? e.pos - (to - from) : e.pos});
    }
    marks = kept;
  }
};

class MarkListTest : public ::testing::Test {
 protected:
  void SetUp() override { story.SetCheckAfterEdits(false); }

  Node* Make(MarkKind kind) { return &nodes.emplace_back(kind); }

  // Inserts n letters, or an object character with its mark, or a zero-width mark, at `at`.
  void InsertAt(int64_t at, std::mt19937& rng) {
    const int what = static_cast<int>(rng() % 8);
    if (what == 0) {
      Node* n = Make(MarkKind::Object);
      n->mark.Place(0);
      const size_t slot = GravitySlot(at);
      story.Insert(at, {C(kObjectChar)}, {&n->mark});
      model.Insert(slot, 1, {{n, at}});
    } else if (what == 1) {
      // A bare table start: registered at its place behind the starts already there.
      Node* n = Make(MarkKind::TableStart);
      n->mark.Place(at);
      size_t slot = model.FirstAt(at);
      while (slot < model.marks.size() && model.marks[slot].pos == at &&
             model.marks[slot].node->mark.ZeroWidth())
        ++slot;
      story.AddMark(&n->mark);
      model.marks.insert(model.marks.begin() + static_cast<std::ptrdiff_t>(slot), {n, at});
    } else if (what == 2) {
      // New structure in front of every mark there.
      const size_t slot = model.FirstAt(at);
      story.Insert(InsertionPoint::InFrontOfMarks(at), {C(U's')});
      model.Insert(slot, 1, {});
    } else {
      const auto n = static_cast<int64_t>(1 + rng() % 5);
      const size_t slot = GravitySlot(at);
      story.Insert(at, std::vector<Char>(static_cast<size_t>(n), C(U'a')));
      model.Insert(slot, n, {});
    }
  }

  size_t GravitySlot(int64_t at) const {
    size_t i = model.FirstAt(at);
    while (i < model.marks.size() && model.marks[i].pos == at &&
           model.marks[i].node->mark.gravity == Bias::Stay)
      ++i;
    return i;
  }

  void RemoveAt(int64_t from, int64_t to) {
    story.Remove(from, to);
    model.Remove(from, to);
  }

  void ExpectSame(const std::string& when) {
    ASSERT_EQ(story.Marks().size(), model.marks.size()) << when;
    size_t first = 0;  // the model's first mark at the position of mark i
    for (size_t i = 0; i < model.marks.size(); ++i) {
      const Mark* m = story.Marks()[i];
      if (i > 0 && model.marks[i - 1].pos < model.marks[i].pos) first = i;
      ASSERT_EQ(m, &model.marks[i].node->mark) << when << ", mark " << i;
      ASSERT_EQ(m->Pos(), model.marks[i].pos) << when << ", mark " << i;
      if (m->kind == MarkKind::Object) {
        ASSERT_EQ(story.CodeAt(m->Pos()), kObjectChar) << when;
      }
      ASSERT_EQ(story.FirstMarkAt(m->Pos()), first) << when;
    }
  }

  std::deque<Node> nodes;  // outlive the story, which tells them when it goes
  Story story;
  Model model;
};

TEST_F(MarkListTest, LongRunsOfEditsNearTheStartKeepEveryMarkExact) {
  std::mt19937 rng(20261207);
  // A document of marks first, built at its end.
  for (int i = 0; i < 400; ++i)
    InsertAt(story.Length() - 1, rng);
  ExpectSame("built");
  for (int step = 0; step < 3000; ++step) {
    const int64_t len = story.Length();
    // Mostly near the start; now and then far away, which moves the gap over most marks.
    const bool far = rng() % 20 == 0;
    const int64_t window = std::min<int64_t>(len - 1, 40);
    int64_t at = static_cast<int64_t>(rng() % static_cast<uint64_t>(window + 1));
    if (far) at = len - 1 - static_cast<int64_t>(rng() % static_cast<uint64_t>(window + 1));
    if (rng() % 3 == 0 && len > 2) {
      const int64_t to = std::min(len - 1, at + 1 + static_cast<int64_t>(rng() % 6));
      if (to > at) RemoveAt(at, to);
    } else {
      InsertAt(at, rng);
    }
    ExpectSame("step " + std::to_string(step));
  }
  // A mark whose character went was told, and reads -1.
  size_t removed = 0;
  for (const auto& n : nodes)
    if (n.removed) {
      ++removed;
      EXPECT_EQ(n.mark.Pos(), -1);
    }
  EXPECT_GT(removed, 0u);
}

TEST_F(MarkListTest, MarksReplacedOrDetachedKeepTheirPlaceAndPosition) {
  std::mt19937 rng(7);
  for (int i = 0; i < 50; ++i)
    InsertAt(story.Length() - 1, rng);
  story.Insert(0, {C(U'x')});  // the gap at the start: every mark behind it
  Node* old = nullptr;
  for (auto& n : nodes)
    if (!n.removed && n.mark.kind == MarkKind::Object) old = &n;
  ASSERT_NE(old, nullptr);
  const int64_t pos = old->mark.Pos();
  const size_t index = story.IndexOf(&old->mark);
  Node* replacement = Make(MarkKind::Object);
  story.ReplaceMark(&old->mark, &replacement->mark);
  EXPECT_EQ(replacement->mark.Pos(), pos);
  EXPECT_EQ(story.IndexOf(&replacement->mark), index);
  EXPECT_EQ(old->mark.Pos(), pos);  // no longer listed, it keeps what it read
  story.Insert(0, {C(U'y')});
  EXPECT_EQ(replacement->mark.Pos(), pos + 1);
  EXPECT_EQ(old->mark.Pos(), pos);
  story.DetachMark(&replacement->mark);
  story.Insert(0, {C(U'z')});
  EXPECT_EQ(replacement->mark.Pos(), pos + 1);
  EXPECT_THROW(story.IndexOf(&replacement->mark), std::logic_error);
}

// A lookup starts where the one before ended and works outward: wherever that was and wherever
// the gap stands, it must give what a search of the whole list gives, for positions on marks
// (several at one place), between them, before the first and after the last; and a list read whole
// must take edits at once.
TEST(MarkListLookup, FindsTheFirstMarkAtAPositionFromWhereverItStarts) {
  std::mt19937 rng(5);
  std::vector<int64_t> positions(300);
  for (auto& p : positions)
    p = static_cast<int64_t>(rng() % 400);
  std::sort(positions.begin(), positions.end());
  std::deque<Mark> marks(positions.size());
  std::deque<Mark> read(positions.size());
  Mark added;  // the marks outlive the lists, which let go of them when they go
  MarkList list(1000);
  MarkList whole(1000);
  std::vector<Mark*> sorted;
  for (size_t i = 0; i < positions.size(); ++i) {
    marks[i].Place(positions[i]);
    list.Insert(i, &marks[i]);
    read[i].Place(positions[i]);
    sorted.push_back(&read[i]);
  }
  whole.Assign(sorted);
  for (size_t gap = 0; gap <= positions.size(); ++gap) {
    list.MoveGap(gap);
    // Every position from -1 to 401 once, in an order that jumps about (97 is prime to 403), so
    // that each lookup starts from a different place.
    for (int64_t k = 0; k < 403; ++k) {
      const int64_t pos = (k * 97) % 403 - 1;
      const auto expected = static_cast<size_t>(
          std::lower_bound(positions.begin(), positions.end(), pos) - positions.begin());
      ASSERT_EQ(list.FirstAt(pos), expected) << "gap " << gap << ", position " << pos;
      if (gap == 0) {
        ASSERT_EQ(whole.FirstAt(pos), expected) << "read whole, position " << pos;
      }
    }
  }
  added.Place(positions.back());
  whole.Insert(whole.FirstAt(positions.back()), &added);
  EXPECT_EQ(whole.size(), positions.size() + 1);
  EXPECT_EQ(whole.IndexOf(&added), whole.FirstAt(positions.back()));
}

// Shape anchors against the position rule applied to each of them at every edit: they move after
// text inserted exactly at them, collapse to the start of a span removed around them, and stay
// listed in position order, with edits near them and far away, anchors added and taken off.
TEST(ShapeAnchors, AnchorsFollowEveryEditAsThePositionRuleSays) {
  std::mt19937 rng(20261208);
  std::deque<Node> anchors;  // outlive the story, which tells those still listed when it goes
  Story story;
  story.SetCheckAfterEdits(false);
  story.Insert(0, std::vector<Char>(300, C(U'a')));
  std::vector<int64_t> expected;  // by the index into `anchors`
  std::vector<bool> listed;
  for (int step = 0; step < 4000; ++step) {
    const int64_t len = story.Length();
    const auto at = static_cast<int64_t>(rng() % static_cast<uint64_t>(len - 1));
    // Removals take a little more than insertions add; a short text only grows.
    const int what = len < 50 ? 9 : static_cast<int>(rng() % 10);
    if (what < 2) {
      Node& n = anchors.emplace_back(MarkKind::ShapeAnchor);
      n.mark.Place(at);
      story.AddAnchor(&n.mark);
      expected.push_back(at);
      listed.push_back(true);
    } else if (what == 2 && !anchors.empty()) {
      const size_t k = rng() % anchors.size();
      if (listed[k]) story.RemoveAnchor(&anchors[k].mark);
      listed[k] = false;
    } else if (what < 6) {
      const int64_t to = std::min(len - 1, at + 1 + static_cast<int64_t>(rng() % 8));
      story.Remove(at, to);
      for (size_t k = 0; k < expected.size(); ++k)
        if (listed[k]) expected[k] = MapPosition(expected[k], Edit{at, to - at, 0}, Bias::After);
    } else {
      const auto n = static_cast<int64_t>(1 + rng() % 4);
      story.Insert(at, std::vector<Char>(static_cast<size_t>(n), C(U'b')));
      for (size_t k = 0; k < expected.size(); ++k)
        if (listed[k]) expected[k] = MapPosition(expected[k], Edit{at, 0, n}, Bias::After);
    }
    size_t count = 0;
    for (size_t k = 0; k < anchors.size(); ++k) {
      if (!listed[k]) continue;
      ++count;
      ASSERT_EQ(anchors[k].mark.Pos(), expected[k]) << "step " << step << ", anchor " << k;
    }
    const MarkList& list = story.Anchors();
    ASSERT_EQ(list.size(), count) << "step " << step;
    for (size_t i = 1; i < list.size(); ++i)
      ASSERT_LE(list[i - 1]->Pos(), list[i]->Pos()) << "step " << step;
    const size_t first = story.FirstAnchorAt(at);
    ASSERT_TRUE(first == list.size() || list[first]->Pos() >= at);
    ASSERT_TRUE(first == 0 || list[first - 1]->Pos() < at);
  }
}

TEST(ShapeAnchors, AnAnchorStillListedWhenItsStoryGoesIsToldAndKeepsItsPosition) {
  Node n(MarkKind::ShapeAnchor);
  {
    Story s;
    s.Insert(0, {C(U'a'), C(U'b')});
    n.mark.Place(1);
    s.AddAnchor(&n.mark);
    s.Insert(0, {C(U'x')});
    EXPECT_EQ(n.mark.Pos(), 2);
  }
  EXPECT_TRUE(n.removed);
  EXPECT_EQ(n.mark.Pos(), 2);
}

TEST(MarkListLifetime, MarksOutlivingTheirStoryKeepTheirLastPosition) {
  Node n(MarkKind::Object);
  {
    Story s;
    s.Insert(0, {C(U'a'), C(U'b')});
    n.mark.Place(0);
    s.Insert(1, {C(kObjectChar)}, {&n.mark});
    s.Insert(0, {C(U'x')});  // behind the gap: held relative to the end of the text
    EXPECT_EQ(n.mark.Pos(), 2);
  }
  EXPECT_TRUE(n.removed);
  EXPECT_EQ(n.mark.Pos(), 2);
}

}  // namespace
}  // namespace qv::word
