// quorvanta export DOCUMENT --format qti30|qti21|qti12|moodle -o OUT: the document's quiz in a
// format learning systems import. A document whose questions are incomplete is refused with the
// message the add-in's validation shows, and nothing is written.

#include <cstdio>
#include <filesystem>
#include <string>

#include "addin/document/validate_doc.h"
#include "automation/automation_error.h"
#include "export/export_formats.h"
#include "export/quiz_reader.h"
#include "tools/quorvanta/commands.h"
#include "tools/quorvanta/document_input.h"

namespace qv::tools {
namespace {

constexpr const char* kUsage =
    "usage: quorvanta export DOCUMENT --format qti30|qti21|qti12|moodle -o OUT\n"
    "\n"
    "Writes the quiz of a course document for a learning system:\n"
    "  qti30   QTI 3.0 content package (zip)\n"
    "  qti21   QTI 2.1 content package (zip)\n"
    "  qti12   QTI 1.2 package as learning systems such as Canvas import it (zip);\n"
    "          drag-and-drop and hot-spot questions are left out and named\n"
    "  moodle  Moodle XML (one file)\n"
    "\n"
    "exit codes: 0 written, 1 the document or OUT could not be read or written,\n"
    "            2 wrong arguments (OUT the document itself among them),\n"
    "            3 the document has an incomplete question, or none\n";

}  // namespace

int ExportCommand(const CommandArgs& args) {
  std::string file, format, out;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if ((a == "--format" || a == "-o") && i + 1 < args.size()) {
      (a == "-o" ? out : format) = args[++i];
    } else if (file.empty() && a.rfind("-", 0) != 0) {
      file = a;
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  const auto chosen = exporter::ParseFormat(format);
  if (file.empty() || out.empty() || !chosen) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const auto opened = OpenDocumentForReading(file, "export");
  const auto& doc = opened.doc;
  if (!doc) return 1;
  if (auto failure = addin::FirstValidationFailure(doc)) {
    std::fprintf(stderr, "quorvanta export: %s cannot be exported:\n\n%s\n", file.c_str(),
                 failure->c_str());
    return 3;
  }
  std::error_code same;
  if (std::filesystem::equivalent(file, out, same)) {
    std::fprintf(stderr, "quorvanta export: OUT is the document itself: choose another file\n");
    return 2;
  }
  const exporter::Quiz quiz = exporter::ReadQuiz(doc);
  if (quiz.Questions().empty()) {
    std::fprintf(stderr, "quorvanta export: %s holds no questions: nothing to export\n",
                 file.c_str());
    return 3;
  }
  std::vector<std::string> notes;
  exporter::WriteQuiz(quiz, *chosen, out, notes);
  for (const auto& n : notes)
    std::fprintf(stderr, "quorvanta export: %s\n", n.c_str());
  return 0;
}

}  // namespace qv::tools
