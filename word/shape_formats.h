#pragma once
// The formatting objects of a floating shape (Fill, Line, WrapFormat, TextFrame with its text
// range, Hyperlink, and the ColorFormat of a fill or line). Each reads and writes its shape's
// data, so a change made through one is seen through every other.

#include <functional>
#include <memory>

#include "word/shape.h"

namespace qv::word {

// Reaches a part of one shape's data; writes mark the document changed.
template <class D>
struct ShapePart {
  std::shared_ptr<Shape> shape;
  std::function<D&(ShapeData&)> part;
  const D& Get() const { return part(const_cast<ShapeData&>(shape->Data())); }
  D& Set() const { return part(shape->Mutable()); }
};

class ColorFormat : public Dispatch {
 public:
  explicit ColorFormat(ShapePart<int32_t> c) : c_(std::move(c)) {}
  const DispatchTable& Members() const override;
  int32_t RGB() const { return c_.Get(); }
  void SetRGB(int32_t v) { c_.Set() = v; }

 private:
  ShapePart<int32_t> c_;
};

class FillFormat : public Dispatch {
 public:
  explicit FillFormat(std::shared_ptr<Shape> s) : s_(std::move(s)) {}
  const DispatchTable& Members() const override;
  std::shared_ptr<ColorFormat> ForeColor();
  void UserPicture(const std::string& file);
  std::shared_ptr<Shape> Target() const { return s_; }

 private:
  std::shared_ptr<Shape> s_;
};

class LineFormat : public Dispatch {
 public:
  explicit LineFormat(std::shared_ptr<Shape> s) : s_(std::move(s)) {}
  const DispatchTable& Members() const override;
  std::shared_ptr<ColorFormat> ForeColor();
  std::shared_ptr<ColorFormat> BackColor();
  std::shared_ptr<Shape> Target() const { return s_; }

 private:
  std::shared_ptr<Shape> s_;
};

class WrapFormat : public Dispatch {
 public:
  explicit WrapFormat(std::shared_ptr<Shape> s) : s_(std::move(s)) {}
  const DispatchTable& Members() const override;
  std::shared_ptr<Shape> Target() const { return s_; }

 private:
  std::shared_ptr<Shape> s_;
};

// The text of a shape's text frame, as a range of its own story.
class ShapeTextRange : public Dispatch {
 public:
  explicit ShapeTextRange(std::shared_ptr<Shape> s) : s_(std::move(s)) {}
  const DispatchTable& Members() const override;
  std::string Text() const { return s_->Data().textFrame.text; }
  void SetText(const std::string& t) { s_->Mutable().textFrame.text = t; }
  void InsertAfter(const std::string& t) { s_->Mutable().textFrame.text += t; }
  void InsertBefore(const std::string& t);
  std::shared_ptr<word::Font> Font();
  std::shared_ptr<word::ParagraphFormat> ParagraphFormat();

 private:
  std::shared_ptr<Shape> s_;
};

class TextFrame : public Dispatch {
 public:
  explicit TextFrame(std::shared_ptr<Shape> s) : s_(std::move(s)) {}
  const DispatchTable& Members() const override;
  std::shared_ptr<ShapeTextRange> TextRange() { return std::make_shared<ShapeTextRange>(s_); }
  std::shared_ptr<Shape> Target() const { return s_; }

 private:
  std::shared_ptr<Shape> s_;
};

class Hyperlink : public Dispatch {
 public:
  explicit Hyperlink(std::shared_ptr<Shape> s) : s_(std::move(s)) {}
  const DispatchTable& Members() const override;
  std::string Address() const { return s_->Data().hyperlink; }
  void SetAddress(const std::string& a) { s_->Mutable().hyperlink = a; }
  void Delete() { s_->Mutable().hyperlink.clear(); }

 private:
  std::shared_ptr<Shape> s_;
};

}  // namespace qv::word
