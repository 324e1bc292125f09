// quorvanta show FILE [--json]: prints a document's text rendering, or its normalised native form.

#include <cstdio>
#include <string>

#include "automation/automation_error.h"
#include "tools/quorvanta/commands.h"
#include "word/doc_file.h"
#include "word/document.h"
#include "word/render.h"

namespace qv::tools {

int ShowCommand(const CommandArgs& args) {
  std::string file;
  bool json = false;
  for (const auto& a : args) {
    if (a == "--json") {
      json = true;
    } else if (file.empty() && a.rfind("--", 0) != 0) {
      file = a;
    } else {
      std::fprintf(stderr, "usage: quorvanta show FILE [--json]\n");
      return 2;
    }
  }
  if (file.empty()) {
    std::fprintf(stderr, "usage: quorvanta show FILE [--json]\n");
    return 2;
  }
  try {
    auto doc = word::Document::Create(nullptr, file);
    doc->LoadFrom(file);
    const std::string out =
        json ? word::DocumentToJson(*doc).dump(1) + "\n" : word::RenderDocument(*doc);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
  } catch (const automation::AutomationError& e) {
    std::fprintf(stderr, "quorvanta show: %s (%d)\n", e.Description().c_str(), e.Number());
    return 1;
  }
}

}  // namespace qv::tools
