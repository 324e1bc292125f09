#pragma once
// Pictures pasted into the drop area of a drag-and-drop question or the picture area of a hot-spot
// question arrive as inline pictures; they become floating items of the question: for drag and
// drop the author is asked, picture by picture, whether each is a fixed or a moveable item.

namespace qv::word {
class Document;
class Range;
}  // namespace qv::word

namespace qv::addin {

// Turns the inline pictures of row 4 of the question at `range` into items of that question when
// it is a drag-and-drop or hot-spot question; anything else is left alone. Always true.
bool ProcessPaste(word::Range& range, word::Document& doc);

}  // namespace qv::addin
