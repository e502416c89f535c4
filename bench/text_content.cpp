#include "bench/text_content.h"

#include <cstdio>

namespace {

const char* const kWords[] = {"alpha",   "module", "server",  "timeout", "retry",  "cache",
                              "license", "report", "channel", "buffer",  "import", "export",
                              "user",    "queue",  "printer", "backup",  "filter", "session"};
const char* const kLevels[] = {"INFO ", "INFO ", "INFO ", "DEBUG", "WARN ", "ERROR"};

void appendNumber(std::string& out, std::int64_t value, int width) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%0*lld", width, static_cast<long long>(value));
    out += digits;
}

void appendWords(std::string& out, SeededRandom& random, int count) {
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            out += ' ';
        out += random.pick(kWords);
    }
}

void appendConfigLine(std::string& out, SeededRandom& random, std::int64_t lineNo) {
    if (lineNo % 25 == 0) {
        out += '[';
        out += random.pick(kWords);
        out += ']';
        return;
    }
    out += random.pick(kWords);
    out += '_';
    appendNumber(out, lineNo, 4);
    out += " = ";
    appendWords(out, random, static_cast<int>(random.between(1, 5)));
}

void appendLogLine(std::string& out, SeededRandom& random, std::int64_t lineNo) {
    out += "2024-";
    appendNumber(out, 1 + lineNo / 100000 % 12, 2);
    out += '-';
    appendNumber(out, 1 + lineNo / 4000 % 28, 2);
    out += ' ';
    appendNumber(out, lineNo / 3600 % 24, 2);
    out += ':';
    appendNumber(out, lineNo / 60 % 60, 2);
    out += ':';
    appendNumber(out, lineNo % 60, 2);
    out += ' ';
    out += random.pick(kLevels);
    out += ' ';
    out += random.pick(kWords);
    out += ": ";
    appendWords(out, random, static_cast<int>(random.between(2, 9)));
    out += " n=";
    appendNumber(out, random.between(0, 99999), 1);
}

void appendDataLine(std::string& out, SeededRandom& random, std::int64_t lineNo) {
    appendNumber(out, lineNo, 6);
    for (int i = 0; i < 6; ++i) {
        out += ';';
        appendNumber(out, random.between(0, 999999), 1);
    }
}

void appendOtherLine(std::string& out, SeededRandom& random, std::int64_t) {
    out += "<item>";
    appendWords(out, random, static_cast<int>(random.between(3, 12)));
    out += "</item>";
}

const char* lineEndText(LineEnd end) {
    switch (end) {
        case LineEnd::CrLf:
            return "\r\n";
        case LineEnd::Lf:
            return "\n";
        case LineEnd::None:
            break;
    }
    return "";
}

}  // namespace

std::int64_t writeText(std::ostream& out, SeededRandom& random, const TextShape& shape) {
    using LineMaker = void (*)(std::string&, SeededRandom&, std::int64_t);
    const LineMaker makers[] = {appendConfigLine, appendLogLine, appendDataLine, appendOtherLine};
    const LineMaker makeLine = makers[static_cast<int>(shape.kind)];
    constexpr std::size_t kChunk = 1 << 16;

    std::string chunk;
    std::int64_t written = 0;
    for (std::int64_t lineNo = 1; lineNo <= shape.lines; ++lineNo) {
        makeLine(chunk, random, lineNo);
        if (lineNo < shape.lines || shape.finalLineEnd)
            chunk += lineEndText(shape.lineEnd);
        // Entries that have no line end between them still need a gap to stay readable.
        if (shape.lineEnd == LineEnd::None)
            chunk += ' ';
        const bool full = shape.maxBytes > 0 &&
                          written + static_cast<std::int64_t>(chunk.size()) >= shape.maxBytes;
        if (chunk.size() >= kChunk || lineNo == shape.lines || full) {
            out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            written += static_cast<std::int64_t>(chunk.size());
            chunk.clear();
        }
        if (full)
            break;
    }
    return written;
}

std::string binaryContent(SeededRandom& random, std::int64_t size) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    while (static_cast<std::int64_t>(bytes.size()) < size) {
        std::uint64_t word = random.next();
        for (int i = 0; i < 8 && static_cast<std::int64_t>(bytes.size()) < size; ++i, word >>= 8) {
            bytes += static_cast<char>(word & 0xFF);
        }
    }
    return bytes;
}
