#pragma once
// Runs one automation script against the embedded platform: the class factory knows every class
// the platform and the registered add-ins offer, and the script gets the helpers of a test driver
// (print, assertions, reading the transcript, the settings, the local course host).

#include <functional>
#include <string>
#include <vector>

#include "automation/class_factory.h"
#include "automation/script/script_host.h"

namespace qv::tools {

struct ScriptOptions {
  std::string path;               // the script file
  std::vector<std::string> args;  // after the file name; reach the script as `args`
  int startMode = 1;              // how the word processor counts as started: 1 user, 2, 3
};

class ScriptRunner {
 public:
  explicit ScriptRunner(ScriptOptions options);

  // Adds a way for scripts to reach more of the platform (each layer contributes one).
  using Extension = std::function<void(automation::ScriptHost&, automation::ClassFactory&)>;
  void AddExtension(Extension extension) { extensions_.push_back(std::move(extension)); }

  // Runs the script; prints an uncaught error with its place to stderr and returns 1, else 0.
  int Run();

 private:
  ScriptOptions options_;
  std::vector<Extension> extensions_;
};

}  // namespace qv::tools
