#include "browser/dom/markup_bounds.h"

#include <map>

#include "automation/text/ascii.h"
#include "browser/dom/open_elements.h"

namespace qv::browser {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The copy of the markup with its changes, made only once there is a change.
class Edits {
 public:
  explicit Edits(std::string_view in) : in_(in) {}
  void Cut(size_t from, size_t to) {
    Copy(from);
    copied_ = to;
  }
  void Insert(size_t at, std::string_view text) {
    Copy(at);
    out_.append(text);
  }
  std::optional<std::string> Result() {
    if (!changed_) return std::nullopt;
    Copy(in_.size());
    return std::move(out_);
  }

 private:
  void Copy(size_t upTo) {
    if (!changed_) out_.reserve(in_.size() + in_.size() / 8);
    changed_ = true;
    out_.append(in_.substr(copied_, upTo - copied_));
    copied_ = upTo;
  }
  std::string_view in_;
  std::string out_;
  size_t copied_ = 0;
  bool changed_ = false;
};

// Where the text of a raw text element (script, style, ...) that starts at `from` ends: at its
// end tag, in any case, or at the end of the markup.
size_t RawTextEnd(std::string_view html, size_t from, std::string_view tag) {
  for (size_t at = html.find("</", from); at != std::string_view::npos;
       at = html.find("</", at + 2)) {
    const size_t name = at + 2;
    if (html.size() - name < tag.size()) break;
    bool same = true;
    for (size_t k = 0; k < tag.size() && same; ++k)
      same = text::AsciiLower(html[name + k]) == tag[k];
    const size_t after = name + tag.size();
    if (same &&
        (after == html.size() || IsSpace(html[after]) || html[after] == '/' || html[after] == '>'))
      return at;
  }
  return html.size();
}

// Where a comment or other markup declaration that starts at `from` ("<!") ends.
size_t DeclarationEnd(std::string_view html, size_t from, bool foreign) {
  const std::string_view rest = html.substr(from);
  if (rest.starts_with("<!--")) {
    if (rest.starts_with("<!-->")) return from + 5;
    if (rest.starts_with("<!--->")) return from + 6;
    const size_t a = html.find("-->", from + 4);
    const size_t b = html.find("--!>", from + 4);
    if (a == std::string_view::npos && b == std::string_view::npos) return html.size();
    return a < b ? a + 3 : b + 4;
  }
  if (foreign && rest.starts_with("<![CDATA[")) {
    const size_t end = html.find("]]>", from + 9);
    return end == std::string_view::npos ? html.size() : end + 3;
  }
  const size_t end = html.find('>', from);
  return end == std::string_view::npos ? html.size() : end + 1;
}

}  // namespace

std::optional<std::string> BoundMarkup(std::string_view html, const MarkupBounds& bounds,
                                       size_t baseDepth) {
  const size_t maxOpen = baseDepth < bounds.maxOpen ? bounds.maxOpen - baseDepth : 0;
  const size_t n = html.size();
  Edits edits(html);
  OpenElements open;
  // End tags still to come of elements that were closed at once.
  std::map<std::string, size_t, std::less<>> closedEarly;
  size_t i = 0;
  while (i < n) {
    const size_t lt = html.find('<', i);
    if (lt == std::string_view::npos || lt + 1 >= n) break;
    i = lt + 1;
    if (html[i] == '!' || html[i] == '?') {
      i = DeclarationEnd(html, lt, open.InForeignContent());
      continue;
    }
    const bool end = html[i] == '/';
    if (end) ++i;
    if (i >= n) break;
    if (!IsLetter(html[i])) {
      // "<" followed by anything else is text; "</" followed by it is a comment or nothing.
      if (end) i = DeclarationEnd(html, lt, false);
      continue;
    }
    std::string tag;
    while (i < n && !IsSpace(html[i]) && html[i] != '/' && html[i] != '>')
      tag += text::AsciiLower(html[i++]);
    size_t attributes = 0;
    size_t keptUpTo = 0;  // where the last attribute kept ends
    bool selfClosing = false;
    size_t close = std::string_view::npos;  // the tag's closing "/>" or ">"
    while (i < n) {
      if (IsSpace(html[i])) {
        ++i;
      } else if (html[i] == '>') {
        close = i++;
        break;
      } else if (html[i] == '/') {
        if (i + 1 < n && html[i + 1] == '>') {
          selfClosing = true;
          close = i;
          i += 2;
          break;
        }
        ++i;
      } else {
        ++i;  // the name's first character may be anything, '=' too
        while (i < n && !IsSpace(html[i]) && html[i] != '/' && html[i] != '>' && html[i] != '=')
          ++i;
        while (i < n && IsSpace(html[i]))
          ++i;
        if (i < n && html[i] == '=') {
          ++i;
          while (i < n && IsSpace(html[i]))
            ++i;
          if (i < n && (html[i] == '"' || html[i] == '\'')) {
            const size_t quote = html.find(html[i], i + 1);
            i = quote == std::string_view::npos ? n : quote + 1;
          } else {
            while (i < n && !IsSpace(html[i]) && html[i] != '>')
              ++i;
          }
        }
        if (++attributes == bounds.maxAttributes) keptUpTo = i;
      }
    }
    if (close == std::string_view::npos) break;  // the markup ends inside the tag, which is lost
    if (attributes > bounds.maxAttributes) edits.Cut(keptUpTo, close);
    if (end) {
      const auto early = closedEarly.find(tag);
      if (early != closedEarly.end() && early->second > 0) {
        --early->second;
        edits.Cut(lt, i);
      } else {
        open.End(tag);
      }
      continue;
    }
    const bool raw =
        (OpenElements::KindOf(tag) & OpenElements::kRawText) && !open.InForeignContent();
    if (open.Start(tag, selfClosing) && open.Depth() > maxOpen) {
      edits.Insert(i, "</" + tag + ">");
      open.PopLast();
      ++closedEarly[tag];
    }
    if (raw) i = tag == "plaintext" ? n : RawTextEnd(html, i, tag);
  }
  return edits.Result();
}

}  // namespace qv::browser
