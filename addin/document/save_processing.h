#pragma once
// Save processing: before a course document goes to the course host, the document records in its
// own custom properties how the host is to cut it into web pages (one title per page in "KZOST" +
// n, the page types in "KZOSlideTypes"), is saved, and the author is warned about text that no
// course web page would show.

#include <cstdint>
#include <string>

namespace qv::word {
class Document;
class Range;
}  // namespace qv::word

namespace qv::addin {

// Page type codes of "KZOSlideTypes".
inline constexpr int16_t kSlideEmpty = 1;  // an empty first or last page
inline constexpr int16_t kSlideText = 5;   // text (also an empty page between two others)
inline constexpr int16_t kSlideQuiz = 6;   // quiz questions

enum class SaveOutcome {
  NotCourseDocument,  // no "KZOConvert" 7: the document was left untouched
  Saved,              // page data recorded and the document saved
  NotSaved,           // page data recorded, but the save failed (the author has been told)
};

// Records the page titles and types of a course document, saves it and warns about text outside
// questions. Errors of the word processor before the page types are stored reach the caller; from
// then on each failing step is skipped.
SaveOutcome ProcessKZOInfo(word::Document& doc);

// Records the page that begins at `range`'s start as page `n`: classifies it (extending `range`
// to the page's end), stores its title in "KZOST" + n and returns its type code. A quiz page takes
// the running quiz number `q` and counts it on. Never raises: a step that fails is skipped.
int16_t RecordPage(word::Range& range, int32_t n, int32_t& q, word::Document& doc);

// The title of the q-th quiz page of the document named `docName`: the name without its extension,
// a blank, "Quiz " and q ("Unit1.doc" gives "Unit1 Quiz 1"); "Quiz " and q alone when there is no
// name before an extension.
std::string QuizPageTitle(const std::string& docName, int32_t q);

}  // namespace qv::addin
