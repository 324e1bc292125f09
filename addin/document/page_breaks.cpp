#include "addin/document/page_breaks.h"

#include "addin/questions/attribute_string.h"
#include "addin/questions/g_find.h"
#include "addin/questions/question_types.h"
#include "addin/settings/g_state.h"
#include "automation/error_trap.h"
#include "word/document.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/selection.h"
#include "word/shape.h"
#include "word/structure.h"
#include "word/table.h"

namespace qv::addin {
namespace {

// The add-in-wide flag of the page classification (module state, one per loaded library).
bool& TextOutsideQuestionsFlag() {
  static bool flag = false;
  return flag;
}

std::string AltText(const std::shared_ptr<word::InlineShape>& picture) {
  if (!picture) return "";
  automation::ErrorsIgnored ignore;
  return ignore.Value([&] { return picture->AlternativeText(); }, std::string());
}

// The page classification looks only at the pictures between the insertion point and the nearest
// question or break marker, found from the marks around the insertion point: its cost follows the
// size of that page, not of the document.
std::shared_ptr<word::InlineShape> Shared(word::Document& doc, word::InlineShape* picture) {
  return picture ? doc.GetStory().Shared(picture) : nullptr;
}

// The nearest question or break marker before `at`; `seen` tells whether any picture lies before.
std::shared_ptr<word::InlineShape> MarkerBefore(word::Document& doc, int64_t at, bool& seen) {
  seen = false;
  for (auto* p = word::InlineShapeBefore(doc.GetStory(), at); p;
       p = word::InlineShapeBefore(doc.GetStory(), p->Position())) {
    seen = true;
    auto picture = Shared(doc, p);
    if (IsQuestionOrPageBreakMarker(picture)) return picture;
  }
  return nullptr;
}

// The nearest question or break marker at or after `at`.
std::shared_ptr<word::InlineShape> MarkerFrom(word::Document& doc, int64_t at) {
  for (auto* p = word::InlineShapeFrom(doc.GetStory(), at); p;
       p = word::InlineShapeFrom(doc.GetStory(), p->Position() + 1)) {
    auto picture = Shared(doc, p);
    if (IsQuestionOrPageBreakMarker(picture)) return picture;
  }
  return nullptr;
}

bool HasAnchoredShape(word::Range& range) {
  return range.Doc().HasShapeAnchoredIn(range.Start(), range.End());
}

}  // namespace

// A marker that stands outside any table bounds the stretch by itself.
std::shared_ptr<word::Range> QuestionExtent(const std::shared_ptr<word::InlineShape>& marker,
                                            word::Document& doc) {
  auto table = FindTableOfShape(marker, doc.Self());
  return table ? table->Range() : marker->Range();
}

bool IsPageBreakMarker(const std::shared_ptr<word::InlineShape>& picture) {
  return HasMarkerKind(AltText(picture), kBreakMarker);
}

bool IsQuestionOrPageBreakMarker(const std::shared_ptr<word::InlineShape>& picture) {
  const std::string alt = AltText(picture);
  return HasMarkerKind(alt, kQuestionMarker) || HasMarkerKind(alt, kBreakMarker);
}

bool InsertBreakAtSelection(word::Document& doc) {
  auto selection = doc.Selection();
  selection->InsertBefore("\r\n");
  selection->Collapse(word::wdCollapseStart);
  selection->InsertBefore("\r\n");
  selection->Collapse(word::wdCollapseEnd);
  doc.InlineShapes()->AddPicture(G().IMG_PATH + "LO.gif", false, true, selection->Range());
  selection->MoveEnd(word::wdCharacter, 1);
  selection->InlineShapes()->Item(1)->SetAlternativeText(kBreakMarker);
  selection->Collapse(word::wdCollapseEnd);
  return true;
}

bool DeleteBreakAtSelection(word::Document& doc) {
  automation::ErrorsIgnored ignore;
  return ignore.Value(
      [&] {
        auto selection = doc.Selection();
        auto pictures = selection->InlineShapes();
        if (pictures->Count() != 1 || !IsPageBreakMarker(pictures->Item(1))) return false;
        // Besides the marker the selection must hold nothing that counts, so that text or
        // shapes selected together with it are never deleted by this command.
        if (selection->ComputeStatistics(word::wdStatisticWords) != 0 ||
            HasAnchoredShape(*selection))
          return false;
        selection->Delete();
        return true;
      },
      false);
}

bool IsRangeEmpty(word::Range& range) {
  if (HasAnchoredShape(range)) return false;
  if (range.InlineShapes()->Count() > 0) return false;
  return range.ComputeStatistics(word::wdStatisticWords) == 0;
}

int16_t PageKindBefore(word::Document& doc) {
  const int64_t at = doc.Selection()->Start();
  auto range = doc.Range(0, at);
  bool anyPicture = false;
  auto picture = MarkerBefore(doc, at, anyPicture);
  if (!anyPicture) return IsRangeEmpty(*range) ? kPageEmpty : kPageOfText;
  if (!picture) return kPageOfText;
  if (IsPageBreakMarker(picture)) {
    range->SetStart(picture->Range()->End());
    return IsRangeEmpty(*range) ? kPageEmpty : kPageOfText;
  }
  range->SetStart(QuestionExtent(picture, doc)->End());
  if (IsRangeEmpty(*range)) return kPageOfQuestions;
  SetTextOutsideQuestions(true);
  return kPageOfText;
}

int16_t PageKindAfter(word::Range& range, word::Document& doc) {
  range.SetEnd(doc.Content()->End());
  auto picture = MarkerFrom(doc, range.Start());
  // Without a marker the page runs to the document's end; with one, the range holds at least
  // that picture and so is never empty as a whole.
  if (!picture) return IsRangeEmpty(range) ? kPageEmpty : kPageOfText;
  if (IsPageBreakMarker(picture)) {
    range.SetEnd(picture->Range()->Start());
    return IsRangeEmpty(range) ? kPageEmpty : kPageOfText;
  }
  range.SetEnd(QuestionExtent(picture, doc)->Start());
  if (!range.Text().empty() && !IsRangeEmpty(range)) SetTextOutsideQuestions(true);
  return kPageOfQuestions;
}

bool BreakNeededBefore(int32_t type, word::Document& doc) {
  const int16_t kind = PageKindBefore(doc);
  return kind != kPageEmpty && kind != BreakKindForType(type);
}

bool BreakNeededAfter(int32_t type, word::Document& doc) {
  auto range = doc.Selection()->Range();
  const int16_t kind = PageKindAfter(*range, doc);
  return kind != kPageEmpty && kind != BreakKindForType(type);
}

bool TextOutsideQuestions() {
  return TextOutsideQuestionsFlag();
}

void SetTextOutsideQuestions(bool value) {
  TextOutsideQuestionsFlag() = value;
}

}  // namespace qv::addin
