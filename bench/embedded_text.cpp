#include "bench/embedded_text.h"

#include "report/read_text_file.h"
#include "report/report_text.h"
#include "toolkit/os/file_system.h"

std::string embeddedTextOf(const std::string& path, int cap, bool& cut) {
    // An embedded file may be a link (the report embeds what it names); the tool's own files,
    // which ReadTextFile opens by name, may not.
    osfs::File file;
    file.open(path, osfs::OpenMode::Read, osfs::FinalLink::Followed);
    std::string loaded;
    ReadTextFileInto(loaded, file, path, true, false, cap);
    const std::string warning = reporttext::kCutWarning;
    std::string text;
    cut = false;
    for (std::size_t at = 0; at < loaded.size();) {
        const std::size_t end = loaded.find("\r\n", at);
        if (end == std::string::npos) {
            cut = loaded.compare(at, warning.size(), warning) == 0;
            break;
        }
        text.append(loaded, at, end - at);
        text += '\n';
        at = end + 2;
    }
    return text;
}
