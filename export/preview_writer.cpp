#include "export/preview_writer.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "export/compose.h"
#include "export/html_page.h"
#include "export/html_text.h"
#include "export/preview_script.h"
#include "export/scoring.h"
#include "export/xml_tree.h"

namespace qv::exporter {
namespace {

using nlohmann::json;

// Text as HTML: the characters that mean markup written as entities, line ends as <br>.
std::string HtmlText(const std::string& raw) {
  return HtmlEscaped(XmlSafe(raw), {.lineBreak = "<br>", .quotes = true, .apostrophes = true});
}

std::string Px(double points) {
  return std::to_string(Pixels(points)) + "px";
}

json BoxJson(const Box& b) {
  return {{"left", Pixels(b.left)},
          {"top", Pixels(b.top)},
          {"width", Pixels(b.width)},
          {"height", Pixels(b.height)}};
}

// What the page's script needs to score the question (in pixels of the area).
json QuestionJson(const Question& q) {
  const ScoreRule rule = RuleOf(q);
  json data = {{"id", q.identifier},
               {"points", q.points},
               {"share", rule.share},
               {"choiceStep", rule.choiceStep},
               {"itemStep", rule.itemStep},
               {"allOrNothing", rule.allOrNothing && !rule.manual},
               {"manual", rule.manual},
               {"multiple", q.MultipleCorrect()},
               {"right", XmlSafe(q.correctFeedback)},
               {"wrong", XmlSafe(q.incorrectFeedback)}};
  if (q.HasChoices()) {
    json correct = json::array();
    for (size_t i = 0; i < q.answers.size(); ++i)
      if (q.answers[i].correct) correct.push_back(i);
    data["correct"] = correct;
  }
  json blanks = json::array();
  for (const auto& b : q.sentence.blanks) {
    json accepted = json::array();
    for (const auto& a : b.accepted)
      accepted.push_back(XmlSafe(a));
    blanks.push_back(accepted);
  }
  data["blanks"] = blanks;
  if (q.kind == QuestionKind::DragAndDrop) {
    json zones = json::array();
    for (const auto& it : q.items)
      if (it.moveable) zones.push_back(BoxJson(it.box));
    data["zones"] = zones;
  }
  if (q.kind == QuestionKind::HotSpot) {
    json areas = json::array();
    for (const auto& a : q.areas) {
      json points = json::array();
      for (const auto& [x, y] : a.points)
        points.push_back({x * 4 / 3, y * 4 / 3});
      const char* shape = a.shape == AreaShape::Ellipse   ? "ellipse"
                          : a.shape == AreaShape::Polygon ? "polygon"
                                                          : "rectangle";
      areas.push_back({{"shape", shape}, {"box", BoxJson(a.box)}, {"points", points}});
    }
    data["areas"] = areas;
  }
  return data;
}

class PageWriter {
 public:
  PageWriter(const Quiz& quiz, std::vector<PackageFile>& files) : quiz_(quiz), files_(files) {}

  std::string Page(size_t index) {
    const auto& page = quiz_.pages[index];
    const size_t count = quiz_.pages.size();
    std::string html = Head(page.title.empty() ? quiz_.title : page.title);
    html += "<nav><a href=\"index.html\">Contents</a> Page " + std::to_string(index + 1) + " of " +
            std::to_string(count);
    if (index > 0) html += " <a id=\"previous\" href=\"" + PageFile(index - 1) + "\">Previous</a>";
    if (index + 1 < count) html += " <a id=\"next\" href=\"" + PageFile(index + 1) + "\">Next</a>";
    html += "</nav>\n<main>\n";
    if (page.kind == PageKind::Questions) html += "<h1>" + HtmlText(page.title) + "</h1>\n";
    for (const auto& p : page.paragraphs)
      html += "<p>" + HtmlText(p) + "</p>\n";
    for (int32_t picture : page.pictures)
      html += "<p><img src=\"" + Picture(picture) + "\" alt=\"\"></p>\n";
    if (!page.questions.empty()) {
      html += "<form class=\"quiz\" onsubmit=\"return false\">\n";
      for (const auto& q : page.questions)
        html += Question(q);
      html +=
          "<button type=\"button\" id=\"check\">Check</button>\n<p id=\"total\"></p>\n</form>\n";
    }
    return html + HtmlPageEnd("</main>\n<script src=\"preview.js\"></script>\n");
  }

  std::string Index() {
    std::string html = Head(quiz_.title) + "<main>\n<h1>" + HtmlText(quiz_.title) + "</h1>\n<ol>\n";
    for (size_t i = 0; i < quiz_.pages.size(); ++i) {
      const auto& page = quiz_.pages[i];
      html += "<li><a href=\"" + PageFile(i) + "\">" +
              HtmlText(page.title.empty() ? "Page " + std::to_string(i + 1) : page.title) +
              "</a> (" + (page.kind == PageKind::Questions ? "quiz" : "text") + ")</li>\n";
    }
    return html + HtmlPageEnd("</ol>\n</main>\n");
  }

  static std::string PageFile(size_t index) { return "page" + std::to_string(index + 1) + ".html"; }

 private:
  static std::string Head(const std::string& title) {
    return HtmlPageStart(XmlSafe(title), "<link rel=\"stylesheet\" href=\"preview.css\">\n");
  }

  // The picture's file in images/, written once.
  std::string Picture(int32_t index) {
    const auto& p = quiz_.pictures.at(index);
    return Add("images/" + p.file, p.bytes);
  }
  std::string Add(const std::string& path, const std::string& bytes) {
    if (std::none_of(files_.begin(), files_.end(), [&](const auto& f) { return f.name == path; }))
      files_.push_back({path, bytes});
    return path;
  }

