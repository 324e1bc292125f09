#include "addin/questions/ImageHotSpot.h"

#include <cmath>

#include "addin/dialogs/dlgMoveFixed.h"
#include "addin/questions/attribute_string.h"
#include "addin/questions/body_question.h"
#include "addin/questions/check_image_items.h"
#include "addin/questions/g_delete.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_markers.h"
#include "addin/questions/g_text.h"
#include "addin/questions/image_item_format.h"
#include "addin/questions/picture_item.h"
#include "addin/questions/question_class.h"
#include "addin/questions/question_types.h"
#include "addin/questions/validation_messages.h"
#include "automation/error_trap.h"
#include "word/application.h"
#include "word/document.h"
#include "word/formatting.h"
#include "word/range.h"
#include "word/shape.h"
#include "word/table.h"

namespace qv::addin {
namespace {

using automation::Args;

constexpr double kAreaHeight = 100;
// Room left below a picture when the area grows to take it.
constexpr double kPictureRoom = 20;
// The side of a new answer area in an area of 50 points or more.
constexpr double kAnswerAreaSide = 50;

}  // namespace

void ImageHotSpot::CreateQuestion(const std::shared_ptr<word::Application>& app) {
  CreateBodyQuestion(app, {kHotSpot, word::wdColorAutomatic, kAreaHeight}, nullptr);
}

void ImageHotSpot::DeleteQuestion(const std::shared_ptr<word::Document>& doc) {
  addin::DeleteQuestion(GetCurrentQuestion(doc));
}

void ImageHotSpot::DeleteAnswer(const std::shared_ptr<word::Document>& doc) {
  addin::DeleteAnswer(GetCurrentQuestion(doc));
}

bool ImageHotSpot::Validate(std::string& message, const std::shared_ptr<word::Table>& table) {
  return ValidateSafely(message, [&] {
    return CheckImageItems(message, table, kHotSpot) &&
           HasUntypedAnswerShape(message, table, kMsgNoImage);
  });
}

void ImageHotSpot::InsertPic(const std::shared_ptr<word::Document>& doc) {
  // Each step stands alone: one the word processor refuses is skipped and the next runs. A
  // picture that cannot be read adds nothing at all (AddPictureItem).
  automation::ErrorsIgnored ignore;
  auto table = QuestionToAddTo(doc);
  if (!table) return;
  std::string file;
  {
    auto chooser = dlgMoveFixed::Create();
    ignore([&] { file = chooser->GetImageFile(); });
    ignore([&] { chooser->DONE(); });
  }
  if (file.empty()) return;
  ignore([&] { file = ShortPathName(file); });
  if (file.empty()) return;
  auto picture = AddPictureItem(*doc, *table, file, kPictureRoom);
  if (!picture) return;
  FormatShape(picture, table);
  ShowNewItem(*doc, picture);
}

void ImageHotSpot::InsertShape(const std::shared_ptr<word::Document>& doc, int16_t shapeType) {
  automation::ErrorsIgnored ignore;
  auto table = QuestionToAddTo(doc);
  if (!table) return;
  double areaWidth = 0, areaHeight = 0;
  std::shared_ptr<word::Range> anchor;
  ignore([&] {
    auto cell = table->Cell(4, 1);
    areaWidth = std::nearbyint(cell->Width());
    areaHeight = std::nearbyint(cell->Height());
    anchor = cell->Range();
  });
  const double width = ItemSide(areaWidth, kAnswerAreaSide);
  const double height = ItemSide(areaHeight, kAnswerAreaSide);
  std::shared_ptr<word::Shape> area;
  ignore([&] { area = doc->Shapes()->AddShape(shapeType, 0, 0, width, height, anchor); });
  if (!area) return;
  auto set = [&](auto change) { ignore([&] { change(area->Mutable()); }); };
  set([](word::ShapeData& d) { d.line.visible = true; });
  set([](word::ShapeData& d) { d.fill.visible = true; });
  set([](word::ShapeData& d) { d.fill.solid = true; });
  set([](word::ShapeData& d) { d.fill.foreColor = word::RGB(192, 192, 192); });
  set([](word::ShapeData& d) { d.fill.transparency = 0.5; });
  set([](word::ShapeData& d) { d.line.weight = 1.5; });
  set([](word::ShapeData& d) { d.line.dashStyle = word::msoLineSolid; });
  set([](word::ShapeData& d) { d.line.style = word::msoLineSingle; });
  set([](word::ShapeData& d) { d.line.visible = true; });
  set([](word::ShapeData& d) { d.line.foreColor = word::wdColorBlack; });
  set([](word::ShapeData& d) { d.line.backColor = word::wdColorWhite; });
  set([](word::ShapeData& d) { d.wrap.side = word::wdWrapLeft; });
  set([](word::ShapeData& d) { d.wrap.allowOverlap = true; });
  set([](word::ShapeData& d) {
    d.wrap.distanceTop = d.wrap.distanceBottom = d.wrap.distanceLeft = d.wrap.distanceRight = 0;
  });
  set([](word::ShapeData& d) { d.wrap.type = word::wdWrapNone; });
  set([](word::ShapeData& d) { d.relativeVertical = word::wdRelativeVerticalPositionMargin; });
  set([](word::ShapeData& d) { d.lockAnchor = true; });
  set([&](word::ShapeData& d) {
    d.alt = kAnswerMarker + std::to_string(kHotSpot) + "&type=" + std::to_string(shapeType);
  });
  set([](word::ShapeData& d) { d.top = 10; });
  set([&](word::ShapeData& d) { d.left = (areaWidth - width) / 2; });
  ShowNewItem(*doc, area);
}

void ImageHotSpot::FormatShape(const std::shared_ptr<word::Shape>& shape,
                               const std::shared_ptr<word::Table>& table) {
  FormatHotSpotPicture(shape, table);
}

void ImageHotSpot::MarkQuestion(const std::shared_ptr<word::Document>& doc) {
  MarkQuestionAttributes(doc, kHotSpot);
}

const automation::DispatchTable& ImageHotSpot::Members() const {
  static const automation::DispatchTable table =
      QuestionTable<ImageHotSpot>("ImageHotSpot", [](automation::ClassTable<ImageHotSpot>& t) {
        t.Sub("InsertPic",
              [](ImageHotSpot& q, Args& a) { q.InsertPic(ObjectArg<word::Document>(a, 0)); })
            .Sub("InsertShape",
                 [](ImageHotSpot& q, Args& a) {
                   q.InsertShape(ObjectArg<word::Document>(a, 0), a[1].ToInt16());
                 })
            .Sub("FormatShape", [](ImageHotSpot& q, Args& a) {
              q.FormatShape(ObjectArg<word::Shape>(a, 0), ObjectArg<word::Table>(a, 1));
            });
      });
  return table;
}

}  // namespace qv::addin
