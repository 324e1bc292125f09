// The docx writer: walks the native record of a document (its story text with the structure
// characters, the formatting runs, the tables in mark order, inline shapes by position, floating
// shapes back to front) and writes the WordprocessingML that holds the same content.

#include <algorithm>
#include <map>
#include <set>

#include "automation/automation_error.h"
#include "automation/date.h"
#include "automation/text/ascii.h"
#include "automation/text/utf8.h"
#include "word/custom_properties.h"
#include "word/doc_file.h"
#include "word/docx/docx_file.h"
#include "word/docx/docx_maps.h"
#include "word/docx/xml_text.h"
#include "word/errors.h"
#include "word/formatting.h"
#include "word/shape.h"
#include "word/story.h"
#include "word/table.h"

namespace qv::word {

using nlohmann::json;
using namespace docx;

namespace {

std::string Attr(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + EscapeXml(value, true) + "\"";
}
std::string Attr(const char* name, int64_t value) {
  return std::string(" ") + name + "=\"" + std::to_string(value) + "\"";
}

std::string ContentType(const std::string& ext) {
  if (ext == "gif") return "image/gif";
  if (ext == "png") return "image/png";
  if (ext == "jpeg" || ext == "jpg") return "image/jpeg";
  if (ext == "bmp") return "image/bmp";
  if (ext == "tiff" || ext == "tif") return "image/tiff";
  if (ext == "emf") return "image/x-emf";
  if (ext == "wmf") return "image/x-wmf";
  if (ext == "svg") return "image/svg+xml";
  return "application/octet-stream";
}

// The last part of a file path, in the characters a part name may hold plainly; empty when none.
std::string SafeFileName(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '_') c = '_';
  if (name.empty() || name == "." || name == ".." || name.find('.') == std::string::npos) return "";
  return name;
}

// A media file extension we may use for a picture's format (letters and digits only).
std::string MediaExtension(const std::string& format) {
  std::string ext;
  const std::string kind = format.rfind("x-", 0) == 0 ? format.substr(2) : format;
  for (char c : kind)
    if (std::isalnum(static_cast<unsigned char>(c))) ext += text::AsciiLower(c);
  return ext.empty() ? "bin" : ext;
}

class Writer {
 public:
  explicit Writer(const json& record) : r_(record) {}

  std::vector<std::pair<std::string, std::string>> Build() {
    Prepare();
    body_.reserve(codes_.size() * 8);
    WriteBlocks(0, static_cast<int64_t>(codes_.size()), false);
    // Every table and floating shape must have found its place; one left over would be lost.
    if (!shapesAt_.empty())
      throw PackageError("a floating shape is anchored where no paragraph begins");
    for (const auto& [at, list] : tablesAt_)
      if (!list.empty()) throw PackageError("a table begins where no paragraph begins");
    WriteSection();
    std::vector<std::pair<std::string, std::string>> parts;
    parts.emplace_back("[Content_Types].xml", "");
    parts.emplace_back("_rels/.rels", PackageRels());
    parts.emplace_back("word/document.xml", DocumentXml());
    parts.emplace_back("word/_rels/document.xml.rels", DocumentRels());
    parts.emplace_back("word/settings.xml", SettingsXml());
    const bool props = !r_.at("customProperties").empty();
    if (props) parts.emplace_back("docProps/custom.xml", CustomXml());
    for (const auto& m : media_)
      parts.emplace_back(m.name, m.bytes);
    parts[0].second = ContentTypes(props);
    return parts;
  }

 private:
  struct Media {
    std::string name, bytes, rid;
  };

  void Prepare() {
    codes_ = text::DecodeUtf8(r_.at("text").get<std::string>());
    font_.assign(codes_.size(), 0);
    para_.assign(codes_.size(), 0);
    Expand(r_.at("fontRuns"), font_);
    Expand(r_.at("paragraphRuns"), para_);
    for (const auto& t : r_.at("tables"))
      tablesAt_[t.at("start").get<int64_t>()].push_back(&t);
    for (const auto& i : r_.at("inlineShapes"))
      inlineAt_[i.at("at").get<int64_t>()] = &i;
    int64_t z = 0;
    for (const auto& s : r_.at("shapes"))
      shapesAt_[s.at("anchor").get<int64_t>()].push_back({&s, ++z});
  }

