#pragma once
// Running the installer program as the external setup does: `initializer -w "<base>"` and
// `initializer -p "<base>"` after the files are copied, with "-u" to remove. The program is
// started with an argument vector (posix_spawn, never a shell); the double quotes around the
// base path are characters of its argument, as the installer's command line expects them.
//
// While the installer runs, a word processor running in this process is published as the
// running word processor and served, so that the installer attaches to it.

#include <filesystem>
#include <string>
#include <vector>

#include "tools/lib/setup/installation.h"

namespace qv::tools {

// The installer program: QUORVANTA_INITIALIZER, else the one built with this program.
std::filesystem::path InitializerProgram();

// Runs the installer with `args` and waits for it (at most two minutes). Returns its exit code;
// throws std::runtime_error when it cannot be started, is killed or does not end.
int RunInitializer(const std::vector<std::string>& args);

// Copies the installation files, registers the add-in library, and runs the installer for the
// word processor and for the presentation program.
InstallationPaths Install(const std::filesystem::path& base);

// Runs the installer's uninstallation for both programs and unregisters the add-in library.
void Uninstall(const std::filesystem::path& base);

}  // namespace qv::tools
