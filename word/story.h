#pragma once
// The main text of a document: one flat sequence of characters in which the host's special
// characters carry the structure.
//
// Grammar (what CheckInvariants() verifies):
//
//   story   := block* PARA                  the story always ends with a paragraph mark
//   block   := para | table
//   para    := inline* PARA
//   table   := row+                          begins with a zero-width TableStart mark
//   row     := cell+ ROW_END
//   cell    := block* inline* CELL_END       the end-of-cell mark ends the cell's last paragraph
//   inline  := text | OBJECT | PAGE_BREAK | LINE_BREAK | TAB
//
//   PARA = 13, CELL_END = ROW_END = 7 (one position each; their text reads "\r\a"),
//   OBJECT = 1 (an inline picture or embedded control), PAGE_BREAK = 12, LINE_BREAK = 11.
//
// Every CELL_END, ROW_END and OBJECT character is owned by a node (a Cell, Row or InlineShape)
// through a Mark; each table owns one zero-width TableStart mark at the position of its first
// cell. Marks are kept sorted by position (zero-width marks before the character at the same
// position, outer tables before the tables nested at the same position), so a node's position is
// read from its mark and a position's container is found by a search, never by a rescan.
//
// Every edit goes through two primitives, Insert and Remove. Both call AdjustPositions, the one
// function that moves what points into the story (marks, the anchors of floating shapes and
// registered trackers such as ranges)
// with the rule of MapPosition below: a mark exactly at an insertion point stays or moves by its
// gravity (Mark::gravity), unless the code inserting new structure names its place among the marks
// there (InsertionPoint). The marks behind the last edit are held relative to the end of the text
// (word/mark_list.h), and so are the anchors of floating shapes, kept in a list of their own
// outside the grammar: an edit costs in proportion to the change, not to the text after it or to
// the number of shapes.
// Deleting text goes through DeleteText, which keeps the
// structure marks the grammar needs; Remove takes exactly the span it is given and is for the
// removal of whole nodes (a row, a table, a picture).
//
// Tables nest at most kMaxTableNesting deep: far above any real document, far below what the
// walks over the structure (checking, rendering, saving) could not hold.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "word/format_table.h"
#include "word/gap_buffer.h"
#include "word/mark.h"
#include "word/mark_list.h"

namespace qv::word {

inline constexpr char32_t kParagraphMark = 13;
inline constexpr char32_t kCellMark = 7;
inline constexpr char32_t kObjectChar = 1;
inline constexpr char32_t kPageBreak = 12;
inline constexpr char32_t kLineBreak = 11;

inline constexpr int kMaxTableNesting = 100;

// Character formatting, interned per story.
struct FontData {
  std::string name = "Times New Roman";
  double size = 12;
  int32_t color = 0;  // wdColorAutomatic reads as 0 (black) here
  bool bold = false;
  bool italic = false;
  friend bool operator==(const FontData&, const FontData&) = default;
};

struct FontHash {
  size_t operator()(const FontData& f) const {
    size_t h = std::hash<std::string>()(f.name);
    h = h * 31 + std::hash<double>()(f.size);
    h = h * 31 + std::hash<int32_t>()(f.color);
    return h * 4 + (f.bold ? 2 : 0) + (f.italic ? 1 : 0);
  }
};

// Paragraph formatting, interned per story; the paragraph's own mark carries the one that counts.
struct ParaData {
  bool keepTogether = false;
  bool keepWithNext = false;
  double spaceAfter = 0;
  double spaceBefore = 0;
  int32_t alignment = 0;  // wdAlignParagraphLeft 0, Center 1, Right 2, Justify 3
  friend bool operator==(const ParaData&, const ParaData&) = default;
};

struct ParaHash {
  size_t operator()(const ParaData& p) const {
    size_t h = std::hash<double>()(p.spaceAfter);
    h = h * 31 + std::hash<double>()(p.spaceBefore);
    h = h * 31 + std::hash<int32_t>()(p.alignment);
    return h * 4 + (p.keepTogether ? 2 : 0) + (p.keepWithNext ? 1 : 0);
  }
};

struct Char {
  char32_t cp = 0;
  uint16_t font = 0;
  uint16_t para = 0;
};

// A node whose place in the story is one or more marks (tables, rows, cells, inline shapes).
class StoryNode {
 public:
  virtual ~StoryNode() = default;
  // The text holding the node's mark was removed, or the story itself went away. After this the
  // node raises "Object has been deleted." when used.
  virtual void MarkRemoved() = 0;
  // Keeps the node alive while the story tells it about a removal.
  virtual std::shared_ptr<void> KeepAlive() = 0;
  // For a table: the position of its last end-of-row mark (what a removal must cover to take the
  // whole table). Other nodes: their own position.
  virtual int64_t ExtentEnd() const = 0;
  // For a table: the position of its first cell. Other nodes: their own position.
  virtual int64_t ExtentStart() const { return ExtentEnd(); }
  // The node one level up in the structure (a cell's row, a row's table); nullptr otherwise.
  virtual const StoryNode* StructuralParent() const { return nullptr; }
  // For a table: the cell it is nested in (nullptr in the main text).
  virtual const StoryNode* Holder() const { return nullptr; }
  // Rows of a table, cells of a row, in document order.
  virtual size_t ChildCount() const { return 0; }
  virtual const StoryNode* Child(size_t) const { return nullptr; }