  static void Expand(const json& runs, std::vector<uint16_t>& out) {
    size_t p = 0;
    for (const auto& run : runs) {
      const auto count = run.at(0).get<size_t>();
      const auto index = run.at(1).get<uint16_t>();
      for (size_t k = 0; k < count && p < out.size(); ++k)
        out[p++] = index;
    }
  }

  // Blocks from `pos` up to `stop`: the story's end, or (in a cell) the cell's end mark, which
  // ends the cell's last paragraph.
  void WriteBlocks(int64_t pos, int64_t stop, bool inCell) {
    while (inCell ? pos <= stop : pos < stop) {
      if (const json* t = NextTableAt(pos)) {
        pos = WriteTable(*t);
        continue;
      }
      int64_t q = pos;
      while (q < stop && codes_[static_cast<size_t>(q)] != kParagraphMark)
        ++q;
      WriteParagraph(pos, q);
      pos = q + 1;
    }
  }

  const json* NextTableAt(int64_t pos) {
    auto it = tablesAt_.find(pos);
    if (it == tablesAt_.end() || it->second.empty()) return nullptr;
    const json* t = it->second.front();
    it->second.erase(it->second.begin());
    return t;
  }

  int64_t WriteTable(const json& t) {
    // The grid: every cell boundary of every row, so that merged cells span grid columns.
    std::set<int64_t> bounds{0};
    for (const auto& row : t.at("rows")) {
      int64_t x = 0;
      for (const auto& c : row.at("cells")) {
        x += std::max<int64_t>(Twips(c.at("width").get<double>()), 1);
        bounds.insert(x);
      }
    }
    body_ += "<w:tbl><w:tblPr>";
    const int32_t widthType = t.at("preferredWidthType").get<int32_t>();
    const double width = t.at("preferredWidth").get<double>();
    if (widthType == wdPreferredWidthPoints)
      body_ += "<w:tblW" + Attr("w:w", Twips(width)) + " w:type=\"dxa\"/>";
    else if (widthType == wdPreferredWidthPercent)
      body_ += "<w:tblW" + Attr("w:w", std::llround(width * 50)) + " w:type=\"pct\"/>";
    else
      body_ += "<w:tblW w:w=\"0\" w:type=\"auto\"/>";
    body_ += Borders("w:tblBorders", t.at("borders"));
    body_ += Shading(t.at("shading"));
    body_ += t.at("allowAutoFit").get<bool>() ? "<w:tblLayout w:type=\"autofit\"/>"
                                              : "<w:tblLayout w:type=\"fixed\"/>";
    body_ += Margins("w:tblCellMar", t.at("padding"));
    body_ += "</w:tblPr><w:tblGrid>";
    int64_t last = 0;
    for (int64_t b : bounds) {
      if (b == 0) continue;
      body_ += "<w:gridCol" + Attr("w:w", b - last) + "/>";
      last = b;
    }
    body_ += "</w:tblGrid>";
    int64_t pos = t.at("start").get<int64_t>();
    for (const auto& row : t.at("rows")) {
      body_ += "<w:tr>";
      const int32_t rule = row.at("heightRule").get<int32_t>();
      if (rule != wdRowHeightAuto)
        body_ += "<w:trPr><w:trHeight" + Attr("w:val", Twips(row.at("height").get<double>())) +
                 (rule == wdRowHeightExactly ? " w:hRule=\"exact\"" : " w:hRule=\"atLeast\"") +
                 "/></w:trPr>";
      int64_t x = 0;
      for (const auto& c : row.at("cells")) {
        const int64_t from = x;
        x += std::max<int64_t>(Twips(c.at("width").get<double>()), 1);
        const auto span = std::distance(bounds.upper_bound(from), bounds.upper_bound(x));
        body_ += "<w:tc><w:tcPr><w:tcW" + Attr("w:w", Twips(c.at("width").get<double>())) +
                 " w:type=\"dxa\"/>";
        if (span > 1) body_ += "<w:gridSpan" + Attr("w:val", span) + "/>";
        body_ += Borders("w:tcBorders", c.at("borders"));
        body_ += Shading(c.at("shading"));
        body_ += Margins("w:tcMar", c.at("padding"));
        const int32_t va = c.at("verticalAlignment").get<int32_t>();
        if (va != 0) body_ += "<w:vAlign w:val=\"" + VerticalAlignmentName(va) + "\"/>";
        body_ += "</w:tcPr>";
        const int64_t end = c.at("end").get<int64_t>();
        WriteBlocks(pos, end, true);
        body_ += "</w:tc>";
        pos = end + 1;
      }
      body_ += "</w:tr>";
      pos = row.at("end").get<int64_t>() + 1;
    }
    body_ += "</w:tbl>";
    return pos;
  }

