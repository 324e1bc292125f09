#pragma once
// The pictures of a quiz, each stored once: the same bytes used by two questions (or twice in
// one) are one file of the package.

#include <string>

#include "export/quiz_model.h"

namespace qv::word {
struct ImageData;
}

namespace qv::exporter {

// The index of the picture in `quiz.pictures`, added under the next free name when it is new;
// -1 for an empty picture.
int32_t StorePicture(Quiz& quiz, const word::ImageData& image);

}  // namespace qv::exporter
