#pragma once
// Pictures made for the formats that need one where the document has several shapes: the
// background of a drag-and-drop or hot-spot question (the question's area with its fixed items or
// pictures drawn where the author placed them), and a label as a picture (for formats whose
// drag-and-drop holds only pictures). Made with the GD imaging library; PNG bytes at 96 pixels
// per inch. A picture GD cannot read is drawn as its outline, so the places stay right.

#include <string>

#include "export/quiz_model.h"

namespace qv::exporter {

// Pixels of a length in points.
inline int Pixels(double points) {
  return static_cast<int>(points * 4.0 / 3.0 + 0.5);
}

std::string ComposeBackground(const Quiz& quiz, const Question& q);
std::string LabelPicture(const std::string& text, const Box& box);

}  // namespace qv::exporter