  static std::string Borders(const char* element, const json& b) {
    static const char* kSides[6] = {"w:top",   "w:left",    "w:bottom",
                                    "w:right", "w:insideH", "w:insideV"};
    const auto& lines = b.at("lines");
    std::string out = std::string("<") + element + ">";
    for (size_t i = 0; i < 6; ++i) {
      const auto& l = lines.at(i);
      const int32_t style = l.at(0).get<int32_t>();
      out += std::string("<") + kSides[i] + Attr("w:val", BorderStyleName(style)) +
             Attr("w:sz", std::clamp<int64_t>(std::llround(l.at(2).get<double>() * 8), 2, 96)) +
             " w:space=\"0\"" + Attr("w:color", HexColor(l.at(1).get<int32_t>())) + "/>";
    }
    return out + "</" + element + ">";
  }

  static std::string Shading(const json& s) {
    return "<w:shd" + Attr("w:val", ShadingPatternName(s.at("texture").get<int32_t>())) +
           Attr("w:color", HexColor(s.at("foreground").get<int32_t>())) +
           Attr("w:fill", HexColor(s.at("background").get<int32_t>())) + "/>";
  }

  // Paddings are stored top, bottom, left, right; a negative one follows the table's default.
  static std::string Margins(const char* element, const json& p) {
    std::string inner;
    auto side = [&](const char* name, size_t i) {
      const double v = p.at(i).get<double>();
      if (v >= 0) inner += std::string("<") + name + Attr("w:w", Twips(v)) + " w:type=\"dxa\"/>";
    };
    side("w:top", 0);
    side("w:left", 2);
    side("w:bottom", 1);
    side("w:right", 3);
    if (inner.empty()) return "";
    return std::string("<") + element + ">" + inner + "</" + element + ">";
  }

  std::string RunProperties(uint16_t fontIndex) const {
    const auto& f = r_.at("fonts").at(fontIndex);
    const std::string name = f.at("name").get<std::string>();
    std::string out = "<w:rPr><w:rFonts" + Attr("w:ascii", name) + Attr("w:hAnsi", name) +
                      Attr("w:cs", name) + "/>";
    if (f.value("bold", false)) out += "<w:b/>";
    if (f.value("italic", false)) out += "<w:i/>";
    out += "<w:color" + Attr("w:val", HexColor(f.at("color").get<int32_t>())) + "/>";
    const int64_t half = std::max<int64_t>(std::llround(f.at("size").get<double>() * 2), 2);
    out += "<w:sz" + Attr("w:val", half) + "/><w:szCs" + Attr("w:val", half) + "/></w:rPr>";
    return out;
  }

  std::string ParagraphProperties(uint16_t paraIndex, uint16_t markFont) const {
    const auto& p = r_.at("paragraphFormats").at(paraIndex);
    std::string out = "<w:pPr>";
    if (p.at("keepWithNext").get<bool>()) out += "<w:keepNext/>";
    if (p.at("keepTogether").get<bool>()) out += "<w:keepLines/>";
    out += "<w:spacing" + Attr("w:before", Twips(std::max(0.0, p.value("spaceBefore", 0.0)))) +
           Attr("w:after", Twips(std::max(0.0, p.at("spaceAfter").get<double>()))) + "/>";
    out += "<w:jc" + Attr("w:val", AlignmentName(p.at("alignment").get<int32_t>())) + "/>";
    return out + RunProperties(markFont) + "</w:pPr>";
  }

