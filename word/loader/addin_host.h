#pragma once
// Starting the word processor with its add-ins, as the host does: at start-up every add-in
// registered for the word processor under the current user with load behaviour 3 is created
// through its registration and connected (connect mode 1, custom array element 1 = how the
// program was started: 1 by the user, 2 for embedding, 3 for automation), then told that start-up
// is complete; at quit each connected add-in is disconnected. The COM add-in list connects and
// disconnects add-ins later on request (connect mode 0).

#include <memory>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "office/com_addins.h"

namespace qv::word {

class Application;

// How the word processor was started.
inline constexpr int32_t kStartedByUser = 1;
inline constexpr int32_t kStartedForEmbedding = 2;
inline constexpr int32_t kStartedForAutomation = 3;

// The registrations of the word processor's add-ins, read from the registry each time.
class RegistryAddinRegistrations : public office::AddinRegistrations {
 public:
  std::vector<std::string> ProgIds() const override;
  std::optional<automation::Variant> Value(const std::string& progId,
                                           const std::string& name) const override;
  std::string ClassId(const std::string& progId) const override;
};

class AddinHost;

// Starts a word processor: makes the application, registers it as this process's running word
// processor, and loads and connects its start-up add-ins. The application's Quit disconnects them.
std::shared_ptr<Application> StartWordProcessor(int32_t startMode = kStartedByUser);

}  // namespace qv::word
