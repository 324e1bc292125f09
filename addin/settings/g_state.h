#pragma once
// The add-in-wide state of module G: what the settings initialisation reads from the registry and
// the per-type text tables it fills. There is one instance per loaded add-in library (G()); it
// lives as long as the library is loaded and is read by every command.
// The connection adds what it learns: how the word processor was started, the user flag, whether
// an update is available, and the paths of the authoring templates.

#include <array>
#include <cstdint>
#include <string>

#include "addin/questions/question_types.h"

namespace qv::addin {

// One text per question type code (0 to 10). Any other index raises "Subscript out of range" (9).
class PerTypeTexts {
 public:
  std::string& At(int32_t code);
  const std::string& At(int32_t code) const;

 private:
  std::array<std::string, kQuestionTypeCount> texts_;
};

struct GState {
  // The one-character text of code 2 that stands for "&" inside attribute values.
  std::string ampSubstitute;
  // The hive of every setting (HKEY_CURRENT_USER).
  uint32_t hive = 0;
  // The add-in's picture folder; the file name of a picture is appended directly.
  std::string IMG_PATH;
  // The course host's name, without a leading "http://" (see InitSettings).
  std::string strHost;
  // Query text appended to portal and help addresses.
  std::string strQuery;
  // The number of answers a new choice question gets.
  int32_t numAs = 0;

  PerTypeTexts typeNames;           // shown to the author
  PerTypeTexts questionPrompts;     // initial question text (row 3)
  PerTypeTexts authorInstructions;  // help box text (row 2)
  PerTypeTexts examplePages;        // full example page addresses on the course host

  // Set at connection: the word processor was started by another program (embedding or
  // automation), not by the user; the commands then refuse to run.
  bool startedFromOLE = false;
  // The user has a course portal (setting kzoUser is not "0"); read at connection.
  bool kzoUser = false;
  // The last update check found a newer version: the update commands are shown.
  bool upgradeAvailable = false;
  // The authoring templates: INSTALL_PATH followed directly by their file names.
  std::string menusTemplatePath;
  std::string toolbarTemplatePath;
};

// The add-in library's module state.
GState& G();

}  // namespace qv::addin
