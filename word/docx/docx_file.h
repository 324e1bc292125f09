#pragma once
// Documents as Office Open XML (docx) packages, the interchange format of word processors.
//
// The writer turns the document's native record (DocumentToJson) into a package; the reader
// builds a native record from a package and hands it to DocumentFromJson, so a docx is checked
// by exactly the rules a native file is. What docx holds: paragraphs with their font and paragraph
// formatting, manual page and line breaks, tables nested to any depth (widths, paddings, borders,
// shading, merged cells as spans, row heights), inline pictures with their alternative texts,
// floating shapes (wp:anchor: shape type, position and what it is relative to, size, z-order,
// wrap, fill, transparency, outline, text frame, alternative text), custom document properties
// with their types, and the page setup.
//
// A package that is damaged, hostile or not a word-processing document is refused with 5151 and
// the reason; nothing is written and the document is left as it was.

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "word/docx/zip_package.h"

namespace qv::word {

class Document;

// Document.SaveAs FileFormat values of the host.
inline constexpr int32_t wdFormatDocument = 0;
inline constexpr int32_t wdFormatXMLDocument = 12;
inline constexpr int32_t wdFormatDocumentDefault = 16;

// Whether the bytes begin like a zip archive (a docx package).
bool LooksLikeDocx(const std::string& bytes);
bool IsDocxFile(const std::filesystem::path& file);
// Whether a file name asks for docx (".docx", ".docm", ".dotx"; without regard to case).
bool HasDocxExtension(const std::filesystem::path& file);

// The package of a native record. Raises kErrFileNotSaved when it cannot be built.
std::string RecordToDocx(const nlohmann::json& record);
// The native record a package holds. Raises docx::PackageError with the reason when it is not one.
nlohmann::json DocxToRecord(const std::string& zipBytes, const docx::PackageLimits& limits = {});

// Written atomically; raises kErrFileNotSaved when it cannot be written.
void WriteDocxFile(Document& doc, const std::filesystem::path& file);
// Raises 5174 when the file is missing, 5151 when it is not a readable docx.
void ReadDocxFile(Document& doc, const std::filesystem::path& file);

}  // namespace qv::word