 private:
  friend class Story;
  // Where the story that keeps the node alive holds it (SIZE_MAX while none does).
  size_t ownedSlot_ = SIZE_MAX;
};

// One edit, as every position holder sees it: `removed` characters at `at` replaced by
// `inserted` characters.
struct Edit {
  int64_t at = 0;
  int64_t removed = 0;
  int64_t inserted = 0;
};

// The position rule: positions before the change stay; a position exactly at the insertion point
// moves after the new text unless it asked to stay (Bias::Stay); positions inside a deleted span
// collapse to its start; positions after the change shift by the difference.
int64_t MapPosition(int64_t pos, const Edit& edit, Bias bias);

// Where inserted text goes among the marks at its position: the marks in front of it stay, the
// marks behind it move after the new text. The marks at one position are ordered (tables from the
// outermost in, then the character's own mark), so this is one place in that order.
class InsertionPoint {
 public:
  // Each mark at `at` by its own gravity: the tables beginning there stay (the text goes into
  // their first cell), the character's mark moves. What typing and pasting do.
  static InsertionPoint ByGravity(int64_t at) { return {at, Rule::ByGravity, nullptr}; }
  // In front of every mark at `at`: new cells or rows go in front of the tables nested at the
  // start of the cell that follows them.
  static InsertionPoint InFrontOfMarks(int64_t at) { return {at, Rule::InFront, nullptr}; }
  // Right behind `m` (which stays, with every mark in front of it): a table's new first row goes
  // inside the table, in front of the tables nested at the start of its old first row.
  static InsertionPoint Behind(const Mark& m) { return {m.Pos(), Rule::Behind, &m}; }

  int64_t At() const { return at_; }

 private:
  friend class Story;
  enum class Rule : uint8_t { ByGravity, InFront, Behind };
  InsertionPoint(int64_t at, Rule rule, const Mark* mark) : at_(at), rule_(rule), mark_(mark) {}

  int64_t at_;
  Rule rule_;
  const Mark* mark_;
};

// Anything outside the story that points into it and lives briefly (ranges, the selection); what
// stays as long as the document does (shape anchors) is held as a mark instead, which an edit
// does not visit.
class PositionTracker {
 public:
  virtual ~PositionTracker() = default;
  // Must not register or unregister trackers.
  virtual void Adjust(const Edit& edit) = 0;
  // The story is being destroyed; the tracker must forget it.
  virtual void StoryGone() = 0;

 private:
  friend class Story;
  // Where the story lists it: ranges come and go by the hundred in one command, and a slot of a
  // list costs no allocation to take or to give back.
  size_t trackerSlot_ = SIZE_MAX;
};

// Told about edits by the story (the owning document: saved flag, anchored shapes).
class StoryListener {
 public:
  virtual ~StoryListener() = default;
  virtual void BeforeRemove(int64_t from, int64_t to) = 0;
  virtual void Changed() = 0;
};

class Story {
 public:
  Story();
  ~Story();
  Story(const Story&) = delete;
  Story& operator=(const Story&) = delete;

