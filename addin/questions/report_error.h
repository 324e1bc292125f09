#pragma once
// The add-in's one error report routine (module G): writes a plain-text report of the error and
// of the user's environment, posts it to the course host, and, when asked and no installation is
// in progress, tells the user that an error occurred.

#include <cstdint>
#include <string>

namespace qv::addin {

void ReportError(const std::string& description, const std::string& where, int32_t number,
                 bool showMessage);

// The report text alone (the lines in their order, each ended by CR LF), for the routine above
// and for tests.
std::string ErrorReportText(const std::string& description, const std::string& where,
                            int32_t number);

}  // namespace qv::addin
