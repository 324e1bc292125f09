#include "addin/questions/image_item_format.h"

#include <optional>
#include <string>

#include "addin/questions/attribute_string.h"
#include "addin/questions/g_find.h"
#include "addin/questions/question_types.h"
#include "automation/error_trap.h"
#include "word/document.h"
#include "word/formatting.h"
#include "word/shape.h"
#include "word/shape_formats.h"

namespace qv::addin {
namespace {

using Shape = word::Shape;

// No wrapping of the text around the item: overlap allowed, wrapped on the left, no distances,
// in front of the text.
void Unwrap(automation::ErrorsIgnored& ignore, Shape& shape) {
  ignore([&] { shape.Mutable().wrap.allowOverlap = true; });
  ignore([&] { shape.Mutable().wrap.side = word::wdWrapLeft; });
  ignore([&] {
    auto& wrap = shape.Mutable().wrap;
    wrap.distanceTop = wrap.distanceBottom = wrap.distanceLeft = wrap.distanceRight = 0;
  });
  ignore([&] { shape.Mutable().wrap.type = word::wdWrapNone; });
}

void PlaceFromMargin(automation::ErrorsIgnored& ignore, Shape& shape) {
  ignore([&] { shape.Mutable().relativeVertical = word::wdRelativeVerticalPositionMargin; });
  ignore([&] { shape.Mutable().lockAnchor = true; });
}

void RemoveHyperlink(automation::ErrorsIgnored& ignore, const std::shared_ptr<Shape>& shape) {
  ignore([&] { word::Hyperlink(shape).Delete(); });
}

}  // namespace

void SendBackwardTo(Shape& shape, int32_t reference) {
  automation::ErrorsIgnored ignore;
  const int32_t bound = ignore.Value([&] { return shape.Doc().Shapes()->Count(); }, 0);
  int32_t position = ignore.Value([&] { return shape.ZOrderPosition(); }, 0);
  for (int32_t step = 0; step < bound && position > reference + 1; ++step) {
    ignore([&] { shape.ZOrder(word::msoSendBackward); });
    const int32_t now = ignore.Value([&] { return shape.ZOrderPosition(); }, position);
    if (now >= position) break;
    position = now;
  }
}

void FormatDragAndDropItem(const std::shared_ptr<Shape>& shape,
                           const std::shared_ptr<word::Table>& table, bool moveable) {
  if (!shape) return;
  automation::ErrorsIgnored ignore;
  const std::string typeAttribute = moveable ? "&type=1" : "";
  std::optional<int32_t> reference;
  if (!moveable)
    ignore([&] {
      if (shape->Doc().Shapes()->Count() >= 1) reference = NextShapeZOrder(table);
    });
  ignore([&] { shape->Mutable().line.weight = 1; });
  ignore([&] { shape->Mutable().line.dashStyle = word::msoLineSolid; });
  ignore([&] { shape->Mutable().line.style = word::msoLineSingle; });
  ignore([&] { shape->Mutable().line.transparency = 0; });
  if (moveable) {
    ignore([&] { shape->Mutable().line.visible = true; });
    ignore([&] { shape->Mutable().line.foreColor = word::RGB(0, 0, 255); });
    ignore([&] { shape->Mutable().line.backColor = word::wdColorWhite; });
  } else {
    const int32_t kind = ignore.Value([&] { return shape->Data().type; }, word::msoAutoShape);
    if (kind == word::msoLinkedPicture || kind == word::msoPicture) {
      ignore([&] { shape->Mutable().line.visible = false; });
    } else {
      ignore([&] { shape->Mutable().line.visible = true; });
      ignore([&] { shape->Mutable().line.foreColor = word::wdColorBlack; });
      ignore([&] { shape->Mutable().line.backColor = word::wdColorWhite; });
    }
  }
  PlaceFromMargin(ignore, *shape);
  Unwrap(ignore, *shape);
  ignore(
      [&] { shape->Mutable().alt = kAnswerMarker + std::to_string(kDragAndDrop) + typeAttribute; });
  if (reference)
    SendBackwardTo(*shape, *reference);
  else
    ignore([&] { shape->ZOrder(word::msoBringToFront); });
  ignore([&] { shape->ZOrder(word::msoBringInFrontOfText); });
  RemoveHyperlink(ignore, shape);
}

void FormatHotSpotPicture(const std::shared_ptr<Shape>& shape,
                          const std::shared_ptr<word::Table>& table) {
  if (!shape) return;
  automation::ErrorsIgnored ignore;
  std::optional<int32_t> reference;
  ignore([&] { reference = NextShapeZOrder(table); });
  ignore([&] { shape->Mutable().line.visible = false; });
  ignore([&] { shape->Mutable().lockAspectRatio = true; });
  PlaceFromMargin(ignore, *shape);
  Unwrap(ignore, *shape);
  ignore([&] { shape->Mutable().alt = kAnswerMarker + std::to_string(kHotSpot); });
  if (reference) SendBackwardTo(*shape, *reference);
  ignore([&] { shape->ZOrder(word::msoBringInFrontOfText); });
  RemoveHyperlink(ignore, shape);
}

}  // namespace qv::addin
