#include "word/running_application.h"

#include <algorithm>
#include <vector>

namespace qv::word {
namespace {

// The host keeps one table of running programs per machine; within a process this list stands in
// for the part of it that names the word processor.
std::vector<std::weak_ptr<Application>>& Running() {
  static std::vector<std::weak_ptr<Application>> running;
  return running;
}

}  // namespace

std::shared_ptr<Application> RunningApplication() {
  auto& running = Running();
  while (!running.empty()) {
    if (auto app = running.back().lock()) return app;
    running.pop_back();
  }
  return nullptr;
}

void RegisterRunningApplication(const std::shared_ptr<Application>& app) {
  UnregisterRunningApplication(app.get());
  Running().push_back(app);
}

void UnregisterRunningApplication(const Application* app) {
  auto& running = Running();
  running.erase(std::remove_if(running.begin(), running.end(),
                               [app](const std::weak_ptr<Application>& w) {
                                 auto locked = w.lock();
                                 return !locked || locked.get() == app;
                               }),
                running.end());
}

}  // namespace qv::word
