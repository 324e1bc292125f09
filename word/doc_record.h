#pragma once
// Inside the native document file's reader and writer: the pieces of the record that the JSON
// tree (doc_file.cpp, for the docx package and `quorvanta show --json`) and the file text
// (doc_file_text.cpp, written and read part by part) share.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace qv::word {

class Document;

// The members of a record, reached by name. Each call behaves as the same call on the whole tree
// (`j.at(key)`, `j.at(key).size()`, `j.at(key).at(i)`), raising the same nlohmann exceptions.
class RecordParts {
 public:
  virtual ~RecordParts() = default;
  // `j.is_object() && j.value("format", "") == kDocumentFormat`.
  virtual bool IsDocument() = 0;
  virtual const nlohmann::json& At(const char* key) = 0;
  virtual size_t Count(const char* key) = 0;
  // Valid until the next Item of the same key.
  virtual const nlohmann::json& Item(const char* key, size_t index) = 0;
  // The text of that item when the parts come from a file's text (else empty), for a reader that
  // goes straight to the values.
  virtual std::string_view ItemText(const char* /*key*/, size_t /*index*/) { return {}; }
};

// Fills an empty document from the parts; raises 5151 naming `file`, the fault and its place.
void LoadRecordOrRefuse(Document& doc, RecordParts& parts, const std::filesystem::path& file);
void LoadRecordOrRefuse(Document& doc, const nlohmann::json& record,
                        const std::filesystem::path& file);
[[noreturn]] void RefuseFile(const std::filesystem::path& file, const std::string& why);

// The record's small members, as DocumentToJson has them: customProperties, fonts, format,
// pageSetup, paragraphFormats, settings, shapes, version (everything but the text, its formatting
// runs, the tables and the inline shapes).
nlohmann::json DocumentSmallParts(Document& doc);

}  // namespace qv::word
