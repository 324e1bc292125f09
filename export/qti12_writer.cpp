#include "export/qti12_writer.h"

#include "export/html_text.h"
#include "export/scoring.h"
#include "export/xml_tree.h"

namespace qv::exporter {
namespace {

const char* kNs12 = "http://www.imsglobal.org/xsd/ims_qtiasiv1p2";

std::string Html(const std::string& text) {
  return "<p>" + HtmlEscaped(text, {.lineBreak = "</p><p>"}) + "</p>";
}

void Material(XmlElement parent, const std::string& text, const std::string& type) {
  parent.Add("material").Add("mattext", text).Set("texttype", type);
}

void Metadata(XmlElement item, const std::string& type, double points) {
  auto md = item.Add("itemmetadata").Add("qtimetadata");
  auto field = [&](const std::string& label, const std::string& entry) {
    auto f = md.Add("qtimetadatafield");
    f.Add("fieldlabel", label);
    f.Add("fieldentry", entry);
  };
  field("question_type", type);
  field("points_possible", NumberText(points));
}

void Outcomes(XmlElement rp) {
  rp.Add("outcomes")
      .Add("decvar")
      .Set("maxvalue", "100")
      .Set("minvalue", "0")
      .Set("varname", "SCORE")
      .Set("vartype", "Decimal");
}

void SetScore(XmlElement condition, const std::string& action, double percent) {
  condition.Add("setvar", NumberText(percent)).Set("action", action).Set("varname", "SCORE");
}

void ShowFeedback(XmlElement condition, const std::string& id) {
  condition.Add("displayfeedback").Set("feedbacktype", "Response").Set("linkrefid", id);
}

class ItemWriter {
 public:
  ItemWriter(const Question& q, XmlElement section) : q_(q), section_(section), rule_(RuleOf(q)) {}

  void Write() {
    switch (q_.kind) {
      case QuestionKind::SingleChoice:
      case QuestionKind::MultipleChoice:
        Choice(q_.identifier, q_.points);
        break;
      case QuestionKind::SingleChoiceWithBlank:
      case QuestionKind::MultipleChoiceWithBlank:
        Choice(q_.identifier + "_choice", rule_.share);
        Blanks(q_.identifier + "_blanks", q_.points - rule_.share, "");
        break;
      case QuestionKind::FillInTheBlank:
        Blanks(q_.identifier, q_.points, q_.text);
        break;
      case QuestionKind::ShortAnswer:
        Essay();
        break;
      case QuestionKind::DragAndDrop:
      case QuestionKind::HotSpot:
        break;
    }
  }

 private:
  XmlElement Item(const std::string& id, const std::string& type, double points) {
    auto item =
        section_.Add("item")
            .Set("ident", id)
            .Set("title", q_.text.empty() ? std::string(KindName(q_.kind)) : q_.text.substr(0, 60));
    Metadata(item, type, points);
    return item;
  }

  void Feedback(XmlElement item) {
    auto one = [&](const std::string& id, const std::string& text) {
      if (text.empty()) return;
      Material(item.Add("itemfeedback").Set("ident", id).Add("flow_mat"), Html(text), "text/html");
    };
    one("correct_fb", q_.correctFeedback);
    one("general_incorrect_fb", q_.incorrectFeedback);
  }

  void OtherwiseIncorrect(XmlElement rp) {
    if (q_.incorrectFeedback.empty()) return;
    auto otherwise = rp.Add("respcondition").Set("continue", "Yes");
    otherwise.Add("conditionvar").Add("other");
    ShowFeedback(otherwise, "general_incorrect_fb");
  }

  void Choice(const std::string& id, double points) {
    const bool multiple = q_.MultipleCorrect();
    const std::string type = q_.IsTrueFalse() ? "true_false_question"
                             : multiple       ? "multiple_answers_question"
                                              : "multiple_choice_question";
    auto item = Item(id, type, points);
    auto presentation = item.Add("presentation");
    Material(presentation, Html(q_.text), "text/html");
    auto lid = presentation.Add("response_lid")
                   .Set("ident", "response1")
                   .Set("rcardinality", multiple ? "Multiple" : "Single");
    auto render = lid.Add("render_choice");
    for (size_t i = 0; i < q_.answers.size(); ++i)
      Material(render.Add("response_label").Set("ident", "A" + std::to_string(i + 1)),
               q_.answers[i].text, "text/plain");
    auto rp = item.Add("resprocessing");
    Outcomes(rp);
    auto right = rp.Add("respcondition").Set("continue", "No");
    auto condition = right.Add("conditionvar");
    auto all = multiple ? condition.Add("and") : condition;
    for (size_t i = 0; i < q_.answers.size(); ++i) {
      const std::string answer = "A" + std::to_string(i + 1);
      if (q_.answers[i].correct) {
        all.Add("varequal", answer).Set("respident", "response1");
      } else if (multiple) {
        all.Add("not").Add("varequal", answer).Set("respident", "response1");
      }
    }
    SetScore(right, "Set", 100);
    if (!q_.correctFeedback.empty()) ShowFeedback(right, "correct_fb");
    OtherwiseIncorrect(rp);
    Feedback(item);
  }

