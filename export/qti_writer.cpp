#include "export/qti_writer.h"

#include <algorithm>

#include "automation/text/ascii.h"
#include "export/compose.h"
#include "export/scoring.h"
#include "export/xml_tree.h"

namespace qv::exporter {
namespace {

const char* kNs21 = "http://www.imsglobal.org/xsd/imsqti_v2p1";
const char* kNs30 = "http://www.imsglobal.org/xsd/imsqtiasi_v3p0";
const char* kSchema21 =
    "http://www.imsglobal.org/xsd/imsqti_v2p1 "
    "http://www.imsglobal.org/xsd/qti/qtiv2p1/imsqti_v2p1.xsd";
const char* kSchema30 =
    "http://www.imsglobal.org/xsd/imsqtiasi_v3p0 "
    "https://purl.imsglobal.org/spec/qti/v3p0/schema/xsd/imsqti_asiv3p0_v1p0.xsd";

bool IsHtml(const std::string& name) {
  static const char* kHtml[] = {"p", "div", "span", "img", "object", "br", "b", "i"};
  return std::any_of(std::begin(kHtml), std::end(kHtml), [&](const char* h) { return name == h; });
}

Vocabulary VocabularyOf(QtiVersion v) {
  Vocabulary vocabulary;
  if (v == QtiVersion::V30) {
    vocabulary.element = [](const std::string& n) {
      return IsHtml(n) ? n : "qti-" + text::HyphenatedName(n);
    };
    vocabulary.attribute = [](const std::string& n) { return text::HyphenatedName(n); };
  }
  return vocabulary;
}

std::string TemplateUri(QtiVersion v, const std::string& name) {
  return v == QtiVersion::V21
             ? "http://www.imsglobal.org/question/qti_v2p1/rptemplates/" + name
             : "https://purl.imsglobal.org/spec/qti/v3p0/rptemplates/" + name + ".xml";
}

// Paragraphs of a text, one <p> each.
void Paragraphs(XmlElement parent, const std::string& text) {
  size_t from = 0;
  while (true) {
    const size_t to = text.find('\n', from);
    parent.Add("p", text.substr(from, to == std::string::npos ? std::string::npos : to - from));
    if (to == std::string::npos) break;
    from = to + 1;
  }
}

std::string Px(double points) {
  return std::to_string(Pixels(points));
}

// Coordinates of an area in pixels of the composed background.
std::pair<std::string, std::string> ShapeCoords(const Area& a) {
  const Box& b = a.box;
  switch (a.shape) {
    case AreaShape::Ellipse:
      return {"ellipse", Px(b.left + b.width / 2) + "," + Px(b.top + b.height / 2) + "," +
                             Px(b.width / 2) + "," + Px(b.height / 2)};
    case AreaShape::Polygon: {
      std::string coords;
      for (const auto& [x, y] : a.points)
        coords += (coords.empty() ? "" : ",") + Px(x) + "," + Px(y);
      const auto& first = a.points.front();
      coords += "," + Px(first.first) + "," + Px(first.second);
      return {"poly", coords};
    }
    case AreaShape::Rectangle:
      break;
  }
  return {"rect", Px(b.left) + "," + Px(b.top) + "," + Px(b.Right()) + "," + Px(b.Bottom())};
}

// A point inside the area: its centre, or the mean of a polygon's corners (every straight-edged
// auto-shape is convex, so the mean lies inside; a right triangle's centre lies on its edge).
std::string InsidePoint(const Area& a) {
  double x = a.box.left + a.box.width / 2, y = a.box.top + a.box.height / 2;
  if (a.shape == AreaShape::Polygon && !a.points.empty()) {
    x = y = 0;
    for (const auto& [px, py] : a.points) {
      x += px / static_cast<double>(a.points.size());
      y += py / static_cast<double>(a.points.size());
    }
  }
  return Px(x) + " " + Px(y);
}

class ItemWriter {
 public:
  ItemWriter(const Quiz& quiz, const Question& q, QtiVersion v, std::vector<PackageFile>& files,
             std::vector<std::string>& referenced)
      : quiz_(quiz),
        q_(q),
        v_(v),
        files_(files),
        referenced_(referenced),
        rule_(RuleOf(q)),
        doc_("assessmentItem", v == QtiVersion::V21 ? kNs21 : kNs30, VocabularyOf(v)) {}

