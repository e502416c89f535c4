#include "inspect/active_markup.h"

#include <cstring>

#include "inspect/report_records.h"

namespace {

// Longer names are none that matter here; longer values are not an address's scheme.
constexpr std::size_t kLongestName = 16;
constexpr std::size_t kLongestValueStart = 32;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void keep(std::string& text, char c, std::size_t most) {
    if (text.size() < most)
        text += lower(c);
}

int digitValue(char c, bool hex) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The value as an address: character references decoded (browsers decode them in attribute
// values: "&#106;avascript:"), tabs and line ends dropped and leading spaces and control
// characters skipped (browsers ignore them in addresses). The value is in lower case.
std::string asAddress(const std::string& value) {
    std::string address;
    for (std::size_t at = 0; at < value.size(); ++at) {
        char c = value[at];
        if (c == '&' && at + 1 < value.size() && value[at + 1] == '#') {
            const bool hex = at + 2 < value.size() && value[at + 2] == 'x';
            std::size_t end = at + (hex ? 3 : 2);
            unsigned code = 0;
            for (; end < value.size() && digitValue(value[end], hex) >= 0 && code <= 0x10FFFF;
                 ++end)
                code = code * (hex ? 16 : 10) + static_cast<unsigned>(digitValue(value[end], hex));
            if (end < value.size() && value[end] == ';')
                ++end;
            c = code < 0x80 ? lower(static_cast<char>(code)) : '?';
            at = end - 1;
        }
        if (c == '\t' || c == '\n' || c == '\r' ||
            (address.empty() && static_cast<unsigned char>(c) <= ' '))
            continue;
        address += c;
    }
    return address;
}

}  // namespace

void ActiveMarkupScanner::scan(std::string_view line) {
    // Outside a tag only a "<" can begin one.
    std::size_t at = 0;
    while (at < line.size()) {
        if (state_ == State::Text) {
            const void* open = std::memchr(line.data() + at, '<', line.size() - at);
            if (open == nullptr)
                break;
            at = static_cast<std::size_t>(static_cast<const char*>(open) - line.data());
        }
        step(line[at++]);
    }
    if (state_ != State::Text) {
        for (const char c : std::string_view("<BR>\r\n"))
            step(c);
    }
}

void ActiveMarkupScanner::scanTextLines(std::string_view run) {
    while (state_ != State::Text && !run.empty())
        scan(takeTextLine(run));
}

void ActiveMarkupScanner::step(char c) {
    switch (state_) {
        case State::Text:
            if (c == '<') {
                state_ = State::TagName;
                name_.clear();
            }
            return;
        case State::TagName:
            if (isLetter(c) || (!name_.empty() && c >= '0' && c <= '9')) {
                keep(name_, c, kLongestName);
                return;
            }
            if (name_.empty() && c != '/') {
                state_ = State::Text;  // "<" and no tag: text ("a < b")
                return;
            }
            if (name_ == "script")
                found_ |= kScriptElement;
            if (name_ == "iframe" || name_ == "frame" || name_ == "object" || name_ == "embed" ||
                name_ == "applet")
                found_ |= kFrameOrObject;
            state_ = State::InTag;
            [[fallthrough]];
        case State::InTag:
            if (c == '>') {
                state_ = State::Text;
            } else if (!isSpace(c) && c != '/') {
                state_ = State::AttributeName;
                name_.assign(1, lower(c));
            }
            return;
        case State::AttributeName:
            if (c == '=' || c == '>' || isSpace(c) || c == '/') {
                handler_ = name_.size() > 2 && name_.compare(0, 2, "on") == 0;
                state_ = State::AfterName;
                step(c);
            } else {
                keep(name_, c, kLongestName);
            }
            return;
        case State::AfterName:
            // Spaces may stand around the "=" of an attribute.
            if (c == '=')
                state_ = State::BeforeValue;
            else if (c == '>')
                state_ = State::Text;
            else if (!isSpace(c)) {
                state_ = State::InTag;
                step(c);
            }
            return;
        case State::BeforeValue:
            if (isSpace(c))
                return;
            if (handler_)
                found_ |= kEventHandler;
            state_ = State::Value;
            value_.clear();
            quote_ = (c == '"' || c == '\'') ? c : 0;
            if (c == '>') {
                state_ = State::Text;
            } else if (quote_ == 0) {
                keep(value_, c, kLongestValueStart);
            }
            return;
        case State::Value:
            if (quote_ != 0 ? c == quote_ : (isSpace(c) || c == '>')) {
                endValue();
                state_ = c == '>' ? State::Text : State::InTag;
            } else {
                keep(value_, c, kLongestValueStart);
            }
            return;
    }
}

void ActiveMarkupScanner::endValue() {
    if (asAddress(value_).compare(0, 11, "javascript:") == 0)
        found_ |= kScriptLink;
}