  void Blanks(const std::string& id, double points, const std::string& prompt) {
    auto item = Item(id, "fill_in_multiple_blanks_question", points);
    auto presentation = item.Add("presentation");
    std::string text = prompt.empty() ? "" : prompt + "\n";
    for (size_t i = 0; i < q_.sentence.pieces.size(); ++i) {
      text += q_.sentence.pieces[i];
      if (i < q_.sentence.blanks.size()) text += " [blank" + std::to_string(i + 1) + "] ";
    }
    Material(presentation, Html(text), "text/html");
    const size_t blanks = q_.sentence.blanks.size();
    for (size_t i = 0; i < blanks; ++i) {
      const std::string name = "blank" + std::to_string(i + 1);
      auto lid = presentation.Add("response_lid").Set("ident", "response_" + name);
      Material(lid, name, "text/plain");
      auto render = lid.Add("render_choice");
      const auto& accepted = q_.sentence.blanks[i].accepted;
      for (size_t k = 0; k < accepted.size(); ++k)
        Material(render.Add("response_label").Set("ident", name + "_" + std::to_string(k + 1)),
                 accepted[k], "text/plain");
    }
    auto rp = item.Add("resprocessing");
    Outcomes(rp);
    for (size_t i = 0; i < blanks; ++i) {
      const std::string name = "blank" + std::to_string(i + 1);
      const auto& accepted = q_.sentence.blanks[i].accepted;
      for (size_t k = 0; k < accepted.size(); ++k) {
        auto c = rp.Add("respcondition");
        c.Add("conditionvar")
            .Add("varequal", name + "_" + std::to_string(k + 1))
            .Set("respident", "response_" + name);
        SetScore(c, "Add", 100.0 / static_cast<double>(blanks));
      }
    }
    OtherwiseIncorrect(rp);
    Feedback(item);
  }

  void Essay() {
    auto item = Item(q_.identifier, "essay_question", q_.points);
    auto presentation = item.Add("presentation");
    Material(presentation, Html(q_.text), "text/html");
    presentation.Add("response_str")
        .Set("ident", "response1")
        .Set("rcardinality", "Single")
        .Add("render_fib")
        .Add("response_label")
        .Set("ident", "answer1")
        .Set("rshuffle", "No");
    auto rp = item.Add("resprocessing");
    Outcomes(rp);
    auto c = rp.Add("respcondition").Set("continue", "No");
    c.Add("conditionvar").Add("other");
    if (!q_.correctFeedback.empty()) ShowFeedback(c, "correct_fb");
    if (!q_.correctFeedback.empty())
      Material(item.Add("itemfeedback").Set("ident", "correct_fb").Add("flow_mat"),
               Html(q_.correctFeedback), "text/html");
  }

  const Question& q_;
  XmlElement section_;
  ScoreRule rule_;
};

}  // namespace

std::string Qti12Assessment(const Quiz& quiz, std::vector<std::string>* omitted) {
  XmlDocument doc("questestinterop", kNs12);
  auto assessment = doc.Root()
                        .Add("assessment")
                        .Set("ident", "assessment")
                        .Set("title", quiz.title.empty() ? "Quiz" : quiz.title);
  auto root = assessment.Add("section").Set("ident", "root_section");
  int n = 0;
  for (const auto& page : quiz.pages) {
    if (page.questions.empty()) continue;
    auto section =
        root.Add("section").Set("ident", "page" + std::to_string(++n)).Set("title", page.title);
    for (const auto& q : page.questions) {
      if (q.kind == QuestionKind::DragAndDrop || q.kind == QuestionKind::HotSpot) {
        if (omitted) omitted->push_back(std::string(KindName(q.kind)) + " \"" + q.text + "\"");
        continue;
      }
      ItemWriter(q, section).Write();
    }
  }
  return doc.Serialize();
}

std::vector<PackageFile> Qti12Package(const Quiz& quiz, std::vector<std::string>* omitted) {
  XmlDocument manifest("manifest", "http://www.imsglobal.org/xsd/imscp_v1p1");
  auto root = manifest.Root().Set("identifier", "MANIFEST");
  root.Add("metadata").Add("schema", "IMS Content");
  root.Add("organizations");
  auto resource = root.Add("resources")
                      .Add("resource")
                      .Set("identifier", "RES-ASSESSMENT")
                      .Set("type", "imsqti_xmlv1p2")
                      .Set("href", "assessment.xml");
  resource.Add("file").Set("href", "assessment.xml");
  return {{"imsmanifest.xml", manifest.Serialize()},
          {"assessment.xml", Qti12Assessment(quiz, omitted)}};
}

}  // namespace qv::exporter