  std::string Write() {
    doc_.SetSchemaLocation(v_ == QtiVersion::V21 ? kSchema21 : kSchema30);
    XmlElement item = doc_.Root();
    item.Set("identifier", q_.identifier)
        .Set("title", q_.text.empty() ? std::string(KindName(q_.kind)) : q_.text.substr(0, 60))
        .Set("adaptive", "false")
        .Set("timeDependent", "false");
    Declarations(item);
    Body(item.Add("itemBody"));
    Processing(item);
    Feedback(item);
    return doc_.Serialize();
  }

 private:
  bool HasFeedback() const { return !q_.correctFeedback.empty() || !q_.incorrectFeedback.empty(); }
  std::string ChoiceId(size_t i) const { return "A" + std::to_string(i + 1); }
  std::string BlankId(size_t i) const { return "BLANK" + std::to_string(i + 1); }
  std::string GapId(size_t i) const { return "G" + std::to_string(i + 1); }
  std::string SpotId(size_t i) const { return "H" + std::to_string(i + 1); }

  void Declarations(XmlElement item) {
    if (q_.HasChoices()) ChoiceDeclaration(item);
    for (size_t i = 0; i < q_.sentence.blanks.size(); ++i)
      BlankDeclaration(item, i);
    if (q_.kind == QuestionKind::DragAndDrop) PairDeclaration(item);
    if (q_.kind == QuestionKind::HotSpot) PointDeclaration(item);
    if (q_.kind == QuestionKind::ShortAnswer)
      item.Add("responseDeclaration")
          .Set("identifier", "RESPONSE")
          .Set("cardinality", "single")
          .Set("baseType", "string");
    Outcome(item, "SCORE", "float", NumberText(0));
    Outcome(item, "MAXSCORE", "float", NumberText(q_.points));
    if (HasFeedback()) Outcome(item, "FEEDBACK", "identifier", "");
  }

  void Outcome(XmlElement item, const std::string& id, const std::string& type,
               const std::string& value) {
    auto o = item.Add("outcomeDeclaration")
                 .Set("identifier", id)
                 .Set("cardinality", "single")
                 .Set("baseType", type);
    if (!value.empty()) o.Add("defaultValue").Add("value", value);
  }

  void ChoiceDeclaration(XmlElement item) {
    const bool multiple = q_.MultipleCorrect();
    auto r = item.Add("responseDeclaration")
                 .Set("identifier", "RESPONSE")
                 .Set("cardinality", multiple ? "multiple" : "single")
                 .Set("baseType", "identifier");
    auto correct = r.Add("correctResponse");
    for (size_t i = 0; i < q_.answers.size(); ++i)
      if (q_.answers[i].correct) correct.Add("value", ChoiceId(i));
    auto mapping = r.Add("mapping").Set("defaultValue", 0.0);
    if (multiple) mapping.Set("lowerBound", 0.0).Set("upperBound", rule_.share);
    for (size_t i = 0; i < q_.answers.size(); ++i) {
      if (!multiple && !q_.answers[i].correct) continue;
      const double value =
          multiple ? (q_.answers[i].correct ? rule_.choiceStep : -rule_.choiceStep) : rule_.share;
      mapping.Add("mapEntry").Set("mapKey", ChoiceId(i)).Set("mappedValue", value);
    }
  }

  void BlankDeclaration(XmlElement item, size_t i) {
    const Blank& blank = q_.sentence.blanks[i];
    auto r = item.Add("responseDeclaration")
                 .Set("identifier", BlankId(i))
                 .Set("cardinality", "single")
                 .Set("baseType", "string");
    if (!blank.accepted.empty()) r.Add("correctResponse").Add("value", blank.accepted.front());
    auto mapping = r.Add("mapping").Set("defaultValue", 0.0);
    for (const auto& accepted : blank.accepted)
      mapping.Add("mapEntry")
          .Set("mapKey", accepted)
          .Set("mappedValue", rule_.share)
          .Set("caseSensitive", "true");
  }

