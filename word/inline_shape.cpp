#include "word/inline_shape.h"

#include "word/document.h"
#include "word/errors.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/shape.h"
#include "word/structure.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;

const DispatchTable& OleControl::Members() const {
  static const DispatchTable table =
      ClassTable<OleControl>("OleControl")
          .Prop(
              "Text", [](OleControl& c) { return c.text; },
              [](OleControl& c, const Variant& v) { c.text = v.ToText(); })
          .Prop(
              "Value", [](OleControl& c) { return c.text; },
              [](OleControl& c, const Variant& v) { c.text = v.ToText(); })
          .Prop(
              "Name", [](OleControl& c) { return c.name; },
              [](OleControl& c, const Variant& v) { c.name = v.ToText(); })
          .Build();
  return table;
}

const DispatchTable& OLEFormat::Members() const {
  static const DispatchTable table =
      ClassTable<OLEFormat>("OLEFormat")
          .Get("Object", [](OLEFormat& f) { return f.Object(); })
          .Get("ClassType", [](OLEFormat& f) { return f.ClassType(); })
          .Get("ProgID", [](OLEFormat& f) { return f.ClassType(); })
          .Build();
  return table;
}

InlineShape::InlineShape(std::weak_ptr<Document> doc, int32_t type)
    : doc_(std::move(doc)), type_(type) {}

void InlineShape::Check() const {
  auto d = doc_.lock();
  if (deleted_ || !d || d->Closed()) RaiseDeleted();
}

void InlineShape::Changed() {
  if (auto d = doc_.lock()) d->MarkChanged();
}

int64_t InlineShape::Position() const {
  Check();
  return at_.Pos();
}

int32_t InlineShape::Type() const {
  Check();
  return type_;
}

const std::string& InlineShape::AlternativeText() const {
  Check();
  return alt_;
}

void InlineShape::SetAlternativeText(const std::string& text) {
  Check();
  alt_ = text;
  Changed();
}

double InlineShape::Width() const {
  Check();
  return width_;
}
double InlineShape::Height() const {
  Check();
  return height_;
}

void InlineShape::SetWidth(double w) {
  Check();
  CheckMeasurement(w);
  if (lockAspect_ && width_ > 0) height_ = height_ * w / width_;
  width_ = w;
  Changed();
}

void InlineShape::SetHeight(double h) {
  Check();
  CheckMeasurement(h);
  if (lockAspect_ && height_ > 0) width_ = width_ * h / height_;
  height_ = h;
  Changed();
}

bool InlineShape::LockAspectRatio() const {
  Check();
  return lockAspect_;
}

void InlineShape::SetLockAspectRatio(bool v) {
  Check();
  lockAspect_ = v;
  Changed();
}

std::shared_ptr<word::Range> InlineShape::Range() {
  Check();
  return doc_.lock()->Range(at_.Pos(), at_.Pos() + 1);
}

std::shared_ptr<word::Borders> InlineShape::Borders() {
  Check();
  auto self = std::static_pointer_cast<InlineShape>(shared_from_this());
  return std::make_shared<word::Borders>(Binding<BorderData>{self,
                                                             [self]() -> BorderData& {
                                                               self->Check();
                                                               return self->borders_;
                                                             },
                                                             [self] { self->Changed(); }});
}

std::shared_ptr<word::OLEFormat> InlineShape::OLEFormat() {
  Check();
  if (!control_) RaiseNotAvailable("the object is not an embedded control");
  return std::make_shared<word::OLEFormat>(control_, controlClass_);
}

void InlineShape::SetImage(ImageData image, std::string source) {
  image_ = std::move(image);
  source_ = std::move(source);
  width_ = image_.Width();
  height_ = image_.Height();
}

void InlineShape::SetControl(std::shared_ptr<OleControl> c, std::string classType) {
  control_ = std::move(c);
  controlClass_ = std::move(classType);
}

std::shared_ptr<Shape> InlineShape::ConvertToShape() {
  Check();
  if (type_ != wdInlineShapePicture) RaiseNotAvailable("only pictures convert to shapes");
  auto doc = doc_.lock();
  ShapeData d;
  d.type = msoPicture;
  d.width = width_;
  d.height = height_;
  d.alt = alt_;
  d.image = image_;
  d.source = source_;
  d.lockAspectRatio = lockAspect_;
  d.wrap.type = 0;
  d.line.visible = borders_.AnyVisible();
  d.fill.visible = false;
  const int64_t at = at_.Pos();
  auto self = std::static_pointer_cast<InlineShape>(shared_from_this());
  doc->GetStory().Remove(at, at + 1);
  return Shapes::Place(*doc, at, std::move(d));
}

void InlineShape::Select() {
  Check();
  doc_.lock()->Selection()->SelectText(at_.Pos(), at_.Pos() + 1);
}

void InlineShape::Delete() {
  Check();
  const int64_t at = at_.Pos();
  doc_.lock()->GetStory().Remove(at, at + 1);
}

