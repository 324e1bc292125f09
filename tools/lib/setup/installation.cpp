#include "tools/lib/setup/installation.h"

#include <cstdlib>
#include <stdexcept>

#include "online/reg.h"
#include "online/settings_keys.h"
#include "platform/com/activation.h"
#include "platform/profile.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"
#include "word/range.h"

namespace qv::tools {
namespace {

namespace fs = std::filesystem;
using automation::Variant;
namespace reg = online::reg;

constexpr const char* kCompanyFolder = "Quorvanta Technologies, Inc.";
constexpr const char* kAddinFolder = "Word Add-in";

const char* const kPictures[] = {
    // markers and the web page break
    "1x1.gif", "radio_blk.gif", "chk_blk.gif", "textbox.gif", "LO.gif",
    // the question type previews of the Add New Question dialog
    "qti0.bmp", "qti1.bmp", "qti3.bmp", "qti4.bmp", "qti5.bmp", "qti6.bmp", "qti7.bmp", "qti9.bmp",
    // the Enhanced Web Preview wizard's banner
    "webverify_banner.gif"};

// A document of the word processor's own format with the given paragraphs.
void WriteDocument(word::Application& app, const fs::path& file,
                   const std::vector<std::string>& paragraphs) {
  auto doc = app.Documents()->Add();
  std::string text;
  for (const auto& p : paragraphs)
    text += p + "\r";
  doc->Content()->InsertBefore(text);
  doc->SaveAs(file.string());
  doc->Close();
}

std::string WithSeparator(const fs::path& p) {
  std::string s = p.string();
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

}  // namespace

fs::path DefaultBasePath() {
  return platform::ProfileDir() / "Program Files" / "";
}

InstallationPaths PathsFor(const fs::path& base) {
  InstallationPaths paths;
  paths.base = WithSeparator(base);
  paths.installDir = WithSeparator(paths.base / kCompanyFolder / kAddinFolder);
  paths.powerPointDir = WithSeparator(paths.base / kCompanyFolder / "PowerPoint Add-in");
  return paths;
}

fs::path AssetsDir() {
  if (const char* dir = std::getenv("QUORVANTA_ASSETS"); dir && *dir) return dir;
  return QV_ASSETS_DIR;
}

fs::path AddinLibrary() {
  if (const char* file = std::getenv("QUORVANTA_KZOWORD"); file && *file) return file;
  return QV_KZOWORD_LIBRARY;
}

InstallationPaths CopyInstallationFiles(const fs::path& base) {
  const InstallationPaths paths = PathsFor(base);
  fs::create_directories(paths.installDir / "Img");
  for (const char* picture : kPictures) {
    fs::copy_file(AssetsDir() / "Img" / picture, paths.installDir / "Img" / picture,
                  fs::copy_options::overwrite_existing);
  }
  fs::create_directories(paths.powerPointDir);
  fs::copy_file(AssetsDir() / "rvuppt.ppa", paths.powerPointDir / "rvuppt.ppa",
                fs::copy_options::overwrite_existing);
  {
    word::Application app;
    WriteDocument(app, paths.installDir / "Quorvanta Authoring Menus.dot",
                  {"Quorvanta authoring menus template."});
    WriteDocument(app, paths.installDir / "Quorvanta Authoring Toolbar.dot",
                  {"Quorvanta authoring toolbar template."});
    WriteDocument(app, paths.installDir / "first.doc",
                  {"Welcome to the Quorvanta authoring add-ins.",
                   "Use Tools > Quorvanta or the Quorvanta toolbar to add questions and web page "
                   "breaks to your course document, then choose Add to Course."});
  }
  std::string error;
  if (platform::CallRegistrationEntry(AddinLibrary().string(), false, error) != platform::S_OK)
    throw std::runtime_error("cannot register " + AddinLibrary().string() + ": " + error);
  return paths;
}

}  // namespace qv::tools
