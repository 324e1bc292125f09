#include "word/shape.h"

#include <algorithm>

#include "word/document.h"
#include "word/errors.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/shape_formats.h"
#include "word/structure.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;

void ShapeAnchor::MarkRemoved() {
  shape_.StoryGone();
}

std::shared_ptr<void> ShapeAnchor::KeepAlive() {
  return shape_.shared_from_this();
}

// The anchor follows its paragraph: text typed at the paragraph's start pushes it along (the
// anchor mark's gravity).
Shape::Shape(const std::shared_ptr<Document>& doc, int64_t anchor, ShapeData data)
    : doc_(doc), story_(&doc->GetStory()), anchor_(*this, anchor), data_(std::move(data)) {
  story_->AddAnchor(&anchor_.mark);
}

Shape::~Shape() {
  if (story_) story_->RemoveAnchor(&anchor_.mark);
}

void Shape::StoryGone() {
  story_ = nullptr;
  deleted_ = true;
}

void Shape::Detach() {
  if (story_) story_->RemoveAnchor(&anchor_.mark);
  story_ = nullptr;
  deleted_ = true;
}

void Shape::Check() const {
  if (deleted_ || !story_ || doc_.expired()) RaiseDeleted();
}

Document& Shape::Doc() const {
  Check();
  return *doc_.lock();
}

const ShapeData& Shape::Data() const {
  Check();
  return data_;
}

ShapeData& Shape::Mutable() {
  Doc().MarkChanged();
  return data_;
}

int64_t Shape::AnchorPos() const {
  Check();
  return anchor_.mark.Pos();
}

std::shared_ptr<Range> Shape::Anchor() {
  Check();
  return Doc().Range(ParagraphStart(*story_, AnchorPos()), ParagraphEnd(*story_, AnchorPos()));
}

int32_t Shape::ZOrderPosition() const {
  const size_t i = Doc().ShapeIndex(this);
  if (i == SIZE_MAX) RaiseDeleted();
  return static_cast<int32_t>(i + 1);
}

void Shape::ZOrder(int32_t command) {
  Document& doc = Doc();
  const auto n = doc.ShapeList().size();
  const auto at = static_cast<size_t>(ZOrderPosition() - 1);
  switch (command) {
    case msoBringToFront:
      doc.MoveShape(this, n - 1);
      break;
    case msoSendToBack:
      doc.MoveShape(this, 0);
      break;
    case msoBringForward:
      doc.MoveShape(this, std::min(at + 1, n - 1));
      break;
    case msoSendBackward:
      doc.MoveShape(this, at == 0 ? 0 : at - 1);
      break;
    case msoBringInFrontOfText:
      Mutable().behindText = false;
      break;
    case msoSendBehindText:
      Mutable().behindText = true;
      break;
    default:
      RaiseInvalidCall();
  }
  doc.MarkChanged();
}

void Shape::Select(bool replace) {
  auto self = std::static_pointer_cast<Shape>(shared_from_this());
  auto sel = Doc().Selection();
  if (replace)
    sel->SelectShapes({self});
  else
    sel->AddShape(self);
}

void Shape::Delete() {
  Document& doc = Doc();
  auto keep = std::static_pointer_cast<Shape>(shared_from_this());
  doc.RemoveShape(this);
  doc.MarkChanged();
}

std::shared_ptr<InlineShape> Shape::ConvertToInlineShape() {
  Check();
  if (data_.type != msoPicture && data_.type != msoLinkedPicture)
    RaiseNotAvailable("only pictures convert to inline shapes");
  auto doc = doc_.lock();
  auto keep = std::static_pointer_cast<Shape>(shared_from_this());
  auto inl = InlineShapes::Place(*doc, AnchorPos(), wdInlineShapePicture);
  inl->SetImage(data_.image, data_.source);
  inl->Restore(data_.alt, data_.width, data_.height, data_.lockAspectRatio);
  doc->RemoveShape(this);
  return inl;
}