  // The paragraph [from, mark): `mark` is its paragraph or end-of-cell mark.
  void WriteParagraph(int64_t from, int64_t mark) {
    const size_t m = static_cast<size_t>(mark);
    body_ += "<w:p>" + ParagraphProperties(para_[m], font_[m]);
    if (auto it = shapesAt_.find(from); it != shapesAt_.end()) {
      for (const auto& [shape, z] : it->second)
        body_ += "<w:r>" + RunProperties(font_[m]) + "<w:drawing>" + AnchorXml(*shape, z) +
                 "</w:drawing></w:r>";
      shapesAt_.erase(it);
    }
    int64_t p = from;
    while (p < mark) {
      const uint16_t font = font_[static_cast<size_t>(p)];
      std::string run;
      std::string text;
      auto flush = [&] {
        if (text.empty()) return;
        run += "<w:t xml:space=\"preserve\">" + EscapeXml(text, false) + "</w:t>";
        text.clear();
      };
      for (; p < mark && font_[static_cast<size_t>(p)] == font; ++p) {
        const char32_t c = codes_[static_cast<size_t>(p)];
        if (c == U'\t') {
          flush();
          run += "<w:tab/>";
        } else if (c == kLineBreak) {
          flush();
          run += "<w:br/>";
        } else if (c == kPageBreak) {
          flush();
          run += "<w:br w:type=\"page\"/>";
        } else if (c == kObjectChar && inlineAt_.count(p)) {
          flush();
          run += "<w:drawing>" + InlineXml(*inlineAt_.at(p)) + "</w:drawing>";
        } else {
          text += text::EncodeUtf8(std::u32string(1, c));
        }
      }
      flush();
      body_ += "<w:r>" + RunProperties(font) + run + "</w:r>";
    }
    body_ += "</w:p>";
  }

  // The relationship of a picture part holding `image`. A picture that came from a file (a
  // shape's picture fill) keeps that file's name in its own folder, where the reader finds it.
  std::string Embed(const json& image, const std::string& sourceFile = "") {
    if (image.is_null()) return "";
    std::string bytes;
    if (!Base64Decode(image.at("data").get<std::string>(), bytes)) return "";
    const std::string source = SafeFileName(sourceFile);
    if (source.empty())
      for (const auto& m : media_)
        if (m.bytes == bytes && m.name.rfind("word/media/image", 0) == 0) return m.rid;
    Media m;
    const std::string n = std::to_string(media_.size() + 1);
    m.rid = "rIdImg" + n;
    m.name = source.empty() ? "word/media/image" + n + "." +
                                  MediaExtension(image.at("format").get<std::string>())
                            : "word/media/file" + n + "/" + source;
    m.bytes = std::move(bytes);
    media_.push_back(m);
    return m.rid;
  }

  static std::string Extent(double w, double h) {
    return Attr("cx", std::max<int64_t>(Emu(w), 0)) + Attr("cy", std::max<int64_t>(Emu(h), 0));
  }

  std::string PictureXml(const std::string& name, const std::string& rid, double w, double h,
                         const std::string& outline) {
    std::string out = "<a:graphic><a:graphicData uri=\"" + std::string(kNsPic) +
                      "\"><pic:pic><pic:nvPicPr><pic:cNvPr id=\"0\"" + Attr("name", name) +
                      "/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill>";
    out += rid.empty() ? "<a:blip/>" : "<a:blip" + Attr("r:embed", rid) + "/>";
    out +=
        "<a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x=\"0\" "
        "y=\"0\"/><a:ext" +
        Extent(w, h) + "/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>" + outline +
        "</pic:spPr></pic:pic></a:graphicData></a:graphic>";
    return out;
  }

