#include "mainprog/core/ErrorReport.h"

#include "mainprog/core/CorvantStrings.h"

#include <cstdint>

namespace corvant {

std::string formatNumber(std::string_view format, long long number)
{
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 'd') {
                out += std::to_string(number);
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

ErrorReportTexts errorReportTexts(int errorClass, int stringId)
{
    ErrorReportTexts texts;
    if (errorClass >= ERROR_CLASS_ERROR && errorClass <= ERROR_CLASS_PHONE)
        texts.title = formatNumber(loadString(IDS_ERROR_CLASS_BASE + errorClass), stringId);
    if (const char* text = corvantString(stringId))
        texts.text = text;
    else
        texts.text = formatNumber(loadString(IDS_ERROR_NUMBER), stringId);
    const long long detailId = static_cast<long long>(stringId) + IDS_REPORT_DETAIL_OFFSET;
    if (detailId <= INT32_MAX)
        texts.detail = loadString(static_cast<int>(detailId));
    return texts;
}

ErrorReportTexts failureReportTexts(std::string text)
{
    return {loadString(IDS_ERROR_CLASS_BASE + ERROR_CLASS_SOFTWARE), std::move(text), {}};
}

} // namespace corvant
