#pragma once
// The stand-in for the external setup program: it lays the installation files into a base folder
// and registers the add-in library, as the product's setup does before it runs the installer
// (run_installer.h).

#include <filesystem>
#include <string>

namespace qv::tools {

struct InstallationPaths {
  std::filesystem::path base;        // ends with the folder separator
  std::filesystem::path installDir;  // base + "Quorvanta Technologies, Inc./Word Add-in/"
  // base + "Quorvanta Technologies, Inc./PowerPoint Add-in/": the presentation add-in file
  std::filesystem::path powerPointDir;
};

// The default base folder: "Program Files/" in the profile.
std::filesystem::path DefaultBasePath();
InstallationPaths PathsFor(const std::filesystem::path& base);

// Where the shipped pictures are (QUORVANTA_ASSETS, else the source tree's assets folder).
std::filesystem::path AssetsDir();
// The add-in library file (QUORVANTA_KZOWORD, else the one built beside this program).
std::filesystem::path AddinLibrary();

// Copies the templates, the help document and the pictures into the installation folder and the
// presentation add-in file into its own folder, and registers the add-in library. Throws with a
// clear message when a file cannot be made or the library refuses to register.
InstallationPaths CopyInstallationFiles(const std::filesystem::path& base);

}  // namespace qv::tools
