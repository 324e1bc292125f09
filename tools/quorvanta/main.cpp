// quorvanta: the user's and tester's door into the embedded platform.

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "tools/quorvanta/commands.h"

namespace {

struct Entry {
  const char* name;
  int (*run)(const qv::tools::CommandArgs&);
  const char* summary;
};

constexpr Entry kCommands[] = {
    {"reg", qv::tools::RegCommand, "query, add and delete settings (reg query|add|delete ...)"},
    {"coursehost", qv::tools::CourseHostCommand, "run the local course host on loopback"},
    {"show", qv::tools::ShowCommand, "print the text rendering of a document"},
    {"convert", qv::tools::ConvertCommand,
     "convert a document between the native format and docx (convert IN OUT.docx|OUT.doc)"},
    {"render", qv::tools::RenderCommand,
     "pictures of a document's pages by LibreOffice (render DOCUMENT -o PAGES.png|PAGES.pdf)"},
    {"run", qv::tools::RunCommand, "run an automation script (run [--embedding] SCRIPT.js)"},
    {"setup", qv::tools::SetupCommand, "install the add-ins (setup [BASE])"},
    {"uninstall", qv::tools::UninstallCommand, "remove the add-ins (uninstall [BASE])"},
    {"export", qv::tools::ExportCommand,
     "write a document's quiz as QTI 3.0, 2.1, 1.2 or Moodle XML (export --help)"},
    {"preview", qv::tools::PreviewCommand,
     "write the learner's web pages of a document, scoring included (preview --help)"},
    {"word", qv::tools::WordCommand,
     "run the word processor with its add-ins, attachable by other programs, until it quits"},
};

int Usage(std::FILE* out) {
  std::fprintf(out, "usage: quorvanta COMMAND [ARGS...]\n\ncommands:\n");
  for (const auto& c : kCommands)
    std::fprintf(out, "  %-12s %s\n", c.name, c.summary);
  return out == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage(stderr);
  const std::string name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") return Usage(stdout);
  for (const auto& c : kCommands) {
    if (name == c.name) {
      try {
        return c.run(qv::tools::CommandArgs(argv + 2, argv + argc));
      } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvanta %s: %s\n", c.name, e.what());
        return 1;
      }
    }
  }
  std::fprintf(stderr, "quorvanta: unknown command '%s'\n", name.c_str());
  return Usage(stderr);
}
