#include "word/docx/docx_file.h"

#include <algorithm>
#include <fstream>

#include "automation/automation_error.h"
#include "automation/text/ascii.h"
#include "platform/files.h"
#include "word/doc_file.h"
#include "word/document.h"
#include "word/errors.h"

namespace qv::word {

bool LooksLikeDocx(const std::string& bytes) {
  return bytes.rfind("PK\x03\x04", 0) == 0;
}

bool IsDocxFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string head(4, '\0');
  return in.read(head.data(), 4) && LooksLikeDocx(head);
}

bool HasDocxExtension(const std::filesystem::path& file) {
  std::string ext = text::AsciiLowered(file.extension().string());
  return ext == ".docx" || ext == ".docm" || ext == ".dotx";
}

void WriteDocxFile(Document& doc, const std::filesystem::path& file) {
  std::string bytes;
  try {
    bytes = RecordToDocx(DocumentToJson(doc));
  } catch (const nlohmann::json::exception& e) {
    throw automation::AutomationError(kErrFileNotSaved,
                                      std::string("The document could not be saved: ") + e.what());
  }
  if (!platform::WriteFileAtomically(file, bytes))
    throw automation::AutomationError(kErrFileNotSaved,
                                      "The document could not be saved as " + file.string() + ".");
}

void ReadDocxFile(Document& doc, const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec))
    throw automation::AutomationError(kErrFileNotFound,
                                      "This file could not be found.\r\n(" + file.string() + ")");
  auto refuse = [&](const std::string& why) {
    throw automation::AutomationError(kErrCorruptFile,
                                      "The document could not be read. It may be corrupt.\r\n(" +
                                          file.filename().string() + ": " + why + ")");
  };
  auto bytes = platform::ReadWholeFile(file);
  if (!bytes) refuse("it cannot be read");
  nlohmann::json record;
  try {
    record = DocxToRecord(*bytes);
  } catch (const docx::PackageError& e) {
    refuse(e.what());
  } catch (const nlohmann::json::exception& e) {
    refuse(e.what());
  } catch (const std::out_of_range& e) {
    refuse("a part it refers to is missing");
  }
  DocumentFromJson(doc, record);
}

}  // namespace qv::word
