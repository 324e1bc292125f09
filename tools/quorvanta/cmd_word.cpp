#include <signal.h>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <string>

#include "browser/register_browser_classes.h"
#include "platform/shell/shell_execute.h"
#include "tools/lib/terminal/word_terminal.h"
#include "tools/quorvanta/commands.h"
#include "ui/terminal_driver.h"
#include "ui/toolkit.h"
#include "word/application.h"
#include "word/loader/addin_host.h"
#include "word/rot/running_word.h"

namespace qv::tools {
namespace {

std::atomic<bool> stopRequested{false};

void RequestStop(int) {
  stopRequested = true;
}

}  // namespace

// quorvanta word [--embedding|--automation] [--terminal]: starts the word processor with its
// add-ins and serves it as the running word processor of the profile until it quits or the
// process is asked to end (SIGTERM, SIGINT); then it quits, saving what the word processor keeps.
// With --terminal a person works in it instead, at the terminal: the add-in's commands by number,
// its forms drawn and answered there (ui/terminal_driver.h), until "quit" or the end of input.
int WordCommand(const CommandArgs& args) {
  int32_t mode = word::kStartedByUser;
  bool terminal = false;
  for (const auto& a : args) {
    if (a == "--embedding") {
      mode = word::kStartedForEmbedding;
    } else if (a == "--automation") {
      mode = word::kStartedForAutomation;
    } else if (a == "--terminal") {
      terminal = true;
    } else {
      std::fprintf(stderr, "usage: quorvanta word [--embedding|--automation] [--terminal]\n");
      return 2;
    }
  }
  // The add-in's browser commands ("Web Tutorial", "Get Update", "Add to Course") open their
  // windows in this process, as they do in a script run.
  browser::RegisterBrowserProgram(platform::ShellPrograms::Process());
  if (terminal) {
    ui::Toolkit toolkit(ui::App("Quorvanta Word", "", "quorvanta"),
                        std::make_shared<ui::TerminalDriver>(std::cin, std::cout));
    auto app = word::StartWordProcessor(mode);
    WordTerminal(app, std::cin, std::cout).Run();
    app->Quit();
    return 0;
  }
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);

  auto app = word::StartWordProcessor(mode);
  std::string why;
  if (!word::ServeUntilQuit(app, stopRequested, why)) {
    std::fprintf(stderr, "quorvanta word: %s\n", why.c_str());
    app->Quit();
    return 1;
  }
  return 0;
}

}  // namespace qv::tools
