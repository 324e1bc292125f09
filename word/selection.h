#pragma once
// Selection: the insertion point or selected stretch of a document window, with what the user
// can select besides text (an inline picture, floating shapes). It is a range of its own, moved
// by every edit as the insertion point is.

#include <memory>
#include <vector>

#include "word/range.h"

namespace qv::word {

class Shape;

inline constexpr int32_t wdSelectionIP = 1;
inline constexpr int32_t wdSelectionNormal = 2;
inline constexpr int32_t wdSelectionInlineShape = 7;
inline constexpr int32_t wdSelectionShape = 8;

class Selection : public Range {
 public:
  explicit Selection(const std::shared_ptr<Document>& doc) : word::Range(doc, 0, 0) {}
  const DispatchTable& Members() const override;

  int32_t Type() const;
  std::shared_ptr<word::Range> Range() const { return Duplicate(); }
  void TypeText(const std::string& text);
  void TypeParagraph() { TypeText("\r"); }
  // Inserts rows like the last (first) selected row below (above) the selection and selects them.
  void InsertRowsBelow(int32_t count = 1);
  void InsertRowsAbove(int32_t count = 1);
  std::shared_ptr<word::ShapeRange> ShapeRange();
  // Selecting text drops selected shapes; selecting shapes keeps the text position.
  void SelectText(int64_t start, int64_t end);
  void SelectShapes(std::vector<std::shared_ptr<Shape>> shapes);
  void AddShape(const std::shared_ptr<Shape>& shape);

 private:
  Bias CollapsedBias() const override { return Bias::Stay; }
  void InsertRows(int32_t count, bool below);
  std::vector<std::weak_ptr<Shape>> shapes_;
};

}  // namespace qv::word
