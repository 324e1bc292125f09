#include <cstdio>
#include <exception>

#include "tools/lib/setup/installation.h"
#include "tools/lib/setup/run_installer.h"
#include "tools/quorvanta/commands.h"

namespace qv::tools {

// quorvanta setup [BASE]: lays the installation files into BASE (default: "Program Files/" in the
// profile), registers the add-in library and runs the installer for both add-ins.
int SetupCommand(const CommandArgs& args) {
  if (args.size() > 1) {
    std::fprintf(stderr, "usage: quorvanta setup [BASE]\n");
    return 2;
  }
  const auto base = args.empty() ? DefaultBasePath() : std::filesystem::path(args[0]);
  const InstallationPaths paths = Install(base);
  std::printf("installed into %s\n", paths.installDir.string().c_str());
  return 0;
}

// quorvanta uninstall [BASE]: runs the installer's uninstallation for both add-ins and
// unregisters the add-in library.
int UninstallCommand(const CommandArgs& args) {
  if (args.size() > 1) {
    std::fprintf(stderr, "usage: quorvanta uninstall [BASE]\n");
    return 2;
  }
  Uninstall(args.empty() ? DefaultBasePath() : std::filesystem::path(args[0]));
  std::printf("uninstalled\n");
  return 0;
}

}  // namespace qv::tools