  std::string InlineXml(const json& i) {
    const double w = i.at("width").get<double>(), h = i.at("height").get<double>();
    const int64_t id = ++drawingId_;
    std::string name = "Picture " + std::to_string(id);
    if (const auto& c = i.at("control"); !c.is_null())
      name = "Control " + c.at("className").get<std::string>();
    std::string out = "<wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent" +
                      Extent(w, h) + "/><wp:docPr" + Attr("id", id) + Attr("name", name) +
                      Attr("descr", i.at("alternativeText").get<std::string>()) + "/>";
    out += "<wp:cNvGraphicFramePr><a:graphicFrameLocks" +
           Attr("noChangeAspect", i.at("lockAspectRatio").get<bool>() ? 1 : 0) +
           "/></wp:cNvGraphicFramePr>";
    out += PictureXml(name, Embed(i.at("image")), w, h, "");
    return out + "</wp:inline>";
  }

  static std::string Color(int32_t color, double transparency) {
    std::string out = color < 0 || color > 0xFFFFFF
                          ? "<a:sysClr val=\"windowText\" lastClr=\"000000\""
                          : "<a:srgbClr" + Attr("val", HexColor(color));
    const int64_t alpha = std::llround((1.0 - transparency) * 100000);
    if (alpha >= 100000) return out + "/>";
    const std::string close = color < 0 || color > 0xFFFFFF ? "</a:sysClr>" : "</a:srgbClr>";
    return out + "><a:alpha" + Attr("val", std::clamp<int64_t>(alpha, 0, 100000)) + "/>" + close;
  }

  std::string FillXml(const json& f) {
    if (!f.at("visible").get<bool>()) return "<a:noFill/>";
    const std::string rid = Embed(f.at("picture"), f.at("userPicture").get<std::string>());
    if (!rid.empty())
      return "<a:blipFill><a:blip" + Attr("r:embed", rid) +
             "/><a:stretch><a:fillRect/></a:stretch></a:blipFill>";
    return "<a:solidFill>" +
           Color(f.at("foreColor").get<int32_t>(), f.at("transparency").get<double>()) +
           "</a:solidFill>";
  }

  static std::string LineXml(const json& l) {
    if (!l.at("visible").get<bool>()) return "<a:ln><a:noFill/></a:ln>";
    return "<a:ln" + Attr("w", Emu(l.at("weight").get<double>())) +
           Attr("cmpd", LineCompoundName(l.at("style").get<int32_t>())) + "><a:solidFill>" +
           Color(l.at("foreColor").get<int32_t>(), l.at("transparency").get<double>()) +
           "</a:solidFill><a:prstDash" + Attr("val", DashName(l.at("dashStyle").get<int32_t>())) +
           "/></a:ln>";
  }

  std::string TextBoxXml(const json& frame) {
    const std::string text = frame.at("text").get<std::string>();
    const auto& f = frame.at("font");
    const std::string name = f.at("name").get<std::string>();
    std::string rpr = "<w:rPr><w:rFonts" + Attr("w:ascii", name) + Attr("w:hAnsi", name) +
                      Attr("w:cs", name) + "/>";
    if (f.value("bold", false)) rpr += "<w:b/>";
    if (f.value("italic", false)) rpr += "<w:i/>";
    const int64_t half = std::max<int64_t>(std::llround(f.at("size").get<double>() * 2), 2);
    rpr += "<w:color" + Attr("w:val", HexColor(f.at("color").get<int32_t>())) + "/><w:sz" +
           Attr("w:val", half) + "/></w:rPr>";
    const std::string ppr = "<w:pPr><w:jc" +
                            Attr("w:val", AlignmentName(frame.at("alignment").get<int32_t>())) +
                            "/>" + rpr + "</w:pPr>";
    std::string out = "<wps:txbx><w:txbxContent>";
    size_t start = 0;
    for (;;) {
      const size_t end = text.find('\r', start);
      const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
      out += "<w:p>" + ppr;
      if (!line.empty()) {
        out += "<w:r>" + rpr;
        std::string chunk;
        auto flush = [&] {
          if (!chunk.empty())
            out += "<w:t xml:space=\"preserve\">" + EscapeXml(chunk, false) + "</w:t>";
          chunk.clear();
        };
        for (char c : line) {
          if (c == '\v') {
            flush();
            out += "<w:br/>";
          } else if (c == '\t') {
            flush();
            out += "<w:tab/>";
          } else {
            chunk += c;
          }
        }
        flush();
        out += "</w:r>";
      }
      out += "</w:p>";
      if (end == std::string::npos) break;
      start = end + 1;
    }
    return out + "</w:txbxContent></wps:txbx>";
  }

