#pragma once
// The outline of a hot-spot area from its auto-shape type: rectangles and ovals as such, the
// straight-edged auto-shapes as polygons through their corners; any other outline is taken as
// its bounding rectangle.

#include <cstdint>

#include "export/quiz_model.h"

namespace qv::exporter {

Area AreaOf(int32_t autoShapeType, const Box& box);

}  // namespace qv::exporter
