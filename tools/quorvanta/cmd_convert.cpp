// quorvanta convert IN OUT: a document from the native format to docx and back, the format of
// OUT chosen by its extension (".docx" docx, anything else native); IN is read in either format.
// quorvanta render DOCUMENT -o PAGES.png|PAGES.pdf: pictures of the pages, laid out by LibreOffice.

#include <cstdio>
#include <filesystem>
#include <string>

#include "automation/automation_error.h"
#include "tools/lib/render/page_pictures.h"
#include "tools/quorvanta/commands.h"
#include "word/document.h"
#include "word/docx/docx_file.h"

namespace qv::tools {

namespace fs = std::filesystem;

int ConvertCommand(const CommandArgs& args) {
  if (args.size() != 2 || args[0].rfind("--", 0) == 0 || args[1].rfind("--", 0) == 0) {
    std::fprintf(stderr, "usage: quorvanta convert IN OUT   (OUT.docx: docx; otherwise native)\n");
    return 2;
  }
  const fs::path in = args[0], out = args[1];
  std::error_code ec;
  if (fs::exists(out, ec) && fs::equivalent(in, out, ec)) {
    std::fprintf(stderr, "quorvanta convert: OUT is IN itself; choose another file\n");
    return 2;
  }
  try {
    auto doc = word::Document::Create(nullptr, in.filename().string());
    doc->LoadFrom(in);
    const bool docx = word::HasDocxExtension(out);
    doc->SaveAs(out.string(), docx ? word::wdFormatXMLDocument : word::wdFormatDocument);
    std::printf("%s -> %s (%s)\n", in.string().c_str(), out.string().c_str(),
                docx ? "docx" : "native");
    return 0;
  } catch (const automation::AutomationError& e) {
    std::fprintf(stderr, "quorvanta convert: %s (%d)\n", e.Description().c_str(), e.Number());
    return 1;
  }
}

int RenderCommand(const CommandArgs& args) {
  std::string file, output;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) {
      output = args[++i];
    } else if (file.empty() && args[i].rfind("-", 0) != 0) {
      file = args[i];
    } else {
      file.clear();
      break;
    }
  }
  if (file.empty() || output.empty()) {
    std::fprintf(stderr, "usage: quorvanta render DOCUMENT -o PAGES.png|PAGES.pdf\n");
    return 2;
  }
  try {
    auto doc = word::Document::Create(nullptr, fs::path(file).filename().string());
    doc->LoadFrom(file);
    for (const auto& written : RenderPages(*doc, output))
      std::printf("%s\n", written.string().c_str());
    return 0;
  } catch (const automation::AutomationError& e) {
    std::fprintf(stderr, "quorvanta render: %s (%d)\n", e.Description().c_str(), e.Number());
  } catch (const RenderError& e) {
    std::fprintf(stderr, "quorvanta render: %s\n", e.what());
  }
  return 1;
}

}  // namespace qv::tools