const DispatchTable& InlineShape::Members() const {
  static const DispatchTable table =
      ClassTable<InlineShape>("InlineShape")
          .Prop(
              "AlternativeText", [](InlineShape& s) { return s.AlternativeText(); },
              [](InlineShape& s, const Variant& v) { s.SetAlternativeText(v.ToText()); })
          .Prop(
              "Width", [](InlineShape& s) { return s.Width(); },
              [](InlineShape& s, const Variant& v) { s.SetWidth(v.ToDouble()); })
          .Prop(
              "Height", [](InlineShape& s) { return s.Height(); },
              [](InlineShape& s, const Variant& v) { s.SetHeight(v.ToDouble()); })
          .Prop(
              "LockAspectRatio", [](InlineShape& s) { return s.LockAspectRatio(); },
              [](InlineShape& s, const Variant& v) { s.SetLockAspectRatio(v.ToBool()); })
          .Get("Type", [](InlineShape& s) { return s.Type(); })
          .Get("Range", [](InlineShape& s) { return s.Range(); })
          .Get("Borders", [](InlineShape& s) { return s.Borders(); })
          .Get("OLEFormat", [](InlineShape& s) { return s.OLEFormat(); })
          .Method("ConvertToShape", [](InlineShape& s, Args&) { return s.ConvertToShape(); })
          .Sub("Select", [](InlineShape& s, Args&) { s.Select(); })
          .Sub("Delete", [](InlineShape& s, Args&) { s.Delete(); })
          .Build();
  return table;
}

// ---------------------------------------------------------------------------------- InlineShapes

InlineShapes::InlineShapes(std::weak_ptr<Document> doc, std::shared_ptr<word::Range> scope)
    : doc_(std::move(doc)), scope_(std::move(scope)) {}

const std::vector<std::shared_ptr<InlineShape>>& InlineShapes::List() {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  Story& story = doc->GetStory();
  if (revision_ != story.Revision()) {
    cache_.clear();
    for (InlineShape* s : InlineShapesIn(story, scope_->Start(), scope_->End()))
      cache_.push_back(story.Shared(s));
    revision_ = story.Revision();
  }
  return cache_;
}

int32_t InlineShapes::Count() {
  return static_cast<int32_t>(List().size());
}

std::shared_ptr<InlineShape> InlineShapes::Item(int32_t index) {
  const auto& list = List();
  return list[CheckIndex(index, list.size())];
}

std::shared_ptr<InlineShape> InlineShapes::Place(Document& doc, int64_t at, int32_t type) {
  Story& story = doc.GetStory();
  at = std::min(at, story.Length() - 1);
  for (size_t i = story.FirstMarkAt(at); i < story.Marks().size() && story.Marks()[i]->Pos() == at;
       ++i)
    if (story.Marks()[i]->kind == MarkKind::RowEnd) RaiseNotAvailable("it is the end of a row");
  auto shape = std::make_shared<InlineShape>(doc.Self(), type);
  Char c = story.Template(at);
  c.cp = kObjectChar;
  shape->CharMark()->Place(0);
  story.Own(shape);
  story.Insert(at, {c}, {shape->CharMark()});
  return shape;
}

int64_t InlineShapes::Target(const std::shared_ptr<word::Range>& at) {
  if (at) {
    // A picture added at a stretch of text replaces it.
    if (at->Start() != at->End()) at->Delete();
    return at->Start();
  }
  return scope_->Start();
}

std::shared_ptr<InlineShape> InlineShapes::AddPicture(const std::string& fileName, bool, bool,
                                                      const std::shared_ptr<word::Range>& at) {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  ImageData image = LoadImageFile(fileName);
  auto shape = Place(*doc, Target(at), wdInlineShapePicture);
  shape->SetImage(std::move(image), fileName);
  return shape;
}

std::shared_ptr<InlineShape> InlineShapes::AddOLEControl(const std::string& classType,
                                                         const std::shared_ptr<word::Range>& at) {
  auto doc = doc_.lock();
  if (!doc) RaiseDeleted();
  // "Forms.TextBox.1" -> "TextBox"
  std::string name = classType;
  if (name.rfind("Forms.", 0) == 0) name = name.substr(6);
  if (const auto dot = name.find('.'); dot != std::string::npos) name = name.substr(0, dot);
  if (name.empty()) RaiseInvalidCall();
  auto shape = Place(*doc, Target(at), wdInlineShapeOLEControlObject);
  shape->SetControl(std::make_shared<OleControl>(name), classType);
  shape->Restore("", 72, 18, false);
  return shape;
}

const DispatchTable& InlineShapes::Members() const {
  static const DispatchTable table =
      ClassTable<InlineShapes>("InlineShapes")
          .Collection()
          .Method("AddPicture",
                  [](InlineShapes& s, Args& a) {
                    std::shared_ptr<word::Range> at;
                    if (a.Has(3)) at = std::dynamic_pointer_cast<word::Range>(a.Object(3));
                    return s.AddPicture(a.Text(0), a.Opt(1, Variant(false)).ToBool(),
                                        a.Opt(2, Variant(true)).ToBool(), at);
                  })
          .Method("AddOLEControl",
                  [](InlineShapes& s, Args& a) {
                    std::shared_ptr<word::Range> at;
                    if (a.Has(1)) at = std::dynamic_pointer_cast<word::Range>(a.Object(1));
                    return s.AddOLEControl(a.Text(0), at);
                  })
          .Build();
  return table;
}

}  // namespace qv::word
