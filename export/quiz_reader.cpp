#include "export/quiz_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "addin/document/page_breaks.h"
#include "addin/document/save_processing.h"
#include "addin/questions/attribute_string.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/g_text.h"
#include "addin/questions/question_types.h"
#include "export/area_shapes.h"
#include "export/identifiers.h"
#include "export/picture_store.h"
#include "word/document.h"
#include "word/inline_shape.h"
#include "word/paragraphs.h"
#include "word/range.h"
#include "word/shape.h"
#include "word/table.h"

namespace qv::exporter {
namespace {

// The text as a learner reads it: paragraph and line ends as "\n", structure and object
// characters gone, blanks and line ends at both ends trimmed.
std::string CleanText(const std::string& raw) {
  std::string text;
  for (char c : raw) {
    if (c == '\r' || c == '\x0b') {
      text += '\n';
    } else if (c == '\t') {
      text += ' ';
    } else if (static_cast<unsigned char>(c) >= 0x20 || (c & 0x80)) {
      text += c;
    }
  }
  const auto first = text.find_first_not_of(" \n");
  if (first == std::string::npos) return "";
  text = text.substr(first, text.find_last_not_of(" \n") - first + 1);
  // A nested box ends in its own paragraph mark: no doubled line ends inside.
  std::string out;
  for (char c : text)
    if (!(c == '\n' && !out.empty() && out.back() == '\n')) out += c;
  return out;
}

// An attribute value with the stored ampersand substitutes turned back into "&".
std::string Attr(const std::string& attributes, const std::string& key) {
  std::string value = addin::GetAttr(attributes, key);
  std::replace(value.begin(), value.end(), addin::kAmpersandSubstitute, '&');
  std::replace(value.begin(), value.end(), '\x01', '&');
  return value;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

int32_t IntAttr(const std::string& attributes, const std::string& key, int32_t fallback) {
  const std::string value = addin::GetAttr(attributes, key);
  char* end = nullptr;
  const long n = std::strtol(value.c_str(), &end, 10);
  return value.empty() || *end != '\0' || n < 1 ? fallback : static_cast<int32_t>(n);
}

std::optional<QuestionKind> KindOf(int32_t code) {
  switch (code) {
    case addin::kMultipleChoice:
    case addin::kTrueFalse:
      return QuestionKind::SingleChoice;
    case addin::kMultipleResponse:
      return QuestionKind::MultipleChoice;
    case addin::kMultipleChoiceFIB:
      return QuestionKind::SingleChoiceWithBlank;
    case addin::kMultipleResponseFIB:
      return QuestionKind::MultipleChoiceWithBlank;
    case addin::kFillInTheBlank:
      return QuestionKind::FillInTheBlank;
    case addin::kDragAndDrop:
      return QuestionKind::DragAndDrop;
    case addin::kHotSpot:
      return QuestionKind::HotSpot;
    case addin::kShortAnswer:
      return QuestionKind::ShortAnswer;
    default:
      return std::nullopt;
  }
}

Blank ReadBlank(const std::shared_ptr<word::InlineShape>& picture) {
  const std::string attributes = picture->AlternativeText();
  Blank blank;
  std::string answers = addin::IsTextBoxControl(picture) ? picture->OLEFormat()->Object()->text
                                                         : Attr(attributes, "ans");
  size_t from = 0;
  while (from <= answers.size()) {
    size_t to = answers.find(';', from);
    if (to == std::string::npos) to = answers.size();
    const std::string one = Trim(answers.substr(from, to - from));
    if (!one.empty()) blank.accepted.push_back(one);
    from = to + 1;
  }
  blank.width = IntAttr(attributes, "w", 20);
  blank.height = IntAttr(attributes, "h", 1);
  return blank;
}

// The sentence of a blank question: the range's text cut at its blanks.
Sentence ReadSentence(word::Range& range) {
  Sentence sentence;
  const std::string text = range.Text();
  auto pictures = range.InlineShapes();
  int32_t next = 1;
  std::string piece;
  for (char c : text) {
    if (c != '\x01') {
      piece += c;
      continue;
    }
    if (next > pictures->Count()) continue;
    auto picture = pictures->Item(next++);
    if (!addin::IsBlankMarker(picture)) continue;
    sentence.pieces.push_back(CleanText(piece));
    sentence.blanks.push_back(ReadBlank(picture));
    piece.clear();
  }
  sentence.pieces.push_back(CleanText(piece));
  return sentence;
}

void ReadAnswers(Question& q, word::Table& table) {
  auto rows = table.Rows();
  for (int32_t r = 4; r <= rows->Count(); ++r) {
    auto row = rows->Item(r);
    if (row->Cells()->Count() < 2) continue;
    auto pictures = table.Cell(r, 1)->Range()->InlineShapes();
    if (pictures->Count() < 1 || !addin::IsAnswerMarker(pictures->Item(1))) continue;
    Answer answer;
    answer.correct = addin::GetAttr(pictures->Item(1)->AlternativeText(), "checked") == "on";
    answer.text = CleanText(table.Cell(r, 2)->Range()->Text());
    q.answers.push_back(std::move(answer));
  }
}

Box BoxOf(const word::ShapeData& d) {
  return Box{d.left, d.top, d.width, d.height};
}

const word::ImageData& ImageOf(const word::ShapeData& d) {
  return d.type == word::msoPicture || d.type == word::msoLinkedPicture ||
                 d.fill.picture.bytes.empty()
             ? d.image
             : d.fill.picture;
}

void ReadShapes(Quiz& quiz, Question& q, word::Table& table) {
  auto area = table.Cell(4, 1);
  q.area = Box{0, 0, area->Width(), area->Height()};
  const auto shapes = table.Range()->ShapeRange();
  for (const auto& shape : shapes->List()) {
    const auto& d = shape->Data();
    if (!addin::HasMarkerKind(d.alt, addin::kAnswerMarker)) continue;
    const bool typed = !addin::GetAttr(d.alt, "type").empty();
    if (q.kind == QuestionKind::ShortAnswer) {
      if (typed) continue;
      q.answerBox = BoxOf(d);
      // About 14 points a line of the learner's 12-point text, 6 points a character.
      q.expectedLines = std::max(1, static_cast<int32_t>(std::lround(d.height / 14)));
      q.expectedLength = std::max(1, static_cast<int32_t>(std::lround(d.width / 6)));
    } else if (q.kind == QuestionKind::DragAndDrop) {
      Item item;
      item.moveable = typed;
      item.box = BoxOf(d);
      item.picture = StorePicture(quiz, ImageOf(d));
      if (item.picture < 0) item.label = CleanText(d.textFrame.text);
      q.items.push_back(std::move(item));
    } else if (!typed) {
      const int32_t picture = StorePicture(quiz, ImageOf(d));
      if (picture < 0) continue;
      q.pictures.push_back(picture);
      q.pictureBoxes.push_back(BoxOf(d));
    } else {
      q.areas.push_back(AreaOf(std::atoi(addin::GetAttr(d.alt, "type").c_str()), BoxOf(d)));
    }
  }
}

std::optional<Question> ReadQuestion(Quiz& quiz, const std::shared_ptr<word::InlineShape>& marker,
                                     word::Table& table, IdentifierSet& ids) {
  const std::string attributes = marker->AlternativeText();
  Question q;
  q.typeCode = addin::GetQType(attributes);
  const auto kind = KindOf(q.typeCode);
  if (!kind || table.Rows()->Count() < 4) return std::nullopt;
  q.kind = *kind;
  q.id = addin::GetAttr(attributes, "qID");
  q.identifier = ids.Make(q.id.empty() ? "Q" : q.id, "Q");
  q.points = std::strtod(addin::GetAttr(attributes, "points").c_str(), nullptr);
  if (!std::isfinite(q.points) || q.points < 0) q.points = 0;
  q.partial = addin::GetAttr(attributes, "partial") == "Yes";
  q.correctFeedback = Attr(attributes, "pcomm");
  q.incorrectFeedback = Attr(attributes, "fcomm");
  q.text = CleanText(table.Cell(3, 1)->Range()->Text());
  if (addin::HasChoiceAnswers(q.typeCode)) ReadAnswers(q, table);
  if (q.kind == QuestionKind::FillInTheBlank) {
    q.sentence = ReadSentence(*table.Rows()->Item(4)->Range());
  } else if (addin::IsChoiceFIB(q.typeCode)) {
    q.sentence = ReadSentence(*table.Rows()->Item(table.Rows()->Count())->Range());
  }
  if (q.kind == QuestionKind::DragAndDrop || q.kind == QuestionKind::HotSpot ||
      q.kind == QuestionKind::ShortAnswer)
    ReadShapes(quiz, q, table);
  return q;
}

struct QuestionTable {
  std::shared_ptr<word::InlineShape> marker;
  std::shared_ptr<word::Table> table;
  int64_t start = 0, end = 0;
  bool read = false;
};

// Page titles as the course host's page data names them: a page of text by its short title (or
// "Web Page " + its number), a page of questions "<document> Quiz <q>".
std::string TitleOf(const Page& page, size_t number, int32_t& quizNumber,
                    const std::string& docName) {
  if (page.kind == PageKind::Questions) return addin::QuizPageTitle(docName, quizNumber++);
  std::string title = page.paragraphs.empty() ? "" : addin::ShortTitle(page.paragraphs.front());
  return title.empty() ? "Web Page " + std::to_string(number) : title;
}

}  // namespace

Quiz ReadQuiz(const std::shared_ptr<word::Document>& doc) {
  Quiz quiz;
  quiz.title = doc->Name();
  if (const auto dot = quiz.title.rfind('.'); dot != std::string::npos && dot > 0)
    quiz.title.resize(dot);

  std::vector<QuestionTable> questions;
  std::vector<int64_t> breaks;
  auto pictures = doc->InlineShapes();
  for (int32_t i = 1, n = pictures->Count(); i <= n; ++i) {
    auto picture = pictures->Item(i);
    if (addin::IsPageBreakMarker(picture)) {
      breaks.push_back(picture->Position());
    } else if (addin::IsQuestionMarker(picture)) {
      auto table = addin::FindTableOfShape(picture, doc);
      if (!table) continue;
      auto range = table->Range();
      questions.push_back({picture, table, range->Start(), range->End(), false});
    }
  }

  IdentifierSet ids;
  Page page;
  int32_t quizNumber = 1;
  auto endPage = [&] {
    if (page.paragraphs.empty() && page.questions.empty() && page.pictures.empty()) return;
    page.kind = page.questions.empty() ? PageKind::Text : PageKind::Questions;
    page.title = TitleOf(page, quiz.pages.size() + 1, quizNumber, doc->Name());
    quiz.pages.push_back(std::move(page));
    page = Page{};
  };
  auto paragraphs = doc->Paragraphs();
  for (int32_t i = 1, n = paragraphs->Count(); i <= n; ++i) {
    auto range = paragraphs->Item(i)->Range();
    const int64_t start = range->Start(), end = range->End();
    auto inQuestion = std::find_if(questions.begin(), questions.end(), [&](const auto& q) {
      return start >= q.start && start < q.end;
    });
    if (inQuestion != questions.end()) {
      if (inQuestion->read) continue;
      inQuestion->read = true;
      if (auto q = ReadQuestion(quiz, inQuestion->marker, *inQuestion->table, ids))
        page.questions.push_back(std::move(*q));
      continue;
    }
    if (std::any_of(breaks.begin(), breaks.end(),
                    [&](int64_t at) { return at >= start && at < end; })) {
      endPage();
      continue;
    }
    if (std::string text = CleanText(range->Text()); !text.empty())
      page.paragraphs.push_back(std::move(text));
    auto inParagraph = range->InlineShapes();
    for (int32_t k = 1; k <= inParagraph->Count(); ++k) {
      auto picture = inParagraph->Item(k);
      if (addin::IsQuestionOrPageBreakMarker(picture)) continue;
      if (const int32_t index = StorePicture(quiz, picture->Image()); index >= 0)
        page.pictures.push_back(index);
    }
  }
  endPage();
  return quiz;
}

}  // namespace qv::exporter
