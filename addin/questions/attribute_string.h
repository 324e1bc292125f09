#pragma once
// The attribute string that a marker picture's alternative text carries: a marker head
// ("kzoQ0", "kzoA10", "kzoB") followed by "&key=value" pairs. A value never holds "&"; an
// ampersand inside a value is stored as the character of code 2 (and, for blank answers, code 1).
// These are the text halves of module G's attribute routines; the picture halves read and write
// the alternative text around them.

#include <string>

namespace qv::addin {

// The kinds a marker head begins with: question, answer, blank (of a sentence row) and web page
// break. Stored documents carry them, so they never change.
inline constexpr char kQuestionMarker[] = "kzoQ";
inline constexpr char kAnswerMarker[] = "kzoA";
inline constexpr char kBlankMarker[] = "kzoO";
inline constexpr char kBreakMarker[] = "kzoB";

// The ampersand substitute stored inside values.
inline constexpr char kAmpersandSubstitute = '\x02';

// The value of `key` ("" when absent). The key is found by its "&key=" text from the start of the
// string, so a key that is the tail of another ("ID" against "qID") is not mistaken for it.
std::string GetAttr(const std::string& attributes, const std::string& key);

// The string with `key` set to `value`: replaced in place when present, appended otherwise; every
// "&amp;" of the result then becomes the ampersand substitute.
std::string WithAttr(const std::string& attributes, const std::string& key,
                     const std::string& value);

// The marker head: the text before the first "&", or the whole text.
std::string AttrPrefix(const std::string& attributes);

// The question type code of a marker head ("kzoA10..." is 10); empty or not a number gives 0.
int GetQType(const std::string& attributes);

// Whether the text begins with the marker kind ("kzoQ", "kzoA", "kzoO", "kzoB"); shorter texts
// are no marker.
bool HasMarkerKind(const std::string& text, const char* kind);

}  // namespace qv::addin
