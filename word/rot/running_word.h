#pragma once
// The word processor in the running-object table: a word processor that serves publishes its
// Application at "running.sock" in the word processor's profile folder, so that programs in other
// processes (the installer) attach to it as the host's global object lets them attach to the
// running word processor. See platform/rot for the protocol.

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include "automation/dispatch.h"
#include "platform/rot/object_server.h"
#include "platform/rot/remote_object.h"

namespace qv::word {

class Application;

std::filesystem::path RunningWordSocketPath();

// Publishes the word processor running in this process (RunningApplication at the time a client
// attaches) for as long as the object lives. Calls are answered only while the owner pumps.
class RunningWordEndpoint {
 public:
  RunningWordEndpoint();
  // False, with the reason, when another word processor already publishes in this profile.
  bool Publish(std::string& why);
  bool Published() const { return server_.Published(); }
  void Pump(platform::Millis wait) { server_.Pump(wait); }

 private:
  platform::rot::ObjectServer server_;
};

// Serves `app` until it quits (by a client's Quit or otherwise) or `stop` becomes true; then
// quits it if it still runs. Returns false, with the reason, when it could not publish.
bool ServeUntilQuit(const std::shared_ptr<Application>& app, const std::atomic<bool>& stop,
                    std::string& why);

// The running word processor: the one of this process when there is one, else a proxy of the
// one another process publishes, else null. Raises AutomationError when a publisher is there but
// does not answer properly.
automation::ObjectRef AttachRunningWordProcessor(platform::rot::ConnectOptions options = {});

}  // namespace qv::word
