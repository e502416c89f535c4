#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Output;

// Writes JSON as it goes, compact, into an Output. Texts must be UTF-8. A text may be written
// in pieces (beginString, stringPiece..., endString), so that a long one is never held whole.
// Escaping runs over every byte of a report's embedded texts, so it looks at eight bytes at a
// time; a general JSON library wrote such texts many times slower (see docs/decisions.md).
class JsonWriter {
public:
    explicit JsonWriter(Output& output);
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);
    void string(std::string_view text);
    void number(std::int64_t value);
    void boolean(bool value);
    void null();
    void beginString();
    void stringPiece(std::string_view text);
    void endString();
    // Ends the document's line, after its last value.
    void newline() { buffer_ += '\n'; }
    // Hands what is buffered to the output; false once the output has failed.
    bool flush();

private:
    void beforeValue();
    void raw(std::string_view text);
    void escaped(std::string_view text);
    void flushWhenFull();

    Output& output_;
    std::string buffer_;
    std::vector<bool> firstInLevel_;  // per open object or array: no element written yet
    bool afterKey_ = false;
    bool failed_ = false;
};
