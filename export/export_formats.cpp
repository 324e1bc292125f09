#include "export/export_formats.h"

#include "export/moodle_writer.h"
#include "export/package.h"
#include "export/qti12_writer.h"
#include "export/qti_writer.h"

namespace qv::exporter {

std::optional<Format> ParseFormat(const std::string& name) {
  if (name == "qti30") return Format::Qti30;
  if (name == "qti21") return Format::Qti21;
  if (name == "qti12") return Format::Qti12;
  if (name == "moodle") return Format::Moodle;
  return std::nullopt;
}

void WriteQuiz(const Quiz& quiz, Format format, const std::filesystem::path& out,
               std::vector<std::string>& notes) {
  switch (format) {
    case Format::Qti30:
      WriteZip(out, QtiPackage(quiz, QtiVersion::V30));
      break;
    case Format::Qti21:
      WriteZip(out, QtiPackage(quiz, QtiVersion::V21));
      break;
    case Format::Qti12: {
      std::vector<std::string> omitted;
      WriteZip(out, Qti12Package(quiz, &omitted));
      for (const auto& o : omitted)
        notes.push_back("left out (QTI 1.2 has no such question): " + o);
      break;
    }
    case Format::Moodle:
      WriteFileWhole(out, MoodleXml(quiz));
      break;
  }
}

}  // namespace qv::exporter
