#pragma once
// Pictures of a document's pages, for people who would rather look than read: the document goes
// out as docx, LibreOffice (headless, with a profile of its own) lays it out as PDF, and
// pdftoppm (poppler) turns the PDF's pages into PNG pictures. Programs are started with their
// arguments as they are, never through a shell, and each has a time limit.

#include <chrono>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv::word {
class Document;
}

namespace qv::tools {

struct RenderError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The program `name` found in PATH; nullopt when it is not installed.
std::optional<std::filesystem::path> FindProgram(const std::string& name);
// LibreOffice's program: $QUORVANTA_SOFFICE, else soffice or libreoffice in PATH.
std::optional<std::filesystem::path> FindLibreOffice();

// Converts `input` (a file LibreOffice opens) to `format` ("pdf", "docx", ...) into `outDir`;
// returns the file written. Raises RenderError with the reason.
std::filesystem::path ConvertWithLibreOffice(
    const std::filesystem::path& input, const std::string& format,
    const std::filesystem::path& outDir, std::chrono::seconds limit = std::chrono::seconds(180));

// Writes pictures of the document's pages to `output`: a ".pdf" name gets the PDF; a ".png" name
// gets the first page as that file and each further page as NAME-2.png, NAME-3.png ... Returns
// the files written.
std::vector<std::filesystem::path> RenderPages(word::Document& doc,
                                               const std::filesystem::path& output);

}  // namespace qv::tools
