// The native document file as text: written member by member straight from the document, read
// part by part from the file's text. Neither builds a JSON tree of the whole document, which for
// a large document cost several times the file's size in memory and most of the time of a save or
// an open. The text is the same, byte for byte, as the tree's dump (DocumentToJson).

#include <optional>

#include "automation/text/utf8.h"
#include "platform/files.h"
#include "word/doc_file.h"
#include "word/doc_record.h"
#include "word/document.h"
#include "word/errors.h"
#include "word/inline_shape.h"
#include "word/json_text.h"
#include "word/story.h"
#include "word/table.h"

namespace qv::word {

using nlohmann::json;

namespace {

// ---- writing: the members that grow with the document, streamed ----

void WriteBorders(PrettyJsonWriter& w, const BorderData& b) {
  w.BeginObject();
  w.Key("lines").BeginArray();
  for (const auto& l : b.lines) {
    w.BeginArray();
    w.Value(l.lineStyle);
    w.Value(l.color);
    w.Value(l.width);
    w.EndArray();
  }
  w.EndArray();
  w.Key("shadow").Value(b.shadow);
  w.EndObject();
}

void WritePadding(PrettyJsonWriter& w, const std::array<double, 4>& p) {
  w.BeginArray();
  for (double side : p)
    w.Value(side);
  w.EndArray();
}

void WriteShading(PrettyJsonWriter& w, const ShadingData& s) {
  w.BeginObject();
  w.Key("background").Value(s.background);
  w.Key("foreground").Value(s.foreground);
  w.Key("texture").Value(s.texture);
  w.EndObject();
}

void WriteImage(PrettyJsonWriter& w, const ImageData& i) {
  if (i.bytes.empty()) {
    w.Value(nullptr);
    return;
  }
  w.BeginObject();
  w.Key("data").Value(json(Base64Encode(i.bytes)));
  w.Key("format").Value(i.format);
  w.EndObject();
}

void WriteTable(PrettyJsonWriter& w, Table& t) {
  const TableFormat& f = t.Fmt();
  w.BeginObject();
  w.Key("allowAutoFit").Value(f.allowAutoFit);
  w.Key("autoFitBehavior").Value(f.autoFitBehavior);
  w.Key("borders");
  WriteBorders(w, f.borders);
  w.Key("padding");
  WritePadding(w, f.padding);
  w.Key("preferredWidth").Value(f.preferredWidth);
  w.Key("preferredWidthType").Value(f.preferredWidthType);
  w.Key("rows").BeginArray();
  for (const auto& r : t.RowList()) {
    w.BeginObject();
    w.Key("cells").BeginArray();
    for (const auto& c : r->CellList()) {
      const CellFormat& cf = c->Fmt();
      w.BeginObject();
      w.Key("borders");
      WriteBorders(w, cf.borders);
      w.Key("end").Value(c->EndMark());
      w.Key("padding");
      WritePadding(w, cf.padding);
      w.Key("shading");
      WriteShading(w, cf.shading);
      w.Key("verticalAlignment").Value(cf.verticalAlignment);
      w.Key("width").Value(cf.width);
      w.EndObject();
    }
    w.EndArray();
    w.Key("end").Value(r->EndMark());
    w.Key("height").Value(r->Height());
    w.Key("heightRule").Value(r->HeightRule());
    w.EndObject();
  }
  w.EndArray();
  w.Key("shading");
  WriteShading(w, f.shading);
  w.Key("start").Value(t.Start());
  w.Key("tableBehavior").Value(f.tableBehavior);
  w.EndObject();
}

void WriteInlineShape(PrettyJsonWriter& w, const InlineShape& i, int64_t at) {
  w.BeginObject();
  w.Key("alternativeText").Value(i.AlternativeText());
  w.Key("at").Value(at);
  w.Key("borders");
  WriteBorders(w, i.BorderFmt());
  w.Key("control");
  if (auto c = i.Control()) {
    w.BeginObject();
    w.Key("className").Value(c->ClassName());
    w.Key("classType").Value(i.ControlClass());
    w.Key("name").Value(c->name);
    w.Key("text").Value(c->text);
    w.EndObject();
  } else {
    w.Value(nullptr);
  }
  w.Key("height").Value(i.Height());
  w.Key("image");
  WriteImage(w, i.Image());
  w.Key("lockAspectRatio").Value(i.LockAspectRatio());
  w.Key("source").Value(i.SourceFile());
  w.Key("type").Value(i.Type());
  w.Key("width").Value(i.Width());
  w.EndObject();
}

// [count, index] runs of one formatting field over the story.
template <class T>
void WriteRuns(PrettyJsonWriter& w, const Story& s, T field) {
  w.BeginArray();
  int64_t count = 0;
  uint16_t current = 0;
  auto run = [&] {
    w.BeginArray();
    w.Value(count);
    w.Value(current);
    w.EndArray();
  };
  for (int64_t p = 0; p < s.Length(); ++p) {
    const uint16_t v = field(s.At(p));
    if (count > 0 && v != current) {
      run();
      count = 0;
    }
    current = v;
    ++count;
  }
  if (count > 0) run();
  w.EndArray();
}

// The whole file: the members in the order the tree keeps them (sorted by key). `sizeHint` is
// what the text is expected to take: reserved at once, the text is not copied into ever larger
// buffers, whose freed predecessors the allocator would keep (twice the file in memory at the end).
std::string DocumentFileText(Document& doc, size_t sizeHint) {
  Story& s = doc.GetStory();
  const json small = DocumentSmallParts(doc);
  std::string out;
  out.reserve(sizeHint);
  PrettyJsonWriter w(out);
  auto copy = [&](const char* key) { w.Key(key).Value(small.at(key)); };
  w.BeginObject();
  copy("customProperties");
  w.Key("fontRuns");
  WriteRuns(w, s, [](const Char& c) { return c.font; });
  copy("fonts");
  copy("format");
  w.Key("inlineShapes").BeginArray();
  for (const Mark* m : s.Marks())
    if (m->kind == MarkKind::Object)
      WriteInlineShape(w, *static_cast<InlineShape*>(m->owner), m->Pos());
  w.EndArray();
  copy("pageSetup");
  copy("paragraphFormats");
  w.Key("paragraphRuns");
  WriteRuns(w, s, [](const Char& c) { return c.para; });
  copy("settings");
  copy("shapes");
  w.Key("tables").BeginArray();
  for (const Mark* m : s.Marks())
    if (m->kind == MarkKind::TableStart) WriteTable(w, *static_cast<Table*>(m->owner));
  w.EndArray();
  w.Key("text").Value(json(text::EncodeUtf8(s.Codes(0, s.Length()))));
  copy("version");
  w.EndObject();
  out += "\n";
  return out;
}

// ---- reading: the file's members found in its text, each parsed when the loader reaches it ----

class FileParts : public RecordParts {
 public:
  explicit FileParts(std::map<std::string, JsonMember, std::less<>> members)
      : members_(std::move(members)) {}

