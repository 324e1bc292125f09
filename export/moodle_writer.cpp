#include "export/moodle_writer.h"

#include <cmath>

#include "export/compose.h"
#include "export/html_text.h"
#include "export/scoring.h"
#include "export/xml_tree.h"
#include "word/doc_file.h"

namespace qv::exporter {
namespace {

std::string Html(const std::string& text) {
  return HtmlEscaped(text, {.lineBreak = "<br>", .quotes = true});
}

std::string Paragraph(const std::string& text) {
  return "<p>" + Html(text) + "</p>";
}

void Text(XmlElement parent, const std::string& name, const std::string& html) {
  parent.Add(name).Set("format", "html").Add("text", html);
}

std::string Fraction(double percent) {
  return NumberText(NearestMoodleGrade(percent));
}

// A cloze answer with the characters of the cloze syntax escaped.
std::string ClozeText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '}' || c == '#' || c == '~' || c == '/' || c == '"' || c == '\\' || c == '{')
      out += '\\';
    out += c;
  }
  return Html(out);
}

class QuestionWriter {
 public:
  QuestionWriter(const Quiz& quiz, const Question& q, XmlElement root)
      : quiz_(quiz), q_(q), root_(root), rule_(RuleOf(q)) {}

  void Write() {
    switch (q_.kind) {
      case QuestionKind::SingleChoice:
        if (q_.IsTrueFalse()) {
          TrueFalse();
          break;
        }
        [[fallthrough]];
      case QuestionKind::MultipleChoice:
        MultiChoice();
        break;
      case QuestionKind::SingleChoiceWithBlank:
      case QuestionKind::MultipleChoiceWithBlank:
      case QuestionKind::FillInTheBlank:
        Cloze();
        break;
      case QuestionKind::ShortAnswer:
        Essay();
        break;
      case QuestionKind::DragAndDrop:
        DragAndDrop();
        break;
      case QuestionKind::HotSpot:
        HotSpot();
        break;
    }
  }

 private:
  XmlElement Start(const std::string& type, const std::string& questionText) {
    auto question = root_.Add("question").Set("type", type);
    question.Add("name").Add("text", q_.text.empty() ? q_.identifier : q_.text.substr(0, 60));
    Text(question, "questiontext", questionText);
    Text(question, "generalfeedback", "");
    question.Add("defaultgrade", NumberText(q_.points));
    question.Add("penalty", "0");
    question.Add("hidden", "0");
    question.Add("idnumber", q_.id);
    return question;
  }

  void Feedback(XmlElement question, bool partly) {
    Text(question, "correctfeedback",
         q_.correctFeedback.empty() ? "" : Paragraph(q_.correctFeedback));
    if (partly) Text(question, "partiallycorrectfeedback", "");
    Text(question, "incorrectfeedback",
         q_.incorrectFeedback.empty() ? "" : Paragraph(q_.incorrectFeedback));
  }

  void Answer(XmlElement question, double percent, const std::string& html) {
    auto answer = question.Add("answer").Set("fraction", Fraction(percent)).Set("format", "html");
    answer.Add("text", html);
    Text(answer, "feedback", "");
  }

  void TrueFalse() {
    auto question = Start("truefalse", Paragraph(q_.text));
    // Moodle's own answers are "true" then "false"; the document's are True then False.
    for (size_t i = 0; i < q_.answers.size() && i < 2; ++i) {
      auto answer = question.Add("answer")
                        .Set("fraction", q_.answers[i].correct ? "100" : "0")
                        .Set("format", "moodle_auto_format");
      answer.Add("text", i == 0 ? "true" : "false");
      auto feedback = answer.Add("feedback").Set("format", "html");
      feedback.Add("text", q_.answers[i].correct ? Paragraph(q_.correctFeedback)
                                                 : Paragraph(q_.incorrectFeedback));
    }
  }

  void MultiChoice() {
    auto question = Start("multichoice", Paragraph(q_.text));
    const bool multiple = q_.MultipleCorrect();
    question.Add("single", multiple ? "false" : "true");
    question.Add("shuffleanswers", "false");
    question.Add("answernumbering", "abc");
    Feedback(question, true);
    const int32_t correct = std::max(1, q_.CorrectCount());
    for (const auto& a : q_.answers) {
      double percent = a.correct ? (multiple ? 100.0 / correct : 100.0) : 0;
      // Without partial credit a wrong tick takes everything away.
      if (multiple && !a.correct) percent = q_.partial ? -100.0 / correct : -100;
      Answer(question, percent, Paragraph(a.text));
    }
  }

  // The embedded answers of a cloze question: the choice, then each blank, weight 1 each, so the
  // parts share the points equally.
  void Cloze() {
    std::string html = Paragraph(q_.text);
    if (q_.HasChoices()) {
      const bool multiple = q_.MultipleCorrect();
      const int32_t correct = std::max(1, q_.CorrectCount());
      std::string part = multiple ? "{1:MULTIRESPONSE_V:" : "{1:MULTICHOICE_V:";
      for (size_t i = 0; i < q_.answers.size(); ++i) {
        const auto& a = q_.answers[i];
        double percent = a.correct ? (multiple ? 100.0 / correct : 100.0) : 0;
        if (multiple && !a.correct) percent = -100.0 / correct;
        part += (i ? "~" : "") + ("%" + Fraction(percent) + "%") + ClozeText(a.text);
      }
      html += "<p>" + part + "}</p>";
    }
    std::string sentence;
    for (size_t i = 0; i < q_.sentence.pieces.size(); ++i) {
      sentence += Html(q_.sentence.pieces[i]);
      if (i >= q_.sentence.blanks.size()) continue;
      std::string part = " {1:SHORTANSWER_C:";
      const auto& accepted = q_.sentence.blanks[i].accepted;
      for (size_t k = 0; k < accepted.size(); ++k)
        part += (k ? "~" : "") + std::string("=") + ClozeText(accepted[k]);
      sentence += part + "} ";
    }
    if (q_.HasBlanks()) html += "<p>" + sentence + "</p>";
    auto question = Start("cloze", html);
    (void)question;
  }

