#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Output;

// Writes JSON as it goes, compact, into an Output. Texts must be UTF-8. A text may be written
// line by line (beginString, stringLine..., endString), so that a long one is never held whole.
// Escaping runs over every byte of a report's embedded texts, so it looks at many bytes at a
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
    // A line of the text, and a line feed after it.
    void stringLine(std::string_view text);
    // Lines of the text as a run of plain text lines (ReportSink::embeddedLines), each as
    // stringLine() writes it.
    void stringTextLines(std::string_view run);
    void endString();
    // Ends the document's line, after its last value.
    void newline() { put('\n'); }
    // Hands what is buffered to the output; false once the output has failed.
    bool flush();

private:
    void beforeValue();
    void put(std::string_view text);
    void put(char c);
    void escaped(std::string_view text);

    Output& output_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    std::vector<bool> firstInLevel_;  // per open object or array: no element written yet
    bool afterKey_ = false;
    bool failed_ = false;
};
