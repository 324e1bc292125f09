#include "tools/quorvanta/document_input.h"

#include <cstdio>

#include "addin/settings/init_settings.h"
#include "automation/automation_error.h"
#include "word/application.h"
#include "word/document.h"
#include "word/documents.h"

namespace qv::tools {

OpenedDocument OpenDocumentForReading(const std::string& file, const std::string& command) {
  OpenedDocument opened;
  try {
    opened.app = std::make_shared<word::Application>();
    addin::InitSettings();
    opened.doc = opened.app->Documents()->Open(file);
  } catch (const automation::AutomationError& e) {
    std::fprintf(stderr, "quorvanta %s: %s (%d)\n", command.c_str(), e.Description().c_str(),
                 e.Number());
    opened.doc = nullptr;
  }
  return opened;
}

}  // namespace qv::tools
