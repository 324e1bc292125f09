#pragma once
// Adding a picture to the area of a drag-and-drop or hot-spot question: the picture is measured
// through a hidden floating picture (which never stays behind), the area grows to take it with
// some room to spare, and a rectangle filled with the picture is placed in the area. A picture
// the word processor cannot read adds nothing: the author is told, and the document stays as it
// was.

#include <memory>
#include <string>

namespace qv::word {
class Document;
class Shape;
class Table;
}  // namespace qv::word

namespace qv::addin {

// Adds the picture `file` (already in its short form) to cell (4,1) of `table` at left 10, top
// 10 in its own size, raising the row to the picture's height + `room` when it is lower. Null
// when nothing was added (the author has been told why).
std::shared_ptr<word::Shape> AddPictureItem(word::Document& doc, word::Table& table,
                                            const std::string& file, double room);

}  // namespace qv::addin
