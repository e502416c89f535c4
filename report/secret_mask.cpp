#include "report/secret_mask.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "report/ascii_text.h"
#include "report/secret_filter.h"
#include "report/secret_rules.h"
#include "report/utf16_mark.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

struct KindName {
    const char* one;
    const char* many;
};

// In the order of SecretKind.
constexpr KindName kKindNames[kSecretKindCount] = {
    {"password", "passwords"},
    {"other secret", "other secrets"},
    {"connection string secret", "connection string secrets"},
    {"URL credential", "URL credentials"},
    {"authorization header", "authorization headers"},
    {"private key block", "private key blocks"},
};

// Where a "-----BEGIN ... PRIVATE KEY...-----" marker, or that of OpenVPN's shared "Static
// key", ends on the line, npos without one. Other blocks (certificates, public keys) are public
// and stay.
std::size_t privateKeyBlockBegins(std::string_view line) {
    const std::size_t begin = line.find("-----BEGIN ");
    if (begin == npos)
        return npos;
    const std::size_t close = line.find("-----", begin + 11);
    if (close == npos)
        return npos;
    const std::string_view marker = line.substr(begin, close - begin);
    if (marker.find("PRIVATE KEY") == npos && marker.find("Static key") == npos)
        return npos;
    return close + 5;
}