  std::string Question(const exporter::Question& q) {
    std::string html =
        "<section class=\"question\" id=\"" + q.identifier + "\" data-question=\"" +
        HtmlText(QuestionJson(q).dump(-1, ' ', false, json::error_handler_t::replace)) + "\">\n";
    html += "<div class=\"text\"><p>" + HtmlText(q.text) + "</p></div>\n";
    if (q.HasChoices()) {
      const char* type = q.MultipleCorrect() ? "checkbox" : "radio";
      html += "<ul class=\"answers\">\n";
      for (size_t i = 0; i < q.answers.size(); ++i)
        html += "<li><label><input type=\"" + std::string(type) + "\" name=\"" + q.identifier +
                "\" value=\"" + std::to_string(i) + "\"> " + HtmlText(q.answers[i].text) +
                "</label></li>\n";
      html += "</ul>\n";
    }
    if (q.HasBlanks()) {
      html += "<p class=\"sentence\">";
      for (size_t i = 0; i < q.sentence.pieces.size(); ++i) {
        html += HtmlText(q.sentence.pieces[i]);
        if (i >= q.sentence.blanks.size()) continue;
        const Blank& b = q.sentence.blanks[i];
        const std::string common = " class=\"blank\" data-blank=\"" + std::to_string(i) + "\"";
        html += b.height > 1 ? " <textarea" + common + " rows=\"" + std::to_string(b.height) +
                                   "\" cols=\"" + std::to_string(b.width) + "\"></textarea> "
                             : " <input type=\"text\"" + common + " size=\"" +
                                   std::to_string(b.width) + "\"> ";
      }
      html += "</p>\n";
    }
    if (q.kind == QuestionKind::DragAndDrop) html += Board(q);
    if (q.kind == QuestionKind::HotSpot)
      html += "<div class=\"area spot\" style=\"width:" + Px(q.area.width) +
              ";height:" + Px(q.area.height) + ";background-image:url(" + Background(q) +
              ")\"></div>\n";
    if (q.kind == QuestionKind::ShortAnswer)
      html += "<textarea class=\"essay\" rows=\"" + std::to_string(q.expectedLines) + "\" cols=\"" +
              std::to_string(std::min(q.expectedLength, 80)) + "\"></textarea>\n";
    return html + "<div class=\"result\" aria-live=\"polite\"></div>\n</section>\n";
  }

  std::string Background(const exporter::Question& q) {
    return Add("images/" + q.identifier + "_background.png", ComposeBackground(quiz_, q));
  }

  // The picture with the fixed items drawn in, and the moveable items in a row below it.
  std::string Board(const exporter::Question& q) {
    const double gap = 8;
    double x = 0, y = q.area.height + gap, rowHeight = 0;
    std::string items;
    int k = 0;
    for (const auto& it : q.items) {
      if (!it.moveable) continue;
      if (x > 0 && x + it.box.width > q.area.width) {
        x = 0;
        y += rowHeight + gap;
        rowHeight = 0;
      }
      items += "<div class=\"item\" data-item=\"" + std::to_string(k++) +
               "\" style=\"left:" + Px(x) + ";top:" + Px(y) + ";width:" + Px(it.box.width) +
               ";height:" + Px(it.box.height) + "\">" +
               (it.picture >= 0 ? "<img src=\"" + Picture(it.picture) + "\" alt=\"\">"
                                : HtmlText(it.label)) +
               "</div>\n";
      x += it.box.width + gap;
      rowHeight = std::max(rowHeight, it.box.height);
    }
    return "<div class=\"board\" style=\"width:" + Px(q.area.width) +
           ";height:" + Px(y + rowHeight + gap) +
           "\">\n<div class=\"area\" style=\"width:" + Px(q.area.width) +
           ";height:" + Px(q.area.height) + ";background-image:url(" + Background(q) +
           ")\"></div>\n" + items + "</div>\n";
  }

  const Quiz& quiz_;
  std::vector<PackageFile>& files_;
};

}  // namespace

std::vector<PackageFile> PreviewFiles(const Quiz& quiz) {
  std::vector<PackageFile> files;
  std::vector<PackageFile> pages;
  PageWriter writer(quiz, files);
  pages.push_back({"index.html", writer.Index()});
  for (size_t i = 0; i < quiz.pages.size(); ++i)
    pages.push_back({PageWriter::PageFile(i), writer.Page(i)});
  pages.push_back({"preview.js", kPreviewScript});
  pages.push_back({"preview.css", kPreviewStyle});
  pages.insert(pages.end(), files.begin(), files.end());
  return pages;
}

void WritePreview(const Quiz& quiz, const std::filesystem::path& dir) {
  namespace fs = std::filesystem;
  if (fs::exists(dir) && !fs::is_directory(dir))
    throw std::runtime_error(dir.string() + " is a file, not a folder");
  if (fs::exists(dir) && !fs::is_empty(dir)) {
    // Only a preview written before is replaced; any other folder's files are the author's.
    if (!fs::exists(dir / "preview.js"))
      throw std::runtime_error(dir.string() +
                               " holds other files: choose an empty or new folder for the preview");
    for (const auto& entry : fs::directory_iterator(dir)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("page", 0) == 0 && entry.path().extension() == ".html") fs::remove(entry);
    }
    fs::remove_all(dir / "images");
  }
  fs::create_directories(dir / "images");
  for (const auto& f : PreviewFiles(quiz))
    WriteFileWhole(dir / f.name, f.bytes);
}

}  // namespace qv::exporter
