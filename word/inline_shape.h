#pragma once
// InlineShape: a picture or embedded control standing as one character (code 1) in the text. It
// carries its alternative text exactly as written (question data lives there), its size, border
// and the picture's bytes; it converts to a floating shape.

#include <memory>
#include <string>

#include "automation/dispatch.h"
#include "word/formatting.h"
#include "word/image_info.h"
#include "word/story.h"

namespace qv::word {

class Document;
class Range;
class Shape;

inline constexpr int32_t wdInlineShapePicture = 3;
inline constexpr int32_t wdInlineShapeOLEControlObject = 5;

// An embedded forms control; its type name is the control's class ("TextBox").
class OleControl : public Dispatch {
 public:
  explicit OleControl(std::string className) : className_(std::move(className)) {}
  const DispatchTable& Members() const override;
  std::string TypeName() const override { return className_; }
  const std::string& ClassName() const { return className_; }
  std::string text;
  std::string name;

 private:
  std::string className_;
};

class OLEFormat : public Dispatch {
 public:
  OLEFormat(std::shared_ptr<OleControl> object, std::string classType)
      : object_(std::move(object)), classType_(std::move(classType)) {}
  const DispatchTable& Members() const override;
  std::shared_ptr<OleControl> Object() const { return object_; }
  const std::string& ClassType() const { return classType_; }

 private:
  std::shared_ptr<OleControl> object_;
  std::string classType_;
};

class InlineShape : public Dispatch, public StoryNode {
 public:
  InlineShape(std::weak_ptr<Document> doc, int32_t type);
  const DispatchTable& Members() const override;

  void MarkRemoved() override { deleted_ = true; }
  std::shared_ptr<void> KeepAlive() override { return shared_from_this(); }
  int64_t ExtentEnd() const override { return at_.Pos(); }

  bool Deleted() const { return deleted_; }
  int64_t Position() const;
  int32_t Type() const;
  const std::string& AlternativeText() const;
  void SetAlternativeText(const std::string& text);
  double Width() const;
  double Height() const;
  void SetWidth(double w);
  void SetHeight(double h);
  bool LockAspectRatio() const;
  void SetLockAspectRatio(bool v);
  std::shared_ptr<word::Range> Range();
  std::shared_ptr<word::Borders> Borders();
  std::shared_ptr<word::OLEFormat> OLEFormat();
  // Replaces the inline picture by a floating picture anchored at its paragraph.
  std::shared_ptr<Shape> ConvertToShape();
  void Select();
  void Delete();

  const ImageData& Image() const { return image_; }
  void SetImage(ImageData image, std::string source);
  const std::string& SourceFile() const { return source_; }
  const BorderData& BorderFmt() const { return borders_; }
  BorderData& MutableBorders() { return borders_; }
  std::shared_ptr<OleControl> Control() const { return control_; }
  void SetControl(std::shared_ptr<OleControl> c, std::string classType);
  const std::string& ControlClass() const { return controlClass_; }
  Mark* CharMark() { return &at_; }
  // Writes formatting without marking the document changed (the file reader).
  void Restore(std::string alt, double w, double h, bool lock) {
    alt_ = std::move(alt);
    width_ = w;
    height_ = h;
    lockAspect_ = lock;
  }

 private:
  void Check() const;
  void Changed();

  std::weak_ptr<Document> doc_;
  Mark at_{-1, MarkKind::Object, this};
  int32_t type_;
  std::string alt_;
  double width_ = 0;
  double height_ = 0;
  bool lockAspect_ = true;
  BorderData borders_;
  ImageData image_;
  std::string source_;
  std::shared_ptr<OleControl> control_;
  std::string controlClass_;
  bool deleted_ = false;
};

class InlineShapes : public Dispatch {
 public:
  InlineShapes(std::weak_ptr<Document> doc, std::shared_ptr<word::Range> scope);
  const DispatchTable& Members() const override;
  int32_t Count();
  std::shared_ptr<InlineShape> Item(int32_t index);
  // Adds a picture from a file at `at` (a non-collapsed range is replaced; without one, at the
  // start of the collection's range). Links are not kept: the bytes go into the document.
  std::shared_ptr<InlineShape> AddPicture(const std::string& fileName, bool linkToFile = false,
                                          bool saveWithDocument = true,
                                          const std::shared_ptr<word::Range>& at = nullptr);
  // Adds an embedded forms control ("Forms.TextBox.1" makes a "TextBox").
  std::shared_ptr<InlineShape> AddOLEControl(const std::string& classType,
                                             const std::shared_ptr<word::Range>& at = nullptr);
  // Places a new inline shape node at `at` (used by AddPicture, ConvertToInlineShape, the reader).
  static std::shared_ptr<InlineShape> Place(Document& doc, int64_t at, int32_t type);

 private:
  const std::vector<std::shared_ptr<InlineShape>>& List();
  int64_t Target(const std::shared_ptr<word::Range>& at);
  std::weak_ptr<Document> doc_;
  std::shared_ptr<word::Range> scope_;
  uint64_t revision_ = 0;
  std::vector<std::shared_ptr<InlineShape>> cache_;
};

}  // namespace qv::word
