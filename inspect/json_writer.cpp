#include "inspect/json_writer.h"

#include <cstring>

#include "inspect/byte_scan.h"
#include "inspect/output.h"
#include "inspect/report_records.h"
#include "inspect/text_line_blocks.h"

namespace {

constexpr std::size_t kBufferBytes = 1024 * 1024;

}  // namespace

JsonWriter::JsonWriter(Output& output)
    : output_(output), buffer_(std::make_unique<char[]>(kBufferBytes)) {}

void JsonWriter::put(std::string_view text) {
    if (used_ + text.size() > kBufferBytes) {
        flush();
        // A piece larger than the buffer goes out as it is.
        if (text.size() > kBufferBytes) {
            failed_ = failed_ || !output_.write(text);
            return;
        }
    }
    std::memcpy(buffer_.get() + used_, text.data(), text.size());
    used_ += text.size();
}

void JsonWriter::put(char c) {
    if (used_ == kBufferBytes)
        flush();
    buffer_[used_++] = c;
}

bool JsonWriter::flush() {
    if (!failed_ && used_ > 0)
        failed_ = !output_.write(std::string_view(buffer_.get(), used_));
    used_ = 0;
    return !failed_;
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!firstInLevel_.empty()) {
        if (!firstInLevel_.back())
            put(',');
        firstInLevel_.back() = false;
    }
}

void JsonWriter::beginObject() {
    beforeValue();
    put('{');
    firstInLevel_.push_back(true);
}

void JsonWriter::endObject() {
    put('}');
    firstInLevel_.pop_back();
}

void JsonWriter::beginArray() {
    beforeValue();
    put('[');
    firstInLevel_.push_back(true);
}

void JsonWriter::endArray() {
    put(']');
    firstInLevel_.pop_back();
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    put('"');
    escaped(name);
    put("\":");
    afterKey_ = true;
}

void JsonWriter::string(std::string_view text) {
    beginString();
    escaped(text);
    endString();
}

void JsonWriter::number(std::int64_t value) {
    beforeValue();
    put(std::to_string(value));
}

void JsonWriter::boolean(bool value) {
    beforeValue();
    put(value ? "true" : "false");
}

void JsonWriter::null() {
    beforeValue();
    put("null");
}

void JsonWriter::beginString() {
    beforeValue();
    put('"');
}

void JsonWriter::stringLine(std::string_view text) {
    escaped(text);
    put("\\n");
}

void JsonWriter::stringTextLines(std::string_view run) {
    // Copied a block at a time straight into the buffer, emptied whenever it lacks the room
    // for a block.
    while (run.size() >= textblocks::kCopyRoom) {
        if (kBufferBytes - used_ < textblocks::kCopyRoom)
            flush();
        std::size_t written = 0;
        run.remove_prefix(
            textblocks::copyAsJson(run, buffer_.get() + used_, kBufferBytes - used_, written));
        used_ += written;
    }
    // The last bytes: the end of a line, perhaps a few short ones.
    forEachTextLine(run, [this](std::string_view line) { stringLine(line); });
}

void JsonWriter::endString() {
    put('"');
}

void JsonWriter::escaped(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    for (;;) {
        const std::size_t run = bytescan::jsonPlainRun(text);
        put(text.substr(0, run));
        if (run == text.size())
            return;
        const char c = text[run];
        text.remove_prefix(run + 1);
        switch (c) {
            case '"':
                put("\\\"");
                break;
            case '\\':
                put("\\\\");
                break;
            case '\n':
                put("\\n");
                break;
            case '\r':
                put("\\r");
                break;
            case '\t':
                put("\\t");
                break;
            default: {
                const auto code = static_cast<unsigned char>(c);
                const char escape[] = {'\\', 'u', '0', '0', kHex[code >> 4], kHex[code & 15]};
                put(std::string_view(escape, sizeof escape));
            }
        }
    }
}
