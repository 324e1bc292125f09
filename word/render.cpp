#include "word/render.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "automation/text/utf8.h"
#include "automation/variant.h"
#include "word/document.h"
#include "word/inline_shape.h"
#include "word/shape.h"
#include "word/structure.h"
#include "word/table.h"

namespace qv::word {

namespace {

using Lines = std::vector<std::string>;

size_t Width(const std::string& s) {
  return text::CountCodePoints(s);
}

std::string Pad(const std::string& s, size_t width) {
  return s + std::string(width - std::min(width, Width(s)), ' ');
}

class Renderer {
 public:
  explicit Renderer(const Story& s) : s_(s) {}

  // Renders [from, to) of one container; `skipOuter` tables already being drawn.
  Lines Blocks(int64_t from, int64_t to, const Table* enclosing) {
    Lines out;
    int64_t p = from;
    std::string line;
    bool open = false;
    while (p < to) {
      const Table* t = TableAt(p, enclosing);
      if (t && !open) {
        for (auto& l : DrawTable(*const_cast<Table*>(t)))
          out.push_back(std::move(l));
        p = const_cast<Table*>(t)->End();
        continue;
      }
      const char32_t c = s_.CodeAt(p);
      if (c == kParagraphMark) {
        out.push_back(line);
        line.clear();
        open = false;
      } else {
        Inline(p, c, line);
        open = true;
      }
      ++p;
    }
    if (open || out.empty()) out.push_back(line);
    return out;
  }

 private:
  // The table of this level starting at `p`: tables starting at one position nest in order, so
  // it is the one after the enclosing table, or the first when the enclosing one starts elsewhere.
  const Table* TableAt(int64_t p, const Table* enclosing) const {
    const auto& marks = s_.Marks();
    const Table* first = nullptr;
    for (size_t i = s_.FirstMarkAt(p);
         i < marks.size() && marks[i]->Pos() == p && marks[i]->kind == MarkKind::TableStart; ++i) {
      const auto* t = static_cast<const Table*>(marks[i]->owner);
      if (!first) first = t;
      if (t == enclosing) {
        const bool more = i + 1 < marks.size() && marks[i + 1]->Pos() == p &&
                          marks[i + 1]->kind == MarkKind::TableStart;
        return more ? static_cast<const Table*>(marks[i + 1]->owner) : nullptr;
      }
    }
    return first;
  }

  void Inline(int64_t p, char32_t c, std::string& line) {
    if (c == kObjectChar) {
      const auto& marks = s_.Marks();
      const size_t i = s_.FirstMarkAt(p);
      for (size_t k = i; k < marks.size() && marks[k]->Pos() == p; ++k) {
        if (marks[k]->kind != MarkKind::Object) continue;
        auto* shape = static_cast<InlineShape*>(marks[k]->owner);
        if (auto ctl = shape->Control())
          line += "[ctl: " + ctl->ClassName() + " \"" + VisibleText(ctl->text) + "\"]";
        else
          line += "[pic: " + VisibleText(shape->AlternativeText()) + "]";
      }
    } else if (c == kPageBreak) {
      line += "[page break]";
    } else if (c == kLineBreak) {
      line += "\\v";
    } else if (c == U'\t') {
      line += "\\t";
    } else {
      std::string one;
      text::AppendUtf8(one, c);
      line += VisibleText(one);
    }
  }

