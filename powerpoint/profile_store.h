#pragma once
// What the presentation program keeps between runs, in its profile folder: the add-in list (with
// each add-in's AutoLoad and Registered flags) and the customizations of its command bars. One JSON
// file, replaced atomically under a lock.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace qv::powerpoint {

struct SavedAddIn {
  std::string fullName;
  bool autoLoad = false;
  bool registered = false;
};

struct SavedState {
  std::vector<SavedAddIn> addIns;
  std::optional<nlohmann::json> commandBars;
};

std::filesystem::path StatePath();
// The saved state; empty when nothing was saved yet. Raises AutomationError (with the file's path
// and the fault) when the file cannot be read or is damaged, and leaves the file as it is.
SavedState ReadState();
// Replaces the saved state; raises AutomationError when it cannot be written (the old file stays).
void WriteState(const SavedState& state);

}  // namespace qv::powerpoint
