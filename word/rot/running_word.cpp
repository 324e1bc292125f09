#include "word/rot/running_word.h"

#include "platform/profile.h"
#include "platform/rot/remote_object.h"
#include "word/application.h"
#include "word/running_application.h"

namespace qv::word {
namespace {

// Hears the word processor quit, so that serving ends with it.
class QuitWatch : public ApplicationListener {
 public:
  void Quit() override { quit = true; }
  bool quit = false;
};

}  // namespace

std::filesystem::path RunningWordSocketPath() {
  return platform::ProfileSubdir("word") / "running.sock";
}

RunningWordEndpoint::RunningWordEndpoint()
    : server_([]() -> automation::ObjectRef { return RunningApplication(); }) {}

bool RunningWordEndpoint::Publish(std::string& why) {
  return server_.Publish(RunningWordSocketPath(), platform::ProfileSubdir("word") / "running.lock",
                         why);
}

bool ServeUntilQuit(const std::shared_ptr<Application>& app, const std::atomic<bool>& stop,
                    std::string& why) {
  RunningWordEndpoint endpoint;
  if (!endpoint.Publish(why)) return false;
  QuitWatch watch;
  app->AddListener(&watch);
  while (!watch.quit && !stop)
    endpoint.Pump(platform::Millis(100));
  app->RemoveListener(&watch);
  if (!watch.quit) app->Quit();
  return true;
}

automation::ObjectRef AttachRunningWordProcessor(platform::rot::ConnectOptions options) {
  if (auto app = RunningApplication()) return app;
  return platform::rot::ConnectRemote(RunningWordSocketPath(), options);
}

}  // namespace qv::word
