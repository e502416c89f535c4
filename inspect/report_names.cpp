#include "inspect/report_names.h"

#include <algorithm>

#include "inspect/line_classifier.h"
#include "inspect/line_source.h"
#include "inspect/raw_report_bytes.h"
#include "report/name_mask.h"
#include "report/report_text.h"

using namespace reporttext;

namespace {

// The value of a fact's line: the bytes after its label, without the "<BR>" at its end.
std::string factValue(std::string_view line, const char* label) {
    const std::string_view value = withoutBreak(line.substr(std::string_view(label).size()));
    return value == kUserPlaceholder || value == kComputerPlaceholder ? std::string()
                                                                      : std::string(value);
}

// Whether the line comes after the facts that name the user and the computer.
bool pastTheNames(LineRole role) {
    return role == LineRole::Computer || role == LineRole::Family || role == LineRole::Memory ||
           role == LineRole::Drive || role == LineRole::Process ||
           role == LineRole::FolderHeading || role == LineRole::PageEnd;
}

}  // namespace

ReportNames readReportNames(osfs::File& file, const TextDecoding& decoding) {
    ReportLineSource source(file, decoding);
    RawReportBytes raw(file);
    LineClassifier classifier;
    ReportNames names;
    std::string windowsFolder, toolFolder;
    LineRole role = LineRole::Frame;
    for (ReportLine line; !pastTheNames(role) && source.next(line);) {
        role = classifier.classify(line.text).role;
        if (role != LineRole::User && role != LineRole::Computer &&
            role != LineRole::WindowsFolder && role != LineRole::Title)
            continue;
        const std::string_view bytes = raw.line(line);
        if (role == LineRole::User)
            names.user = factValue(bytes, kUserLabel);
        else if (role == LineRole::Computer)
            names.computer = factValue(bytes, kComputerLabel);
        else if (role == LineRole::WindowsFolder)
            windowsFolder = factValue(bytes, kWindowsFolderLabel);
        else
            toolFolder =
                bytes.substr(std::min(bytes.size(), std::string_view(kTitleStart).size() +
                                                        std::string_view(kTitlePrefix).size()));
    }
    names.userNamesIgnoreCase =
        !windowsFolder.empty() ? windowsFolder.back() == '\\' : toolFolder.substr(0, 1) != "/";
    return names;
}
