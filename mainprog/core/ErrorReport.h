// The texts of the error dialog for a report (class, string id) from any program of the suite.
#pragma once

#include <string>
#include <string_view>

namespace corvant {

struct ErrorReportTexts {
    std::string title;  // string 300 + class ("Error" ... "mobile phone error"); empty for other classes
    std::string text;   // the id's text, or "Error <id>" when the table has none
    std::string detail; // the text of id + 5000; empty when the table has none

    bool operator==(const ErrorReportTexts&) const = default;
};

ErrorReportTexts errorReportTexts(int errorClass, int stringId);

// The texts of the error dialog for a failure that no report id names (an exception out of a
// window event): a software error with the failure's own text.
ErrorReportTexts failureReportTexts(std::string text);

// A format text with "%d" filled with number ("%%" gives "%"); other "%" sequences stay as they
// are, so a text can never read an argument it was not given.
std::string formatNumber(std::string_view format, long long number);

} // namespace corvant
