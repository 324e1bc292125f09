#pragma once
// The static script and style sheet of the learner preview. The script reads each question's
// data from its section (data-question), lets the learner drag items with any pointer (mouse,
// touch, pen) and click hot spots, and on "Check" scores every question of the page by the rules
// of export/scoring.h, shows the score and the feedback, and leaves the results in
// window.previewResults for automated checks.

namespace qv::exporter {

extern const char* const kPreviewScript;
extern const char* const kPreviewStyle;

}  // namespace qv::exporter
