#include "addin/questions/picture_item.h"

#include <cmath>
#include <optional>

#include "addin/addin_app.h"
#include "automation/error_trap.h"
#include "ui/msgbox.h"
#include "word/document.h"
#include "word/range.h"
#include "word/shape.h"
#include "word/shape_formats.h"
#include "word/table.h"

namespace qv::addin {
namespace {

struct PictureSize {
  double width = 0;
  double height = 0;
};

void TellUnreadable(const std::string& reason) {
  ui::MsgBox(AddinApp(),
             "The picture could not be added to the question.\r\n\r\n" + reason +
                 "\r\n\r\nPictures in the GIF, PNG, JPEG and BMP formats can be added.",
             ui::vbCritical, "Error");
}

// The size the word processor gives the picture when it places it itself. The measuring
// picture is hidden while it exists and removed whatever happens.
PictureSize Measure(word::Document& doc, const std::string& file) {
  auto probe = doc.Shapes()->AddPicture(file);
  struct Remove {
    std::shared_ptr<word::Shape> shape;
    ~Remove() {
      automation::ErrorsIgnored ignore;
      ignore([&] {
        if (!shape->Deleted()) shape->Delete();
      });
    }
  } remove{probe};
  probe->Mutable().visible = false;
  return {probe->Data().width, probe->Data().height};
}

}  // namespace

std::shared_ptr<word::Shape> AddPictureItem(word::Document& doc, word::Table& table,
                                            const std::string& file, double room) {
  PictureSize size;
  try {
    size = Measure(doc, file);
  } catch (const automation::AutomationError& e) {
    TellUnreadable(e.Description());
    return nullptr;
  }
  automation::ErrorsIgnored ignore;
  std::optional<double> oldHeight;
  ignore([&] {
    if (table.Rows()->Count() < 4) return;
    auto cell = table.Cell(4, 1);
    if (size.height + room > std::nearbyint(cell->Height())) {
      const double before = cell->Height();
      cell->SetHeight(size.height + room);
      oldHeight = before;
    }
  });
  std::shared_ptr<word::Shape> item;
  try {
    item = doc.Shapes()->AddShape(word::msoShapeRectangle, 10, 10, size.width, size.height,
                                  table.Cell(4, 1)->Range());
    word::FillFormat(item).UserPicture(file);
  } catch (const automation::AutomationError& e) {
    // The file went away or changed since it was measured: leave the question as it was.
    if (item) ignore([&] { item->Delete(); });
    if (oldHeight) ignore([&] { table.Cell(4, 1)->SetHeight(*oldHeight); });
    TellUnreadable(e.Description());
    return nullptr;
  }
  ignore([&] { item->Mutable().fill.visible = true; });
  ignore([&] { item->Mutable().visible = true; });
  ignore([&] { item->Mutable().lockAspectRatio = true; });
  return item;
}

}  // namespace qv::addin