  Lines DrawTable(Table& t) {
    struct RowCells {
      std::vector<Lines> cells;
      std::vector<size_t> widths;
    };
    std::vector<RowCells> rows;
    size_t total = 0;
    for (const auto& r : t.RowList()) {
      RowCells rc;
      for (const auto& c : r->CellList()) {
        Lines content = Blocks(c->Start(), c->EndMark(), &t);
        // A cell's last paragraph ends with the cell mark, not a paragraph mark.
        size_t w = 1;
        for (const auto& l : content)
          w = std::max(w, Width(l));
        rc.cells.push_back(std::move(content));
        rc.widths.push_back(w);
      }
      size_t sum = 0;
      for (size_t w : rc.widths)
        sum += w + 3;
      total = std::max(total, sum + 1);
      rows.push_back(std::move(rc));
    }
    for (auto& rc : rows) {
      size_t sum = 1;
      for (size_t w : rc.widths)
        sum += w + 3;
      rc.widths.back() += total - sum;
    }
    auto boundaries = [](const RowCells& rc) {
      std::vector<size_t> b{0};
      size_t x = 0;
      for (size_t w : rc.widths) {
        x += w + 3;
        b.push_back(x);
      }
      return b;
    };
    auto rule = [&](const RowCells* a, const RowCells* b) {
      std::string line(total, '-');
      for (const RowCells* rc : {a, b})
        if (rc)
          for (size_t x : boundaries(*rc))
            if (x < total) line[x] = '+';
      return line;
    };
    Lines out;
    out.push_back(rule(nullptr, &rows.front()));
    for (size_t r = 0; r < rows.size(); ++r) {
      const auto& rc = rows[r];
      size_t height = 0;
      for (const auto& c : rc.cells)
        height = std::max(height, c.size());
      for (size_t y = 0; y < height; ++y) {
        std::string line = "|";
        for (size_t k = 0; k < rc.cells.size(); ++k) {
          const std::string text = y < rc.cells[k].size() ? rc.cells[k][y] : "";
          line += " " + Pad(text, rc.widths[k]) + " |";
        }
        out.push_back(line);
      }
      out.push_back(rule(&rc, r + 1 < rows.size() ? &rows[r + 1] : nullptr));
    }
    return out;
  }

  const Story& s_;
};

std::string Number(double d) {
  return automation::FormatDouble(d);
}

// A colour number of the host as "rgb(red,green,blue)"; the automatic colour as "auto".
std::string Colour(int32_t c) {
  if (c == wdColorAutomatic) return "auto";
  const auto u = static_cast<uint32_t>(c);
  return "rgb(" + std::to_string(u & 0xFF) + "," + std::to_string((u >> 8) & 0xFF) + "," +
         std::to_string((u >> 16) & 0xFF) + ")";
}

// The file name of a path of either convention, without its folder.
std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FillText(const FillData& f) {
  if (!f.visible) return "none";
  std::string out = f.userPicture.empty()
                        ? Colour(f.foreColor)
                        : "picture(\"" + VisibleText(FileNameOf(f.userPicture)) + "\")";
  if (f.transparency != 0) out += ",transparency=" + Number(f.transparency);
  return out;
}

std::string LineText(const LineData& l) {
  if (!l.visible) return "none";
  std::string out = Number(l.weight) + "pt," + Colour(l.foreColor);
  if (l.dashStyle != msoLineSolid) out += ",dash=" + std::to_string(l.dashStyle);
  if (l.style != msoLineSingle) out += ",style=" + std::to_string(l.style);
  if (l.transparency != 0) out += ",transparency=" + Number(l.transparency);
  return out;
}

}  // namespace

std::string VisibleText(const std::string& text) {
  std::string out;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += ch;
    }
  }
  return out;
}

std::string RenderDocument(Document& doc) {
  Story& s = doc.GetStory();
  Renderer r(s);
  std::string out;
  for (const auto& line : r.Blocks(0, s.Length(), nullptr))
    out += line + "\n";
  const auto& shapes = doc.ShapeList();
  if (!shapes.empty()) {
    out += "-- floating shapes (back to front) --\n";
    for (const auto& sh : shapes) {
      const ShapeData& d = sh->Data();
      int64_t paragraph = 1;
      for (int64_t p = 0; p < sh->AnchorPos(); ++p)
        if (IsParagraphEnd(s.CodeAt(p))) ++paragraph;
      out += "shape z=" + std::to_string(sh->ZOrderPosition()) + " \"" + VisibleText(d.name) +
             "\" type=" + std::to_string(d.type) +
             (d.type == msoAutoShape ? " shape=" + std::to_string(d.autoShapeType) : "") +
             " anchor=paragraph " + std::to_string(paragraph) + " at=" + Number(d.left) + "," +
             Number(d.top) + " size=" + Number(d.width) + "x" + Number(d.height) + " alt=\"" +
             VisibleText(d.alt) + "\"";
      out += " fill=" + FillText(d.fill) + " line=" + LineText(d.line);
      if (!d.textFrame.text.empty()) out += " text=\"" + VisibleText(d.textFrame.text) + "\"";
      if (d.behindText) out += " behind-text";
      if (!d.visible) out += " hidden";
      out += "\n";
    }
  }
  return out;
}

}  // namespace qv::word
