#include "addin/questions/ImageTag.h"

#include <cmath>

#include "addin/dialogs/dlgMoveFixed.h"
#include "addin/questions/body_question.h"
#include "addin/questions/check_image_items.h"
#include "addin/questions/g_delete.h"
#include "addin/questions/g_find.h"
#include "addin/questions/g_text.h"
#include "addin/questions/image_item_format.h"
#include "addin/questions/picture_item.h"
#include "addin/questions/question_class.h"
#include "addin/questions/question_types.h"
#include "addin/questions/report_error.h"
#include "automation/error_trap.h"
#include "word/application.h"
#include "word/document.h"
#include "word/formatting.h"
#include "word/range.h"
#include "word/shape.h"
#include "word/shape_formats.h"
#include "word/table.h"

namespace qv::addin {
namespace {

using automation::Args;
using automation::Variant;

constexpr double kAreaHeight = 100;
// Room left below a picture when the area grows to take it.
constexpr double kPictureRoom = 10;

void CloseChooser(const std::shared_ptr<dlgMoveFixed>& chooser) {
  if (!chooser) return;
  automation::ErrorsIgnored ignore;
  ignore([&] { chooser->DONE(); });
}

}  // namespace

void ImageTag::CreateQuestion(const std::shared_ptr<word::Application>& app) {
  CreateBodyQuestion(app, {kDragAndDrop, word::wdColorAutomatic, kAreaHeight}, nullptr);
}

void ImageTag::DeleteQuestion(const std::shared_ptr<word::Document>& doc) {
  addin::DeleteQuestion(GetCurrentQuestion(doc));
}

void ImageTag::DeleteAnswer(const std::shared_ptr<word::Document>& doc) {
  addin::DeleteAnswer(GetCurrentQuestion(doc));
}

bool ImageTag::Validate(std::string& message, const std::shared_ptr<word::Table>& table) {
  return ValidateSafely(message, [&] { return CheckImageItems(message, table, kDragAndDrop); });
}

void ImageTag::InsertPic(const std::shared_ptr<word::Document>& doc) {
  std::shared_ptr<dlgMoveFixed> chooser;
  automation::Trap(
      [&] {
        auto table = QuestionToAddTo(doc);
        if (!table) return;
        chooser = dlgMoveFixed::Create();
        const int32_t choice = chooser->Display(kItemImage);
        if (choice == kChoiceNone) {
          CloseChooser(chooser);
          return;
        }
        const bool moveable = choice == kChoiceMoveable;
        std::string file = chooser->GetImageFile();
        chooser->DONE();
        if (file.empty()) return;
        file = ShortPathName(file);
        if (file.empty()) return;
        auto item = AddPictureItem(*doc, *table, file, kPictureRoom);
        if (!item) return;
        FormatShape(item, table, moveable);
        ShowNewItem(*doc, item);
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, "ImageTag.InsertPic", e.number, true);
        CloseChooser(chooser);
      });
}

void ImageTag::InsertTag(const std::shared_ptr<word::Document>& doc) {
  automation::Trap(
      [&] {
        auto table = QuestionToAddTo(doc);
        if (!table) return;
        int32_t choice = kChoiceNone;
        {
          auto chooser = dlgMoveFixed::Create();
          choice = chooser->Display(kItemLabel);
          CloseChooser(chooser);
        }
        if (choice == kChoiceNone) return;
        const bool moveable = choice == kChoiceMoveable;
        auto area = table->Cell(4, 1);
        const double areaWidth = std::nearbyint(area->Width());
        const double areaHeight = std::nearbyint(area->Height());
        const double width = ItemSide(areaWidth, 100);
        const double height = ItemSide(areaHeight, 30);
        auto label =
            doc->Shapes()->AddShape(word::msoShapeRectangle, 0, 0, width, height, area->Range());
        auto& d = label->Mutable();
        d.fill.visible = true;
        d.fill.solid = true;
        d.fill.foreColor = word::wdColorWhite;
        d.fill.transparency = 0;
        d.lockAspectRatio = false;
        d.height = height;
        d.width = width;
        d.textFrame.marginBottom = d.textFrame.marginTop = 0.5;
        d.textFrame.marginLeft = d.textFrame.marginRight = 0.5;
        word::ShapeTextRange text(label);
        text.InsertAfter(" ");
        text.Font()->SetName("Arial");
        text.ParagraphFormat()->SetAlignment(word::wdAlignParagraphCenter);
        FormatShape(label, table, moveable);
        label->Mutable().top = 10;
        label->Mutable().left = (areaWidth - width) / 2;
        ShowNewItem(*doc, label);
      },
      [&](const automation::ErrInfo& e) {
        ReportError(e.description, "ImageTag.InsertTag", e.number, true);
      });
}

void ImageTag::FormatShape(const std::shared_ptr<word::Shape>& shape,
                           const std::shared_ptr<word::Table>& table, bool moveable) {
  FormatDragAndDropItem(shape, table, moveable);
}

void ImageTag::MarkQuestion(const std::shared_ptr<word::Document>& doc) {
  MarkQuestionAttributes(doc, kDragAndDrop);
}

const automation::DispatchTable& ImageTag::Members() const {
  static const automation::DispatchTable table =
      QuestionTable<ImageTag>("ImageTag", [](automation::ClassTable<ImageTag>& t) {
        t.Sub("InsertPic",
              [](ImageTag& q, Args& a) { q.InsertPic(ObjectArg<word::Document>(a, 0)); })
            .Sub("InsertTag",
                 [](ImageTag& q, Args& a) { q.InsertTag(ObjectArg<word::Document>(a, 0)); })
            .Sub("FormatShape", [](ImageTag& q, Args& a) {
              q.FormatShape(ObjectArg<word::Shape>(a, 0), ObjectArg<word::Table>(a, 1),
                            a[2].ToBool());
            });
      });
  return table;
}

}  // namespace qv::addin
