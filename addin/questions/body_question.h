#pragma once
// What the question types with one body row share (drag and drop, hot spot, short answer): the
// table whose cell (4,1) is an area of fixed height for floating shapes, the finding of the
// question an item is added to, the size rule of new items, showing a new item to the author,
// and the attribute form that edits only the question's own attributes.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace qv::word {
class Application;
class Document;
class Shape;
class Table;
}  // namespace qv::word

namespace qv::addin {

// How a body question's area is built.
struct BodyArea {
  int32_t type = 0;
  int32_t background = 0;  // colour of cell (4,1)
  double height = 0;       // exact height of row 4
};

// The document's text width as the body area takes it: the page width in whole points minus the
// two margins together in whole points.
double BodyTextWidth(word::Document& doc);

// Builds a question of `area.type` at the insertion point of the active document (of a new one
// when none is open): the table, cell (4,1) as the area (no paddings, the background, the text
// width, the exact height), then `fillArea` (may be empty), then the finish. Errors are reported
// under "<class>.CreateQuestion"; the progress window never stays open.
void CreateBodyQuestion(const std::shared_ptr<word::Application>& app, const BodyArea& area,
                        const std::function<void(word::Document&, word::Table&)>& fillArea);

// The question at the document's selection; without one the author is told where to put the
// insertion point, and the result is null.
std::shared_ptr<word::Table> QuestionToAddTo(const std::shared_ptr<word::Document>& doc);

// A new item's size along one side of the area: `normal`, or half the area's side (whole
// points) when the area is smaller than 50 points that way.
double ItemSide(double areaSide, double normal);

// Selects the new item, scrolls the active window to it and activates the document. Steps that
// fail are skipped.
void ShowNewItem(word::Document& doc, const std::shared_ptr<word::Shape>& item);

// True when the question's area holds an answer shape without an item type (a picture of a
// hot-spot area, an answer box of a short answer); otherwise false with `message` the validation
// message `missing`.
bool HasUntypedAnswerShape(std::string& message, const std::shared_ptr<word::Table>& table,
                           int32_t missing);

// The attribute form of a question whose items carry no attributes: only points, partial credit
// and feedback. On OK the question marker is rewritten and the document marked changed; a
// cancelled form changes nothing. Errors (no question at the selection included) reach the caller.
void MarkQuestionAttributes(const std::shared_ptr<word::Document>& doc, int32_t type);

}  // namespace qv::addin
