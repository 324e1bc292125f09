// The docx reader: builds the native record of a document from a package, tolerant of what other
// word processors write (properties in another order or of another type, runs split or wrapped in
// hyperlinks, content controls and alternate content, pictures we cannot decode), strict about
// what could harm (see zip_package.h and ParseXml below).

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>

#include "automation/date.h"
#include "automation/text/ascii.h"
#include "automation/text/utf8.h"
#include "word/custom_properties.h"
#include "word/doc_file.h"
#include "word/docx/docx_file.h"
#include "word/docx/docx_maps.h"
#include "word/docx/xml_text.h"
#include "word/formatting.h"
#include "word/image_info.h"
#include "word/page_setup.h"
#include "word/shape.h"
#include "word/story.h"
#include "word/table.h"
#include "word/window.h"

namespace qv::word {

using nlohmann::json;
using namespace docx;

namespace {

struct XmlDocFree {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocFree>;

// Parses one part. No network, no DTD loading, no entity substitution; a part that declares a
// document type at all is refused, since no part of a word-processing package has one.
XmlDocPtr ParseXml(const std::string& name, const std::string& bytes) {
  if (bytes.size() > static_cast<size_t>(INT32_MAX))
    throw PackageError("the part \"" + name + "\" is too large");
  if (bytes.find("<!DOCTYPE") != std::string::npos)
    throw PackageError("the part \"" + name +
                       "\" declares a document type, which a docx package never does");
  XmlDocPtr doc(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), name.c_str(), nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc || !xmlDocGetRootElement(doc.get()))
    throw PackageError("the part \"" + name + "\" is not well-formed XML");
  if (doc->intSubset || doc->extSubset)
    throw PackageError("the part \"" + name +
                       "\" declares a document type, which a docx package never does");
  return doc;
}

bool Is(const xmlNode* n, const char* ns, const char* local) {
  return n && n->type == XML_ELEMENT_NODE && n->ns && n->ns->href &&
         xmlStrEqual(n->ns->href, BAD_CAST ns) && xmlStrEqual(n->name, BAD_CAST local);
}

const xmlNode* Child(const xmlNode* n, const char* ns, const char* local) {
  if (!n) return nullptr;
  for (const xmlNode* c = n->children; c; c = c->next)
    if (Is(c, ns, local)) return c;
  return nullptr;
}

// The first element below `n` (at any depth) with this name.
const xmlNode* Find(const xmlNode* n, const char* ns, const char* local) {
  if (!n) return nullptr;
  for (const xmlNode* c = n->children; c; c = c->next) {
    if (c->type != XML_ELEMENT_NODE) continue;
    if (Is(c, ns, local)) return c;
    if (const xmlNode* f = Find(c, ns, local)) return f;
  }
  return nullptr;
}

std::optional<std::string> AttrOf(const xmlNode* n, const char* name, const char* ns = nullptr) {
  if (!n) return std::nullopt;
  xmlChar* v = ns ? xmlGetNsProp(n, BAD_CAST name, BAD_CAST ns) : xmlGetNoNsProp(n, BAD_CAST name);
  if (!v) return std::nullopt;
  std::string s = reinterpret_cast<const char*>(v);
  xmlFree(v);
  return s;
}
std::optional<std::string> WAttr(const xmlNode* n, const char* name) {
  return AttrOf(n, name, kNsW);
}

// A drawing's alternative text: `descr` of its wp:docPr; other programs may leave that empty and
// put it in the title, or only on the picture's own properties.
std::string AlternativeTextOf(const xmlNode* drawing, const xmlNode* docPr);

std::string TextOf(const xmlNode* n) {
  xmlChar* v = xmlNodeGetContent(n);
  if (!v) return "";
  std::string s = reinterpret_cast<const char*>(v);
  xmlFree(v);
  return s;
}

std::optional<double> NumberOf(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  try {
    size_t used = 0;
    const double v = std::stod(*text, &used);
    if (used == 0 || !std::isfinite(v)) return std::nullopt;
    return v;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// A yes/no property: present without a value, or "1", "true", "on".
bool OnOff(const xmlNode* n) {
  if (!n) return false;
  const auto v = WAttr(n, "val");
  return !v || *v == "1" || *v == "true" || *v == "on";
}

std::string AlternativeTextOf(const xmlNode* drawing, const xmlNode* docPr) {
  std::string alt = AttrOf(docPr, "descr").value_or("");
  if (alt.empty()) alt = AttrOf(docPr, "title").value_or("");
  if (alt.empty())
    if (const xmlNode* pic = Find(drawing, kNsPic, "pic"))
      alt = AttrOf(Find(pic, kNsPic, "cNvPr"), "descr").value_or("");
  return UnescapePackageText(alt);
}

// Resolves `target` against the folder `base` ("word/"); nullopt when it leaves the package.
std::optional<std::string> ResolvePart(const std::string& base, const std::string& target) {
  std::string path = !target.empty() && target[0] == '/' ? target.substr(1) : base + target;
  std::vector<std::string> segments;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string s = path.substr(start, end - start);
    if (s == "..") {
      if (segments.empty()) return std::nullopt;
      segments.pop_back();
    } else if (!s.empty() && s != ".") {
      segments.push_back(s);
    }
    start = end + 1;
  }
  std::string out;
  for (const auto& s : segments)
    out += (out.empty() ? "" : "/") + s;
  if (!SafePartName(out)) return std::nullopt;
  return out;
}

class Reader {
 public:
  Reader(const std::string& zipBytes, const PackageLimits& limits)
      : parts_(ReadPackage(zipBytes, limits)) {}

  json Read() {
    const std::string main = MainPart();
    const auto slash = main.rfind('/');
    base_ = slash == std::string::npos ? "" : main.substr(0, slash + 1);
    ReadRelationships(base_ + "_rels/" + main.substr(slash + 1) + ".rels");
    auto doc = ParseXml(main, parts_.at(main));
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!Is(root, kNsW, "document"))
      throw PackageError("its main part is not a word-processing document");
    const xmlNode* body = Child(root, kNsW, "body");
    if (!body) throw PackageError("its document has no body");
    defaultFont_ = Intern(FontData{});
    defaultPara_ = Intern(ParaData{});
    Blocks(body);
    if (pending_) {
      Emit(kParagraphMark, pending_->first, pending_->second);
      pending_.reset();
    } else {
      Emit(kParagraphMark, defaultFont_, defaultPara_);
    }
    if (fonts_.size() >= 0xFFFF || paras_.size() >= 0xFFFF)
      throw PackageError("it uses more distinct formats than a document can hold");
    std::stable_sort(shapes_.begin(), shapes_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    json shapes = json::array();
    for (auto& s : shapes_)
      shapes.push_back(std::move(s.second));
    json fonts = json::array(), paras = json::array();
    for (const auto& f : fonts_)
      fonts.push_back(f);
    for (const auto& p : paras_)
      paras.push_back(p);
    json record = {
        {"format", kDocumentFormat},
        {"version", kDocumentFormatVersion},
        {"text", text::EncodeUtf8(codes_)},
        {"fonts", fonts},
        {"paragraphFormats", paras},
        {"fontRuns", Runs(fontIndex_)},
        {"paragraphRuns", Runs(paraIndex_)},
        {"tables", tables_},
        {"inlineShapes", inlines_},
        {"shapes", shapes},
        {"customProperties", CustomProperties()},
        {"pageSetup", PageSetupOf(Child(body, kNsW, "sectPr"))},
        {"settings", Settings()},
    };
    return record;
  }

 private:
  // --- the package around the document ---

  std::string MainPart() {
    std::string main = "word/document.xml";
    if (auto it = parts_.find("_rels/.rels"); it != parts_.end()) {
      auto rels = ParseXml(it->first, it->second);
      for (const xmlNode* r = xmlDocGetRootElement(rels.get())->children; r; r = r->next) {
        if (!Is(r, kNsPackageRels, "Relationship")) continue;
        const auto type = AttrOf(r, "Type");
        if (type && type->size() > 15 &&
            type->compare(type->size() - 15, 15, "/officeDocument") == 0)
          if (auto p = ResolvePart("", AttrOf(r, "Target").value_or(""))) main = *p;
        if (type && type->size() > 18 &&
            type->compare(type->size() - 18, 18, "/custom-properties") == 0)
          if (auto p = ResolvePart("", AttrOf(r, "Target").value_or(""))) custom_ = *p;
      }
    }
    if (!parts_.count(main)) throw PackageError("it holds no word-processing document");
    return main;
  }

  void ReadRelationships(const std::string& part) {
    auto it = parts_.find(part);
    if (it == parts_.end()) return;
    auto rels = ParseXml(it->first, it->second);
    for (const xmlNode* r = xmlDocGetRootElement(rels.get())->children; r; r = r->next) {
      if (!Is(r, kNsPackageRels, "Relationship")) continue;
      if (AttrOf(r, "TargetMode").value_or("") == "External") continue;
      const auto id = AttrOf(r, "Id");
      const auto target = ResolvePart(base_, AttrOf(r, "Target").value_or(""));
      if (id && target) rels_[*id] = *target;
      if (target && AttrOf(r, "Type").value_or("") == kRelSettings) settings_ = *target;
    }
  }

  std::string PartFileName(const xmlNode* blip) const {
    const auto rid = AttrOf(blip, "embed", kNsR);
    if (!rid || !rels_.count(*rid)) return "";
    const std::string& name = rels_.at(*rid);
    return name.substr(name.rfind('/') + 1);
  }

  // The picture a relationship points to, as the native record holds it; null when missing.
  json Picture(const xmlNode* blip) {
    const auto rid = AttrOf(blip, "embed", kNsR);
    if (!rid || !rels_.count(*rid) || !parts_.count(rels_.at(*rid))) return nullptr;
    const std::string& name = rels_.at(*rid);
    const std::string& bytes = parts_.at(name);
    if (bytes.empty()) return nullptr;
    if (auto image = ParseImage(bytes))
      return {{"format", image->format}, {"data", Base64Encode(bytes)}};
    // Kept as it is, under its file extension; a decodable kind's name is not claimed for bytes
    // that are not of that kind.
    std::string ext = text::AsciiLowered(
        name.substr(name.rfind('.') == std::string::npos ? name.size() : name.rfind('.') + 1));
    if (ext.empty()) ext = "bin";
    if (ext == "gif" || ext == "png" || ext == "jpeg" || ext == "jpg" || ext == "bmp")
      ext = "x-" + ext;
    return {{"format", ext}, {"data", Base64Encode(bytes)}};
  }

  // --- formats ---

  uint16_t Intern(const FontData& f) {
    json j = {{"name", f.name},
              {"size", f.size},
              {"color", f.color},
              {"bold", f.bold},
              {"italic", f.italic}};
    return InternJson(fonts_, fontMap_, j);
  }
  uint16_t Intern(const ParaData& p) {
    json j = {{"keepTogether", p.keepTogether},
              {"keepWithNext", p.keepWithNext},
              {"spaceAfter", p.spaceAfter},
              {"spaceBefore", p.spaceBefore},
              {"alignment", p.alignment}};
    return InternJson(paras_, paraMap_, j);
  }
  static uint16_t InternJson(std::vector<json>& list, std::map<std::string, uint16_t>& map,
                             const json& j) {
    const std::string key = j.dump();
    if (auto it = map.find(key); it != map.end()) return it->second;
    if (list.size() >= 0xFFFE)
      throw PackageError("it uses more distinct formats than a document can hold");
    const auto index = static_cast<uint16_t>(list.size());
    list.push_back(j);
    map.emplace(key, index);
    return index;
  }

  static FontData FontOf(const xmlNode* rPr, FontData f = {}) {
    if (!rPr) return f;
    if (const xmlNode* n = Child(rPr, kNsW, "rFonts")) {
      if (auto a = WAttr(n, "ascii"))
        f.name = *a;
      else if (auto h = WAttr(n, "hAnsi"))
        f.name = *h;
    }
    if (const xmlNode* n = Child(rPr, kNsW, "b")) f.bold = OnOff(n);
    if (const xmlNode* n = Child(rPr, kNsW, "i")) f.italic = OnOff(n);
    if (const xmlNode* n = Child(rPr, kNsW, "color"))
      f.color = ColorFromHex(WAttr(n, "val").value_or(""), f.color);
    if (f.color == wdColorAutomatic) f.color = 0;
    if (auto sz = NumberOf(WAttr(Child(rPr, kNsW, "sz"), "val")); sz && *sz > 0) f.size = *sz / 2;
    return f;
  }

  static ParaData ParaOf(const xmlNode* pPr) {
    ParaData p;
    if (!pPr) return p;
    p.keepWithNext = OnOff(Child(pPr, kNsW, "keepNext"));
    p.keepTogether = OnOff(Child(pPr, kNsW, "keepLines"));
    if (const xmlNode* s = Child(pPr, kNsW, "spacing")) {
      if (auto b = NumberOf(WAttr(s, "before"))) p.spaceBefore = FromTwips(*b);
      if (auto a = NumberOf(WAttr(s, "after"))) p.spaceAfter = FromTwips(*a);
    }
    if (const xmlNode* jc = Child(pPr, kNsW, "jc"))
      p.alignment = AlignmentFrom(WAttr(jc, "val").value_or(""));
    return p;
  }

  // --- the story ---

  void Emit(char32_t c, uint16_t font, uint16_t para) {
    codes_.push_back(c);
    fontIndex_.push_back(font);
    paraIndex_.push_back(para);
  }

  void FlushPending() {
    if (!pending_) return;
    Emit(kParagraphMark, pending_->first, pending_->second);
    pending_.reset();
  }

  // Block-level content of the body, a cell or a content control.
  void Blocks(const xmlNode* container) {
    for (const xmlNode* c = container->children; c; c = c->next) {
      if (Is(c, kNsW, "p")) {
        Paragraph(c);
      } else if (Is(c, kNsW, "tbl")) {
        FlushPending();
        Table(c);
      } else if (Is(c, kNsW, "sdt")) {
        if (const xmlNode* content = Child(c, kNsW, "sdtContent")) Blocks(content);
      } else if (Is(c, kNsW, "customXml") || Is(c, kNsW, "ins") || Is(c, kNsW, "smartTag")) {
        Blocks(c);
      } else if (Is(c, kNsMc, "AlternateContent")) {
        if (const xmlNode* choice = Child(c, kNsMc, "Choice")) Blocks(choice);
      }
    }
  }

  void Paragraph(const xmlNode* p) {
    FlushPending();
    const xmlNode* pPr = Child(p, kNsW, "pPr");
    para_ = Intern(ParaOf(pPr));
    const uint16_t markFont = Intern(FontOf(pPr ? Child(pPr, kNsW, "rPr") : nullptr));
    paraStart_ = static_cast<int64_t>(codes_.size());
    if (pPr && OnOff(Child(pPr, kNsW, "pageBreakBefore"))) Emit(kPageBreak, markFont, para_);
    Inlines(p);
    pending_ = {markFont, para_};
  }

  // Paragraph content: runs, and what wraps runs (hyperlinks, insertions, fields, controls).
  void Inlines(const xmlNode* parent) {
    for (const xmlNode* c = parent->children; c; c = c->next) {
      if (Is(c, kNsW, "r")) {
        Run(c);
      } else if (Is(c, kNsW, "hyperlink") || Is(c, kNsW, "ins") || Is(c, kNsW, "smartTag") ||
                 Is(c, kNsW, "customXml") || Is(c, kNsW, "fldSimple") || Is(c, kNsW, "dir") ||
                 Is(c, kNsW, "bdo")) {
        Inlines(c);
      } else if (Is(c, kNsW, "sdt")) {
        if (const xmlNode* content = Child(c, kNsW, "sdtContent")) Inlines(content);
      } else if (Is(c, kNsMc, "AlternateContent")) {
        if (const xmlNode* choice = Child(c, kNsMc, "Choice")) Inlines(choice);
      }
    }
  }

  void Run(const xmlNode* r) {
    const uint16_t font = Intern(FontOf(Child(r, kNsW, "rPr")));
    RunContent(r, font);
  }

  void RunContent(const xmlNode* r, uint16_t font) {
    for (const xmlNode* c = r->children; c; c = c->next) {
      if (Is(c, kNsW, "t")) {
        for (char32_t ch : text::DecodeUtf8(UnescapePackageText(TextOf(c)))) {
          // Structure characters cannot stand in text without the node that owns them.
          if (ch == kObjectChar || ch == kCellMark || ch == kParagraphMark) ch = U'\uFFFD';
          Emit(ch, font, para_);
        }
      } else if (Is(c, kNsW, "tab")) {
        Emit(U'\t', font, para_);
      } else if (Is(c, kNsW, "br")) {
        Emit(WAttr(c, "type").value_or("") == "page" ? kPageBreak : kLineBreak, font, para_);
      } else if (Is(c, kNsW, "cr")) {
        Emit(kLineBreak, font, para_);
      } else if (Is(c, kNsW, "noBreakHyphen")) {
        Emit(U'\u2011', font, para_);
      } else if (Is(c, kNsW, "drawing")) {
        Drawing(c, font);
      } else if (Is(c, kNsMc, "AlternateContent")) {
        if (const xmlNode* choice = Child(c, kNsMc, "Choice")) RunContent(choice, font);
      }
    }
  }

  void Drawing(const xmlNode* d, uint16_t font) {
    for (const xmlNode* c = d->children; c; c = c->next) {
      if (Is(c, kNsWp, "inline"))
        InlinePicture(c, font);
      else if (Is(c, kNsWp, "anchor"))
        Anchor(c);
    }
  }

  static std::pair<double, double> ExtentOf(const xmlNode* n) {
    const xmlNode* e = Child(n, kNsWp, "extent");
    return {FromEmu(NumberOf(AttrOf(e, "cx")).value_or(0)),
            FromEmu(NumberOf(AttrOf(e, "cy")).value_or(0))};
  }

  static bool AspectLocked(const xmlNode* n, bool fallback) {
    const xmlNode* locks = Find(Child(n, kNsWp, "cNvGraphicFramePr"), kNsA, "graphicFrameLocks");
    if (!locks) return fallback;
    const auto v = AttrOf(locks, "noChangeAspect");
    return v && (*v == "1" || *v == "true");
  }

  void InlinePicture(const xmlNode* n, uint16_t font) {
    const auto [w, h] = ExtentOf(n);
    const xmlNode* docPr = Child(n, kNsWp, "docPr");
    json image = nullptr;
    if (const xmlNode* pic = Find(n, kNsPic, "pic"))
      if (const xmlNode* blip = Find(Child(pic, kNsPic, "blipFill"), kNsA, "blip"))
        image = Picture(blip);
    const BorderData none;
    json lines = json::array();
    for (const auto& l : none.lines)
      lines.push_back({l.lineStyle, l.color, l.width});
    inlines_.push_back({{"at", static_cast<int64_t>(codes_.size())},
                        {"type", 3},
                        {"alternativeText", AlternativeTextOf(n, docPr)},
                        {"width", w},
                        {"height", h},
                        {"lockAspectRatio", AspectLocked(n, true)},
                        {"borders", {{"lines", lines}, {"shadow", false}}},
                        {"image", image},
                        {"source", ""},
                        {"control", nullptr}});
    Emit(kObjectChar, font, para_);
  }

  static void ColorOf(const xmlNode* fill, int32_t& color, double& transparency) {
    const xmlNode* c = nullptr;
    for (const xmlNode* k = fill ? fill->children : nullptr; k; k = k->next)
      if (k->type == XML_ELEMENT_NODE) {
        c = k;
        break;
      }
    if (!c) return;
    if (Is(c, kNsA, "srgbClr"))
      color = ColorFromHex(AttrOf(c, "val").value_or(""), color);
    else if (Is(c, kNsA, "sysClr"))
      color = AttrOf(c, "val").value_or("") == "windowText"
                  ? wdColorAutomatic
                  : ColorFromHex(AttrOf(c, "lastClr").value_or(""), color);
    if (auto alpha = NumberOf(AttrOf(Child(c, kNsA, "alpha"), "val")))
      transparency = 1.0 - std::clamp(*alpha, 0.0, 100000.0) / 100000.0;
  }

  void FillOf(const xmlNode* spPr, FillData& fill, json& picture) {
    if (Child(spPr, kNsA, "noFill")) fill.visible = false;
    if (const xmlNode* solid = Child(spPr, kNsA, "solidFill"))
      ColorOf(solid, fill.foreColor, fill.transparency);
    if (const xmlNode* blipFill = Child(spPr, kNsA, "blipFill"))
      if (const xmlNode* blip = Child(blipFill, kNsA, "blip")) {
        picture = Picture(blip);
        // The picture's part carries the name of the file the fill came from.
        if (!picture.is_null()) fill.userPicture = PartFileName(blip);
      }
  }

  static void LineOf(const xmlNode* ln, LineData& line) {
    if (!ln) return;
    if (Child(ln, kNsA, "noFill")) {
      line.visible = false;
      return;
    }
    line.visible = true;
    if (auto w = NumberOf(AttrOf(ln, "w"))) line.weight = FromEmu(*w);
    if (auto cmpd = AttrOf(ln, "cmpd")) line.style = LineCompoundFrom(*cmpd);
    ColorOf(Child(ln, kNsA, "solidFill"), line.foreColor, line.transparency);
    if (auto dash = AttrOf(Child(ln, kNsA, "prstDash"), "val")) line.dashStyle = DashFrom(*dash);
  }

  void Anchor(const xmlNode* n) {
    ShapeData d;
    const auto [w, h] = ExtentOf(n);
    d.width = w;
    d.height = h;
    auto flag = [&](const char* name, bool fallback) {
      const auto v = AttrOf(n, name);
      return v ? (*v == "1" || *v == "true") : fallback;
    };
    d.behindText = flag("behindDoc", false);
    d.lockAnchor = flag("locked", false);
    d.wrap.allowOverlap = flag("allowOverlap", true);
    d.wrap.distanceTop = FromEmu(NumberOf(AttrOf(n, "distT")).value_or(0));
    d.wrap.distanceBottom = FromEmu(NumberOf(AttrOf(n, "distB")).value_or(0));
    d.wrap.distanceLeft = FromEmu(NumberOf(AttrOf(n, "distL")).value_or(0));
    d.wrap.distanceRight = FromEmu(NumberOf(AttrOf(n, "distR")).value_or(0));
    const double z = NumberOf(AttrOf(n, "relativeHeight")).value_or(0);
    if (const xmlNode* ph = Child(n, kNsWp, "positionH")) {
      d.relativeHorizontal = HorizontalRelationFrom(AttrOf(ph, "relativeFrom").value_or(""));
      d.left = FromEmu(NumberOf(TextOf(Child(ph, kNsWp, "posOffset"))).value_or(0));
    }
    if (const xmlNode* pv = Child(n, kNsWp, "positionV")) {
      d.relativeVertical = VerticalRelationFrom(AttrOf(pv, "relativeFrom").value_or(""));
      d.top = FromEmu(NumberOf(TextOf(Child(pv, kNsWp, "posOffset"))).value_or(0));
    }
    d.wrap.type = wdWrapNone;
    for (const auto& [name, type] : {std::pair{"wrapSquare", wdWrapSquare},
                                     {"wrapTight", wdWrapTight},
                                     {"wrapThrough", wdWrapThrough},
                                     {"wrapTopAndBottom", wdWrapTopBottom}})
      if (const xmlNode* wrap = Child(n, kNsWp, name)) {
        d.wrap.type = type;
        d.wrap.side = WrapSideFrom(AttrOf(wrap, "wrapText").value_or("bothSides"));
      }
    const xmlNode* docPr = Child(n, kNsWp, "docPr");
    d.name = UnescapePackageText(AttrOf(docPr, "name").value_or(""));
    d.alt = AlternativeTextOf(n, docPr);
    const auto hidden = AttrOf(docPr, "hidden");
    d.visible = !(hidden && (*hidden == "1" || *hidden == "true"));
    d.lockAspectRatio = AspectLocked(n, false);
    json image = nullptr, fillPicture = nullptr;
    if (const xmlNode* pic = Find(n, kNsPic, "pic")) {
      d.type = msoPicture;
      if (const xmlNode* blip = Find(Child(pic, kNsPic, "blipFill"), kNsA, "blip"))
        image = Picture(blip);
      const xmlNode* spPr = Child(pic, kNsPic, "spPr");
      FillOf(spPr, d.fill, fillPicture);
      LineOf(Child(spPr, kNsA, "ln"), d.line);
      d.line.visible = Child(spPr, kNsA, "ln") && d.line.visible;
    } else if (const xmlNode* wsp = Find(n, kNsWps, "wsp")) {
      const auto txBox = AttrOf(Child(wsp, kNsWps, "cNvSpPr"), "txBox");
      d.type = txBox && (*txBox == "1" || *txBox == "true") ? msoTextBox : msoAutoShape;
      const xmlNode* spPr = Child(wsp, kNsWps, "spPr");
      if (auto prst = AttrOf(Child(spPr, kNsA, "prstGeom"), "prst"))
        d.autoShapeType = PresetGeometryFrom(*prst);
      FillOf(spPr, d.fill, fillPicture);
      LineOf(Child(spPr, kNsA, "ln"), d.line);
      if (const xmlNode* content = Find(Child(wsp, kNsWps, "txbx"), kNsW, "txbxContent"))
        TextFrame(content, d.textFrame);
      if (const xmlNode* body = Child(wsp, kNsWps, "bodyPr")) {
        auto inset = [&](const char* name, double& v) {
          if (auto e = NumberOf(AttrOf(body, name))) v = FromEmu(*e);
        };
        inset("lIns", d.textFrame.marginLeft);
        inset("tIns", d.textFrame.marginTop);
        inset("rIns", d.textFrame.marginRight);
        inset("bIns", d.textFrame.marginBottom);
      }
    } else {
      return;  // a group or chart we cannot hold: left out
    }
    shapes_.emplace_back(z, ShapeRecordJson(d, paraStart_, image, fillPicture));
  }

  static void TextFrame(const xmlNode* content, TextFrameData& frame) {
    std::string text;
    bool first = true;
    for (const xmlNode* p = content->children; p; p = p->next) {
      if (!Is(p, kNsW, "p")) continue;
      if (!first) text += '\r';
      const xmlNode* pPr = Child(p, kNsW, "pPr");
      if (first) {
        frame.alignment = ParaOf(pPr).alignment;
        const xmlNode* r = Find(p, kNsW, "r");
        frame.font = FontOf(r ? Child(r, kNsW, "rPr") : (pPr ? Child(pPr, kNsW, "rPr") : nullptr));
      }
      first = false;
      for (const xmlNode* r = p->children; r; r = r->next) {
        if (!Is(r, kNsW, "r")) continue;
        for (const xmlNode* c = r->children; c; c = c->next) {
          if (Is(c, kNsW, "t"))
            text += UnescapePackageText(TextOf(c));
          else if (Is(c, kNsW, "br"))
            text += '\v';
          else if (Is(c, kNsW, "tab"))
            text += '\t';
        }
      }
    }
    frame.text = text;
  }

  // --- tables ---

  static json BordersOf(const xmlNode* b) {
    BorderData d;
    static const char* kSides[6][2] = {{"top", "top"},         {"left", "start"},
                                       {"bottom", "bottom"},   {"right", "end"},
                                       {"insideH", "insideH"}, {"insideV", "insideV"}};
    json lines = json::array();
    for (size_t i = 0; i < 6; ++i) {
      BorderLine l = d.lines[i];
      const xmlNode* n = b ? Child(b, kNsW, kSides[i][0]) : nullptr;
      if (!n && b) n = Child(b, kNsW, kSides[i][1]);
      if (n) {
        l.lineStyle = BorderStyleFrom(WAttr(n, "val").value_or("single"));
        if (auto sz = NumberOf(WAttr(n, "sz"))) l.width = *sz / 8;
        l.color = ColorFromHex(WAttr(n, "color").value_or(""), l.color);
      }
      lines.push_back({l.lineStyle, l.color, l.width});
    }
    return {{"lines", lines}, {"shadow", false}};
  }

  static json ShadingOf(const xmlNode* s) {
    ShadingData d;
    if (s) {
      d.texture = ShadingPatternFrom(WAttr(s, "val").value_or("clear"));
      d.foreground = ColorFromHex(WAttr(s, "color").value_or("auto"), d.foreground);
      d.background = ColorFromHex(WAttr(s, "fill").value_or("auto"), d.background);
    }
    return {{"texture", d.texture}, {"background", d.background}, {"foreground", d.foreground}};
  }

  static json MarginsOf(const xmlNode* m, std::array<double, 4> p) {
    if (m) {
      auto side = [&](const char* a, const char* b, size_t i) {
        const xmlNode* n = Child(m, kNsW, a);
        if (!n) n = Child(m, kNsW, b);
        if (auto w = NumberOf(WAttr(n, "w"))) p[i] = FromTwips(*w);
      };
      side("top", "top", 0);
      side("bottom", "bottom", 1);
      side("left", "start", 2);
      side("right", "end", 3);
    }
    return {p[0], p[1], p[2], p[3]};
  }

  void EndCell(const xmlNode* tc, json& cell) {
    (void)tc;
    if (pending_) {
      Emit(kCellMark, pending_->first, pending_->second);
      pending_.reset();
    } else {
      Emit(kCellMark, defaultFont_, defaultPara_);
    }
    cell["end"] = static_cast<int64_t>(codes_.size()) - 1;
  }

  void Table(const xmlNode* tbl) {
    const size_t index = tables_.size();
    tables_.push_back(nullptr);
    const auto start = static_cast<int64_t>(codes_.size());
    const xmlNode* tblPr = Child(tbl, kNsW, "tblPr");
    std::vector<double> grid;
    for (const xmlNode* g = Child(Child(tbl, kNsW, "tblGrid"), kNsW, "gridCol"); g; g = g->next)
      if (Is(g, kNsW, "gridCol")) grid.push_back(FromTwips(NumberOf(WAttr(g, "w")).value_or(0)));
    const TableFormat defaults;
    json t = {{"start", start},
              {"padding", MarginsOf(Child(tblPr, kNsW, "tblCellMar"), defaults.padding)},
              {"borders", BordersOf(Child(tblPr, kNsW, "tblBorders"))},
              {"shading", ShadingOf(Child(tblPr, kNsW, "shd"))},
              {"allowAutoFit",
               WAttr(Child(tblPr, kNsW, "tblLayout"), "type").value_or("autofit") != "fixed"},
              {"autoFitBehavior", 0},
              {"preferredWidth", 0.0},
              {"preferredWidthType", wdPreferredWidthAuto},
              {"tableBehavior", 0}};
    if (const xmlNode* tw = Child(tblPr, kNsW, "tblW")) {
      const std::string type = WAttr(tw, "type").value_or("auto");
      const double w = NumberOf(WAttr(tw, "w")).value_or(0);
      if (type == "dxa") {
        t["preferredWidth"] = FromTwips(w);
        t["preferredWidthType"] = wdPreferredWidthPoints;
      } else if (type == "pct") {
        t["preferredWidth"] = w / 50;
        t["preferredWidthType"] = wdPreferredWidthPercent;
      }
    }
    json rows = json::array();
    for (const xmlNode* tr = tbl->children; tr; tr = tr->next) {
      if (!Is(tr, kNsW, "tr")) continue;
      json cells = json::array();
      size_t column = 0;
      const xmlNode* trPr = Child(tr, kNsW, "trPr");
      if (auto before = NumberOf(WAttr(Child(trPr, kNsW, "gridBefore"), "val")))
        column += static_cast<size_t>(std::max(0.0, *before));
      for (const xmlNode* tc = tr->children; tc; tc = tc->next) {
        if (!Is(tc, kNsW, "tc")) continue;
        const xmlNode* tcPr = Child(tc, kNsW, "tcPr");
        size_t span = 1;
        if (auto s = NumberOf(WAttr(Child(tcPr, kNsW, "gridSpan"), "val")))
          span = static_cast<size_t>(std::clamp(*s, 1.0, 64.0));
        double width = 0;
        for (size_t k = column; k < column + span && k < grid.size(); ++k)
          width += grid[k];
        column += span;
        if (const xmlNode* tcW = Child(tcPr, kNsW, "tcW");
            tcW && WAttr(tcW, "type").value_or("dxa") == "dxa")
          if (auto w = NumberOf(WAttr(tcW, "w")); w && *w > 0) width = FromTwips(*w);
        const xmlNode* vAlign = Child(tcPr, kNsW, "vAlign");
        json cell = {
            {"width", width},
            {"padding", MarginsOf(Child(tcPr, kNsW, "tcMar"), {-1, -1, -1, -1})},
            {"shading", ShadingOf(Child(tcPr, kNsW, "shd"))},
            {"borders", BordersOf(Child(tcPr, kNsW, "tcBorders"))},
            {"verticalAlignment", VerticalAlignmentFrom(WAttr(vAlign, "val").value_or("top"))}};
        Blocks(tc);
        EndCell(tc, cell);
        cells.push_back(std::move(cell));
      }
      if (cells.empty()) continue;
      const size_t last = codes_.size() - 1;
      Emit(kCellMark, fontIndex_[last], paraIndex_[last]);
      double height = 0;
      int32_t rule = wdRowHeightAuto;
      if (const xmlNode* th = Child(trPr, kNsW, "trHeight")) {
        height = FromTwips(NumberOf(WAttr(th, "val")).value_or(0));
        const std::string hRule = WAttr(th, "hRule").value_or("atLeast");
        rule = hRule == "exact" ? wdRowHeightExactly : hRule == "auto" ? wdRowHeightAuto : 1;
      }
      rows.push_back({{"end", static_cast<int64_t>(codes_.size()) - 1},
                      {"height", height},
                      {"heightRule", rule},
                      {"cells", std::move(cells)}});
    }
    if (rows.empty()) {
      tables_.erase(tables_.begin() + static_cast<std::ptrdiff_t>(index));
      return;
    }
    t["rows"] = std::move(rows);
    tables_[index] = std::move(t);
  }

  // --- properties and page ---

  json Settings() {
    json out = {{"snapToGrid", true},
                {"snapToShapes", false},
                {"formsDesign", false},
                {"viewType", wdPrintView}};
    auto it = parts_.find(settings_);
    if (it == parts_.end()) return out;
    auto doc = ParseXml(it->first, it->second);
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (auto view = WAttr(Child(root, kNsW, "view"), "val")) out["viewType"] = ViewFrom(*view);
    if (const xmlNode* forms = Child(root, kNsW, "formsDesign")) out["formsDesign"] = OnOff(forms);
    return out;
  }

  json CustomProperties() {
    json out = json::array();
    auto it = parts_.find(custom_);
    if (it == parts_.end()) return out;
    auto doc = ParseXml(it->first, it->second);
    PropertyStore seen;
    for (const xmlNode* p = xmlDocGetRootElement(doc.get())->children; p; p = p->next) {
      if (!Is(p, kNsCustom, "property")) continue;
      const auto name = AttrOf(p, "name");
      if (!name || name->empty()) continue;
      const std::string n = UnescapePackageText(*name);
      if (seen.Find(n)) continue;
      const xmlNode* v = nullptr;
      for (const xmlNode* c = p->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE) {
          v = c;
          break;
        }
      if (!v || !v->ns || !xmlStrEqual(v->ns->href, BAD_CAST kNsVt)) continue;
      const std::string kind = reinterpret_cast<const char*>(v->name);
      const std::string text = TextOf(v);
      json value;
      int32_t type = 0;
      if (kind == "lpwstr" || kind == "lpstr" || kind == "bstr") {
        type = msoPropertyTypeString;
        value = UnescapePackageText(text);
      } else if (kind == "bool") {
        type = msoPropertyTypeBoolean;
        value = text == "true" || text == "1";
      } else if (kind == "filetime" || kind == "date") {
        auto date = DateOf(text);
        if (!date) continue;
        type = msoPropertyTypeDate;
        value = *date;
      } else if (kind == "i1" || kind == "i2" || kind == "i4" || kind == "i8" || kind == "int" ||
                 kind == "ui1" || kind == "ui2" || kind == "ui4" || kind == "ui8" ||
                 kind == "uint" || kind == "r4" || kind == "r8" || kind == "decimal") {
        const auto number = NumberOf(text);
        if (!number) continue;
        // A whole number stays a number even when another program stored it as a float; a float
        // we wrote always carries its point.
        const bool whole = text.find_first_of(".eE") == std::string::npos &&
                           std::fabs(*number) <= 2147483647.0 && *number == std::floor(*number);
        type = whole ? msoPropertyTypeNumber : msoPropertyTypeFloat;
        if (whole)
          value = static_cast<int32_t>(*number);
        else
          value = *number;
      } else {
        continue;
      }
      const auto link = AttrOf(p, "linkTarget");
      seen.items.push_back({n, type, {}, false, ""});
      out.push_back({{"name", n},
                     {"type", type},
                     {"value", value},
                     {"linkToContent", link.has_value()},
                     {"linkSource", link ? UnescapePackageText(*link) : ""}});
    }
    return out;
  }

  static std::optional<double> DateOf(const std::string& text) {
    automation::DateParts p;
    if (std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%d", &p.year, &p.month, &p.day, &p.hour,
                    &p.minute, &p.second) < 3)
      return std::nullopt;
    if (p.month < 1 || p.month > 12 || p.day < 1 || p.day > 31 || p.hour < 0 || p.hour > 23 ||
        p.minute < 0 || p.minute > 59 || p.second < 0 || p.second > 60)
      return std::nullopt;
    return automation::Date::FromParts(p).Serial();
  }

  static json PageSetupOf(const xmlNode* sect) {
    PageSetupData d;
    if (const xmlNode* sz = Child(sect, kNsW, "pgSz")) {
      if (auto w = NumberOf(WAttr(sz, "w"))) d.pageWidth = FromTwips(*w);
      if (auto h = NumberOf(WAttr(sz, "h"))) d.pageHeight = FromTwips(*h);
      if (WAttr(sz, "orient").value_or("") == "landscape") d.orientation = 1;
    }
    if (const xmlNode* m = Child(sect, kNsW, "pgMar")) {
      auto get = [&](const char* name, double& v) {
        if (auto t = NumberOf(WAttr(m, name))) v = FromTwips(*t);
      };
      get("top", d.topMargin);
      get("bottom", d.bottomMargin);
      get("left", d.leftMargin);
      get("right", d.rightMargin);
    }
    return {{"pageWidth", d.pageWidth},    {"pageHeight", d.pageHeight},
            {"leftMargin", d.leftMargin},  {"rightMargin", d.rightMargin},
            {"topMargin", d.topMargin},    {"bottomMargin", d.bottomMargin},
            {"orientation", d.orientation}};
  }

  static json Runs(const std::vector<uint16_t>& index) {
    json runs = json::array();
    size_t count = 0;
    uint16_t current = 0;
    for (uint16_t v : index) {
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

  PackageParts parts_;
  std::string base_;
  std::string custom_ = "docProps/custom.xml";
  std::string settings_;
  std::map<std::string, std::string> rels_;
  std::u32string codes_;
  std::vector<uint16_t> fontIndex_, paraIndex_;
  std::vector<json> fonts_, paras_;
  std::map<std::string, uint16_t> fontMap_, paraMap_;
  uint16_t defaultFont_ = 0, defaultPara_ = 0, para_ = 0;
  int64_t paraStart_ = 0;
  // The mark of the last paragraph read, written once it is known whether a paragraph mark or
  // the end of a cell ends it.
  std::optional<std::pair<uint16_t, uint16_t>> pending_;
  json tables_ = json::array();
  json inlines_ = json::array();
  std::vector<std::pair<double, json>> shapes_;
};

}  // namespace

json DocxToRecord(const std::string& zipBytes, const PackageLimits& limits) {
  return Reader(zipBytes, limits).Read();
}

}  // namespace qv::word
