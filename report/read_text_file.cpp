#include "report/read_text_file.h"

#include <string_view>
#include <vector>

#include "report/report_text.h"
#include "report/secret_mask.h"
#include "report/utf16_mark.h"
#include "toolkit/format_value.h"
#include "toolkit/line_reader.h"
#include "toolkit/log.h"
#include "toolkit/os/code_page.h"
#include "toolkit/os/file_system.h"
#include "toolkit/program_state.h"
#include "toolkit/text_piece_reader.h"
#include "toolkit/whole_characters.h"

namespace {

std::string truncationWarning(int maxLines) {
    return reporttext::kCutWarning + FormatValue(maxLines, reporttext::kCutCapPattern);
}

// The line reader's buffer, kept from one file to the next (see LineReader).
std::string& readBuffer() {
    static std::string buffer;
    return buffer;
}

// Where the lines of a text to be masked stand in it, kept from one file to the next.
std::vector<TextLine>& maskedLines() {
    static std::vector<TextLine> lines;
    return lines;
}

// Whether `text`, read from the system's code page, is a UTF-16 file whose every byte the
// reading turned into a character (UTF-8 keeps the bytes as they are, and the masker tells UTF-16
// by them).
bool opensDecodedUtf16(std::string_view text) {
    const std::string& mark = utf16MarkAsRead();
    return !mark.empty() && text.substr(0, mark.size()) == mark;
}

bool readLines(osfs::File& file, bool addBreaks, int maxLines, SecretMasker* masker,
               std::string& text) {
    LineReader reader(file, readBuffer());
    std::vector<TextLine>& lines = maskedLines();
    lines.clear();
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
            lines.push_back(TextLine{before, text.size()});
        if (addBreaks)
            text += "<BR>";
        text += "\r\n";
    }
    if (reader.failed())
        return false;
    // The lines are masked once all are read, with one look over them for the few that may
    // hold a secret.
    if (masker != nullptr) {
        masker->startText(opensDecodedUtf16(text));
        masker->maskLines(text, lines);
    }
    return true;
}

bool readWhole(osfs::File& file, int maxLines, std::string& text) {
    TextPieceReader pieces(file, readBuffer(), os::systemCodePage());
    for (;;) {
        const long long length = pieces.next();
        if (length <= 0)
            return length == 0;
        const std::string_view piece(readBuffer().data(), static_cast<std::size_t>(length));
        const std::size_t room = kMaxEmbeddedBytes - text.size();
        text.append(piece.substr(0, wholeUtf8Prefix(piece, room)));
        if (piece.size() > room) {
            text += truncationWarning(maxLines);
            return true;
        }
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
