#include "report/read_text_file.h"

#include <algorithm>

#include "report/secret_mask.h"
#include "toolkit/format_value.h"
#include "toolkit/line_reader.h"
#include "toolkit/log.h"
#include "toolkit/os/code_page.h"
#include "toolkit/os/file_system.h"
#include "toolkit/program_state.h"

namespace {

std::string truncationWarning(int maxLines) {
    return "WARNING - FILE NOT FULLY LOADED (maxLines = " + FormatValue(maxLines, "###,###");
}

// The line reader's buffer, kept from one file to the next (see LineReader).
std::string& readBuffer() {
    static std::string buffer;
    return buffer;
}

bool readLines(osfs::File& file, bool addBreaks, int maxLines, SecretMasker* masker,
               std::string& text) {
    LineReader reader(file, readBuffer());
    if (masker != nullptr)
        masker->startText();
    std::size_t budget = kMaxEmbeddedBytes;
    for (int count = 0; !reader.atEnd(); ++count) {
        if (count == maxLines || budget == 0) {
            text += truncationWarning(maxLines);
            break;
        }
        // The line goes straight into the text, without a copy of its own.
        const std::size_t before = text.size();
        bool cut = false;
        if (!reader.appendLine(text, budget, &cut))
            return false;
        // A line is cut where its next character does not fit whole, so the text ends there.
        // A line of which not even the first character fits is left out.
        budget = cut ? 0 : budget - (text.size() - before);
        if (cut && text.size() == before)
            continue;
        if (masker != nullptr)
            masker->maskLine(text, before);
        if (addBreaks)
            text += "<BR>";
        text += "\r\n";
    }
    return !reader.failed();
}

bool readWhole(osfs::File& file, int maxLines, std::string& text) {
    char buffer[64 * 1024];
    for (;;) {
        // The text grows by more than the bytes read where the code page's characters take
        // several bytes in UTF-8, so it can pass the cap.
        const bool full = text.size() >= kMaxEmbeddedBytes;
        const std::size_t room =
            full ? 1 : std::min(kMaxEmbeddedBytes - text.size(), sizeof buffer);
        const long long count = file.read(buffer, room);
        if (count <= 0)
            return count == 0;
        if (full) {
            text += truncationWarning(maxLines);
            return true;
        }
        os::appendFromCodePage(text, std::string_view(buffer, static_cast<std::size_t>(count)));
    }
}

}  // namespace

void ReadTextFileInto(std::string& text, osfs::File& file, const std::string& fileName,
                      bool byLines, bool addBreaks, int& maxLines, SecretMasker* masker) {
    if (maxLines == 0)
        maxLines = kDefaultMaxLines;
    text.clear();
    const bool read = file.isOpen() && (byLines ? readLines(file, addBreaks, maxLines, masker, text)
                                                : readWhole(file, maxLines, text));
    if (!read) {
        gLog().log("Cant load the file " + fileName, 0);
        text.clear();
    }
}

void ReadTextFileInto(std::string& text, const std::string& fileName, bool byLines, bool addBreaks,
                      int& maxLines) {
    osfs::File file;
    file.open(fileName, osfs::OpenMode::Read);
    ReadTextFileInto(text, file, fileName, byLines, addBreaks, maxLines);
}

std::string ReadTextFile(const std::string& fileName, bool byLines, bool addBreaks, int& maxLines) {
    std::string text;
    ReadTextFileInto(text, fileName, byLines, addBreaks, maxLines);
    return text;
}