  void PairDeclaration(XmlElement item) {
    auto r = item.Add("responseDeclaration")
                 .Set("identifier", "RESPONSE")
                 .Set("cardinality", "multiple")
                 .Set("baseType", "directedPair");
    auto correct = r.Add("correctResponse");
    auto mapping = r.Add("mapping").Set("defaultValue", 0.0).Set("lowerBound", 0.0);
    size_t k = 0;
    for (const auto& it : q_.items) {
      if (!it.moveable) continue;
      const std::string pair = GapId(k) + " " + SpotId(k);
      correct.Add("value", pair);
      mapping.Add("mapEntry").Set("mapKey", pair).Set("mappedValue", rule_.itemStep);
      ++k;
    }
  }

  void PointDeclaration(XmlElement item) {
    auto r = item.Add("responseDeclaration")
                 .Set("identifier", "RESPONSE")
                 .Set("cardinality", "single")
                 .Set("baseType", "point");
    if (!q_.areas.empty()) r.Add("correctResponse").Add("value", InsidePoint(q_.areas.front()));
    auto mapping = r.Add("areaMapping").Set("defaultValue", 0.0).Set("upperBound", rule_.share);
    for (const auto& area : q_.areas) {
      const auto [shape, coords] = ShapeCoords(area);
      mapping.Add("areaMapEntry")
          .Set("shape", shape)
          .Set("coords", coords)
          .Set("mappedValue", rule_.share);
    }
  }

  // A picture of the package, stored once under images/.
  std::string AddFile(const std::string& name, const std::string& bytes) {
    const std::string path = "images/" + name;
    if (std::none_of(files_.begin(), files_.end(), [&](const auto& f) { return f.name == path; }))
      files_.push_back({path, bytes});
    if (std::find(referenced_.begin(), referenced_.end(), path) == referenced_.end())
      referenced_.push_back(path);
    return path;
  }

  void Image(XmlElement parent, const std::string& path, const std::string& mime, double width,
             double height, const std::string& alt) {
    if (v_ == QtiVersion::V21) {
      parent.Add("object")
          .Set("data", path)
          .Set("type", mime)
          .Set("width", Px(width))
          .Set("height", Px(height))
          .Text(alt);
    } else {
      parent.Add("img")
          .Set("src", path)
          .Set("alt", alt)
          .Set("width", Px(width))
          .Set("height", Px(height));
    }
  }

  void Body(XmlElement body) {
    Paragraphs(body, q_.text);
    if (q_.HasChoices()) {
      auto choice = body.Add("choiceInteraction")
                        .Set("responseIdentifier", "RESPONSE")
                        .Set("shuffle", "false")
                        .Set("maxChoices", q_.MultipleCorrect() ? "0" : "1");
      for (size_t i = 0; i < q_.answers.size(); ++i)
        choice.Add("simpleChoice", q_.answers[i].text).Set("identifier", ChoiceId(i));
    }
    if (q_.HasBlanks()) {
      auto p = body.Add("p");
      for (size_t i = 0; i < q_.sentence.pieces.size(); ++i) {
        if (!q_.sentence.pieces[i].empty()) p.Text((i ? " " : "") + q_.sentence.pieces[i] + " ");
        if (i < q_.sentence.blanks.size())
          p.Add("textEntryInteraction")
              .Set("responseIdentifier", BlankId(i))
              .Set("expectedLength", std::to_string(q_.sentence.blanks[i].width));
      }
    }
    if (q_.kind == QuestionKind::DragAndDrop) DragAndDrop(body);
    if (q_.kind == QuestionKind::HotSpot) HotSpot(body);
    if (q_.kind == QuestionKind::ShortAnswer)
      body.Add("extendedTextInteraction")
          .Set("responseIdentifier", "RESPONSE")
          .Set("expectedLines", std::to_string(q_.expectedLines))
          .Set("expectedLength", std::to_string(q_.expectedLength * q_.expectedLines));
  }

