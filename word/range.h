#pragma once
// Range: a stretch [Start, End) of a document's main text that keeps pointing at the same text
// through every edit. It registers with the story and is moved by the story's one position rule:
// text inserted exactly at a stretch's start becomes part of it, text inserted at its end stays
// outside; a collapsed range is carried past text inserted at it (the selection's insertion point
// stays in front of it instead, so that what was just added there can be selected).

#include <memory>
#include <string>

#include "automation/dispatch.h"
#include "word/formatting.h"
#include "word/story.h"

namespace qv::word {

class Document;
class Find;
class InlineShapes;
class Paragraphs;
class ShapeRange;
class Tables;
class Cells;
class Rows;

// Units of Move, MoveStart and MoveEnd.
inline constexpr int32_t wdCharacter = 1;
inline constexpr int32_t wdWord = 2;
inline constexpr int32_t wdParagraph = 4;
inline constexpr int32_t wdStory = 6;
// Collapse directions.
inline constexpr int32_t wdCollapseEnd = 0;
inline constexpr int32_t wdCollapseStart = 1;
// Information types.
inline constexpr int32_t wdActiveEndAdjustedPageNumber = 1;
inline constexpr int32_t wdActiveEndPageNumber = 3;
inline constexpr int32_t wdNumberOfPagesInDocument = 4;
inline constexpr int32_t wdWithInTable = 12;
inline constexpr int32_t wdStartOfRangeRowNumber = 13;
inline constexpr int32_t wdEndOfRangeRowNumber = 14;
inline constexpr int32_t wdMaximumNumberOfRows = 15;
inline constexpr int32_t wdStartOfRangeColumnNumber = 16;
inline constexpr int32_t wdEndOfRangeColumnNumber = 17;
inline constexpr int32_t wdMaximumNumberOfColumns = 18;
// Statistics.
inline constexpr int32_t wdStatisticWords = 0;
inline constexpr int32_t wdStatisticLines = 1;
inline constexpr int32_t wdStatisticPages = 2;
inline constexpr int32_t wdStatisticCharacters = 3;
inline constexpr int32_t wdStatisticParagraphs = 4;

class Range : public Dispatch, public PositionTracker {
 public:
  Range(const std::shared_ptr<Document>& doc, int64_t start, int64_t end);
  ~Range() override;
  Range(const Range&) = delete;
  Range& operator=(const Range&) = delete;
  const DispatchTable& Members() const override;

  void Adjust(const Edit& edit) override;
  void StoryGone() override { story_ = nullptr; }

  int64_t Start() const;
  int64_t End() const;
  void SetStart(int64_t v);
  void SetEnd(int64_t v);
  void SetRange(int64_t start, int64_t end);
  std::string Text() const;
  // Replaces the text of the range (structure inside stays) and covers the new text.
  void SetText(const std::string& text);
  void Collapse(int32_t direction = wdCollapseStart);
  int32_t Move(int32_t unit = wdCharacter, int32_t count = 1);
  int32_t MoveStart(int32_t unit = wdCharacter, int32_t count = 1);
  int32_t MoveEnd(int32_t unit = wdCharacter, int32_t count = 1);
  void InsertBefore(const std::string& text);
  void InsertAfter(const std::string& text);
  void InsertParagraphAfter();
  void InsertParagraphBefore();
  // Deletes the text of the range (a collapsed range: the character after it). Whole tables in
  // the range go with their pictures and anchored shapes; cell and row marks of tables that are
  // only partly covered stay.
  void Delete();
  // True when this range lies inside `other`.
  bool InRange(const Range& other) const;
  void Select();
  std::shared_ptr<Range> Duplicate() const;
  bool IsEqual(const Range& other) const;

  std::shared_ptr<word::Paragraphs> Paragraphs();
  std::shared_ptr<word::Tables> Tables();
  std::shared_ptr<word::InlineShapes> InlineShapes();
  std::shared_ptr<word::ShapeRange> ShapeRange();
  std::shared_ptr<word::Cells> Cells();
  std::shared_ptr<word::Rows> Rows();
  Variant Information(int32_t type);
  std::shared_ptr<word::ParagraphFormat> ParagraphFormat();
  std::shared_ptr<word::Font> Font();
  std::shared_ptr<word::Find> Find();
  int32_t ComputeStatistics(int32_t statistic) const;

  Document& Doc() const;
  std::shared_ptr<Document> DocPtr() const;
  Story& GetStory() const;

  // Inserts plain text at `at` (CR LF and LF become paragraph marks); returns the count of
  // characters inserted. Raises where text cannot go (inside an end-of-row mark).
  static int64_t InsertText(Story& story, int64_t at, const std::string& text);
  static void DeleteContent(Story& story, int64_t from, int64_t to);

 protected:
  const DispatchTable& RangeMembers() const;
  virtual Bias CollapsedBias() const { return Bias::After; }
  std::weak_ptr<Document> doc_;
  Story* story_ = nullptr;
  int64_t start_ = 0;
  int64_t end_ = 0;

 private:
  int32_t MovePos(int64_t& pos, int32_t unit, int32_t count) const;
};

}  // namespace qv::word
