#include "addin/document/course_checks.h"

#include "addin/questions/g_text.h"
#include "word/range.h"
#include "word/utf8.h"

namespace qv::addin {
namespace {

constexpr size_t kShortTitleLength = 40;

}  // namespace

bool ValidateForCourse(word::Document&) {
  // Until the question check of the whole document is part of the add-in, every document may go.
  return true;
}

std::string ShortTitle(word::Range& range) {
  std::u32string text = word::DecodeUtf8(range.Text());
  if (text.size() > kShortTitleLength) text.resize(kShortTitleLength);
  auto isText = [](char32_t c) { return IsTokenChar(word::EncodeUtf8(std::u32string(1, c))); };
  size_t start = 0;
  while (start < text.size() && !isText(text[start]))
    ++start;
  size_t end = start;
  while (end < text.size() && (text[end] == U' ' || isText(text[end])))
    ++end;
  while (end > start && text[end - 1] == U' ')
    --end;
  return word::EncodeUtf8(text.substr(start, end - start));
}

}  // namespace qv::addin
