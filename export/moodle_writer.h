#pragma once
// Moodle XML: one quiz file holding a category named after the document and one question per
// question of the document: multichoice (single and multiple), truefalse, cloze (multianswer)
// for the blank types, essay for short answer, ddimageortext for drag and drop and ddmarker for
// hot spot, the pictures inside the file in base64. Answer fractions are always one of Moodle's
// grade values, which its importer insists on.

#include <string>
#include <vector>

#include "export/quiz_model.h"

namespace qv::exporter {

std::string MoodleXml(const Quiz& quiz);

// Moodle's grade values (percent), and the one nearest to `percent` (ties: the smaller in size).
const std::vector<double>& MoodleGrades();
double NearestMoodleGrade(double percent);
bool IsMoodleGrade(const std::string& fraction);

}  // namespace qv::exporter
