#pragma once
// The word processor running in this process, as the host's global object gives it to code that
// runs inside it (an add-in reaches the application this way without being handed it). The
// running instance registers itself when it starts and is forgotten when it ends.

#include <memory>

namespace qv::word {

class Application;

// The running word processor of this process, or null when none runs.
std::shared_ptr<Application> RunningApplication();
// Called when an application starts serving as the process's word processor; the previous one
// is remembered and comes back when this one ends.
void RegisterRunningApplication(const std::shared_ptr<Application>& app);
void UnregisterRunningApplication(const Application* app);

}  // namespace qv::word
