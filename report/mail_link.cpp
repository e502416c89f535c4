#include "report/mail_link.h"

#include "report/report_text.h"
#include "toolkit/log.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/application.h"

std::string TextToHtml(const std::string& text) {
    std::string html;
    html.reserve(text.size());
    for (const char c : text) {
        if (c == ' ')
            html += "&nbsp;";
        else if (c != '\r' && c != '\n')
            html += c;
    }
    return html;
}

std::string GetSupportMailLink() {
    const std::string body =
        "NOTE - please attach the report file " + gReportPath + " to this email before sending";
    using namespace reporttext;
    return kMailTo + std::string(kSupportMailAddress) + kMailSubject + App().EXEName + "_" +
           gLog().getAppVersionNum() + kMailBody + TextToHtml(body);
}
