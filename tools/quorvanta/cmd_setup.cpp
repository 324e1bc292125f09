#include <cstdio>
#include <exception>

#include "tools/lib/setup/installation.h"
#include "tools/quorvanta/commands.h"

namespace qv::tools {

// quorvanta setup [BASE]: lays the installation files into BASE (default: "Program Files/" in the
// profile), registers the add-in library and writes the add-in's settings.
int SetupCommand(const CommandArgs& args) {
  if (args.size() > 1) {
    std::fprintf(stderr, "usage: quorvanta setup [BASE]\n");
    return 2;
  }
  const auto base = args.empty() ? DefaultBasePath() : std::filesystem::path(args[0]);
  const InstallationPaths paths = CopyInstallationFiles(base);
  WriteInstallSettings(paths);
  std::printf("installed into %s\n", paths.installDir.string().c_str());
  return 0;
}

// quorvanta uninstall: removes the add-in's settings and registration.
int UninstallCommand(const CommandArgs& args) {
  if (!args.empty()) {
    std::fprintf(stderr, "usage: quorvanta uninstall\n");
    return 2;
  }
  RemoveInstallSettings();
  std::printf("uninstalled\n");
  return 0;
}

}  // namespace qv::tools
