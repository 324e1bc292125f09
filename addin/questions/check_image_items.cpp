#include "addin/questions/check_image_items.h"

#include <vector>

#include "addin/questions/attribute_string.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/image_item_format.h"
#include "addin/questions/question_types.h"
#include "addin/questions/validation_messages.h"
#include "automation/error_trap.h"
#include "word/inline_shape.h"
#include "word/range.h"
#include "word/shape.h"
#include "word/table.h"

namespace qv::addin {
namespace {

void FormatAsItem(const std::shared_ptr<word::Shape>& shape,
                  const std::shared_ptr<word::Table>& table, int32_t type) {
  if (type == kHotSpot)
    FormatHotSpotPicture(shape, table);
  else
    FormatDragAndDropItem(shape, table, false);
}

}  // namespace

bool CheckImageItems(std::string& message, const std::shared_ptr<word::Table>& table,
                     int32_t type) {
  return automation::TrapValue(
      [&] {
        if (!table) automation::Raise(automation::err::kObjectNotSet);
        if (CountShapesInTable(table) == 0) {
          message = ValidationMessage(kMsgNoAnswer);
          return false;
        }
        // The collection shrinks as each picture leaves the text: take them all first.
        auto pictures = table->Rows()->Item(4)->Range()->InlineShapes();
        std::vector<std::shared_ptr<word::InlineShape>> pasted;
        for (int32_t i = 1, n = pictures->Count(); i <= n; ++i)
          if (pictures->Item(i)->Type() == word::wdInlineShapePicture)
            pasted.push_back(pictures->Item(i));
        for (const auto& picture : pasted) {
          auto shape = picture->ConvertToShape();
          shape->Mutable().alt = kAnswerMarker + std::to_string(type);
          FormatAsItem(shape, table, type);
        }
        int32_t answers = 0;
        const auto items = table->Rows()->Item(4)->Range()->ShapeRange();
        for (const auto& shape : items->List())
          if (IsAnswerShape(shape) && !GetAttr(shape->Data().alt, "type").empty()) ++answers;
        if (answers == 0) {
          message = ValidationMessage(kMsgNoAnswer);
          return false;
        }
        return true;
      },
      [&](const automation::ErrInfo& e) {
        message =
            "An error has occurred while verifiying the document: " + std::to_string(e.number);
      },
      false);
}

}  // namespace qv::addin
