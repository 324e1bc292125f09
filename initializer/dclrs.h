#pragma once
// Module Dclrs of the installer: what the command line asked for, the settings keys the installer
// writes, and its error report.

#include <cstdint>
#include <string>

namespace qv::initializer {

// The add-in key as the installer spells it; the registry matches key names without regard to
// case, so it is the key the add-in reads as "Word Add-In".
inline constexpr const char* kAddinKey = "SOFTWARE\\Quorvanta Technologies, Inc.\\Word Add-in";
inline constexpr const char* kCompanyKey = "SOFTWARE\\Quorvanta Technologies, Inc.";
inline constexpr const char* kPowerPointKey =
    "SOFTWARE\\Quorvanta Technologies, Inc.\\PowerPoint Add-in";
inline constexpr const char* kCrLf = "\r\n";

// What ParseArgs took from the command line. One per run of the program.
struct Dclrs {
  std::string prog;  // "-w", "-p" or ""
  bool uninstall = false;
  bool unloadOnly = false;
  std::string basePath;  // the base folder, ending with the folder separator
};

// Takes the options from the text before the first double quote and the base path from between
// the first and the second; false when the text holds no double quote.
bool ParseArgs(const std::string& commandLine, Dclrs& args);

// The usage message, lines separated by CR LF.
std::string UsageText();

// The installer's error report: marks the installation as failed (isInstallOK = 0 in the company
// key), posts a short report to the course host, and shows the error when asked. Never raises.
void ReportError(const std::string& description, const std::string& where, int32_t number,
                 bool showMessage);
// The report of an error trapped at numbered line `line` of the procedure `where`: "LineNo:" and
// the line, CR LF, the description; nothing is shown.
void ReportErrorAtLine(int line, const std::string& description, const std::string& where);

// The short report text (each line ended by CR LF).
std::string ErrorReportText(const std::string& description, const std::string& where,
                            int32_t number);

}  // namespace qv::initializer
