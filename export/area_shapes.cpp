#include "export/area_shapes.h"

#include <vector>

namespace qv::exporter {
namespace {

using Corners = std::vector<std::pair<double, double>>;

// Corners in fractions of the bounding box, clockwise from the top left.
Corners UnitCorners(int32_t type) {
  switch (type) {
    case 2:
      return {{0.25, 0}, {1, 0}, {0.75, 1}, {0, 1}};  // parallelogram
    case 3:
      return {{0, 1}, {0.25, 0}, {0.75, 0}, {1, 1}};  // trapezoid
    case 4:
      return {{0.5, 0}, {1, 0.5}, {0.5, 1}, {0, 0.5}};  // diamond
    case 6:                                             // octagon
      return {{0.29, 0}, {0.71, 0}, {1, 0.29}, {1, 0.71},
              {0.71, 1}, {0.29, 1}, {0, 0.71}, {0, 0.29}};
    case 7:
      return {{0.5, 0}, {1, 1}, {0, 1}};  // isosceles triangle
    case 8:
      return {{0, 0}, {1, 1}, {0, 1}};  // right triangle
    case 10:
      return {{0.25, 0}, {0.75, 0}, {1, 0.5}, {0.75, 1}, {0.25, 1}, {0, 0.5}};  // hexagon
    default:
      return {};
  }
}

}  // namespace

Area AreaOf(int32_t autoShapeType, const Box& box) {
  Area area;
  area.autoShapeType = autoShapeType;
  area.box = box;
  if (autoShapeType == 9) {
    area.shape = AreaShape::Ellipse;
    return area;
  }
  const Corners corners = UnitCorners(autoShapeType);
  if (corners.empty()) return area;
  area.shape = AreaShape::Polygon;
  for (const auto& [fx, fy] : corners)
    area.points.emplace_back(box.left + fx * box.width, box.top + fy * box.height);
  return area;
}

}  // namespace qv::exporter
