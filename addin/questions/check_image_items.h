#pragma once
// The completeness check the picture questions share (drag and drop, hot spot): items in the
// area, pictures pasted into the area as inline pictures turned into items, and at least one
// item that is an answer (a moveable item, a hot-spot area).

#include <cstdint>
#include <memory>
#include <string>

namespace qv::word {
class Table;
}

namespace qv::addin {

// True when a floating answer shape with a `type` is anchored in row 4 of the question table.
// Every inline picture of row 4 first becomes a floating item of `type` (6 drag and drop, a
// fixed item; 7 hot spot, a picture), formatted as the type formats its items. Otherwise false
// with `message` saying what is missing; any error gives false with its number in `message`.
bool CheckImageItems(std::string& message, const std::shared_ptr<word::Table>& table, int32_t type);

}  // namespace qv::addin
