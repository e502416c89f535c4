#include "inspect/report_masking_copy.h"

#include <limits>
#include <optional>

#include "inspect/classified_lines.h"
#include "inspect/output.h"
#include "inspect/problems.h"
#include "inspect/raw_report_bytes.h"
#include "inspect/report_names.h"
#include "inspect/report_records.h"
#include "report/name_mask.h"
#include "report/report_masking.h"
#include "report/report_text.h"
#include "report/secret_mask.h"
#include "toolkit/os/file_system.h"

namespace {

// The longest stretch of unchanged bytes that waits to be written.
constexpr std::uint64_t kStretchBytes = 1024 * 1024;

// The copy: the file's bytes go to the output in long stretches, each ended only where a line
// changes, which is written in its place.
class MaskingCopy {
public:
    MaskingCopy(osfs::File& file, Output& output, SecretMasker& secrets, const NameMasker* names)
        : raw_(file), output_(output), secrets_(secrets), names_(names) {}

    // False once the copy cannot go on: a write failed, or the file no longer reads.
    bool take(const ReportLine& line, const ClassifiedLine& classified);
    // take() for each line of a run of plain text lines that `classified` tells.
    bool takeTextRun(const TextRun& run, const ClassifiedLine& classified);
    bool finish();

private:
    enum class Notice { Awaited, Due, Placed };

    // The line's bytes without its line end; valid until the copy moves on.
    std::string_view bytesOf(const ReportLine& line);
    // Writes the file's bytes up to `offset` as they are.
    bool copyTo(std::uint64_t offset);
    // Writes `bytes` in the place of the file's up to `end`.
    bool replaceTo(std::uint64_t end, std::string_view bytes);
    // The notice under the mail box, from the line after it on; true when that line was a
    // notice already, which takes the place of the line.
    bool placeNotice(const ReportLine& line);
    std::string notice(bool names) const;