  std::string AnchorXml(const json& s, int64_t z) {
    const double w = s.at("width").get<double>(), h = s.at("height").get<double>();
    const auto& wrap = s.at("wrap");
    const auto& dist = wrap.at("distances");
    const int64_t id = ++drawingId_;
    std::string out =
        "<wp:anchor" + Attr("distT", Emu(dist.at(0).get<double>())) +
        Attr("distB", Emu(dist.at(1).get<double>())) +
        Attr("distL", Emu(dist.at(2).get<double>())) +
        Attr("distR", Emu(dist.at(3).get<double>())) + " simplePos=\"0\"" +
        Attr("relativeHeight", z) + Attr("behindDoc", s.at("behindText").get<bool>() ? 1 : 0) +
        Attr("locked", s.at("lockAnchor").get<bool>() ? 1 : 0) + " layoutInCell=\"1\"" +
        Attr("allowOverlap", wrap.at("allowOverlap").get<bool>() ? 1 : 0) + ">";
    out += "<wp:simplePos x=\"0\" y=\"0\"/>";
    out += "<wp:positionH" +
           Attr("relativeFrom",
                HorizontalRelationName(s.at("relativeHorizontalPosition").get<int32_t>())) +
           "><wp:posOffset>" + std::to_string(Emu(s.at("left").get<double>())) +
           "</wp:posOffset></wp:positionH>";
    out += "<wp:positionV" +
           Attr("relativeFrom",
                VerticalRelationName(s.at("relativeVerticalPosition").get<int32_t>())) +
           "><wp:posOffset>" + std::to_string(Emu(s.at("top").get<double>())) +
           "</wp:posOffset></wp:positionV>";
    out += "<wp:extent" + Extent(w, h) + "/>";
    const int32_t type = wrap.at("type").get<int32_t>();
    const std::string side = Attr("wrapText", WrapSideName(wrap.at("side").get<int32_t>()));
    const std::string polygon =
        "<wp:wrapPolygon edited=\"0\"><wp:start x=\"0\" y=\"0\"/><wp:lineTo x=\"0\" "
        "y=\"21600\"/><wp:lineTo x=\"21600\" y=\"21600\"/><wp:lineTo x=\"21600\" "
        "y=\"0\"/><wp:lineTo x=\"0\" y=\"0\"/></wp:wrapPolygon>";
    if (type == wdWrapSquare)
      out += "<wp:wrapSquare" + side + "/>";
    else if (type == wdWrapTight)
      out += "<wp:wrapTight" + side + ">" + polygon + "</wp:wrapTight>";
    else if (type == wdWrapThrough)
      out += "<wp:wrapThrough" + side + ">" + polygon + "</wp:wrapThrough>";
    else if (type == wdWrapTopBottom)
      out += "<wp:wrapTopAndBottom/>";
    else
      out += "<wp:wrapNone/>";
    out += "<wp:docPr" + Attr("id", id) + Attr("name", s.at("name").get<std::string>()) +
           Attr("descr", s.at("alternativeText").get<std::string>());
    if (!s.at("visible").get<bool>()) out += " hidden=\"1\"";
    out += "/><wp:cNvGraphicFramePr><a:graphicFrameLocks" +
           Attr("noChangeAspect", s.at("lockAspectRatio").get<bool>() ? 1 : 0) +
           "/></wp:cNvGraphicFramePr>";
    const int32_t shapeType = s.at("type").get<int32_t>();
    if (shapeType == msoPicture || shapeType == msoLinkedPicture) {
      out += PictureXml(s.at("name").get<std::string>(), Embed(s.at("image")), w, h,
                        FillXml(s.at("fill")) + LineXml(s.at("line")));
    } else {
      const auto& frame = s.at("textFrame");
      const auto& m = frame.at("margins");
      out += "<a:graphic><a:graphicData uri=\"" + std::string(kNsWps) + "\"><wps:wsp>";
      out += shapeType == msoTextBox ? "<wps:cNvSpPr txBox=\"1\"/>" : "<wps:cNvSpPr/>";
      out += "<wps:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext" + Extent(w, h) +
             "/></a:xfrm><a:prstGeom" +
             Attr("prst", PresetGeometryName(s.at("autoShapeType").get<int32_t>())) +
             "><a:avLst/></a:prstGeom>" + FillXml(s.at("fill")) + LineXml(s.at("line")) +
             "</wps:spPr>";
      if (shapeType == msoTextBox || !frame.at("text").get<std::string>().empty())
        out += TextBoxXml(frame);
      out += "<wps:bodyPr" + Attr("lIns", Emu(m.at(2).get<double>())) +
             Attr("tIns", Emu(m.at(0).get<double>())) + Attr("rIns", Emu(m.at(3).get<double>())) +
             Attr("bIns", Emu(m.at(1).get<double>())) + "/></wps:wsp></a:graphicData></a:graphic>";
    }
    return out + "</wp:anchor>";
  }

