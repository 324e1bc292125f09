#include "export/quiz_model.h"

namespace qv::exporter {

std::string Picture::MimeType() const {
  if (format == "jpeg") return "image/jpeg";
  if (format == "bmp") return "image/bmp";
  return "image/" + format;
}

int32_t Question::CorrectCount() const {
  int32_t n = 0;
  for (const auto& a : answers)
    n += a.correct ? 1 : 0;
  return n;
}

std::vector<const Question*> Quiz::Questions() const {
  std::vector<const Question*> out;
  for (const auto& page : pages)
    for (const auto& q : page.questions)
      out.push_back(&q);
  return out;
}

double Quiz::TotalPoints() const {
  double total = 0;
  for (const auto* q : Questions())
    total += q->points;
  return total;
}

const char* KindName(QuestionKind kind) {
  switch (kind) {
    case QuestionKind::SingleChoice:
      return "multiple choice";
    case QuestionKind::MultipleChoice:
      return "multiple response";
    case QuestionKind::SingleChoiceWithBlank:
      return "multiple choice with fill-in-the-blank";
    case QuestionKind::MultipleChoiceWithBlank:
      return "multiple response with fill-in-the-blank";
    case QuestionKind::FillInTheBlank:
      return "fill-in-the-blank";
    case QuestionKind::DragAndDrop:
      return "drag and drop";
    case QuestionKind::HotSpot:
      return "hot spot";
    case QuestionKind::ShortAnswer:
      return "short answer";
  }
  return "";
}

}  // namespace qv::exporter