  std::string Background() {
    return AddFile(q_.identifier + "_background.png", ComposeBackground(quiz_, q_));
  }

  void DragAndDrop(XmlElement body) {
    auto interaction = body.Add("graphicGapMatchInteraction").Set("responseIdentifier", "RESPONSE");
    Image(interaction, Background(), "image/png", q_.area.width, q_.area.height,
          "background of the question");
    size_t k = 0;
    for (const auto& it : q_.items) {
      if (!it.moveable) continue;
      const std::string id = GapId(k++);
      if (it.picture < 0 && v_ == QtiVersion::V30) {
        interaction.Add("gapText", it.label).Set("identifier", id).Set("matchMax", "1");
        continue;
      }
      auto gap = interaction.Add("gapImg").Set("identifier", id).Set("matchMax", "1");
      if (it.picture >= 0) {
        const Picture& p = quiz_.pictures.at(it.picture);
        Image(gap, AddFile(p.file, p.bytes), p.MimeType(), it.box.width, it.box.height, "item");
      } else {
        // QTI 2.1 drags pictures only: the label is drawn as one.
        Image(gap, AddFile(q_.identifier + "_" + id + ".png", LabelPicture(it.label, it.box)),
              "image/png", it.box.width, it.box.height, it.label);
      }
    }
    k = 0;
    for (const auto& it : q_.items) {
      if (!it.moveable) continue;
      const Box& b = it.box;
      interaction.Add("associableHotspot")
          .Set("identifier", SpotId(k++))
          .Set("shape", "rect")
          .Set("coords", Px(b.left) + "," + Px(b.top) + "," + Px(b.Right()) + "," + Px(b.Bottom()))
          .Set("matchMax", "1");
    }
  }

  void HotSpot(XmlElement body) {
    auto interaction = body.Add("selectPointInteraction")
                           .Set("responseIdentifier", "RESPONSE")
                           .Set("maxChoices", "1");
    Image(interaction, Background(), "image/png", q_.area.width, q_.area.height,
          "picture of the question");
  }

  // A standard template where the question is one mapped response without feedback.
  std::string Template() const {
    if (HasFeedback() || rule_.manual) return "";
    if (q_.kind == QuestionKind::HotSpot) return "map_response_point";
    const bool oneChoice = q_.HasChoices() && !q_.HasBlanks();
    const bool oneBlank = !q_.HasChoices() && q_.sentence.blanks.size() == 1;
    if ((oneChoice && (!q_.MultipleCorrect() || !rule_.allOrNothing)) || oneBlank ||
        (q_.kind == QuestionKind::DragAndDrop && !rule_.allOrNothing))
      return "map_response";
    return "";
  }

  // SCORE = SCORE + (what is added to the returned sum).
  XmlElement AddToScore(XmlElement parent) {
    auto sum = parent.Add("setOutcomeValue").Set("identifier", "SCORE").Add("sum");
    sum.Add("variable").Set("identifier", "SCORE");
    return sum;
  }

  // SCORE = SCORE + (value of the part) when the response is given.
  void AddMapped(XmlElement rp, const std::string& response, const std::string& op) {
    auto branch = rp.Add("responseCondition").Add("responseIf");
    branch.Add("not").Add("isNull").Add("variable").Set("identifier", response);
    AddToScore(branch).Add(op).Set("identifier", response);
  }

  void AddMatched(XmlElement rp, const std::string& response, double value) {
    auto branch = rp.Add("responseCondition").Add("responseIf");
    auto match = branch.Add("match");
    match.Add("variable").Set("identifier", response);
    match.Add("correct").Set("identifier", response);
    AddToScore(branch).Add("baseValue", NumberText(value)).Set("baseType", "float");
  }

