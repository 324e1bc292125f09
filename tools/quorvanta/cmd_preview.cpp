// quorvanta preview DOCUMENT -o DIR: the web pages a learner would see, cut where the course host
// cuts, with working questions that score themselves; static files that open from disk.

#include <cstdio>
#include <string>

#include "addin/document/validate_doc.h"
#include "export/preview_writer.h"
#include "export/quiz_reader.h"
#include "tools/quorvanta/commands.h"
#include "tools/quorvanta/document_input.h"

namespace qv::tools {
namespace {

constexpr const char* kUsage =
    "usage: quorvanta preview DOCUMENT -o DIR\n"
    "\n"
    "Writes the learner's view of a course document into DIR (created when missing):\n"
    "index.html and one page per web page of the document, with its pictures. Quiz pages\n"
    "score the learner's answers on \"Check\" and show the feedback. Open DIR/index.html in a\n"
    "browser; no server is needed. An incomplete question is named on standard error and\n"
    "previewed as it is.\n"
    "\n"
    "exit codes: 0 written, 1 the document or DIR could not be read or written,\n"
    "            2 wrong arguments\n";

}  // namespace

int PreviewCommand(const CommandArgs& args) {
  std::string file, out;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (a == "-o" && i + 1 < args.size()) {
      out = args[++i];
    } else if (file.empty() && a.rfind("-", 0) != 0) {
      file = a;
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (file.empty() || out.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const auto opened = OpenDocumentForReading(file, "preview");
  const auto& doc = opened.doc;
  if (!doc) return 1;
  if (auto failure = addin::FirstValidationFailure(doc))
    std::fprintf(stderr, "quorvanta preview: warning: %s\n", failure->c_str());
  exporter::WritePreview(exporter::ReadQuiz(doc), out);
  return 0;
}

}  // namespace qv::tools
