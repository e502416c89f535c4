#include "report/report_masking.h"

#include "report/name_mask.h"
#include "sysinfo/system_facts.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"

namespace {

ReportMasking*& current() {
    static ReportMasking* masking = nullptr;
    return masking;
}

}  // namespace

ReportMasking::ReportMasking(bool names) : names_(names) {
    current() = this;
    if (names) {
        // The names as the report's facts give them; the log's own are the same.
        osfs::setTextRewrite(
            [masker = NameMasker(getUserName(), getComputerName(), os::kUserNamesIgnoreCase)](
                std::string& text) { masker.mask(text); });
    }
}

ReportMasking::~ReportMasking() {
    if (names_)
        osfs::setTextRewrite(nullptr);
    current() = nullptr;
}

SecretMasker* embeddedTextMasker() {
    return current() == nullptr ? nullptr : &current()->secrets();
}

std::string maskNotice(bool names) {
    std::string notice = std::string("<BR>Secrets in this report are masked: ") + kMaskedValue +
                         " is not the real value";
    if (names) {
        notice += std::string("; ") + kUserPlaceholder + " and " + kComputerPlaceholder +
                  " stand for the user's and the computer's names";
    }
    return notice + ".";
}

bool isMaskNotice(std::string_view line) {
    static const std::string notices[] = {maskNotice(false), maskNotice(true)};
    return line == notices[0] || line == notices[1];
}

std::string maskNoticeLine() {
    return current() == nullptr ? std::string() : maskNotice(current()->masksNames());
}