  int64_t Length() const { return static_cast<int64_t>(chars_.size()); }
  const Char& At(int64_t pos) const { return chars_[static_cast<size_t>(pos)]; }
  char32_t CodeAt(int64_t pos) const { return chars_[static_cast<size_t>(pos)].cp; }
  // The host's text of [from, to): cell and row ends read "\r\a".
  std::string Text(int64_t from, int64_t to) const;
  std::u32string Codes(int64_t from, int64_t to) const;
  // Increases with every edit and every formatting change; caches compare against it.
  uint64_t Revision() const { return revision_; }

  // --- the two edit primitives ---
  // Inserts `chars` at `where`. `marks` are the marks the new characters carry, in order (placed
  // relative to the insertion point); they go into the mark order at the insertion point.
  void Insert(InsertionPoint where, const std::vector<Char>& chars,
              const std::vector<Mark*>& marks = {});
  void Insert(int64_t at, const std::vector<Char>& chars, const std::vector<Mark*>& marks = {}) {
    Insert(InsertionPoint::ByGravity(at), chars, marks);
  }
  // Removes [from, to). The owners of character marks inside are told (MarkRemoved); a
  // TableStart inside must belong to a table that lies wholly inside.
  void Remove(int64_t from, int64_t to);
  // Deletes the text of [from, to) as an author can: whole tables inside go (with their pictures
  // and nested tables), and so does the text between structure marks; the final paragraph mark,
  // the paragraph mark in front of a table and the cell and row marks of tables only partly
  // covered stay. Every deletion of text (ranges, the selection, replacing) goes through here.
  void DeleteText(int64_t from, int64_t to);
  // Whether the character at `pos` is a paragraph mark that DeleteText keeps (the final one, or
  // one in front of a table).
  bool KeepsParagraphMark(int64_t pos) const;
  bool TableStartsAt(int64_t pos) const;

  // Groups the steps of one edit. In debug builds the grammar is checked when the outermost
  // scope ends, so every edit of the object model is checked as a whole.
  class EditScope {
   public:
    explicit EditScope(Story& s) : s_(s) { ++s_.editDepth_; }
    ~EditScope() noexcept(false);
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

   private:
    Story& s_;
  };

  // Formatting of existing characters; these are not edits of the text.
  template <class F>
  void ChangeFont(int64_t from, int64_t to, F change);
  template <class F>
  void ChangePara(int64_t from, int64_t to, F change);
  uint16_t Intern(const FontData& f);
  uint16_t Intern(const ParaData& p);
  const FontData& Font(uint16_t i) const { return fonts_[i]; }
  const ParaData& Para(uint16_t i) const { return paras_[i]; }
  const std::vector<FontData>& Fonts() const { return fonts_.Items(); }
  const std::vector<ParaData>& Paras() const { return paras_.Items(); }
  // Formatting a character inserted at `at` takes: the text before it in the same paragraph, else
  // the character at `at` (for an empty paragraph or cell, its mark).
  Char Template(int64_t at) const;

  // --- marks ---
  const MarkList& Marks() const { return marks_; }
  // Index of the first mark whose position is >= pos (zero-width marks first at equal positions).
  size_t FirstMarkAt(int64_t pos) const { return marks_.FirstAt(pos); }
  size_t IndexOf(const Mark* m) const { return marks_.IndexOf(m); }
  // Registers a mark placed at its position, behind the marks already there of its own width (a
  // table starting where another starts is nested in it).
  void AddMark(Mark* m);
  // Forgets a mark without touching the text (its character is about to be reused or removed).
  void DetachMark(Mark* m);
  // `replacement` takes over the place of `old` (same position) in the mark order.
  void ReplaceMark(Mark* old, Mark* replacement);

  // --- nodes the story keeps alive (tables and inline shapes) ---
  void Own(std::shared_ptr<StoryNode> node);
  std::shared_ptr<StoryNode> Disown(StoryNode* node);
  template <class T>
  std::shared_ptr<T> Shared(T* node) const {
    const StoryNode* key = node;
    return Owns(key) ? std::static_pointer_cast<T>(owned_[key->ownedSlot_]) : nullptr;
  }