    RawReportBytes raw_;
    Output& output_;
    SecretMasker& secrets_;
    const NameMasker* names_;
    std::uint64_t copied_ = 0;  // the file's bytes before this are written
    Notice notice_ = Notice::Awaited;
    bool textBegins_ = false;  // the next text line is the first of an embedded text
    std::string scratch_;
    bool ok_ = true;
};

bool MaskingCopy::take(const ReportLine& line, const ClassifiedLine& classified) {
    // The copy keeps up with the reading, so that its writes overlap with the lines read ahead.
    if (line.offset - copied_ >= kStretchBytes)
        copyTo(line.offset);
    // A line longer than any of a report's is held only in part; it stays as it is.
    if (line.cut)
        return ok_;
    if (notice_ == Notice::Due && placeNotice(line))
        return ok_;
    const LineRole role = classified.role;
    if (role == LineRole::Frame && notice_ == Notice::Awaited &&
        line.text == reporttext::kMailBoxEnd)
        notice_ = Notice::Due;
    if (role == LineRole::EmbeddedStart) {
        secrets_.startText();
        textBegins_ = true;
    }
    const bool text = role == LineRole::EmbeddedText || role == LineRole::Unexpected;
    // The masker tells a UTF-16 text by the bytes its first line opens with, which its UTF-8
    // text does not keep; a line of ASCII without a zero byte cannot open one.
    if (text && textBegins_) {
        textBegins_ = false;
        if (line.text.find('\0') != std::string_view::npos ||
            (!line.text.empty() && static_cast<unsigned char>(line.text.front()) >= 0x80))
            secrets_.noteTextBegins(bytesOf(line));
    }
    // Most lines are told unchanged from their text alone, which holds the same ASCII.
    const bool secrets = text && secrets_.mayChange(withoutBreak(line.text));
    if (!secrets && names_ == nullptr)
        return ok_;
    const std::string_view bytes = bytesOf(line);
    const std::string_view body = text ? withoutBreak(bytes) : bytes;
    scratch_.assign(body);
    if (secrets)
        secrets_.maskLine(scratch_);
    scratch_.append(bytes.substr(body.size()));
    if (names_ != nullptr)
        names_->mask(scratch_);
    if (scratch_ != bytes)
        replaceTo(line.offset + bytes.size(), scratch_);
    return ok_;
}

bool MaskingCopy::takeTextRun(const TextRun& run, const ClassifiedLine& classified) {
    // No trigger of a secret in the whole run is none in any of its lines: the run stays as it
    // is, and is copied with the stretch it stands in.
    textBegins_ = false;
    if (names_ == nullptr && notice_ != Notice::Due && !secrets_.mayChange(run.bytes)) {
        if (run.nextOffset - copied_ >= kStretchBytes)
            copyTo(run.nextOffset);
        return ok_;
    }
    ReportLine line;
    line.number = run.firstNumber;
    line.nextOffset = run.offset;
    for (std::string_view rest = run.bytes; ok_ && !rest.empty(); ++line.number) {
        const char* start = rest.data();
        line.text = std::string_view(start, takeTextLine(rest).size() + 4);  // with its "<BR>"
        line.offset = line.nextOffset;
        line.nextOffset = line.offset + static_cast<std::uint64_t>(rest.data() - start);
        take(line, classified);
    }
    return ok_;
}

std::string_view MaskingCopy::bytesOf(const ReportLine& line) {
    copyTo(line.offset);
    return raw_.line(line);
}

bool MaskingCopy::copyTo(std::uint64_t offset) {
    while (ok_ && copied_ < offset) {
        const std::string_view piece = raw_.piece(copied_, offset);
        ok_ = !piece.empty() && output_.write(piece);
        copied_ += piece.size();
    }
    return ok_;
}

bool MaskingCopy::replaceTo(std::uint64_t end, std::string_view bytes) {
    ok_ = ok_ && output_.write(bytes);
    copied_ = end;
    return ok_;
}

std::string MaskingCopy::notice(bool names) const {
    // The batch's notice passes through the names' rewrite, as each line it writes does.
    std::string line = maskNotice(names);
    if (names_ != nullptr)
        names_->mask(line);
    return line;
}

bool MaskingCopy::placeNotice(const ReportLine& line) {
    notice_ = Notice::Placed;
    const std::string_view bytes = bytesOf(line);
    if (!isMaskNotice(bytes)) {
        replaceTo(line.offset, notice(names_ != nullptr) + "\r\n");
        return false;
    }
    // A report masked with the names keeps that notice; one masked without them gets it now.
    const std::string placed = notice(names_ != nullptr || bytes == maskNotice(true));
    if (placed != bytes)
        replaceTo(line.offset + bytes.size(), placed);
    return true;
}

bool MaskingCopy::finish() {
    for (std::string_view piece; ok_;) {
        piece = raw_.piece(copied_, std::numeric_limits<std::uint64_t>::max());
        if (piece.empty())
            break;
        ok_ = output_.write(piece);
        copied_ += piece.size();
    }
    // A report cut right after its mail box.
    if (notice_ == Notice::Due)
        replaceTo(copied_, notice(names_ != nullptr) + "\r\n");
    return ok_ && !raw_.failed();
}

constexpr LineProblemWords kMaskingWords = {"it is copied unmasked",
                                            "; the line is masked as a line of text"};

}  // namespace

ReadOutcome maskReport(const std::string& fileName, const TextDecoding& decoding, bool names,
                       SecretMasker& secrets, Output& output, Problems& problems) {
    osfs::File file;
    // The report is the file its user names, also through a link.
    if (!file.open(fileName, osfs::OpenMode::Read, osfs::FinalLink::Followed)) {
        problems.note(0, "cannot be opened: " + file.errorDescription());
        return {};
    }
    std::optional<NameMasker> nameMasker;
    if (names) {
        const ReportNames found = readReportNames(file, decoding);
        nameMasker.emplace(found.user, found.computer, found.userNamesIgnoreCase);
    }
    ReportLineSource source(file, decoding, true);
    LineClassifier classifier;
    MaskingCopy copy(file, output, secrets, nameMasker ? &*nameMasker : nullptr);
    bool usable = false;
    const std::uint64_t lastLine = walkClassifiedLines(
        source, classifier,
        [&](const TextRun& run, const ClassifiedLine& role) {
            usable = true;
            return copy.takeTextRun(run, role);
        },
        [&](const ReportLine& line, const ClassifiedLine& classified) {
            noteLineProblems(line, classified, kMaskingWords, problems);
            usable = usable || classified.role != LineRole::Unexpected;
            return copy.take(line, classified);
        });
    const bool copied = copy.finish();
    if (!output.error().empty())
        return {usable, false};
    if (!copied || source.failed())
        problems.note(lastLine,
                      "the file cannot be read after this line: " + file.errorDescription());
    else if (const char* missing = classifier.missingAtEnd())
        problems.note(lastLine, std::string("the report ends after this line, without ") + missing);
    return {usable, problems.count() == 0};
}
