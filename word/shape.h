#pragma once
// Floating shapes: auto-shapes, pictures and text boxes that lie over the text, each anchored to
// a paragraph of the main text. The document keeps them back to front; a shape whose anchor
// paragraph is removed goes with it.

#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "word/formatting.h"
#include "word/image_info.h"
#include "word/story.h"

namespace qv::word {

class Document;
class InlineShape;
class Range;

// Shape.Type
inline constexpr int32_t msoAutoShape = 1;
inline constexpr int32_t msoLinkedPicture = 11;
inline constexpr int32_t msoPicture = 13;
inline constexpr int32_t msoTextBox = 17;
// ZOrder commands
inline constexpr int32_t msoBringToFront = 0;
inline constexpr int32_t msoSendToBack = 1;
inline constexpr int32_t msoBringForward = 2;
inline constexpr int32_t msoSendBackward = 3;
inline constexpr int32_t msoBringInFrontOfText = 4;
inline constexpr int32_t msoSendBehindText = 5;
// AutoShapeType: the outline drawn by an auto-shape (the common ones; any number is kept).
inline constexpr int32_t msoShapeRectangle = 1;
inline constexpr int32_t msoShapeParallelogram = 2;
inline constexpr int32_t msoShapeTrapezoid = 3;
inline constexpr int32_t msoShapeDiamond = 4;
inline constexpr int32_t msoShapeRoundedRectangle = 5;
inline constexpr int32_t msoShapeOctagon = 6;
inline constexpr int32_t msoShapeIsoscelesTriangle = 7;
inline constexpr int32_t msoShapeRightTriangle = 8;
inline constexpr int32_t msoShapeOval = 9;
inline constexpr int32_t msoShapeHexagon = 10;
// Line.DashStyle and Line.Style
inline constexpr int32_t msoLineSolid = 1;
inline constexpr int32_t msoLineSingle = 1;
// RelativeHorizontalPosition
inline constexpr int32_t wdRelativeHorizontalPositionMargin = 0;
inline constexpr int32_t wdRelativeHorizontalPositionPage = 1;
inline constexpr int32_t wdRelativeHorizontalPositionColumn = 2;
inline constexpr int32_t wdRelativeHorizontalPositionCharacter = 3;
// RelativeVerticalPosition
inline constexpr int32_t wdRelativeVerticalPositionMargin = 0;
inline constexpr int32_t wdRelativeVerticalPositionPage = 1;
inline constexpr int32_t wdRelativeVerticalPositionParagraph = 2;
inline constexpr int32_t wdRelativeVerticalPositionLine = 3;
// WrapFormat.Side
inline constexpr int32_t wdWrapBoth = 0;
inline constexpr int32_t wdWrapLeft = 1;
inline constexpr int32_t wdWrapRight = 2;
inline constexpr int32_t wdWrapLargest = 3;
// WrapFormat.Type
inline constexpr int32_t wdWrapSquare = 0;
inline constexpr int32_t wdWrapTight = 1;
inline constexpr int32_t wdWrapThrough = 2;
inline constexpr int32_t wdWrapNone = 3;
inline constexpr int32_t wdWrapTopBottom = 4;

struct FillData {
  bool visible = true;
  bool solid = true;
  int32_t foreColor = 0xFFFFFF;
  double transparency = 0;
  std::string userPicture;  // the file the picture fill came from
  ImageData picture;
  friend bool operator==(const FillData&, const FillData&) = default;
};

struct LineData {
  bool visible = true;
  double weight = 0.75;
  int32_t dashStyle = msoLineSolid;
  int32_t style = msoLineSingle;
  int32_t foreColor = 0;
  int32_t backColor = 0xFFFFFF;
  double transparency = 0;
  friend bool operator==(const LineData&, const LineData&) = default;
};

struct WrapData {
  bool allowOverlap = true;
  int32_t side = wdWrapBoth;
  int32_t type = wdWrapSquare;
  double distanceTop = 0, distanceBottom = 0, distanceLeft = 9, distanceRight = 9;
  friend bool operator==(const WrapData&, const WrapData&) = default;
};

struct TextFrameData {
  double marginLeft = 7.2, marginRight = 7.2, marginTop = 3.6, marginBottom = 3.6;
  std::string text;
  FontData font;
  int32_t alignment = 0;
  friend bool operator==(const TextFrameData&, const TextFrameData&) = default;
};

struct ShapeData {
  int32_t type = msoAutoShape;
  int32_t autoShapeType = msoShapeRectangle;
  double left = 0, top = 0, width = 0, height = 0;
  std::string name;
  std::string alt;
  bool visible = true;
  FillData fill;
  LineData line;
  WrapData wrap;
  int32_t relativeHorizontal = wdRelativeHorizontalPositionColumn;
  int32_t relativeVertical = wdRelativeVerticalPositionParagraph;
  bool lockAnchor = false;
  bool lockAspectRatio = false;
  bool behindText = false;
  TextFrameData textFrame;
  std::string hyperlink;
  ImageData image;
  std::string source;
  friend bool operator==(const ShapeData&, const ShapeData&) = default;
};

class Shape;

// A floating shape's place in the story: a mark in the story's list of anchors, which follows
// every edit without being visited. The story tells it when the story itself goes.
class ShapeAnchor final : public StoryNode {
 public:
  ShapeAnchor(Shape& shape, int64_t pos) : mark(pos, MarkKind::ShapeAnchor, this), shape_(shape) {}
  ShapeAnchor(const ShapeAnchor&) = delete;
  ShapeAnchor& operator=(const ShapeAnchor&) = delete;
  void MarkRemoved() override;
  std::shared_ptr<void> KeepAlive() override;
  int64_t ExtentEnd() const override { return mark.Pos(); }
  Shape& Owner() const { return shape_; }

