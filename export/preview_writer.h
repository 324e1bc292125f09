#pragma once
// The learner preview: the web pages a learner would see, cut where the course host cuts (one
// page per web page of the document: pages of text and pages of questions), with the document's
// pictures, drag and drop by mouse and touch, hot spots by click, and a "Check" button that
// scores each question by the rules of export/scoring.h (the same rules as the QTI response
// processing) and shows its feedback. Static files only: it works offline, opened from disk.

#include <vector>

#include "export/package.h"
#include "export/quiz_model.h"

namespace qv::exporter {

// index.html, page1.html ..., preview.js, preview.css and images/.
std::vector<PackageFile> PreviewFiles(const Quiz& quiz);

// Writes the files into `dir`: a new or empty folder, or one holding a preview written before
// (whose pages and pictures are replaced). A folder holding other files is refused with
// std::runtime_error, so no file of the author's is overwritten.
void WritePreview(const Quiz& quiz, const std::filesystem::path& dir);

}  // namespace qv::exporter
