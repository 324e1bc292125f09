#pragma once
// The formats `quorvanta export` writes, by their command-line names, and writing one of them
// to a file: the QTI formats as zip packages, Moodle XML as one file.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/quiz_model.h"

namespace qv::exporter {

enum class Format { Qti30, Qti21, Qti12, Moodle };

// "qti30", "qti21", "qti12", "moodle"; none for any other name.
std::optional<Format> ParseFormat(const std::string& name);

// Writes the quiz in `format` to `out` (replaced only once complete). What the format cannot hold
// is added to `notes`, one line each. Raises std::runtime_error when the file cannot be written.
void WriteQuiz(const Quiz& quiz, Format format, const std::filesystem::path& out,
               std::vector<std::string>& notes);

}  // namespace qv::exporter