  bool IsDocument() override {
    json head = json::object();
    if (auto it = members_.find("format"); it != members_.end())
      head["format"] = json::parse(it->second.text);
    return head.value("format", "") == kDocumentFormat;
  }

  const json& At(const char* key) override {
    auto& parsed = whole_[key];
    if (parsed.is_null()) parsed = json::parse(Member(key).text);
    return parsed;
  }

  size_t Count(const char* key) override {
    const JsonMember& m = Member(key);
    return m.isArray ? m.items.size() : At(key).size();
  }

  const json& Item(const char* key, size_t index) override {
    const JsonMember& m = Member(key);
    if (!m.isArray || index >= m.items.size()) return At(key).at(index);
    return current_[key] = json::parse(m.items[index]);
  }

  std::string_view ItemText(const char* key, size_t index) override {
    auto it = members_.find(key);
    if (it == members_.end() || !it->second.isArray || index >= it->second.items.size()) return {};
    return it->second.items[index];
  }

 private:
  // A missing member raises what `j.at(key)` raises.
  const JsonMember& Member(const char* key) {
    auto it = members_.find(key);
    if (it == members_.end()) (void)json::object().at(key);
    return it->second;
  }

  std::map<std::string, JsonMember, std::less<>> members_;
  std::map<std::string, json, std::less<>> whole_;
  std::map<std::string, json, std::less<>> current_;
};

}  // namespace

// The size of the document's last file (the one replaced, else the one it was opened from or last
// saved as) with room to grow; 0 for a document never saved.
size_t SizeHint(const Document& doc, const std::filesystem::path& file) {
  std::error_code ec;
  for (const auto& f : {file, doc.File()}) {
    if (f.empty()) continue;
    const auto size = std::filesystem::file_size(f, ec);
    if (!ec && size <= kMaxDocumentFileBytes) return size + size / 8 + (64 << 10);
  }
  return 0;
}

void WriteDocumentFile(Document& doc, const std::filesystem::path& file) {
  std::string text;
  try {
    text = DocumentFileText(doc, SizeHint(doc, file));
  } catch (const json::exception& e) {
    throw automation::AutomationError(5153,
                                      std::string("The document could not be saved: ") + e.what());
  }
  if (text.size() > kMaxDocumentFileBytes)
    throw automation::AutomationError(
        5153, "The document could not be saved: it would be larger than " +
                  std::to_string(kMaxDocumentFileBytes >> 20) + " MB, the largest document that " +
                  "can be opened again.");
  if (!platform::WriteFileAtomically(file, text))
    throw automation::AutomationError(5153,
                                      "The document could not be saved as " + file.string() + ".");
}

void ReadDocumentFile(Document& doc, const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec))
    throw automation::AutomationError(kErrFileNotFound,
                                      "This file could not be found.\r\n(" + file.string() + ")");
  // A file over the limit is refused before it is read (and again if it grew while read).
  const auto tooLarge = "it is larger than " + std::to_string(kMaxDocumentFileBytes >> 20) +
                        " MB, the largest document this word processor opens";
  if (std::filesystem::file_size(file, ec) > kMaxDocumentFileBytes && !ec)
    RefuseFile(file, tooLarge);
  auto text = platform::ReadWholeFile(file, kMaxDocumentFileBytes);
  if (!text) {
    ec.clear();
    if (std::filesystem::file_size(file, ec) > kMaxDocumentFileBytes && !ec)
      RefuseFile(file, tooLarge);
    RefuseFile(file, "it cannot be read");
  }
  if (auto members = ScanObjectMembers(*text)) {
    FileParts parts(std::move(*members));
    LoadRecordOrRefuse(doc, parts, file);
    return;
  }
  // Text the scanner does not vouch for: the whole tree, which also names a syntax fault exactly.
  json record;
  try {
    record = json::parse(*text);
  } catch (const json::exception& e) {
    RefuseFile(file, std::string("it is not a document file (") + e.what() + ")");
  }
  text.reset();
  LoadRecordOrRefuse(doc, record, file);
}

}  // namespace qv::word
