#pragma once
// The sub-commands of `quorvanta`. Each lives in its own file and takes the arguments after its
// name; the result is the process exit code.

#include <string>
#include <vector>

namespace qv::tools {

using CommandArgs = std::vector<std::string>;

int RegCommand(const CommandArgs& args);         // inspect and seed settings
int CourseHostCommand(const CommandArgs& args);  // the local stand-in for the course host
int ShowCommand(const CommandArgs& args);        // print a document's text rendering
int RunCommand(const CommandArgs& args);         // run an automation script
int SetupCommand(const CommandArgs& args);       // install the add-ins
int UninstallCommand(const CommandArgs& args);   // remove them
int WordCommand(const CommandArgs& args);        // serve a running word processor
int ExportCommand(const CommandArgs& args);      // a document's quiz for learning systems
int PreviewCommand(const CommandArgs& args);     // the learner's web pages of a document
int ConvertCommand(const CommandArgs& args);     // native documents to docx and back
int RenderCommand(const CommandArgs& args);      // pictures of a document's pages

}  // namespace qv::tools
