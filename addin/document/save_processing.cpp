#include "addin/document/save_processing.h"

#include <string>
#include <vector>

#include "addin/addin_app.h"
#include "addin/document/page_breaks.h"
#include "addin/questions/g_construction.h"
#include "addin/questions/g_text.h"
#include "automation/error_trap.h"
#include "ui/msgbox.h"
#include "word/application.h"
#include "word/custom_properties.h"
#include "word/document.h"
#include "word/inline_shape.h"
#include "word/range.h"

namespace qv::addin {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kSlideTypes = "KZOSlideTypes";
constexpr const char* kPageTitlePrefix = "KZOST";

void ShowStatus(word::Document& doc, const std::string& text) {
  if (auto* app = doc.App()) app->SetStatusBar(text);
}

std::string WebPageTitle(int32_t n) {
  return "Web Page " + std::to_string(n);
}

// Page data of an earlier run: its page count may have been larger, so every title goes.
bool IsPageDataProperty(const std::string& name) {
  return name.size() > 5 && (name.rfind(kPageTitlePrefix, 0) == 0 || name == kSlideTypes);
}

void RemovePageData(word::Document& doc) {
  auto props = doc.CustomDocumentProperties();
  for (int32_t i = props->Count(); i >= 1; --i) {
    auto property = props->Item(automation::Variant(i));
    if (IsPageDataProperty(property->Name())) property->Delete();
  }
}

bool IsQuestionMarker(const std::shared_ptr<word::InlineShape>& picture) {
  return IsQuestionOrPageBreakMarker(picture) && !IsPageBreakMarker(picture);
}

// Interior pages that read empty are pages of text: only the first and the last page may be
// empty ones.
std::string JoinSlideTypes(std::vector<int16_t> codes) {
  std::string list;
  for (size_t i = 0; i < codes.size(); ++i) {
    if (i > 0 && i + 1 < codes.size() && codes[i] == kSlideEmpty) codes[i] = kSlideText;
    if (i > 0) list += ",";
    list += std::to_string(codes[i]);
  }
  return list;
}

// A change the save cannot skip: a blank put at the end and taken away again.
void TouchDocument(word::Document& doc) {
  const int64_t at = doc.Content()->End() - 1;
  doc.Range(at, at)->InsertAfter(" ");
  doc.Range(at, at + 1)->Delete();
}

}  // namespace

std::string QuizPageTitle(const std::string& docName, int32_t q) {
  const auto dot = docName.rfind('.');
  const std::string base = dot == std::string::npos ? "" : docName.substr(0, dot);
  const std::string quiz = "Quiz " + std::to_string(q);
  return base.empty() ? quiz : base + " " + quiz;
}

int16_t RecordPage(word::Range& range, int32_t n, int32_t& q, word::Document& doc) {
  automation::ErrorsIgnored ignore;
  const int16_t kind = ignore.Value([&] { return PageKindAfter(range, doc); }, kPageOfText);
  std::string title;
  int16_t code = kSlideText;
  if (kind == kPageEmpty) {
    title = WebPageTitle(n);
    code = kSlideEmpty;
  } else if (kind == kPageOfText) {
    title = ignore.Value([&] { return ShortTitle(range.Text()); }, std::string());
    if (title.empty()) title = WebPageTitle(n);
  } else {
    title = QuizPageTitle(doc.Name(), q);
    ++q;
    code = kSlideQuiz;
  }
  ignore([&] { SetTextProperty(doc, kPageTitlePrefix + std::to_string(n), title); });
  return code;
}

SaveOutcome ProcessKZOInfo(word::Document& doc) {
  SetTextOutsideQuestions(false);
  if (!IsConvertedDocument(doc, kConvertedMark)) return SaveOutcome::NotCourseDocument;
  ShowStatus(doc, "Saving Quorvanta data for " + doc.Name() + "...");
  RemovePageData(doc);

  int32_t n = 1;
  int32_t q = 1;
  std::vector<int16_t> codes;
  auto start = doc.Range(0, 0);
  codes.push_back(RecordPage(*start, n++, q, doc));
  auto pictures = doc.InlineShapes();
  const int32_t count = pictures->Count();
  for (int32_t i = 1; i <= count; ++i) {
    auto picture = pictures->Item(i);
    if (IsPageBreakMarker(picture)) {
      auto page = picture->Range();
      page->Collapse(word::wdCollapseEnd);
      codes.push_back(RecordPage(*page, n++, q, doc));
    } else if (IsQuestionMarker(picture)) {
      // Text after a question's table up to the next break is on the quiz's page, where the
      // course web pages do not show it.
      auto after = QuestionExtent(picture, doc);
      after->Collapse(word::wdCollapseEnd);
      if (PageKindAfter(*after, doc) == kPageOfText) SetTextOutsideQuestions(true);
    }
  }
  SetTextProperty(doc, kSlideTypes, JoinSlideTypes(codes));

  // From here on each step that fails is skipped, so the save and the warning still happen.
  automation::ErrorsIgnored ignore;
  ignore([&] { ShowStatus(doc, ""); });
  ignore([&] { TouchDocument(doc); });
  doc.SetSaved(false);
  SaveOutcome outcome = SaveOutcome::Saved;
  automation::ErrorsIgnored save;
  save([&] { doc.Save(); });
  if (save.Err()) {
    // The document stays marked unsaved: the author must not believe the page data is on disk.
    outcome = SaveOutcome::NotSaved;
    ui::MsgBox(AddinApp(),
               "The document " + doc.Name() + " could not be saved: " + save.Err().description +
                   kCrLf + kCrLf + "Save it before you add it to a course.",
               ui::vbCritical, "Error");
  } else {
    doc.SetSaved(true);
  }
  if (TextOutsideQuestions())
    ui::MsgBox(AddinApp(),
               std::string("We found text above, between, or below the Quiz questions.  This text "
                           "will not be displayed in your Course Web Pages.") +
                   kCrLf + kCrLf +
                   "To use this text, insert a Web Page break between the Quiz and the text.",
               ui::vbOKOnly);
  return outcome;
}

}  // namespace qv::addin
