#pragma once
// The profile directory holds all state of the embedded platform: registry hives, the word
// processor's and presentation program's profiles, installed files. It is QUORVANTA_HOME when set,
// else $XDG_DATA_HOME/quorvanta, else ~/.local/share/quorvanta. Every test uses a fresh one.

#include <filesystem>

namespace qv::platform {

// The profile directory, created when missing.
std::filesystem::path ProfileDir();
// A sub-folder of the profile, created when missing ("registry", "word", ...).
std::filesystem::path ProfileSubdir(const std::filesystem::path& name);

}  // namespace qv::platform
