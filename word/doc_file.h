#pragma once
// The native document file: a JSON record of the story (its text with the structure characters,
// formatting runs), the tables, inline shapes (pictures embedded as base64), floating shapes,
// custom properties and page setup. Keys are written in a stable order, so files diff well.
// Templates (".dot") and the help document use the same format; the extension does not matter.
//
// A file that is not valid JSON, not of this format, or whose structure does not hold together
// is refused with AutomationError 5151 naming the fault; reading never writes anything.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace qv::word {

class Document;
struct ShapeData;

inline constexpr const char* kDocumentFormat = "quorvanta-word-document";
inline constexpr int kDocumentFormatVersion = 1;
// The largest document file read or written. Reading and writing cost time and memory in
// proportion to the file (the file's text is held while it is read or written, about its size
// again for the document); a larger file is refused before it is read, and a document that would
// make one is not saved, so that every saved document opens again.
inline constexpr size_t kMaxDocumentFileBytes = size_t{128} << 20;

nlohmann::json DocumentToJson(Document& doc);
// Fills an empty document from a record; raises AutomationError 5151 when it is not a valid one.
void DocumentFromJson(Document& doc, const nlohmann::json& record);

// Written atomically, without a tree of the whole record (the same bytes as DocumentToJson's dump);
// raises AutomationError when the file cannot be written.
void WriteDocumentFile(Document& doc, const std::filesystem::path& file);
// Read part by part (the same checks and errors as DocumentFromJson on the whole tree); raises
// 5174 when the file is missing, 5151 when it is not a valid document.
void ReadDocumentFile(Document& doc, const std::filesystem::path& file);

// The record of one floating shape anchored in the paragraph starting at `anchor`, with its
// picture and fill picture already in record form (each null when it has none). The native saver
// and the docx reader both make shape records with it.
nlohmann::json ShapeRecordJson(const ShapeData& d, int64_t anchor, const nlohmann::json& image,
                               const nlohmann::json& fillPicture);

std::string Base64Encode(const std::string& bytes);
// False when `text` is not base64.
bool Base64Decode(std::string_view text, std::string& out);

}  // namespace qv::word