  Mark mark;

 private:
  Shape& shape_;
};

class Shape : public Dispatch {
 public:
  Shape(const std::shared_ptr<Document>& doc, int64_t anchor, ShapeData data);
  ~Shape() override;
  const DispatchTable& Members() const override;

  // The story went away: the shape is gone with it.
  void StoryGone();

  bool Deleted() const { return deleted_; }
  const ShapeData& Data() const;
  // Every write goes through here: the document is marked changed.
  ShapeData& Mutable();
  int64_t AnchorPos() const;
  std::shared_ptr<Range> Anchor();
  int32_t ZOrderPosition() const;
  void ZOrder(int32_t command);
  void Select(bool replace = true);
  void Delete();
  std::shared_ptr<InlineShape> ConvertToInlineShape();
  Document& Doc() const;
  // The document forgets the shape (deleted with its anchor, or closed).
  void Detach();

 private:
  friend class Document;
  void Check() const;
  std::weak_ptr<Document> doc_;
  Story* story_ = nullptr;
  // The shape's place in the document's z-order, as a key that grows from back to front.
  uint64_t zKey_ = 0;
  ShapeAnchor anchor_;
  ShapeData data_;
  bool deleted_ = false;
};

class Shapes : public Dispatch {
 public:
  explicit Shapes(std::weak_ptr<Document> doc) : doc_(std::move(doc)) {}
  const DispatchTable& Members() const override;
  int32_t Count() const;
  std::shared_ptr<Shape> Item(const Variant& index) const;
  // Anchored at the paragraph of `anchor` (without one, of the selection).
  std::shared_ptr<Shape> AddShape(int32_t type, double left, double top, double width,
                                  double height, const std::shared_ptr<Range>& anchor = nullptr);
  std::shared_ptr<Shape> AddPicture(const std::string& fileName, bool linkToFile = false,
                                    bool saveWithDocument = true, const Variant& left = {},
                                    const Variant& top = {}, const Variant& width = {},
                                    const Variant& height = {},
                                    const std::shared_ptr<Range>& anchor = nullptr);
  std::shared_ptr<Shape> AddTextbox(int32_t orientation, double left, double top, double width,
                                    double height, const std::shared_ptr<Range>& anchor = nullptr);
  // Adds a shape with the given data at the paragraph of `anchorPos` (the file reader uses it).
  static std::shared_ptr<Shape> Place(Document& doc, int64_t anchorPos, ShapeData data);

 private:
  std::weak_ptr<Document> doc_;
};

class ShapeRange : public Dispatch {
 public:
  explicit ShapeRange(std::vector<std::shared_ptr<Shape>> shapes) : shapes_(std::move(shapes)) {}
  const DispatchTable& Members() const override;
  int32_t Count() const { return static_cast<int32_t>(shapes_.size()); }
  std::shared_ptr<Shape> Item(int32_t index) const;
  const std::vector<std::shared_ptr<Shape>>& List() const { return shapes_; }
  // The left position shared by every shape of the range; 9999999 (the host's "undefined") when
  // they differ or the range is empty.
  double Left() const;
  // Moves every shape of the range to that left position (points).
  void SetLeft(double left);

 private:
  std::vector<std::shared_ptr<Shape>> shapes_;
};

}  // namespace qv::word
