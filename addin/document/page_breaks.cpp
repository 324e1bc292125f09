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

bool HasAnchoredShape(word::Range& range) {
  for (const auto& shape : range.Doc().ShapeList()) {
    const int64_t at = shape->AnchorPos();
    if (at >= range.Start() && at < range.End()) return true;
  }
  return false;
}

}  // namespace

// A marker that stands outside any table bounds the stretch by itself.
std::shared_ptr<word::Range> QuestionExtent(const std::shared_ptr<word::InlineShape>& marker,
                                            word::Document& doc) {
  auto table = FindTableOfShape(marker, doc.Self());
  return table ? table->Range() : marker->Range();
}

bool IsPageBreakMarker(const std::shared_ptr<word::InlineShape>& picture) {
  return HasMarkerKind(AltText(picture), "kzoB");
}

bool IsQuestionOrPageBreakMarker(const std::shared_ptr<word::InlineShape>& picture) {
  const std::string alt = AltText(picture);
  return HasMarkerKind(alt, "kzoQ") || HasMarkerKind(alt, "kzoB");
}

bool InsertBreakAtSelection(word::Document& doc) {
  auto selection = doc.Selection();
  selection->InsertBefore("\r\n");
  selection->Collapse(word::wdCollapseStart);
  selection->InsertBefore("\r\n");
  selection->Collapse(word::wdCollapseEnd);
  doc.InlineShapes()->AddPicture(G().IMG_PATH + "LO.gif", false, true, selection->Range());
  selection->MoveEnd(word::wdCharacter, 1);
  selection->InlineShapes()->Item(1)->SetAlternativeText("kzoB");
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
  auto range = doc.Range(0, doc.Selection()->Start());
  auto pictures = range->InlineShapes();
  const int32_t count = pictures->Count();
  if (count == 0) return IsRangeEmpty(*range) ? kPageEmpty : kPageOfText;
  for (int32_t i = count; i >= 1; --i) {
    auto picture = pictures->Item(i);
    if (!IsQuestionOrPageBreakMarker(picture)) continue;
    if (IsPageBreakMarker(picture)) {
      range->SetStart(picture->Range()->End());
      return IsRangeEmpty(*range) ? kPageEmpty : kPageOfText;
    }
    range->SetStart(QuestionExtent(picture, doc)->End());
    if (IsRangeEmpty(*range)) return kPageOfQuestions;
    SetTextOutsideQuestions(true);
    return kPageOfText;
  }
  return kPageOfText;
}

int16_t PageKindAfter(word::Range& range, word::Document& doc) {
  range.SetEnd(doc.Content()->End());
  if (IsRangeEmpty(range)) return kPageEmpty;
  auto pictures = range.InlineShapes();
  const int32_t count = pictures->Count();
  for (int32_t i = 1; i <= count; ++i) {
    auto picture = pictures->Item(i);
    if (!IsQuestionOrPageBreakMarker(picture)) continue;
    if (IsPageBreakMarker(picture)) {
      range.SetEnd(picture->Range()->Start());
      return IsRangeEmpty(range) ? kPageEmpty : kPageOfText;
    }
    range.SetEnd(QuestionExtent(picture, doc)->Start());
    if (!range.Text().empty() && !IsRangeEmpty(range)) SetTextOutsideQuestions(true);
    return kPageOfQuestions;
  }
  return kPageOfText;
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
