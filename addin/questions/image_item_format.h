#pragma once
// The look and marker of the floating items of picture questions: drag-and-drop items (fixed or
// moveable pictures and labels) and hot-spot pictures. The classes' FormatShape operations, the
// completeness check that turns pasted pictures into items, and the inserting operations all
// format through here. Every step that the word processor refuses is skipped.

#include <cstdint>
#include <memory>

namespace qv::word {
class Shape;
class Table;
}  // namespace qv::word

namespace qv::addin {

// A drag-and-drop item: a 1-point solid outline (blue for a moveable item; black for a fixed one,
// none for a fixed real picture), no wrapping, placed from the margin with its anchor locked,
// the marker "kzoA6" ("kzoA6&type=1" when moveable), and its place in the z-order: a fixed item
// goes just behind the question's moveable items, a moveable one to the front.
void FormatDragAndDropItem(const std::shared_ptr<word::Shape>& shape,
                           const std::shared_ptr<word::Table>& table, bool moveable);

// A hot-spot picture: no outline, aspect ratio locked, no wrapping, placed from the margin with
// its anchor locked, the marker "kzoA7", behind the question's answer areas.
void FormatHotSpotPicture(const std::shared_ptr<word::Shape>& shape,
                          const std::shared_ptr<word::Table>& table);

// Sends `shape` backward one step at a time until its z-order position is at most
// `reference` + 1. Stops early when a step does not move it (a refused step, or the back
// reached), and after as many steps as the document has shapes.
void SendBackwardTo(word::Shape& shape, int32_t reference);

}  // namespace qv::addin
