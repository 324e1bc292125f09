#include "addin/document/process_paste.h"

#include <memory>
#include <vector>

#include "addin/dialogs/dlgMoveFixed.h"
#include "addin/questions/ImageHotSpot.h"
#include "addin/questions/ImageTag.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/question_types.h"
#include "automation/error_trap.h"
#include "word/document.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/shape.h"
#include "word/table.h"

namespace qv::addin {
namespace {

constexpr int32_t kItemRow = 4;

// The inline pictures of the question's item row, collected first: each conversion takes its
// picture out of the text.
std::vector<std::shared_ptr<word::InlineShape>> PastedPictures(
    const std::shared_ptr<word::Table>& table) {
  std::vector<std::shared_ptr<word::InlineShape>> pictures;
  if (table->Rows()->Count() < kItemRow) return pictures;
  auto inRow = table->Rows()->Item(kItemRow)->Range()->InlineShapes();
  for (int32_t i = 1; i <= inRow->Count(); ++i)
    pictures.push_back(inRow->Item(i));
  return pictures;
}

}  // namespace

bool ProcessPaste(word::Range& range, word::Document& doc) {
  range.Select();
  auto table = GetCurrentQuestion(doc.Self());
  if (!table) return true;
  const int32_t type = GetQuestionType(table);
  if (type != kDragAndDrop && type != kHotSpot) return true;
  const auto pictures = PastedPictures(table);
  if (pictures.empty()) return true;
  if (type == kHotSpot) {
    ImageHotSpot hotSpot;
    for (const auto& picture : pictures) {
      auto shape = picture->ConvertToShape();
      shape->Select();
      hotSpot.FormatShape(shape, table);
    }
    return true;
  }
  ImageTag dragAndDrop;
  auto chooser = dlgMoveFixed::Create();
  // The chooser is closed also when a step fails on the way.
  struct CloseChooser {
    std::shared_ptr<dlgMoveFixed>& chooser;
    ~CloseChooser() {
      automation::ErrorsIgnored ignore;
      ignore([&] { chooser->DONE(); });
    }
  } closer{chooser};
  for (const auto& picture : pictures) {
    auto shape = picture->ConvertToShape();
    shape->Select();
    const bool moveable = chooser->Display(kItemImage) == kChoiceMoveable;
    dragAndDrop.FormatShape(shape, table, moveable);
  }
  return true;
}

}  // namespace qv::addin