  void SetScore(XmlElement parent, double value) {
    parent.Add("setOutcomeValue")
        .Set("identifier", "SCORE")
        .Add("baseValue", NumberText(value))
        .Set("baseType", "float");
  }

  void Processing(XmlElement item) {
    if (const std::string name = Template(); !name.empty()) {
      item.Add("responseProcessing").Set("template", TemplateUri(v_, name));
      return;
    }
    auto rp = item.Add("responseProcessing");
    if (rule_.manual) {
      if (HasFeedback()) {
        auto branch = rp.Add("responseCondition").Add("responseIf");
        branch.Add("not").Add("isNull").Add("variable").Set("identifier", "RESPONSE");
        branch.Add("setOutcomeValue")
            .Set("identifier", "FEEDBACK")
            .Add("baseValue", "correct")
            .Set("baseType", "identifier");
      }
      return;
    }
    SetScore(rp, 0);
    if (q_.HasChoices()) {
      if (q_.MultipleCorrect() && rule_.allOrNothing)
        AddMatched(rp, "RESPONSE", rule_.share);
      else
        AddMapped(rp, "RESPONSE", "mapResponse");
    }
    for (size_t i = 0; i < q_.sentence.blanks.size(); ++i)
      AddMapped(rp, BlankId(i), "mapResponse");
    if (q_.kind == QuestionKind::DragAndDrop) {
      if (rule_.allOrNothing)
        AddMatched(rp, "RESPONSE", rule_.share);
      else
        AddMapped(rp, "RESPONSE", "mapResponse");
    }
    if (q_.kind == QuestionKind::HotSpot) AddMapped(rp, "RESPONSE", "mapResponsePoint");
    const double almost = q_.points - 0.0001;
    if (rule_.allOrNothing && rule_.parts > 1) {
      auto branch = rp.Add("responseCondition").Add("responseIf");
      auto lt = branch.Add("lt");
      lt.Add("variable").Set("identifier", "SCORE");
      lt.Add("baseValue", NumberText(almost)).Set("baseType", "float");
      SetScore(branch, 0);
    }
    if (HasFeedback()) {
      auto condition = rp.Add("responseCondition");
      auto branch = condition.Add("responseIf");
      auto gte = branch.Add("gte");
      gte.Add("variable").Set("identifier", "SCORE");
      gte.Add("baseValue", NumberText(almost)).Set("baseType", "float");
      SetFeedback(branch, "correct");
      SetFeedback(condition.Add("responseElse"), "incorrect");
    }
  }

  void SetFeedback(XmlElement parent, const std::string& id) {
    parent.Add("setOutcomeValue")
        .Set("identifier", "FEEDBACK")
        .Add("baseValue", id)
        .Set("baseType", "identifier");
  }

  void Feedback(XmlElement item) {
    auto one = [&](const std::string& id, const std::string& text) {
      if (text.empty()) return;
      auto f = item.Add("modalFeedback")
                   .Set("outcomeIdentifier", "FEEDBACK")
                   .Set("identifier", id)
                   .Set("showHide", "show");
      Paragraphs(v_ == QtiVersion::V30 ? f.Add("contentBody") : f, text);
    };
    one("correct", q_.correctFeedback);
    if (!rule_.manual) one("incorrect", q_.incorrectFeedback);
  }

