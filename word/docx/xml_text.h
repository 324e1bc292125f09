#pragma once
// What the docx writer and reader share: the namespaces, XML text escaping, the package's escape
// for characters XML cannot hold, and the unit and colour conversions.

#include <cstdint>
#include <string>

namespace qv::word::docx {

inline constexpr const char* kNsW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
inline constexpr const char* kNsR =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kNsWp =
    "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
inline constexpr const char* kNsA = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr const char* kNsPic = "http://schemas.openxmlformats.org/drawingml/2006/picture";
inline constexpr const char* kNsWps =
    "http://schemas.microsoft.com/office/word/2010/wordprocessingShape";
inline constexpr const char* kNsMc = "http://schemas.openxmlformats.org/markup-compatibility/2006";
inline constexpr const char* kNsCustom =
    "http://schemas.openxmlformats.org/officeDocument/2006/custom-properties";
inline constexpr const char* kNsVt =
    "http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes";
inline constexpr const char* kNsPackageRels =
    "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kNsContentTypes =
    "http://schemas.openxmlformats.org/package/2006/content-types";
inline constexpr const char* kRelOfficeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kRelCustomProperties =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/custom-properties";
inline constexpr const char* kRelSettings =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings";
inline constexpr const char* kRelImage =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";

// Text of an element or attribute value: XML's own escapes; characters XML 1.0 cannot hold (the
// control characters other than tab and line ends) as the package's "_xHHHH_" escape, and a
// literal "_x" that would read as one as "_x005F_x". In attributes, tab and line ends are written
// as character references, so they survive attribute normalisation.
std::string EscapeXml(const std::string& utf8, bool attribute);
// Undoes the "_xHHHH_" escape.
std::string UnescapePackageText(const std::string& text);

// Points to twentieths of a point (twips) and English Metric Units, rounded.
int64_t Twips(double points);
int64_t Emu(double points);
inline double FromTwips(double twips) {
  return twips / 20.0;
}
inline double FromEmu(double emu) {
  return emu / 12700.0;
}
// Shortest text of a number that reads back to the same double.
std::string Number(double v);

// The host's colour number (red + green * 256 + blue * 65536) as "RRGGBB", and back; "auto" for
// the automatic colour. `fallback` is returned for text that is no colour.
std::string HexColor(int32_t color);
int32_t ColorFromHex(const std::string& text, int32_t fallback);

}  // namespace qv::word::docx
