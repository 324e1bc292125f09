#include "word/shape_formats.h"

#include "word/errors.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;

namespace {

template <class T, class F>
void Field(ClassTable<T>& t, const char* name, F part) {
  t.Prop(
      name, [part](T& x) { return Variant(part(const_cast<ShapeData&>(x.Target()->Data()))); },
      [part](T& x, const Variant& v) {
        auto& field = part(x.Target()->Mutable());
        using V = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<V, bool>)
          field = v.ToBool();
        else if constexpr (std::is_same_v<V, int32_t>)
          field = v.ToInt32();
        else
          field = v.ToDouble();
      });
}

}  // namespace

const DispatchTable& ColorFormat::Members() const {
  static const DispatchTable table =
      ClassTable<ColorFormat>("ColorFormat")
          .Prop(
              "RGB", [](ColorFormat& c) { return c.RGB(); },
              [](ColorFormat& c, const Variant& v) { c.SetRGB(v.ToInt32()); })
          .Build();
  return table;
}

std::shared_ptr<ColorFormat> FillFormat::ForeColor() {
  return std::make_shared<ColorFormat>(
      ShapePart<int32_t>{s_, [](ShapeData& d) -> int32_t& { return d.fill.foreColor; }});
}

void FillFormat::UserPicture(const std::string& file) {
  ImageData image = LoadImageFile(file);
  auto& d = s_->Mutable();
  d.fill.picture = std::move(image);
  d.fill.userPicture = file;
  d.fill.visible = true;
}

const DispatchTable& FillFormat::Members() const {
  static const DispatchTable table = [] {
    ClassTable<FillFormat> t("FillFormat");
    Field(t, "Visible", [](ShapeData& d) -> bool& { return d.fill.visible; });
    Field(t, "Transparency", [](ShapeData& d) -> double& { return d.fill.transparency; });
    t.Get("ForeColor", [](FillFormat& f) { return f.ForeColor(); })
        .Sub("Solid", [](FillFormat& f, Args&) { f.Target()->Mutable().fill.solid = true; })
        .Sub("UserPicture", [](FillFormat& f, Args& a) { f.UserPicture(a.Text(0)); });
    return t.Build();
  }();
  return table;
}

std::shared_ptr<ColorFormat> LineFormat::ForeColor() {
  return std::make_shared<ColorFormat>(
      ShapePart<int32_t>{s_, [](ShapeData& d) -> int32_t& { return d.line.foreColor; }});
}

std::shared_ptr<ColorFormat> LineFormat::BackColor() {
  return std::make_shared<ColorFormat>(
      ShapePart<int32_t>{s_, [](ShapeData& d) -> int32_t& { return d.line.backColor; }});
}

const DispatchTable& LineFormat::Members() const {
  static const DispatchTable table = [] {
    ClassTable<LineFormat> t("LineFormat");
    Field(t, "Visible", [](ShapeData& d) -> bool& { return d.line.visible; });
    Field(t, "Weight", [](ShapeData& d) -> double& { return d.line.weight; });
    Field(t, "DashStyle", [](ShapeData& d) -> int32_t& { return d.line.dashStyle; });
    Field(t, "Style", [](ShapeData& d) -> int32_t& { return d.line.style; });
    Field(t, "Transparency", [](ShapeData& d) -> double& { return d.line.transparency; });
    t.Get("ForeColor", [](LineFormat& f) {
       return f.ForeColor();
     }).Get("BackColor", [](LineFormat& f) { return f.BackColor(); });
    return t.Build();
  }();
  return table;
}

const DispatchTable& WrapFormat::Members() const {
  static const DispatchTable table = [] {
    ClassTable<WrapFormat> t("WrapFormat");
    Field(t, "AllowOverlap", [](ShapeData& d) -> bool& { return d.wrap.allowOverlap; });
    Field(t, "Side", [](ShapeData& d) -> int32_t& { return d.wrap.side; });
    Field(t, "Type", [](ShapeData& d) -> int32_t& { return d.wrap.type; });
    Field(t, "DistanceTop", [](ShapeData& d) -> double& { return d.wrap.distanceTop; });
    Field(t, "DistanceBottom", [](ShapeData& d) -> double& { return d.wrap.distanceBottom; });
    Field(t, "DistanceLeft", [](ShapeData& d) -> double& { return d.wrap.distanceLeft; });
    Field(t, "DistanceRight", [](ShapeData& d) -> double& { return d.wrap.distanceRight; });
    return t.Build();
  }();
  return table;
}

void ShapeTextRange::InsertBefore(const std::string& t) {
  auto& text = s_->Mutable().textFrame.text;
  text.insert(0, t);
}

std::shared_ptr<word::Font> ShapeTextRange::Font() {
  auto s = s_;
  FontTarget t;
  t.read = [s]() { return std::vector<FontData>{s->Data().textFrame.font}; };
  t.change = [s](const std::function<void(FontData&)>& f) { f(s->Mutable().textFrame.font); };
  return std::make_shared<word::Font>(std::move(t));
}

std::shared_ptr<word::ParagraphFormat> ShapeTextRange::ParagraphFormat() {
  auto s = s_;
  ParaTarget t;
  t.read = [s]() {
    ParaData p;
    p.alignment = s->Data().textFrame.alignment;
    return std::vector<ParaData>{p};
  };
  t.change = [s](const std::function<void(ParaData&)>& f) {
    ParaData p;
    p.alignment = s->Data().textFrame.alignment;
    f(p);
    s->Mutable().textFrame.alignment = p.alignment;
  };
  return std::make_shared<word::ParagraphFormat>(std::move(t));
}

const DispatchTable& ShapeTextRange::Members() const {
  static const DispatchTable table =
      ClassTable<ShapeTextRange>("Range")
          .Prop(
              "Text", [](ShapeTextRange& r) { return r.Text(); },
              [](ShapeTextRange& r, const Variant& v) { r.SetText(v.ToText()); })
          .Sub("InsertAfter", [](ShapeTextRange& r, Args& a) { r.InsertAfter(a.Text(0)); })
          .Sub("InsertBefore", [](ShapeTextRange& r, Args& a) { r.InsertBefore(a.Text(0)); })
          .Get("Font", [](ShapeTextRange& r) { return r.Font(); })
          .Get("ParagraphFormat", [](ShapeTextRange& r) { return r.ParagraphFormat(); })
          .Build();
  return table;
}

const DispatchTable& TextFrame::Members() const {
  static const DispatchTable table = [] {
    ClassTable<TextFrame> t("TextFrame");
    Field(t, "MarginLeft", [](ShapeData& d) -> double& { return d.textFrame.marginLeft; });
    Field(t, "MarginRight", [](ShapeData& d) -> double& { return d.textFrame.marginRight; });
    Field(t, "MarginTop", [](ShapeData& d) -> double& { return d.textFrame.marginTop; });
    Field(t, "MarginBottom", [](ShapeData& d) -> double& { return d.textFrame.marginBottom; });
    t.Get("TextRange", [](TextFrame& f) { return f.TextRange(); }).Get("HasText", [](TextFrame& f) {
      return !f.Target()->Data().textFrame.text.empty();
    });
    return t.Build();
  }();
  return table;
}

const DispatchTable& Hyperlink::Members() const {
  static const DispatchTable table =
      ClassTable<Hyperlink>("Hyperlink")
          .Prop(
              "Address", [](Hyperlink& h) { return h.Address(); },
              [](Hyperlink& h, const Variant& v) { h.SetAddress(v.ToText()); })
          .Sub("Delete", [](Hyperlink& h, Args&) { h.Delete(); })
          .Build();
  return table;
}

}  // namespace qv::word
