#include "word/doc_file.h"

#include <climits>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "automation/text/utf8.h"
#include "word/custom_properties.h"
#include "word/doc_record.h"
#include "word/document.h"
#include "word/errors.h"
#include "word/inline_shape.h"
#include "word/inline_shape_record.h"
#include "word/page_setup.h"
#include "word/shape.h"
#include "word/structure.h"
#include "word/table.h"
#include "word/table_record.h"
#include "word/window.h"

namespace qv::word {

using nlohmann::json;

namespace {

constexpr char kB64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// A fault in a record being read; turned into the refusal at the edge.
struct BadRecord : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void Require(bool ok, const char* what) {
  if (!ok) throw BadRecord(what);
}

// Where in the record the reader is, for the refusal: "tables[2].rows[0]". Kept as names and
// indexes and spelled out only for a refusal, since every table, row and cell passes through.
struct Place {
  const char* name;
  size_t index;
  bool listed;
};
thread_local std::vector<Place> tPath;
thread_local std::string tFailedAt;

class Within {
 public:
  explicit Within(const char* part) { tPath.push_back({part, 0, false}); }
  Within(const char* list, size_t index) { tPath.push_back({list, index, true}); }
  ~Within() {
    // The innermost place is recorded while the fault unwinds through it.
    if (std::uncaught_exceptions() > 0 && tFailedAt.empty()) {
      for (const auto& p : tPath) {
        if (!tFailedAt.empty()) tFailedAt += ".";
        tFailedAt += p.name;
        if (p.listed) tFailedAt += "[" + std::to_string(p.index) + "]";
      }
    }
    tPath.pop_back();
  }
  Within(const Within&) = delete;
  Within& operator=(const Within&) = delete;
};

// Numbers are taken only when the engine can hold them as they are: a colour of 2^40 or a width of
// 1e400 is a damaged file, not a value to be cut down silently.
int64_t Integer(const json& v, int64_t lo = INT64_MIN, int64_t hi = INT64_MAX) {
  Require(v.is_number_integer(), "a number is missing or not a whole number");
  if (v.is_number_unsigned()) {
    const auto u = v.get<uint64_t>();
    Require(u <= static_cast<uint64_t>(hi), "a number is out of range");
    return static_cast<int64_t>(u);
  }
  const auto x = v.get<int64_t>();
  Require(x >= lo && x <= hi, "a number is out of range");
  return x;
}

int32_t Int32(const json& v) {
  return static_cast<int32_t>(Integer(v, INT32_MIN, INT32_MAX));
}

// Sizes, positions and distances in points: finite and within `limit` either way.
double Number(const json& v, double limit = 1e7) {
  Require(v.is_number(), "a number is missing or not a number");
  const double d = v.get<double>();
  Require(std::isfinite(d) && std::fabs(d) <= limit, "a number is out of range");
  return d;
}

json FontJson(const FontData& f) {
  return {{"name", f.name},
          {"size", f.size},
          {"color", f.color},
          {"bold", f.bold},
          {"italic", f.italic}};
}
FontData FontFrom(const json& j) {
  FontData f;
  f.name = j.at("name").get<std::string>();
  f.size = Number(j.at("size"));
  f.color = Int32(j.at("color"));
  f.bold = j.value("bold", false);
  f.italic = j.value("italic", false);
  return f;
}

json ParaJson(const ParaData& p) {
  return {{"keepTogether", p.keepTogether},
          {"keepWithNext", p.keepWithNext},
          {"spaceAfter", p.spaceAfter},
          {"spaceBefore", p.spaceBefore},
          {"alignment", p.alignment}};
}
ParaData ParaFrom(const json& j) {
  ParaData p;
  p.keepTogether = j.at("keepTogether").get<bool>();
  p.keepWithNext = j.at("keepWithNext").get<bool>();
  p.spaceAfter = Number(j.at("spaceAfter"));
  p.spaceBefore = j.value("spaceBefore", 0.0);
  p.alignment = Int32(j.at("alignment"));
  return p;
}

json BordersJson(const BorderData& b) {
  json lines = json::array();
  for (const auto& l : b.lines)
    lines.push_back({l.lineStyle, l.color, l.width});
  return {{"lines", lines}, {"shadow", b.shadow}};
}
BorderData BordersFrom(const json& j) {
  BorderData b;
  const auto& lines = j.at("lines");
  Require(lines.is_array() && lines.size() == 6, "a border record does not have six lines");
  for (size_t i = 0; i < 6; ++i) {
    b.lines[i].lineStyle = Int32(lines[i].at(0));
    b.lines[i].color = Int32(lines[i].at(1));
    b.lines[i].width = Number(lines[i].at(2));
  }
  b.shadow = j.at("shadow").get<bool>();
  return b;
}

json ShadingJson(const ShadingData& s) {
  return {{"texture", s.texture}, {"background", s.background}, {"foreground", s.foreground}};
}
ShadingData ShadingFrom(const json& j) {
  return {Int32(j.at("texture")), Int32(j.at("background")), Int32(j.at("foreground"))};
}

json PaddingJson(const std::array<double, 4>& p) {
  return {p[0], p[1], p[2], p[3]};
}
std::array<double, 4> PaddingFrom(const json& j) {
  Require(j.is_array() && j.size() == 4, "a padding record does not have four sides");
  return {Number(j[0]), Number(j[1]), Number(j[2]), Number(j[3])};
}

json ImageJson(const ImageData& i) {
  if (i.bytes.empty()) return nullptr;
  return {{"format", i.format}, {"data", Base64Encode(i.bytes)}};
}
// A picture from its base64 data and the kind of picture it claims to be.
ImageData ImageFromData(std::string_view data, const std::function<std::string()>& format) {
  std::string bytes;
  Require(Base64Decode(data, bytes), "picture data is not base64");
  const std::string kind = format();
  if (auto image = ParseImage(bytes)) return std::move(*image);
  // A picture of a kind we cannot decode (brought in from another program) is kept as it is; a
  // picture that claims a kind we decode must be one.
  Require(kind != "gif" && kind != "png" && kind != "jpeg" && kind != "bmp" && !kind.empty(),
          "embedded picture is not a picture");
  ImageData kept;
  kept.format = kind;
  kept.bytes = std::move(bytes);
  return kept;
}

ImageData ImageFrom(const json& j) {
  if (j.is_null()) return {};
  // The format is read after the data is checked, so a record wrong in both is named by its data.
  return ImageFromData(j.at("data").get<std::string>(),
                       [&] { return j.at("format").get<std::string>(); });
}

json VariantJson(const automation::Variant& v) {
  switch (v.GetType()) {
    case automation::Variant::Type::Boolean:
      return v.ToBool();
    case automation::Variant::Type::Int16:
    case automation::Variant::Type::Int32:
      return v.ToInt32();
    case automation::Variant::Type::Double:
      return v.ToDouble();
    case automation::Variant::Type::Date:
      return v.ToDate().Serial();
    default:
      return v.ToText();
  }
}
automation::Variant VariantFrom(int32_t type, const json& j) {
  switch (type) {
    case msoPropertyTypeNumber:
      return automation::Variant(Int32(j));
    case msoPropertyTypeBoolean:
      return automation::Variant(j.get<bool>());
    case msoPropertyTypeDate:
      return automation::Variant(automation::Date(Number(j, 1e7)));
    case msoPropertyTypeFloat:
      return automation::Variant(Number(j, 1e300));
    case msoPropertyTypeString:
      return automation::Variant(j.get<std::string>());
    default:
      throw BadRecord("unknown custom property type");
  }
}

}  // namespace

json ShapeRecordJson(const ShapeData& d, int64_t anchor, const json& image,
                     const json& fillPicture) {
  return {
      {"anchor", anchor},
      {"type", d.type},
      {"autoShapeType", d.autoShapeType},
      {"left", d.left},
      {"top", d.top},
      {"width", d.width},
      {"height", d.height},
      {"name", d.name},
      {"alternativeText", d.alt},
      {"visible", d.visible},
      {"fill",
       {{"visible", d.fill.visible},
        {"solid", d.fill.solid},
        {"foreColor", d.fill.foreColor},
        {"transparency", d.fill.transparency},
        {"userPicture", d.fill.userPicture},
        {"picture", fillPicture}}},
      {"line",
       {{"visible", d.line.visible},
        {"weight", d.line.weight},
        {"dashStyle", d.line.dashStyle},
        {"style", d.line.style},
        {"foreColor", d.line.foreColor},
        {"backColor", d.line.backColor},
        {"transparency", d.line.transparency}}},
      {"wrap",
       {{"allowOverlap", d.wrap.allowOverlap},
        {"side", d.wrap.side},
        {"type", d.wrap.type},
        {"distances",
         {d.wrap.distanceTop, d.wrap.distanceBottom, d.wrap.distanceLeft, d.wrap.distanceRight}}}},
      {"relativeHorizontalPosition", d.relativeHorizontal},
      {"relativeVerticalPosition", d.relativeVertical},
      {"lockAnchor", d.lockAnchor},
      {"lockAspectRatio", d.lockAspectRatio},
      {"behindText", d.behindText},
      {"textFrame",
       {{"margins",
         {d.textFrame.marginTop, d.textFrame.marginBottom, d.textFrame.marginLeft,
          d.textFrame.marginRight}},
        {"text", d.textFrame.text},
        {"font", FontJson(d.textFrame.font)},
        {"alignment", d.textFrame.alignment}}},
      {"hyperlink", d.hyperlink},
      {"image", image},
      {"source", d.source},
  };
}

namespace {

json ShapeJson(const Story& story, const Shape& s) {
  const ShapeData& d = s.Data();
  // The anchor is a paragraph: stored as the paragraph's start.
  return ShapeRecordJson(d, ParagraphStart(story, s.AnchorPos()), ImageJson(d.image),
                         ImageJson(d.fill.picture));
}

ShapeData ShapeFrom(const json& j) {
  ShapeData d;
  d.type = Int32(j.at("type"));
  d.autoShapeType = Int32(j.at("autoShapeType"));
  d.left = Number(j.at("left"));
  d.top = Number(j.at("top"));
  d.width = Number(j.at("width"));
  d.height = Number(j.at("height"));
  d.name = j.at("name").get<std::string>();
  d.alt = j.at("alternativeText").get<std::string>();
  d.visible = j.at("visible").get<bool>();
  const auto& f = j.at("fill");
  d.fill.visible = f.at("visible").get<bool>();
  d.fill.solid = f.at("solid").get<bool>();
  d.fill.foreColor = Int32(f.at("foreColor"));
  d.fill.transparency = Number(f.at("transparency"));
  d.fill.userPicture = f.at("userPicture").get<std::string>();
  d.fill.picture = ImageFrom(f.at("picture"));
  const auto& l = j.at("line");
  d.line.visible = l.at("visible").get<bool>();
  d.line.weight = Number(l.at("weight"));
  d.line.dashStyle = Int32(l.at("dashStyle"));
  d.line.style = Int32(l.at("style"));
  d.line.foreColor = Int32(l.at("foreColor"));
  d.line.backColor = Int32(l.at("backColor"));
  d.line.transparency = Number(l.at("transparency"));
  const auto& w = j.at("wrap");
  d.wrap.allowOverlap = w.at("allowOverlap").get<bool>();
  d.wrap.side = Int32(w.at("side"));
  d.wrap.type = Int32(w.at("type"));
  const auto& dist = w.at("distances");
  Require(dist.is_array() && dist.size() == 4, "wrap distances are not four numbers");
  d.wrap.distanceTop = Number(dist[0]);
  d.wrap.distanceBottom = Number(dist[1]);
  d.wrap.distanceLeft = Number(dist[2]);
  d.wrap.distanceRight = Number(dist[3]);
  d.relativeHorizontal = Int32(j.at("relativeHorizontalPosition"));
  d.relativeVertical = Int32(j.at("relativeVerticalPosition"));
  d.lockAnchor = j.at("lockAnchor").get<bool>();
  d.lockAspectRatio = j.at("lockAspectRatio").get<bool>();
  d.behindText = j.at("behindText").get<bool>();
  const auto& t = j.at("textFrame");
  const auto& m = t.at("margins");
  Require(m.is_array() && m.size() == 4, "text frame margins are not four numbers");
  d.textFrame.marginTop = Number(m[0]);
  d.textFrame.marginBottom = Number(m[1]);
  d.textFrame.marginLeft = Number(m[2]);
  d.textFrame.marginRight = Number(m[3]);
  d.textFrame.text = t.at("text").get<std::string>();
  d.textFrame.font = FontFrom(t.at("font"));
  d.textFrame.alignment = Int32(t.at("alignment"));
  d.hyperlink = j.at("hyperlink").get<std::string>();
  d.image = ImageFrom(j.at("image"));
  d.source = j.at("source").get<std::string>();
  return d;
}

template <class T>
json Runs(const Story& s, T field) {
  json runs = json::array();
  int64_t count = 0;
  uint16_t current = 0;
  for (int64_t p = 0; p < s.Length(); ++p) {
    const uint16_t v = field(s.At(p));
    if (count > 0 && v != current) {
      runs.push_back({count, current});
      count = 0;
    }
    current = v;
    ++count;
  }
  if (count > 0) runs.push_back({count, current});
  return runs;
}

template <class T>
void ApplyRuns(std::vector<Char>& chars, const json& runs, size_t limit, T field) {
  Require(runs.is_array(), "formatting runs are not a list");
  size_t p = 0;
  for (const auto& r : runs) {
    const auto count = Integer(r.at(0));
    const auto index = Integer(r.at(1));
    Require(count > 0 && index >= 0 && static_cast<size_t>(index) < limit,
            "a formatting run is out of range");
    Require(p + static_cast<size_t>(count) <= chars.size(), "formatting runs overrun the text");
    for (int64_t k = 0; k < count; ++k)
      field(chars[p++]) = static_cast<uint16_t>(index);
  }
  Require(p == chars.size(), "formatting runs do not cover the text");
}

json CellJson(const Cell& c) {
  const CellFormat& f = c.Fmt();
  return {{"end", c.EndMark()},
          {"width", f.width},
          {"padding", PaddingJson(f.padding)},
          {"shading", ShadingJson(f.shading)},
          {"borders", BordersJson(f.borders)},
          {"verticalAlignment", f.verticalAlignment}};
}

json TableJson(Table& t) {
  const TableFormat& f = t.Fmt();
  json rows = json::array();
  for (const auto& r : t.RowList()) {
    json cells = json::array();
    for (const auto& c : r->CellList())
      cells.push_back(CellJson(*c));
    rows.push_back({{"end", r->EndMark()},
                    {"height", r->Height()},
                    {"heightRule", r->HeightRule()},
                    {"cells", cells}});
  }
  return {{"start", t.Start()},
          {"rows", rows},
          {"padding", PaddingJson(f.padding)},
          {"borders", BordersJson(f.borders)},
          {"shading", ShadingJson(f.shading)},
          {"allowAutoFit", f.allowAutoFit},
          {"autoFitBehavior", f.autoFitBehavior},
          {"preferredWidth", f.preferredWidth},
          {"preferredWidthType", f.preferredWidthType},
          {"tableBehavior", f.tableBehavior}};
}

}  // namespace

std::string Base64Encode(const std::string& bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const uint32_t n = (static_cast<uint8_t>(bytes[i]) << 16) |
                       (static_cast<uint8_t>(bytes[i + 1]) << 8) |
                       static_cast<uint8_t>(bytes[i + 2]);
    out += kB64[(n >> 18) & 63];
    out += kB64[(n >> 12) & 63];
    out += kB64[(n >> 6) & 63];
    out += kB64[n & 63];
  }
  if (i < bytes.size()) {
    uint32_t n = static_cast<uint32_t>(static_cast<uint8_t>(bytes[i])) << 16;
    if (i + 1 < bytes.size()) n |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[i + 1])) << 8;
    out += kB64[(n >> 18) & 63];
    out += kB64[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kB64[(n >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

bool Base64Decode(std::string_view text, std::string& out) {
  out.clear();
  if (text.size() % 4 != 0) return false;
  out.reserve(text.size() / 4 * 3);
  auto value = [](char c) -> int {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
  };
  for (size_t i = 0; i < text.size(); i += 4) {
    int v[4];
    int pad = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = text[i + static_cast<size_t>(k)];
      if (c == '=' && i + 4 == text.size() && k >= 2) {
        v[k] = 0;
        ++pad;
        continue;
      }
      if (pad > 0) return false;
      v[k] = value(c);
      if (v[k] < 0) return false;
    }
    const uint32_t n = (static_cast<uint32_t>(v[0]) << 18) | (static_cast<uint32_t>(v[1]) << 12) |
                       (static_cast<uint32_t>(v[2]) << 6) | static_cast<uint32_t>(v[3]);
    out += static_cast<char>((n >> 16) & 0xFF);
    if (pad < 2) out += static_cast<char>((n >> 8) & 0xFF);
    if (pad < 1) out += static_cast<char>(n & 0xFF);
  }
  return true;
}

json DocumentSmallParts(Document& doc) {
  Story& s = doc.GetStory();
  json fonts = json::array();
  for (const auto& f : s.Fonts())
    fonts.push_back(FontJson(f));
  json paras = json::array();
  for (const auto& p : s.Paras())
    paras.push_back(ParaJson(p));
  json shapes = json::array();
  for (const auto& sh : doc.ShapeList())
    shapes.push_back(ShapeJson(s, *sh));
  json props = json::array();
  for (const auto& p : doc.Properties().items)
    props.push_back({{"name", p.name},
                     {"type", p.type},
                     {"value", VariantJson(p.value)},
                     {"linkToContent", p.linkToContent},
                     {"linkSource", p.linkSource}});
  const PageSetupData& pg = doc.Page();
  return {
      {"format", kDocumentFormat},
      {"version", kDocumentFormatVersion},
      {"fonts", fonts},
      {"paragraphFormats", paras},
      {"shapes", shapes},
      {"customProperties", props},
      {"pageSetup",
       {{"pageWidth", pg.pageWidth},
        {"pageHeight", pg.pageHeight},
        {"leftMargin", pg.leftMargin},
        {"rightMargin", pg.rightMargin},
        {"topMargin", pg.topMargin},
        {"bottomMargin", pg.bottomMargin},
        {"orientation", pg.orientation}}},
      {"settings",
       {{"snapToGrid", doc.SnapToGrid()},
        {"snapToShapes", doc.SnapToShapes()},
        {"formsDesign", doc.FormsDesign()},
        {"viewType", doc.ActiveWindow()->View()->type}}},
  };
}

json DocumentToJson(Document& doc) {
  Story& s = doc.GetStory();
  json tables = json::array();
  json inlines = json::array();
  for (const Mark* m : s.Marks()) {
    if (m->kind == MarkKind::TableStart) {
      tables.push_back(TableJson(*static_cast<Table*>(m->owner)));
    } else if (m->kind == MarkKind::Object) {
      const auto& i = *static_cast<InlineShape*>(m->owner);
      json control = nullptr;
      if (auto c = i.Control())
        control = {{"classType", i.ControlClass()},
                   {"className", c->ClassName()},
                   {"text", c->text},
                   {"name", c->name}};
      inlines.push_back({{"at", m->Pos()},
                         {"type", i.Type()},
                         {"alternativeText", i.AlternativeText()},
                         {"width", i.Width()},
                         {"height", i.Height()},
                         {"lockAspectRatio", i.LockAspectRatio()},
                         {"borders", BordersJson(i.BorderFmt())},
                         {"image", ImageJson(i.Image())},
                         {"source", i.SourceFile()},
                         {"control", control}});
    }
  }
  json record = DocumentSmallParts(doc);
  record["text"] = text::EncodeUtf8(s.Codes(0, s.Length()));
  record["fontRuns"] = Runs(s, [](const Char& c) { return c.font; });
  record["paragraphRuns"] = Runs(s, [](const Char& c) { return c.para; });
  record["tables"] = std::move(tables);
  record["inlineShapes"] = std::move(inlines);
  return record;
}

namespace {

void Load(Document& doc, RecordParts& j) {
  Require(j.IsDocument(), "it is not a Quorvanta Word document");
  Require(Integer(j.At("version")) == kDocumentFormatVersion, "its format version is unknown");
  Story& story = doc.GetStory();
  const json& text = j.At("text");
  // The text is read in place; `get` raises for anything but a string, as it always did.
  const std::u32string codes = text::DecodeUtf8(
      text.is_string() ? text.get_ref<const std::string&>() : text.get<std::string>());
  Require(!codes.empty(), "the text is empty");
  std::vector<Char> chars;
  chars.reserve(codes.size());
  for (char32_t c : codes)
    chars.push_back(Char{c, 0, 0});
  std::vector<FontData> fonts;
  for (size_t i = 0; i < j.At("fonts").size(); ++i) {
    Within at("fonts", i);
    fonts.push_back(FontFrom(j.At("fonts").at(i)));
  }
  std::vector<ParaData> paras;
  for (size_t i = 0; i < j.At("paragraphFormats").size(); ++i) {
    Within at("paragraphFormats", i);
    paras.push_back(ParaFrom(j.At("paragraphFormats").at(i)));
  }
  Require(!fonts.empty() && !paras.empty() && fonts.size() < 0xFFFF && paras.size() < 0xFFFF,
          "the formatting tables are empty or too long");
  ApplyRuns(chars, j.At("fontRuns"), fonts.size(), [](Char& c) -> uint16_t& { return c.font; });
  ApplyRuns(chars, j.At("paragraphRuns"), paras.size(),
            [](Char& c) -> uint16_t& { return c.para; });
  const auto len = static_cast<int64_t>(chars.size());
  story.Load(std::move(chars), std::move(fonts), std::move(paras));
  // The marks are gathered and sorted once: registering them one by one would cost the square of
  // their number.
  std::vector<Mark*> marks;
  auto placeAt = [&](Mark* m, int64_t pos) {
    m->Place(pos);
    Require(m->Pos() >= 0 && m->Pos() < len, "a position lies outside the text");
    marks.push_back(m);
  };
  auto place = [&](Mark* m, const json& pos) { placeAt(m, Integer(pos)); };

  auto self = doc.Self();
  std::vector<std::shared_ptr<Table>> tables;
  for (size_t ti = 0; ti < j.Count("tables"); ++ti) {
    Within atTable("tables", ti);
    // A record as the saver writes it is read straight from its text; any other through the tree
    // and its checks. Both build the table in the same order, so a position fault is named alike.
    if (auto record = ReadTableRecord(j.ItemText("tables", ti)); record) {
      auto t = std::make_shared<Table>(self, std::weak_ptr<Cell>());
      t->MutableFmt() = record->format;
      story.Own(t);
      tables.push_back(t);
      placeAt(t->StartMark(), record->start);
      for (size_t ri = 0; ri < record->rows.size(); ++ri) {
        Within atRow("rows", ri);
        const RowRecord& rr = record->rows[ri];
        auto row = std::make_shared<Row>(self, t);
        t->MutableRows().push_back(row);
        for (size_t ci = 0; ci < rr.cells.size(); ++ci) {
          Within atCell("cells", ci);
          auto cell = std::make_shared<Cell>(self, row);
          t->MutableCells(*row).push_back(cell);
          cell->MutableFmt() = rr.cells[ci].format;
          placeAt(cell->EndMarkPtr(), rr.cells[ci].end);
        }
        row->Restore(rr.height, rr.heightRule);
        placeAt(row->EndMarkPtr(), rr.end);
      }
      continue;
    }
    const json& tj = j.Item("tables", ti);
    auto t = std::make_shared<Table>(self, std::weak_ptr<Cell>());
    TableFormat& f = t->MutableFmt();
    f.padding = PaddingFrom(tj.at("padding"));
    f.borders = BordersFrom(tj.at("borders"));
    f.shading = ShadingFrom(tj.at("shading"));
    f.allowAutoFit = tj.at("allowAutoFit").get<bool>();
    f.autoFitBehavior = Int32(tj.at("autoFitBehavior"));
    f.preferredWidth = Number(tj.at("preferredWidth"));
    f.preferredWidthType = Int32(tj.at("preferredWidthType"));
    f.tableBehavior = Int32(tj.at("tableBehavior"));
    story.Own(t);
    tables.push_back(t);
    place(t->StartMark(), tj.at("start"));
    Require(tj.at("rows").is_array() && !tj.at("rows").empty(), "a table has no rows");
    Require(tj.at("rows").size() <= kMaxRows, "a table has too many rows");
    for (size_t ri = 0; ri < tj.at("rows").size(); ++ri) {
      Within atRow("rows", ri);
      const json& rj = tj.at("rows").at(ri);
      auto row = std::make_shared<Row>(self, t);
      t->MutableRows().push_back(row);
      Require(rj.at("cells").is_array() && !rj.at("cells").empty(), "a row has no cells");
      Require(rj.at("cells").size() <= kMaxCellsInRow, "a row has too many cells");
      for (size_t ci = 0; ci < rj.at("cells").size(); ++ci) {
        Within atCell("cells", ci);
        const json& cj = rj.at("cells").at(ci);
        auto cell = std::make_shared<Cell>(self, row);
        t->MutableCells(*row).push_back(cell);
        CellFormat& cf = cell->MutableFmt();
        cf.width = Number(cj.at("width"));
        cf.padding = PaddingFrom(cj.at("padding"));
        cf.shading = ShadingFrom(cj.at("shading"));
        cf.borders = BordersFrom(cj.at("borders"));
        cf.verticalAlignment = Int32(cj.at("verticalAlignment"));
        place(cell->EndMarkPtr(), cj.at("end"));
      }
      row->Restore(Number(rj.at("height")), Int32(rj.at("heightRule")));
      place(row->EndMarkPtr(), rj.at("end"));
    }
  }
  for (size_t ii = 0; ii < j.Count("inlineShapes"); ++ii) {
    Within at("inlineShapes", ii);
    // As with the tables: the saver's own shape straight from the text, with the checks of the
    // values in the order the tree's reading makes them; anything else through the tree.
    if (auto record = ReadInlineShapeRecord(j.ItemText("inlineShapes", ii)); record) {
      auto shape = std::make_shared<InlineShape>(self, record->type);
      shape->SetImage(
          record->hasImage
              ? ImageFromData(record->imageData, [&] { return std::string(record->imageFormat); })
              : ImageData{},
          std::string(record->source));
      shape->Restore(std::string(record->alternativeText), record->width, record->height,
                     record->lockAspectRatio);
      shape->MutableBorders() = record->borders;
      if (const auto& c = record->control) {
        auto control = std::make_shared<OleControl>(std::string(c->className));
        control->text = std::string(c->text);
        control->name = std::string(c->name);
        shape->SetControl(control, std::string(c->classType));
      }
      story.Own(shape);
      placeAt(shape->CharMark(), record->at);
      continue;
    }
    const json& ij = j.Item("inlineShapes", ii);
    auto shape = std::make_shared<InlineShape>(self, Int32(ij.at("type")));
    shape->SetImage(ImageFrom(ij.at("image")), ij.at("source").get<std::string>());
    shape->Restore(ij.at("alternativeText").get<std::string>(), Number(ij.at("width")),
                   Number(ij.at("height")), ij.at("lockAspectRatio").get<bool>());
    shape->MutableBorders() = BordersFrom(ij.at("borders"));
    if (const auto& cj = ij.at("control"); !cj.is_null()) {
      auto control = std::make_shared<OleControl>(cj.at("className").get<std::string>());
      control->text = cj.at("text").get<std::string>();
      control->name = cj.at("name").get<std::string>();
      shape->SetControl(control, cj.at("classType").get<std::string>());
    }
    story.Own(shape);
    place(shape->CharMark(), ij.at("at"));
  }
  story.LoadMarks(std::move(marks));
  // Which cell holds each table: the first structure mark after its end, taken from the last
  // table back so that a table directly followed by another takes that one's container.
  const auto& sorted = story.Marks();
  for (auto it = tables.rbegin(); it != tables.rend(); ++it) {
    Table& t = **it;
    Require(!t.RowList().empty(), "a table has no rows");
    size_t i = story.FirstMarkAt(t.RowList().back()->EndMark() + 1);
    while (i < sorted.size() && sorted[i]->kind == MarkKind::Object)
      ++i;
    std::weak_ptr<Cell> container;
    if (i < sorted.size()) {
      if (sorted[i]->kind == MarkKind::CellEnd) {
        container = std::static_pointer_cast<Cell>(
            static_cast<Cell*>(sorted[i]->owner)->shared_from_this());
      } else if (sorted[i]->kind == MarkKind::TableStart) {
        container = static_cast<Table*>(sorted[i]->owner)->Container();
      }
    }
    t.SetContainer(container);
  }
  try {
    story.CheckInvariants();
  } catch (const std::logic_error& e) {
    throw BadRecord(e.what());
  }

  for (size_t si = 0; si < j.Count("shapes"); ++si) {
    Within at("shapes", si);
    const json& sj = j.Item("shapes", si);
    const auto anchor = Integer(sj.at("anchor"));
    Require(anchor >= 0 && anchor < len, "a shape's anchor lies outside the text");
    Shapes::Place(doc, anchor, ShapeFrom(sj));
  }
  for (size_t pi = 0; pi < j.Count("customProperties"); ++pi) {
    Within at("customProperties", pi);
    const json& pj = j.Item("customProperties", pi);
    CustomProperty p;
    p.name = pj.at("name").get<std::string>();
    p.type = Int32(pj.at("type"));
    p.value = VariantFrom(p.type, pj.at("value"));
    p.linkToContent = pj.at("linkToContent").get<bool>();
    p.linkSource = pj.at("linkSource").get<std::string>();
    Require(!doc.Properties().Find(p.name), "a custom property appears twice");
    doc.Properties().items.push_back(std::move(p));
  }
  Within atPage("pageSetup");
  const auto& pg = j.At("pageSetup");
  PageSetupData& page = doc.Page();
  page.pageWidth = Number(pg.at("pageWidth"));
  page.pageHeight = Number(pg.at("pageHeight"));
  page.leftMargin = Number(pg.at("leftMargin"));
  page.rightMargin = Number(pg.at("rightMargin"));
  page.topMargin = Number(pg.at("topMargin"));
  page.bottomMargin = Number(pg.at("bottomMargin"));
  page.orientation = Int32(pg.at("orientation"));
  const auto& st = j.At("settings");
  doc.SetSnapToGrid(st.at("snapToGrid").get<bool>());
  doc.SetSnapToShapes(st.at("snapToShapes").get<bool>());
  if (st.at("formsDesign").get<bool>() != doc.FormsDesign()) doc.ToggleFormsDesign();
  doc.ActiveWindow()->View()->type = Int32(st.at("viewType"));
}

// The parts of a whole record tree.
class TreeParts : public RecordParts {
 public:
  explicit TreeParts(const json& j) : j_(j) {}
  bool IsDocument() override { return j_.is_object() && j_.value("format", "") == kDocumentFormat; }
  const json& At(const char* key) override { return j_.at(key); }
  size_t Count(const char* key) override { return j_.at(key).size(); }
  const json& Item(const char* key, size_t index) override { return j_.at(key).at(index); }

 private:
  const json& j_;
};

}  // namespace

[[noreturn]] void RefuseFile(const std::filesystem::path& file, const std::string& why) {
  throw automation::AutomationError(kErrCorruptFile,
                                    "The document could not be read. It may be corrupt.\r\n(" +
                                        file.filename().string() + ": " + why + ")");
}

// Reads a record, turning every fault into the refusal with the place where it was found.
void LoadRecordOrRefuse(Document& doc, RecordParts& parts, const std::filesystem::path& file) {
  tPath.clear();
  tFailedAt.clear();
  std::string why;
  try {
    Load(doc, parts);
    return;
  } catch (const BadRecord& e) {
    why = e.what();
  } catch (const json::exception& e) {
    why = e.what();
  }
  if (!tFailedAt.empty()) why += " (in " + tFailedAt + ")";
  RefuseFile(file, why);
}

void LoadRecordOrRefuse(Document& doc, const json& record, const std::filesystem::path& file) {
  TreeParts parts(record);
  LoadRecordOrRefuse(doc, parts, file);
}

void DocumentFromJson(Document& doc, const json& record) {
  LoadRecordOrRefuse(doc, record, doc.Name());
}

}  // namespace qv::word