  const Quiz& quiz_;
  const Question& q_;
  QtiVersion v_;
  std::vector<PackageFile>& files_;
  std::vector<std::string>& referenced_;
  ScoreRule rule_;
  XmlDocument doc_;
};

std::string TestDocument(const Quiz& quiz, QtiVersion v) {
  XmlDocument doc("assessmentTest", v == QtiVersion::V21 ? kNs21 : kNs30, VocabularyOf(v));
  doc.SetSchemaLocation(v == QtiVersion::V21 ? kSchema21 : kSchema30);
  auto test =
      doc.Root().Set("identifier", "TEST").Set("title", quiz.title.empty() ? "Quiz" : quiz.title);
  test.Add("outcomeDeclaration")
      .Set("identifier", "SCORE")
      .Set("cardinality", "single")
      .Set("baseType", "float");
  auto part = test.Add("testPart")
                  .Set("identifier", "PART")
                  .Set("navigationMode", "nonlinear")
                  .Set("submissionMode", "individual");
  int n = 0;
  for (const auto& page : quiz.pages) {
    ++n;
    auto section = part.Add("assessmentSection")
                       .Set("identifier", "PAGE" + std::to_string(n))
                       .Set("title", page.title.empty() ? "Page " + std::to_string(n) : page.title)
                       .Set("visible", "true");
    if (!page.paragraphs.empty()) {
      auto rubric = section.Add("rubricBlock").Set("view", "candidate");
      std::string text;
      for (const auto& p : page.paragraphs)
        text += (text.empty() ? "" : "\n") + p;
      Paragraphs(v == QtiVersion::V30 ? rubric.Add("contentBody") : rubric, text);
    }
    for (const auto& q : page.questions)
      section.Add("assessmentItemRef")
          .Set("identifier", q.identifier)
          .Set("href", q.identifier + ".xml");
  }
  auto processing = test.Add("outcomeProcessing").Add("setOutcomeValue").Set("identifier", "SCORE");
  processing.Add("sum").Add("testVariables").Set("variableIdentifier", "SCORE");
  return doc.Serialize();
}

std::string Manifest(const Quiz& quiz, QtiVersion v,
                     const std::vector<std::pair<std::string, std::vector<std::string>>>& items) {
  const bool v21 = v == QtiVersion::V21;
  XmlDocument doc("manifest", v21 ? "http://www.imsglobal.org/xsd/imscp_v1p1"
                                  : "http://www.imsglobal.org/xsd/qti/qtiv3p0/imscp_v1p1");
  auto manifest = doc.Root().Set("identifier", "MANIFEST");
  auto metadata = manifest.Add("metadata");
  metadata.Add("schema", v21 ? "QTIv2.1 Package" : "QTI Package");
  metadata.Add("schemaversion", v21 ? "1.0.0" : "3.0.0");
  manifest.Add("organizations");
  auto resources = manifest.Add("resources");
  const std::string suffix = v21 ? "v2p1" : "v3p0";
  auto test = resources.Add("resource")
                  .Set("identifier", "RES-TEST")
                  .Set("type", "imsqti_test_xml" + suffix)
                  .Set("href", "assessment.xml");
  test.Add("file").Set("href", "assessment.xml");
  for (const auto& [id, files] : items)
    test.Add("dependency").Set("identifierref", "RES-" + id);
  for (const auto& [id, files] : items) {
    auto r = resources.Add("resource")
                 .Set("identifier", "RES-" + id)
                 .Set("type", "imsqti_item_xml" + suffix)
                 .Set("href", id + ".xml");
    r.Add("file").Set("href", id + ".xml");
    for (const auto& f : files)
      r.Add("file").Set("href", f);
  }
  (void)quiz;
  return doc.Serialize();
}

}  // namespace

std::string QtiItem(const Quiz& quiz, const Question& q, QtiVersion version,
                    std::vector<PackageFile>& files, std::vector<std::string>& referenced) {
  return ItemWriter(quiz, q, version, files, referenced).Write();
}

std::vector<PackageFile> QtiPackage(const Quiz& quiz, QtiVersion version) {
  std::vector<PackageFile> pictures;
  std::vector<PackageFile> out;
  std::vector<std::pair<std::string, std::vector<std::string>>> items;
  for (const Question* q : quiz.Questions()) {
    std::vector<std::string> referenced;
    out.push_back({q->identifier + ".xml", QtiItem(quiz, *q, version, pictures, referenced)});
    items.emplace_back(q->identifier, referenced);
  }
  out.push_back({"assessment.xml", TestDocument(quiz, version)});
  out.insert(out.begin(), {"imsmanifest.xml", Manifest(quiz, version, items)});
  out.insert(out.end(), pictures.begin(), pictures.end());
  return out;
}

}  // namespace qv::exporter