  // --- anchors of floating shapes: positions that follow the text by the same rule as the marks
  // (a ShapeAnchor mark moves after text inserted exactly there; inside a removed span it
  // collapses to the span's start), in position order, outside the grammar ---
  const MarkList& Anchors() const { return anchors_; }
  // Index of the first anchor at or after `pos`.
  size_t FirstAnchorAt(int64_t pos) const { return anchors_.FirstAt(pos); }
  // Lists an anchor placed at its position, behind the anchors already there.
  void AddAnchor(Mark* m);
  // Takes an anchor off the list; it keeps the position it has now.
  void RemoveAnchor(Mark* m);

  void Register(PositionTracker* t);
  void Unregister(PositionTracker* t);
  void SetListener(StoryListener* l) { listener_ = l; }
  // Formatting changes and structure changes that are not text edits.
  void Touch();

  // Debug builds check the grammar after every edit; tests that build broken stories on purpose
  // turn that off.
  void SetCheckAfterEdits(bool on) { checkAfterEdits_ = on; }

  // Throws std::logic_error describing the first violation of the grammar above (with the
  // position of the problem), nesting deeper than kMaxTableNesting included.
  void CheckInvariants() const;

  // Replaces the whole content (used by the file reader, which validates afterwards).
  void Load(std::vector<Char> chars, std::vector<FontData> fonts, std::vector<ParaData> paras);
  // Registers the marks of a file being read in one step: sorted by position, zero-width marks
  // first, ties in the order given (outer tables are listed before those nested in them).
  void LoadMarks(std::vector<Mark*> marks);

 private:
  // The one place where what points into the story follows an edit: the marks from index `slot`
  // on move with the text (the mark gap goes there; those behind it follow the length of the
  // text), the trackers by MapPosition. Called once the characters changed.
  void AdjustPositions(const Edit& edit, size_t slot);
  void AdjustAnchors(const Edit& edit);
  size_t Slot(const InsertionPoint& where) const;
  template <class Table, class F>
  void ChangeFormat(int64_t from, int64_t to, uint16_t Char::*field, Table& table, F change);
  bool Owns(const StoryNode* node) const {
    return node->ownedSlot_ < owned_.size() && owned_[node->ownedSlot_].get() == node;
  }

  // With a gap at the last edit: a run of edits at one place moves the text after it once.
  GapBuffer<Char> chars_;
  FormatTable<FontData, FontHash> fonts_{"too many distinct fonts in one document"};
  FormatTable<ParaData, ParaHash> paras_{"too many paragraph formats"};
  MarkList marks_{1};
  MarkList anchors_{1};
  // The nodes kept alive, each knowing its slot: a new question's nodes are appended, not
  // scattered over a table as large as the document.
  std::vector<std::shared_ptr<StoryNode>> owned_;
  std::vector<PositionTracker*> trackers_;
  StoryListener* listener_ = nullptr;
  uint64_t revision_ = 1;
  int editDepth_ = 0;
  bool checkAfterEdits_ = true;
};

// A change applies to a format, not to a character: a run of characters of one format takes the
// changed format found for the first of them.
template <class Table, class F>
void Story::ChangeFormat(int64_t from, int64_t to, uint16_t Char::*field, Table& table, F change) {
  int32_t before = -1;
  uint16_t after = 0;
  for (int64_t p = from; p < to && p < Length(); ++p) {
    uint16_t& format = chars_[static_cast<size_t>(p)].*field;
    if (format != before) {
      before = format;
      auto changed = table[format];
      change(changed);
      after = table.Intern(changed);
    }
    format = after;
  }
  Touch();
}

template <class F>
void Story::ChangeFont(int64_t from, int64_t to, F change) {
  ChangeFormat(from, to, &Char::font, fonts_, change);
}

template <class F>
void Story::ChangePara(int64_t from, int64_t to, F change) {
  ChangeFormat(from, to, &Char::para, paras_, change);
}

}  // namespace qv::word
