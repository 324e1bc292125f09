#include "tools/lib/script/script_runner.h"

#include <cstdio>
#include <cstdlib>

#include "platform/files.h"
#include "tools/lib/script/platform_objects.h"
#include "ui/app.h"
#include "ui/scripted_driver.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/running_application.h"

namespace qv::tools {

using automation::AutomationError;
using automation::Variant;

namespace {

// "file:line" of the innermost frame of the script itself, from the engine's stack text.
std::string PlaceInScript(const std::string& stack, const std::string& path) {
  const std::string needle = "(" + path + ":";
  const auto at = stack.find(needle);
  if (at == std::string::npos) return path;
  const auto start = at + needle.size();
  const auto end = stack.find(')', start);
  return path + ":" + stack.substr(start, end - start);
}

// A word processor that the script started and left running ends with the run, as one started by
// automation ends when its last client lets go: its documents are not saved. Quitting lets the
// add-ins disconnect, which also releases what they hold of the word processor.
void QuitWordProcessorsLeftRunning() {
  for (int left = 8; left > 0; --left) {
    const auto app = word::RunningApplication();
    if (!app) return;
    try {
      app->Quit(word::wdDoNotSaveChanges);
    } catch (const AutomationError& e) {
      std::fprintf(stderr, "quorvanta run: the word processor did not quit: %s\n",
                   e.Description().c_str());
      return;
    }
    if (word::RunningApplication() == app) return;
  }
}

}  // namespace

ScriptRunner::ScriptRunner(ScriptOptions options) : options_(std::move(options)) {}

int ScriptRunner::Run() {
  // "-" is standard input; any other name may be a file, a pipe or a device.
  const auto source =
      platform::ReadWholeFile(options_.path == "-" ? "/dev/stdin" : options_.path, 16u << 20);
  if (!source) {
    std::fprintf(stderr, "quorvanta run: cannot read script '%s'\n", options_.path.c_str());
    return 2;
  }
  // The program's toolkit, played by the scripted driver; the script answers what it shows.
  ui::Toolkit toolkit(ui::App("Quorvanta Word", "", "quorvanta"),
                      std::make_shared<ui::ScriptedDriver>());
  automation::ClassFactory factory;
  automation::ScriptHost host;
  host.UseFactory(&factory);
  const auto driver = InstallPlatformObjects(host, factory, options_.startMode);

  std::vector<Variant> args;
  for (const auto& a : options_.args)
    args.emplace_back(a);
  host.DefineGlobal("args", Variant::Array(0, std::move(args)));
  host.DefineFunction("assert", [](std::vector<Variant>& a) -> Variant {
    if (a.empty() || !a[0].ToBool())
      throw AutomationError(
          5, a.size() > 1 ? "assertion failed: " + a[1].ToText() : "assertion failed");
    return Variant();
  });
  host.DefineFunction("assertEqual", [](std::vector<Variant>& a) -> Variant {
    if (a.size() < 2) automation::Raise(automation::err::kWrongArgCount);
    const std::string actual = a[0].IsObject() ? a[0].TypeName() : a[0].ToText();
    const std::string expected = a[1].IsObject() ? a[1].TypeName() : a[1].ToText();
    if (actual != expected) {
      std::string what = "expected \"" + expected + "\" but got \"" + actual + "\"";
      if (a.size() > 2) what = a[2].ToText() + ": " + what;
      throw AutomationError(5, what);
    }
    return Variant();
  });
  for (auto& extension : extensions_)
    extension(host, factory);

  automation::ScriptFailure failure;
  const bool ran = host.Run(*source, options_.path, failure);
  QuitWordProcessorsLeftRunning();
  if (!ran) {
    std::fprintf(stderr, "%s: %s", PlaceInScript(failure.stack, options_.path).c_str(),
                 failure.message.c_str());
    if (failure.number) std::fprintf(stderr, " (error %d)", failure.number);
    std::fprintf(stderr, "\n");
    if (std::getenv("QUORVANTA_DEBUG")) std::fprintf(stderr, "%s\n", failure.stack.c_str());
    return 1;
  }
  // A handler's failure fails the run even when the product trapped it (a dialog reports the
  // errors of its page and closes), so that no check inside a handler passes unseen.
  for (const auto& what : driver->HandlerFailures())
    std::fprintf(stderr, "%s: a handler of the script failed: %s\n", options_.path.c_str(),
                 what.c_str());
  return driver->HandlerFailures().empty() ? 0 : 1;
}

}  // namespace qv::tools