const DispatchTable& Shape::Members() const {
  auto num = [](ClassTable<Shape>& t, const char* name, double ShapeData::*field) {
    t.Prop(
        name, [field](Shape& s) { return s.Data().*field; },
        [field](Shape& s, const Variant& v) { s.Mutable().*field = v.ToDouble(); });
  };
  auto integer = [](ClassTable<Shape>& t, const char* name, int32_t ShapeData::*field) {
    t.Prop(
        name, [field](Shape& s) { return s.Data().*field; },
        [field](Shape& s, const Variant& v) { s.Mutable().*field = v.ToInt32(); });
  };
  auto flag = [](ClassTable<Shape>& t, const char* name, bool ShapeData::*field) {
    t.Prop(
        name, [field](Shape& s) { return s.Data().*field; },
        [field](Shape& s, const Variant& v) { s.Mutable().*field = v.ToBool(); });
  };
  static const DispatchTable table = [&] {
    ClassTable<Shape> t("Shape");
    num(t, "Left", &ShapeData::left);
    num(t, "Top", &ShapeData::top);
    num(t, "Width", &ShapeData::width);
    num(t, "Height", &ShapeData::height);
    integer(t, "RelativeHorizontalPosition", &ShapeData::relativeHorizontal);
    integer(t, "RelativeVerticalPosition", &ShapeData::relativeVertical);
    integer(t, "AutoShapeType", &ShapeData::autoShapeType);
    flag(t, "LockAnchor", &ShapeData::lockAnchor);
    flag(t, "LockAspectRatio", &ShapeData::lockAspectRatio);
    flag(t, "Visible", &ShapeData::visible);
    t.Prop(
         "AlternativeText", [](Shape& s) { return s.Data().alt; },
         [](Shape& s, const Variant& v) { s.Mutable().alt = v.ToText(); })
        .Prop(
            "Name", [](Shape& s) { return s.Data().name; },
            [](Shape& s, const Variant& v) { s.Mutable().name = v.ToText(); })
        .Get("Type", [](Shape& s) { return s.Data().type; })
        .Get("Anchor", [](Shape& s) { return s.Anchor(); })
        .Get("ZOrderPosition", [](Shape& s) { return s.ZOrderPosition(); })
        .Sub("ZOrder", [](Shape& s, Args& a) { s.ZOrder(a.Int(0)); })
        .Get("Fill",
             [](Shape& s) {
               return std::make_shared<FillFormat>(
                   std::static_pointer_cast<Shape>(s.shared_from_this()));
             })
        .Get("Line",
             [](Shape& s) {
               return std::make_shared<LineFormat>(
                   std::static_pointer_cast<Shape>(s.shared_from_this()));
             })
        .Get("WrapFormat",
             [](Shape& s) {
               return std::make_shared<WrapFormat>(
                   std::static_pointer_cast<Shape>(s.shared_from_this()));
             })
        .Get("TextFrame",
             [](Shape& s) {
               return std::make_shared<TextFrame>(
                   std::static_pointer_cast<Shape>(s.shared_from_this()));
             })
        .Get("Hyperlink",
             [](Shape& s) {
               s.Data();
               return std::make_shared<Hyperlink>(
                   std::static_pointer_cast<Shape>(s.shared_from_this()));
             })
        .Sub("Select", [](Shape& s, Args& a) { s.Select(a.Opt(0, Variant(true)).ToBool()); })
        .Sub("Delete", [](Shape& s, Args&) { s.Delete(); })
        .Method("ConvertToInlineShape", [](Shape& s, Args&) { return s.ConvertToInlineShape(); });
    return t.Build();
  }();
  return table;
}

// ---------------------------------------------------------------------------------------- Shapes

int32_t Shapes::Count() const {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  return static_cast<int32_t>(doc->ShapeList().size());
}

std::shared_ptr<Shape> Shapes::Item(const Variant& index) const {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  const auto& list = doc->ShapeList();
  if (index.IsText()) {
    for (const auto& s : list)
      if (s->Data().name == index.ToText()) return s;
    RaiseNoItem();
  }
  return list[CheckIndex(index.ToInt32(), list.size())];
}

std::shared_ptr<Shape> Shapes::Place(Document& doc, int64_t anchorPos, ShapeData data) {
  Story& story = doc.GetStory();
  anchorPos = ParagraphStart(story, std::min(anchorPos, story.Length() - 1));
  auto shape = std::make_shared<Shape>(doc.Self(), anchorPos, std::move(data));
  doc.AddShape(shape);
  doc.NewShapeName(shape);
  doc.MarkChanged();
  return shape;
}

namespace {

int64_t AnchorOf(Document& doc, const std::shared_ptr<Range>& anchor) {
  return anchor ? anchor->Start() : doc.Selection()->Start();
}

}  // namespace

