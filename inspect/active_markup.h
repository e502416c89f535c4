#pragma once

#include <string>
#include <string_view>

// Finds markup that a browser would run in an embedded file's text, which the report embeds as
// it is: a script element, an event-handler attribute ("onerror=..."), a frame or object
// element, a "javascript:" address in an attribute. It reads the text as a browser's tokenizer
// does, tags and quoted attribute values across line ends included, so that a "<" in a log
// line that opens no tag costs nothing.
class ActiveMarkupScanner {
public:
    // Reads one line of the text; the report's "<BR>" and line end follow each line, as the
    // browser sees them.
    void scan(std::string_view line);
    // Reads a run of plain text lines (ReportSink::embeddedLines). Having no "<", they can
    // only go on with a tag that a line before left open.
    void scanTextLines(std::string_view run);
    // The ActiveMarkup bits found since the last reset.
    unsigned found() const { return found_; }
    void reset() { *this = ActiveMarkupScanner(); }

private:
    enum class State { Text, TagName, InTag, AttributeName, AfterName, BeforeValue, Value };
    void step(char c);
    void endValue();

    State state_ = State::Text;
    char quote_ = 0;        // the quote of a quoted value, 0 for an unquoted one
    std::string name_;      // the tag's or attribute's name so far, in lower case (bounded)
    bool handler_ = false;  // the attribute being read is an event handler
    std::string value_;     // the start of the attribute's value, as an address reads it
    unsigned found_ = 0;
};