  void WriteSection() {
    const auto& pg = r_.at("pageSetup");
    body_ += "<w:sectPr><w:pgSz" + Attr("w:w", Twips(pg.at("pageWidth").get<double>())) +
             Attr("w:h", Twips(pg.at("pageHeight").get<double>()));
    if (pg.at("orientation").get<int32_t>() == 1) body_ += " w:orient=\"landscape\"";
    body_ += "/><w:pgMar" + Attr("w:top", Twips(pg.at("topMargin").get<double>())) +
             Attr("w:right", Twips(pg.at("rightMargin").get<double>())) +
             Attr("w:bottom", Twips(pg.at("bottomMargin").get<double>())) +
             Attr("w:left", Twips(pg.at("leftMargin").get<double>())) +
             " w:header=\"720\" w:footer=\"720\" w:gutter=\"0\"/></w:sectPr>";
  }

  std::string DocumentXml() const {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") +
           "<w:document xmlns:w=\"" + kNsW + "\" xmlns:r=\"" + kNsR + "\" xmlns:wp=\"" + kNsWp +
           "\" xmlns:a=\"" + kNsA + "\" xmlns:pic=\"" + kNsPic + "\" xmlns:wps=\"" + kNsWps +
           "\"><w:body>" + body_ + "</w:body></w:document>";
  }

  // The view the document opens in and whether it is in forms design.
  std::string SettingsXml() const {
    const auto& st = r_.at("settings");
    std::string out =
        std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") +
        "<w:settings xmlns:w=\"" + kNsW + "\"><w:view" +
        Attr("w:val", ViewName(st.at("viewType").get<int32_t>())) + "/>";
    if (st.at("formsDesign").get<bool>()) out += "<w:formsDesign/>";
    return out + "</w:settings>";
  }

