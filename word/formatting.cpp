#include "word/formatting.h"

#include "word/errors.h"

namespace qv::word {

namespace {
constexpr double kUndefined = 9999999;
}

// --- Font ---

std::string Font::Name() const {
  const auto all = t_.read();
  if (all.empty()) return "";
  for (const auto& f : all)
    if (f.name != all[0].name) return "";
  return all[0].name;
}

double Font::Size() const {
  const auto all = t_.read();
  if (all.empty()) return kUndefined;
  for (const auto& f : all)
    if (f.size != all[0].size) return kUndefined;
  return all[0].size;
}

int32_t Font::Color() const {
  const auto all = t_.read();
  if (all.empty()) return static_cast<int32_t>(kUndefined);
  for (const auto& f : all)
    if (f.color != all[0].color) return static_cast<int32_t>(kUndefined);
  return all[0].color;
}

bool Font::Bold() const {
  const auto all = t_.read();
  return !all.empty() && all[0].bold;
}

void Font::SetName(const std::string& v) {
  t_.change([&](FontData& f) { f.name = v; });
}
void Font::SetSize(double v) {
  if (v < 1 || v > 1638) RaiseBadValue();
  t_.change([&](FontData& f) { f.size = v; });
}
void Font::SetColor(int32_t v) {
  t_.change([&](FontData& f) { f.color = v; });
}
void Font::SetBold(bool v) {
  t_.change([&](FontData& f) { f.bold = v; });
}

const DispatchTable& Font::Members() const {
  static const DispatchTable table =
      ClassTable<Font>("Font")
          .Prop(
              "Name", [](Font& f) { return f.Name(); },
              [](Font& f, const Variant& v) { f.SetName(v.ToText()); })
          .Prop(
              "Size", [](Font& f) { return f.Size(); },
              [](Font& f, const Variant& v) { f.SetSize(v.ToDouble()); })
          .Prop(
              "Color", [](Font& f) { return f.Color(); },
              [](Font& f, const Variant& v) { f.SetColor(v.ToInt32()); })
          .Prop(
              "Bold", [](Font& f) { return f.Bold(); },
              [](Font& f, const Variant& v) { f.SetBold(v.ToBool()); })
          .Build();
  return table;
}

// --- ParagraphFormat ---

template <class F>
auto ParagraphFormat::Read(F field) const {
  const auto all = t_.read();
  using T = decltype(field(ParaData{}));
  if (all.empty()) return T{};
  return field(all.front());
}

bool ParagraphFormat::KeepTogether() const {
  return Read([](const ParaData& p) { return p.keepTogether; });
}
bool ParagraphFormat::KeepWithNext() const {
  return Read([](const ParaData& p) { return p.keepWithNext; });
}
double ParagraphFormat::SpaceAfter() const {
  return Read([](const ParaData& p) { return p.spaceAfter; });
}
int32_t ParagraphFormat::Alignment() const {
  return Read([](const ParaData& p) { return p.alignment; });
}
void ParagraphFormat::SetKeepTogether(bool v) {
  t_.change([&](ParaData& p) { p.keepTogether = v; });
}
void ParagraphFormat::SetKeepWithNext(bool v) {
  t_.change([&](ParaData& p) { p.keepWithNext = v; });
}
void ParagraphFormat::SetSpaceAfter(double v) {
  CheckMeasurement(v);
  t_.change([&](ParaData& p) { p.spaceAfter = v; });
}
void ParagraphFormat::SetAlignment(int32_t v) {
  if (v < 0 || v > 9) RaiseInvalidCall();
  t_.change([&](ParaData& p) { p.alignment = v; });
}

const DispatchTable& ParagraphFormat::Members() const {
  static const DispatchTable table =
      ClassTable<ParagraphFormat>("ParagraphFormat")
          .Prop(
              "KeepTogether", [](ParagraphFormat& p) { return p.KeepTogether(); },
              [](ParagraphFormat& p, const Variant& v) { p.SetKeepTogether(v.ToBool()); })
          .Prop(
              "KeepWithNext", [](ParagraphFormat& p) { return p.KeepWithNext(); },
              [](ParagraphFormat& p, const Variant& v) { p.SetKeepWithNext(v.ToBool()); })
          .Prop(
              "SpaceAfter", [](ParagraphFormat& p) { return p.SpaceAfter(); },
              [](ParagraphFormat& p, const Variant& v) { p.SetSpaceAfter(v.ToDouble()); })
          .Prop(
              "Alignment", [](ParagraphFormat& p) { return p.Alignment(); },
              [](ParagraphFormat& p, const Variant& v) { p.SetAlignment(v.ToInt32()); })
          .Build();
  return table;
}

// --- Borders ---

bool BorderData::AnyVisible() const {
  for (const auto& l : lines)
    if (l.lineStyle != wdLineStyleNone) return true;
  return false;
}

void BorderData::SetAll(int32_t style) {
  for (auto& l : lines)
    l.lineStyle = style;
}

void Border::SetLineStyle(int32_t v) {
  b_.get().lines[index_].lineStyle = v;
  b_.changed();
}
void Border::SetColor(int32_t v) {
  b_.get().lines[index_].color = v;
  b_.changed();
}

const DispatchTable& Border::Members() const {
  static const DispatchTable table =
      ClassTable<Border>("Border")
          .Prop(
              "LineStyle", [](Border& b) { return b.LineStyle(); },
              [](Border& b, const Variant& v) { b.SetLineStyle(v.ToInt32()); })
          .Prop(
              "Color", [](Border& b) { return b.Color(); },
              [](Border& b, const Variant& v) { b.SetColor(v.ToInt32()); })
          .Prop(
              "Visible", [](Border& b) { return b.LineStyle() != wdLineStyleNone; },
              [](Border& b, const Variant& v) {
                b.SetLineStyle(v.ToBool() ? wdLineStyleSingle : wdLineStyleNone);
              })
          .Build();
  return table;
}

template <class F>
void Borders::Change(F f) {
  f(b_.get());
  b_.changed();
}

void Borders::SetEnable(bool on) {
  Change([&](BorderData& d) { d.SetAll(on ? wdLineStyleSingle : wdLineStyleNone); });
}
void Borders::SetOutsideLineStyle(int32_t v) {
  Change([&](BorderData& d) {
    for (size_t i = 0; i < 4; ++i)
      d.lines[i].lineStyle = v;
  });
}
void Borders::SetOutsideColor(int32_t v) {
  Change([&](BorderData& d) {
    for (size_t i = 0; i < 4; ++i)
      d.lines[i].color = v;
  });
}
void Borders::SetInsideLineStyle(int32_t v) {
  Change([&](BorderData& d) { d.lines[4].lineStyle = d.lines[5].lineStyle = v; });
}
void Borders::SetInsideColor(int32_t v) {
  Change([&](BorderData& d) { d.lines[4].color = d.lines[5].color = v; });
}
void Borders::SetShadow(bool v) {
  Change([&](BorderData& d) { d.shadow = v; });
}

std::shared_ptr<Border> Borders::Item(int32_t which) {
  if (which > -1 || which < -6) automation::Raise(automation::err::kSubscript);
  b_.get();  // raises when the owner is gone
  return std::make_shared<Border>(b_, static_cast<size_t>(-which - 1));
}

const DispatchTable& Borders::Members() const {
  static const DispatchTable table =
      ClassTable<Borders>("Borders")
          .Prop(
              "Enable", [](Borders& b) { return b.Enable(); },
              [](Borders& b, const Variant& v) { b.SetEnable(v.ToBool()); })
          .Prop(
              "OutsideLineStyle", [](Borders& b) { return b.OutsideLineStyle(); },
              [](Borders& b, const Variant& v) { b.SetOutsideLineStyle(v.ToInt32()); })
          .Prop(
              "OutsideColor", [](Borders& b) { return b.OutsideColor(); },
              [](Borders& b, const Variant& v) { b.SetOutsideColor(v.ToInt32()); })
          .Prop(
              "InsideLineStyle", [](Borders& b) { return b.InsideLineStyle(); },
              [](Borders& b, const Variant& v) { b.SetInsideLineStyle(v.ToInt32()); })
          .Prop(
              "InsideColor", [](Borders& b) { return b.InsideColor(); },
              [](Borders& b, const Variant& v) { b.SetInsideColor(v.ToInt32()); })
          .Prop(
              "Shadow", [](Borders& b) { return b.Shadow(); },
              [](Borders& b, const Variant& v) { b.SetShadow(v.ToBool()); })
          .Collection()
          .Build();
  return table;
}

// --- Shading ---

void Shading::SetBackgroundPatternColor(int32_t v) {
  b_.get().background = v;
  b_.changed();
}
void Shading::SetForegroundPatternColor(int32_t v) {
  b_.get().foreground = v;
  b_.changed();
}
void Shading::SetTexture(int32_t v) {
  b_.get().texture = v;
  b_.changed();
}

const DispatchTable& Shading::Members() const {
  static const DispatchTable table =
      ClassTable<Shading>("Shading")
          .Prop(
              "BackgroundPatternColor", [](Shading& s) { return s.BackgroundPatternColor(); },
              [](Shading& s, const Variant& v) { s.SetBackgroundPatternColor(v.ToInt32()); })
          .Prop(
              "ForegroundPatternColor", [](Shading& s) { return s.ForegroundPatternColor(); },
              [](Shading& s, const Variant& v) { s.SetForegroundPatternColor(v.ToInt32()); })
          .Prop(
              "Texture", [](Shading& s) { return s.Texture(); },
              [](Shading& s, const Variant& v) { s.SetTexture(v.ToInt32()); })
          .Build();
  return table;
}

}  // namespace qv::word
