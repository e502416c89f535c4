#include "inspect/json_writer.h"

#include <cstring>

#include "inspect/output.h"

namespace {

constexpr std::size_t kBufferBytes = 1024 * 1024;
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Whether any byte of the word is zero, or is below 0x20 (exact, as in "Bit Twiddling Hacks").
std::uint64_t hasZero(std::uint64_t word) {
    return (word - kOnes) & ~word & kHighBits;
}
std::uint64_t hasBelowSpace(std::uint64_t word) {
    return (word - kOnes * 0x20) & ~word & kHighBits;
}

// Whether any of the eight bytes must be escaped: a quote, a backslash or a control character.
bool needsEscape(std::uint64_t word) {
    return hasZero(word ^ (kOnes * '"')) | hasZero(word ^ (kOnes * '\\')) | hasBelowSpace(word);
}

bool needsEscape(char c) {
    return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
}

// The length of the run at the start of `text` that needs no escape.
std::size_t plainRun(std::string_view text) {
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        if (needsEscape(word))
            break;
    }
    while (at < text.size() && !needsEscape(text[at]))
        ++at;
    return at;
}

}  // namespace

JsonWriter::JsonWriter(Output& output) : output_(output) {
    buffer_.reserve(kBufferBytes + 64 * 1024);
}

void JsonWriter::raw(std::string_view text) {
    buffer_.append(text);
}

void JsonWriter::flushWhenFull() {
    if (buffer_.size() >= kBufferBytes)
        flush();
}

bool JsonWriter::flush() {
    if (!failed_ && !buffer_.empty())
        failed_ = !output_.write(buffer_);
    buffer_.clear();
    return !failed_;
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!firstInLevel_.empty()) {
        if (!firstInLevel_.back())
            buffer_ += ',';
        firstInLevel_.back() = false;
    }
}

void JsonWriter::beginObject() {
    beforeValue();
    buffer_ += '{';
    firstInLevel_.push_back(true);
}

void JsonWriter::endObject() {
    buffer_ += '}';
    firstInLevel_.pop_back();
    flushWhenFull();
}

void JsonWriter::beginArray() {
    beforeValue();
    buffer_ += '[';
    firstInLevel_.push_back(true);
}

void JsonWriter::endArray() {
    buffer_ += ']';
    firstInLevel_.pop_back();
    flushWhenFull();
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    buffer_ += '"';
    escaped(name);
    buffer_ += "\":";
    afterKey_ = true;
}

void JsonWriter::string(std::string_view text) {
    beginString();
    escaped(text);
    endString();
}

void JsonWriter::number(std::int64_t value) {
    beforeValue();
    raw(std::to_string(value));
}

void JsonWriter::boolean(bool value) {
    beforeValue();
    raw(value ? "true" : "false");
}

void JsonWriter::null() {
    beforeValue();
    raw("null");
}

void JsonWriter::beginString() {
    beforeValue();
    buffer_ += '"';
}

void JsonWriter::stringPiece(std::string_view text) {
    escaped(text);
    flushWhenFull();
}

void JsonWriter::endString() {
    buffer_ += '"';
}

void JsonWriter::escaped(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    for (;;) {
        const std::size_t run = plainRun(text);
        buffer_.append(text.data(), run);
        if (run == text.size())
            return;
        const char c = text[run];
        text.remove_prefix(run + 1);
        switch (c) {
            case '"':
                buffer_ += "\\\"";
                break;
            case '\\':
                buffer_ += "\\\\";
                break;
            case '\n':
                buffer_ += "\\n";
                break;
            case '\r':
                buffer_ += "\\r";
                break;
            case '\t':
                buffer_ += "\\t";
                break;
            default: {
                const auto code = static_cast<unsigned char>(c);
                const char escape[] = {'\\', 'u', '0', '0', kHex[code >> 4], kHex[code & 15]};
                buffer_.append(escape, sizeof escape);
            }
        }
    }
}