  std::string CustomXml() const {
    std::string out =
        std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") +
        "<Properties xmlns=\"" + kNsCustom + "\" xmlns:vt=\"" + kNsVt + "\">";
    int64_t pid = 1;
    for (const auto& p : r_.at("customProperties")) {
      out += "<property fmtid=\"{D5CDD505-2E9C-101B-9397-08002B2CF9AE}\"" + Attr("pid", ++pid) +
             Attr("name", p.at("name").get<std::string>());
      if (p.at("linkToContent").get<bool>())
        out += Attr("linkTarget", p.at("linkSource").get<std::string>());
      out += ">";
      const auto& v = p.at("value");
      switch (p.at("type").get<int32_t>()) {
        case msoPropertyTypeNumber:
          out += "<vt:i4>" + std::to_string(v.get<int32_t>()) + "</vt:i4>";
          break;
        case msoPropertyTypeBoolean:
          out += std::string("<vt:bool>") + (v.get<bool>() ? "true" : "false") + "</vt:bool>";
          break;
        case msoPropertyTypeDate:
          out += "<vt:filetime>" + FileTime(v.get<double>()) + "</vt:filetime>";
          break;
        case msoPropertyTypeFloat: {
          // Always with a point, so that a whole number reads back as a float.
          std::string n = Number(v.get<double>());
          if (n.find_first_of(".eEn") == std::string::npos) n += ".0";
          out += "<vt:r8>" + n + "</vt:r8>";
          break;
        }
        default:
          out += "<vt:lpwstr>" + EscapeXml(v.get<std::string>(), false) + "</vt:lpwstr>";
      }
      out += "</property>";
    }
    return out + "</Properties>";
  }

  static std::string FileTime(double serial) {
    const auto p = automation::Date(serial).Parts();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02dZ", p.year, p.month, p.day, p.hour,
                  p.minute, p.second);
    return buf;
  }

  std::string ContentTypes(bool props) const {
    std::string out =
        std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") +
        "<Types xmlns=\"" + kNsContentTypes + "\">" +
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>" +
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    std::set<std::string> exts;
    for (const auto& m : media_)
      exts.insert(m.name.substr(m.name.rfind('.') + 1));
    for (const auto& e : exts)
      out += "<Default" + Attr("Extension", e) + Attr("ContentType", ContentType(e)) + "/>";
    out +=
        "<Override PartName=\"/word/document.xml\" "
        "ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>";
    out +=
        "<Override PartName=\"/word/settings.xml\" "
        "ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>";
    if (props)
      out +=
          "<Override PartName=\"/docProps/custom.xml\" "
          "ContentType=\"application/vnd.openxmlformats-officedocument.custom-properties+xml\"/>";
    return out + "</Types>";
  }

  static std::string PackageRels(bool props) {
    std::string out =
        std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") +
        "<Relationships xmlns=\"" + kNsPackageRels + "\">" + "<Relationship Id=\"rId1\" Type=\"" +
        kRelOfficeDocument + "\" Target=\"word/document.xml\"/>";
    if (props)
      out += std::string("<Relationship Id=\"rId2\" Type=\"") + kRelCustomProperties +
             "\" Target=\"docProps/custom.xml\"/>";
    return out + "</Relationships>";
  }
  std::string PackageRels() const { return PackageRels(!r_.at("customProperties").empty()); }

  std::string DocumentRels() const {
    std::string out =
        std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") +
        "<Relationships xmlns=\"" + kNsPackageRels + "\">" +
        "<Relationship Id=\"rIdSettings\" Type=\"" + kRelSettings + "\" Target=\"settings.xml\"/>";
    for (const auto& m : media_)
      out += "<Relationship" + Attr("Id", m.rid) + Attr("Type", kRelImage) +
             Attr("Target", m.name.substr(5)) + "/>";
    return out + "</Relationships>";
  }

  const json& r_;
  std::u32string codes_;
  std::vector<uint16_t> font_, para_;
  std::map<int64_t, std::vector<const json*>> tablesAt_;
  std::map<int64_t, const json*> inlineAt_;
  std::map<int64_t, std::vector<std::pair<const json*, int64_t>>> shapesAt_;
  std::vector<Media> media_;
  std::string body_;
  int64_t drawingId_ = 0;
};

}  // namespace

std::string RecordToDocx(const json& record) {
  try {
    return WritePackage(Writer(record).Build());
  } catch (const PackageError& e) {
    throw automation::AutomationError(kErrFileNotSaved,
                                      std::string("The document could not be saved: ") + e.what());
  } catch (const json::exception& e) {
    throw automation::AutomationError(kErrFileNotSaved,
                                      std::string("The document could not be saved: ") + e.what());
  }
}

}  // namespace qv::word