// The bytes of the UTF-8 character that begins at `at`: as many as its first byte calls for
// and the continuation bytes after it give, one for a byte that begins none.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const std::size_t wanted = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    std::size_t length = 1;
    while (length < wanted && at + length < text.size() &&
           (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

// The part of a key block's line between `begin` and `end`, without its indentation.
void addBlockBody(std::string_view line, std::size_t begin, std::size_t end,
                  std::vector<SecretSpan>& spans) {
    while (begin < end && (line[begin] == ' ' || line[begin] == '\t'))
        ++begin;
    if (begin < end && line.substr(begin, end - begin) != kMaskedValue)
        spans.push_back(SecretSpan{begin, end, SecretKind::PrivateKey});
}

}  // namespace

std::string describeMaskCounts(const MaskCounts& counts) {
    std::string text;
    for (std::size_t kind = 0; kind < kSecretKindCount; ++kind) {
        const long long count = counts.byKind[kind];
        if (count == 0)
            continue;
        text += text.empty() ? "Masked: " : ", ";
        text += std::to_string(count) + " " +
                (count == 1 ? kKindNames[kind].one : kKindNames[kind].many);
    }
    return text.empty() ? "Masked: nothing" : text;
}

void SecretMasker::maskLine(std::string& text, std::size_t lineStart) {
    maskRange(text, lineStart, text.size());
}

std::size_t SecretMasker::maskRange(std::string& text, std::size_t begin, std::size_t end) {
    // Most lines hold nothing to mask: one look rules them out, with any line feeds in them.
    if (!mayChange(std::string_view(text).substr(begin, end - begin)))
        return end;
    for (;;) {
        const std::size_t lineFeed = text.find('\n', begin);
        const bool last = lineFeed >= end;
        const std::size_t partEnd = last ? end : lineFeed;
        const std::size_t maskedEnd = maskOneLine(text, begin, partEnd);
        end = maskedEnd + (end - partEnd);
        if (last)
            return end;
        begin = maskedEnd + 1;
    }
}

void SecretMasker::maskLines(std::string& text, const std::vector<TextLine>& lines) {
    if (!lines.empty())
        noteTextBegins(std::string_view(text).substr(lines.front().begin));
    // Masking a line moves the lines after it: `moved` is how far (unsigned: a line made
    // shorter moves them back by its wrap-around).
    std::size_t moved = 0;
    for (std::size_t next = 0; next < lines.size(); ++next) {
        if (!inPrivateKey_ && !namedAbove_ && !utf16_) {
            // The first line from `next` on that holds a trigger; a trigger never spans a line
            // end, so the lines before it hold none.
            const std::size_t from = lines[next].begin + moved;
            const std::size_t found =
                firstTrigger(std::string_view(text).substr(from, lines.back().end + moved - from));
            if (found == npos)
                return;
            const std::size_t at = lines[next].begin + found;
            next = static_cast<std::size_t>(
                std::upper_bound(
                    lines.begin() + static_cast<std::ptrdiff_t>(next), lines.end(), at,
                    [](std::size_t place, const TextLine& line) { return place < line.end; }) -
                lines.begin());
            if (next == lines.size())
                return;
        }
        const std::size_t end = lines[next].end + moved;
        moved += maskRange(text, lines[next].begin + moved, end) - end;
    }
}

std::size_t SecretMasker::maskOneLine(std::string& text, std::size_t begin, std::size_t end) {
    const std::string_view line(text.data() + begin, end - begin);
    // Where character i of the line as the rules read it begins.
    const std::size_t first = utf16_ ? narrowUtf16(line) : 0;
    const auto place = [&](std::size_t i) { return utf16_ ? places_[first + 2 * i] : i; };
    std::vector<SecretSpan> spans = secretsOf(utf16_ ? std::string_view(narrow_) : line);
    if (spans.empty())
        return end;

    // Of overlapping secrets the one that begins first, or was found first, is masked.
    std::stable_sort(spans.begin(), spans.end(),
                     [](const SecretSpan& a, const SecretSpan& b) { return a.begin < b.begin; });
    static const std::string kMaskedUtf16 = asUtf16(kMaskedValue);
    std::string masked;
    std::size_t copied = 0;
    for (const SecretSpan& span : spans) {
        const std::size_t spanBegin = place(span.begin);
        if (spanBegin < copied)
            continue;
        masked.append(line, copied, spanBegin - copied);
        masked += utf16_ ? kMaskedUtf16 : kMaskedValue;
        copied = place(span.end);
        if (span.kind != SecretKind::PrivateKey || !privateKeyCounted_)
            ++counts_[span.kind];
        privateKeyCounted_ = privateKeyCounted_ || span.kind == SecretKind::PrivateKey;
    }
    masked.append(line, copied);
    text.replace(begin, end - begin, masked);
    return begin + masked.size();
}

std::vector<SecretSpan> SecretMasker::secretsOf(std::string_view line) {
    std::vector<SecretSpan> spans;
    if (inPrivateKey_) {
        const std::size_t blockEnd = line.find("-----END");
        addBlockBody(line, 0, blockEnd == npos ? line.size() : blockEnd, spans);
        inPrivateKey_ = blockEnd == npos;
    } else if (!namedAbove_ && !mayHoldSecret(line)) {
        return spans;
    } else if (const std::size_t bodyBegin = privateKeyBlockBegins(line); bodyBegin != npos) {
        namedAbove_.reset();
        // A block may stand on one line too, as in a JSON string with "\n" in it.
        const std::size_t blockEnd = line.find("-----END", bodyBegin);
        addBlockBody(line, bodyBegin, blockEnd == npos ? line.size() : blockEnd, spans);
        inPrivateKey_ = blockEnd == npos;
        privateKeyCounted_ = false;
    } else {
        spans = findSecrets(leadBytes_.any() && !utf16_ ? withSecondBytesHidden(line) : line,
                            namedAbove_);
    }
    return spans;
}

void SecretMasker::noteTextBegins(std::string_view text) {
    if (textBegun_)
        return;
    textBegun_ = true;
    utf16_ = text.substr(0, kUtf16Mark.size()) == kUtf16Mark;
}

std::size_t SecretMasker::narrowUtf16(std::string_view line) {
    // The line's units: its bytes, or the UTF-8 characters each byte of the file became.
    places_.clear();
    for (std::size_t at = 0; at < line.size();) {
        places_.push_back(at);
        at += decoded_ ? utf8SequenceLength(line, at) : 1;
    }
    const std::size_t units = places_.size();
    places_.push_back(line.size());
    const auto unit = [&](std::size_t i) {
        return line.substr(places_[i], places_[i + 1] - places_[i]);
    };
    // The characters begin where the other unit of most pairs is zero, as it is for ASCII.
    std::size_t zerosAtEven = 0;
    std::size_t zerosAtOdd = 0;
    for (std::size_t i = 0; i < units; ++i) {
        if (unit(i) == std::string_view("\0", 1))
            ++(i % 2 == 0 ? zerosAtEven : zerosAtOdd);
    }
    const std::size_t first = zerosAtEven > zerosAtOdd ? 1 : 0;
    narrow_.clear();
    for (std::size_t i = first; i + 1 < units; i += 2) {
        const std::string_view low = unit(i);
        const bool ascii = low.size() == 1 && static_cast<unsigned char>(low[0]) < 0x80 &&
                           unit(i + 1) == std::string_view("\0", 1);
        narrow_ += ascii ? low[0] : '\x80';
    }
    return first;
}

std::string_view SecretMasker::withSecondBytesHidden(std::string_view line) {
    hidden_.assign(line);
    for (std::size_t at = 0; at + 1 < hidden_.size(); ++at) {
        if (leadBytes_.test(static_cast<unsigned char>(hidden_[at])))
            hidden_[++at] = '\x80';
    }
    return hidden_;
}