std::shared_ptr<Shape> Shapes::AddShape(int32_t type, double left, double top, double width,
                                        double height, const std::shared_ptr<Range>& anchor) {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  ShapeData d;
  d.type = msoAutoShape;
  d.autoShapeType = type;
  d.left = left;
  d.top = top;
  d.width = width;
  d.height = height;
  return Place(*doc, AnchorOf(*doc, anchor), std::move(d));
}

std::shared_ptr<Shape> Shapes::AddTextbox(int32_t, double left, double top, double width,
                                          double height, const std::shared_ptr<Range>& anchor) {
  auto s = AddShape(1, left, top, width, height, anchor);
  s->Mutable().type = msoTextBox;
  return s;
}

std::shared_ptr<Shape> Shapes::AddPicture(const std::string& fileName, bool linkToFile, bool,
                                          const Variant& left, const Variant& top,
                                          const Variant& width, const Variant& height,
                                          const std::shared_ptr<Range>& anchor) {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  ImageData image = LoadImageFile(fileName);
  ShapeData d;
  d.type = linkToFile ? msoLinkedPicture : msoPicture;
  d.width = width.IsEmpty() ? image.Width() : width.ToDouble();
  d.height = height.IsEmpty() ? image.Height() : height.ToDouble();
  d.left = left.IsEmpty() ? 0 : left.ToDouble();
  d.top = top.IsEmpty() ? 0 : top.ToDouble();
  d.image = std::move(image);
  d.source = fileName;
  d.fill.visible = false;
  d.line.visible = false;
  d.lockAspectRatio = true;
  return Place(*doc, AnchorOf(*doc, anchor), std::move(d));
}

const DispatchTable& Shapes::Members() const {
  static const DispatchTable table =
      ClassTable<Shapes>("Shapes")
          .Collection()
          .Method("AddShape",
                  [](Shapes& s, Args& a) {
                    std::shared_ptr<Range> anchor;
                    if (a.Has(5)) anchor = std::dynamic_pointer_cast<Range>(a.Object(5));
                    return s.AddShape(a.Int(0), a.Double(1), a.Double(2), a.Double(3), a.Double(4),
                                      anchor);
                  })
          .Method("AddTextbox",
                  [](Shapes& s, Args& a) {
                    std::shared_ptr<Range> anchor;
                    if (a.Has(5)) anchor = std::dynamic_pointer_cast<Range>(a.Object(5));
                    return s.AddTextbox(a.Int(0), a.Double(1), a.Double(2), a.Double(3),
                                        a.Double(4), anchor);
                  })
          .Method("AddPicture",
                  [](Shapes& s, Args& a) {
                    std::shared_ptr<Range> anchor;
                    if (a.Has(7)) anchor = std::dynamic_pointer_cast<Range>(a.Object(7));
                    return s.AddPicture(a.Text(0), a.Opt(1, Variant(false)).ToBool(),
                                        a.Opt(2, Variant(true)).ToBool(), a.Opt(3, {}),
                                        a.Opt(4, {}), a.Opt(5, {}), a.Opt(6, {}), anchor);
                  })
          .Build();
  return table;
}

std::shared_ptr<Shape> ShapeRange::Item(int32_t index) const {
  return shapes_[CheckIndex(index, shapes_.size())];
}

double ShapeRange::Left() const {
  constexpr double kUndefined = 9999999;
  if (shapes_.empty()) return kUndefined;
  const double left = shapes_.front()->Data().left;
  for (const auto& s : shapes_)
    if (s->Data().left != left) return kUndefined;
  return left;
}

void ShapeRange::SetLeft(double left) {
  for (const auto& s : shapes_) {
    s->Data();  // a deleted shape raises, as every member of it does
    s->Mutable().left = left;
  }
}

const DispatchTable& ShapeRange::Members() const {
  static const DispatchTable table =
      ClassTable<ShapeRange>("ShapeRange")
          .Collection()
          .Prop(
              "Left", [](ShapeRange& r) { return r.Left(); },
              [](ShapeRange& r, const Variant& v) { r.SetLeft(v.ToDouble()); })
          .Sub("Select",
               [](ShapeRange& r, Args&) {
                 bool first = true;
                 for (const auto& s : r.List()) {
                   s->Select(first);
                   first = false;
                 }
               })
          .Sub("Delete",
               [](ShapeRange& r, Args&) {
                 for (const auto& s : r.List())
                   if (!s->Deleted()) s->Delete();
               })
          .Build();
  return table;
}

}  // namespace qv::word
