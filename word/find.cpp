#include "word/find.h"

#include <cwctype>

#include "automation/text/utf8.h"
#include "word/errors.h"
#include "word/range.h"
#include "word/structure.h"

namespace qv::word {

using automation::Args;
using automation::ClassTable;
using automation::DispatchTable;
using automation::Variant;

const DispatchTable& Replacement::Members() const {
  static const DispatchTable table =
      ClassTable<Replacement>("Replacement")
          .Prop(
              "Text", [](Replacement& r) { return r.text; },
              [](Replacement& r, const Variant& v) { r.text = v.ToText(); })
          .Sub("ClearFormatting", [](Replacement&, Args&) {})
          .Build();
  return table;
}

Find::Find(std::shared_ptr<Range> range) : range_(std::move(range)) {}

std::u32string Find::Expand(const std::string& pattern) {
  const std::u32string in = text::DecodeUtf8(pattern);
  std::u32string out;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] != U'^' || i + 1 >= in.size()) {
      out.push_back(in[i]);
      continue;
    }
    const char32_t code = in[++i];
    switch (code) {
      case U'p':
        out.push_back(kParagraphMark);
        break;
      case U'm':
        out.push_back(kPageBreak);
        break;
      case U't':
        out.push_back(U'\t');
        break;
      case U'l':
        out.push_back(kLineBreak);
        break;
      case U'^':
        out.push_back(U'^');
        break;
      default:
        out.push_back(U'^');
        out.push_back(code);
    }
  }
  return out;
}

namespace {

char32_t Fold(char32_t c) {
  return c < 0x10000 ? static_cast<char32_t>(std::towlower(static_cast<wint_t>(c))) : c;
}

bool IsWordChar(char32_t c) {
  return c == U'_' || (c < 0x10000 && std::iswalnum(static_cast<wint_t>(c)));
}

}  // namespace

bool Find::Execute() {
  if (matchWildcards) RaiseNotAvailable("pattern matching is not supported");
  Story& story = range_->GetStory();
  const std::u32string needle = Expand(text);
  found = false;
  if (needle.empty()) return false;
  const bool collapsed = range_->Start() == range_->End();
  int64_t from = range_->Start();
  int64_t to = collapsed ? story.Length() : range_->End();
  if (collapsed && replace == wdReplaceAll) from = 0;
  auto matchAt = [&](int64_t p) {
    if (p + static_cast<int64_t>(needle.size()) > to) return false;
    for (size_t k = 0; k < needle.size(); ++k) {
      const char32_t c = story.CodeAt(p + static_cast<int64_t>(k));
      if (c == kCellMark || c == kObjectChar) return false;
      if (matchCase ? c != needle[k] : Fold(c) != Fold(needle[k])) return false;
    }
    if (matchWholeWord) {
      const int64_t e = p + static_cast<int64_t>(needle.size());
      if (p > 0 && IsWordChar(story.CodeAt(p - 1))) return false;
      if (e < story.Length() && IsWordChar(story.CodeAt(e))) return false;
    }
    return true;
  };
  auto search = [&](int64_t a, int64_t b) -> int64_t {
    if (forward) {
      for (int64_t p = a; p < b; ++p)
        if (matchAt(p)) return p;
    } else {
      for (int64_t p = b - 1; p >= a; --p)
        if (matchAt(p)) return p;
    }
    return -1;
  };
  const std::string with = text::EncodeUtf8(Expand(replacement->text));
  // Replaces the match at `p` and returns the length of what now stands there. A match holding a
  // paragraph mark the story keeps (the final one, the one in front of a table) stays as it is.
  auto replaceAt = [&](int64_t p) {
    const auto n = static_cast<int64_t>(needle.size());
    for (int64_t k = p; k < p + n; ++k)
      if (story.KeepsParagraphMark(k)) return n;
    Story::EditScope scope(story);
    story.DeleteText(p, p + n);
    const int64_t added = Range::InsertText(story, p, with);
    to += added - n;
    return added;
  };
  if (replace == wdReplaceAll) {
    int64_t p = from;
    while (true) {
      const int64_t at = search(p, to);
      if (at < 0) break;
      found = true;
      p = at + replaceAt(at);
    }
    return found;
  }
  int64_t at = search(from, to);
  if (at < 0 && collapsed && wrap == wdFindContinue) {
    to = story.Length();
    at = search(0, to);
  }
  if (at < 0) return false;
  found = true;
  int64_t end = at + static_cast<int64_t>(needle.size());
  if (replace == wdReplaceOne) end = at + replaceAt(at);
  range_->SetRange(at, end);
  return true;
}

const DispatchTable& Find::Members() const {
  static const DispatchTable table =
      ClassTable<Find>("Find")
          .Prop(
              "Text", [](Find& f) { return f.text; },
              [](Find& f, const Variant& v) { f.text = v.ToText(); })
          .Get("Replacement", [](Find& f) { return f.replacement; })
          .Prop(
              "Forward", [](Find& f) { return f.forward; },
              [](Find& f, const Variant& v) { f.forward = v.ToBool(); })
          .Prop(
              "Wrap", [](Find& f) { return f.wrap; },
              [](Find& f, const Variant& v) { f.wrap = v.ToInt32(); })
          .Prop(
              "Format", [](Find& f) { return f.format; },
              [](Find& f, const Variant& v) { f.format = v.ToBool(); })
          .Prop(
              "MatchCase", [](Find& f) { return f.matchCase; },
              [](Find& f, const Variant& v) { f.matchCase = v.ToBool(); })
          .Prop(
              "MatchWholeWord", [](Find& f) { return f.matchWholeWord; },
              [](Find& f, const Variant& v) { f.matchWholeWord = v.ToBool(); })
          .Prop(
              "MatchWildcards", [](Find& f) { return f.matchWildcards; },
              [](Find& f, const Variant& v) { f.matchWildcards = v.ToBool(); })
          .Prop(
              "MatchSoundsLike", [](Find&) { return false; }, [](Find&, const Variant&) {})
          .Prop(
              "MatchAllWordForms", [](Find&) { return false; }, [](Find&, const Variant&) {})
          .Get("Found", [](Find& f) { return f.found; })
          .Sub("ClearFormatting", [](Find& f, Args&) { f.format = false; })
          .Method("Execute",
                  [](Find& f, Args& a) {
                    // FindText, MatchCase, MatchWholeWord, MatchWildcards, MatchSoundsLike,
                    // MatchAllWordForms, Forward, Wrap, Format, ReplaceWith, Replace
                    if (a.Has(0)) f.text = a.Text(0);
                    if (a.Has(1)) f.matchCase = a.Bool(1);
                    if (a.Has(2)) f.matchWholeWord = a.Bool(2);
                    if (a.Has(3)) f.matchWildcards = a.Bool(3);
                    if (a.Has(6)) f.forward = a.Bool(6);
                    if (a.Has(7)) f.wrap = a.Int(7);
                    if (a.Has(8)) f.format = a.Bool(8);
                    if (a.Has(9)) f.replacement->text = a.Text(9);
                    f.replace = a.Has(10) ? a.Int(10) : wdReplaceNone;
                    return f.Execute();
                  })
          .Build();
  return table;
}

}  // namespace qv::word