  void Essay() {
    auto question = Start("essay", Paragraph(q_.text));
    question.Add("responseformat", "editor");
    question.Add("responserequired", "1");
    question.Add("responsefieldlines", std::to_string(std::max(5, q_.expectedLines)));
    question.Add("attachments", "0");
    Text(question, "graderinfo", q_.correctFeedback.empty() ? "" : Paragraph(q_.correctFeedback));
    Text(question, "responsetemplate", "");
  }

  void Background(XmlElement question) {
    question.Add("file", word::Base64Encode(ComposeBackground(quiz_, q_)))
        .Set("name", q_.identifier + "_background.png")
        .Set("path", "/")
        .Set("encoding", "base64");
  }

  void DragAndDrop() {
    auto question = Start("ddimageortext", Paragraph(q_.text));
    question.Add("shuffleanswers", "0");
    Feedback(question, true);
    Background(question);
    int n = 0;
    for (const auto& it : q_.items) {
      if (!it.moveable) continue;
      ++n;
      auto drag = question.Add("drag");
      drag.Add("no", std::to_string(n));
      // Moodle wants a text for every drag, also for a picture or an empty label.
      drag.Add("text",
               it.picture < 0 && !it.label.empty() ? it.label : "item " + std::to_string(n));
      drag.Add("draggroup", "1");
      if (it.picture >= 0) {
        const Picture& p = quiz_.pictures.at(it.picture);
        drag.Add("file", word::Base64Encode(p.bytes))
            .Set("name", p.file)
            .Set("path", "/")
            .Set("encoding", "base64");
      }
    }
    n = 0;
    for (const auto& it : q_.items) {
      if (!it.moveable) continue;
      ++n;
      auto drop = question.Add("drop");
      drop.Add("text", "");
      drop.Add("no", std::to_string(n));
      drop.Add("choice", std::to_string(n));
      drop.Add("xleft", std::to_string(Pixels(it.box.left)));
      drop.Add("ytop", std::to_string(Pixels(it.box.top)));
    }
  }

  static std::string Point(double x, double y) {
    return std::to_string(Pixels(x)) + "," + std::to_string(Pixels(y));
  }

  // Moodle's zones are circles, rectangles and polygons: an oval that is no circle becomes a
  // polygon of 24 points round it.
  static std::pair<std::string, std::string> Zone(const Area& a) {
    const Box& b = a.box;
    if (a.shape == AreaShape::Rectangle)
      return {"rectangle", Point(b.left, b.top) + ";" + std::to_string(Pixels(b.width)) + "," +
                               std::to_string(Pixels(b.height))};
    if (a.shape == AreaShape::Ellipse && std::abs(b.width - b.height) < 0.5)
      return {"circle", Point(b.left + b.width / 2, b.top + b.height / 2) + ";" +
                            std::to_string(Pixels(b.width / 2))};
    std::string coords;
    if (a.shape == AreaShape::Polygon) {
      for (const auto& [x, y] : a.points)
        coords += (coords.empty() ? "" : ";") + Point(x, y);
    } else {
      for (int k = 0; k < 24; ++k) {
        const double t = k * 2 * M_PI / 24;
        coords += (k ? ";" : "") + Point(b.left + b.width / 2 * (1 + std::cos(t)),
                                         b.top + b.height / 2 * (1 + std::sin(t)));
      }
    }
    return {"polygon", coords};
  }

  void HotSpot() {
    auto question = Start("ddmarker", Paragraph(q_.text));
    question.Add("showmisplaced", "0");
    Feedback(question, true);
    Background(question);
    auto drag = question.Add("drag");
    drag.Add("no", "1");
    drag.Add("text", "Here");
    drag.Add("noofdrags", "1");
    int n = 0;
    for (const auto& area : q_.areas) {
      const auto [shape, coords] = Zone(area);
      auto drop = question.Add("drop");
      drop.Add("no", std::to_string(++n));
      drop.Add("shape", shape);
      drop.Add("coords", coords);
      drop.Add("choice", "1");
    }
  }

  const Quiz& quiz_;
  const Question& q_;
  XmlElement root_;
  ScoreRule rule_;
};

}  // namespace

const std::vector<double>& MoodleGrades() {
  static const std::vector<double> grades = {
      100, 90, 83.33333, 80,       75,       70,   66.66667, 60, 50, 40, 33.33333,
      30,  25, 20,       16.66667, 14.28571, 12.5, 11.11111, 10, 5,  0};
  return grades;
}

double NearestMoodleGrade(double percent) {
  const double size = std::abs(percent);
  double best = 0;
  for (double g : MoodleGrades())
    if (std::abs(g - size) < std::abs(best - size) - 1e-9) best = g;
  return percent < 0 ? -best : best;
}

bool IsMoodleGrade(const std::string& fraction) {
  for (double g : MoodleGrades())
    if (fraction == NumberText(g) || fraction == NumberText(-g)) return true;
  return false;
}

std::string MoodleXml(const Quiz& quiz) {
  XmlDocument doc("quiz", "");
  auto root = doc.Root();
  auto category = root.Add("question").Set("type", "category");
  category.Add("category").Add("text", "$course$/" + (quiz.title.empty() ? "Quiz" : quiz.title));
  for (const Question* q : quiz.Questions())
    QuestionWriter(quiz, *q, root).Write();
  return doc.Serialize();
}

}  // namespace qv::exporter
