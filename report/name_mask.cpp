#include "report/name_mask.h"

#include <algorithm>
#include <cstring>

#include "report/ascii_text.h"
#include "report/report_masking.h"
#include "report/utf16_mark.h"

namespace {

// A character that could continue a name: an ASCII letter or digit, '_', or a byte of a
// character beyond ASCII (a name's letter "é" is never a boundary).
bool isNameChar(char c) {
    return isAlnum(c) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// The texts that stand as they are whatever the names: the placeholders, and the masked report's
// notice, which names "the user's" names and would otherwise change for the user "user".
const std::vector<std::string>& keptTexts() {
    static const std::vector<std::string> texts = {
        kUserPlaceholder,          kComputerPlaceholder,
        asUtf16(kUserPlaceholder), asUtf16(kComputerPlaceholder),
        maskNotice(false),         maskNotice(true)};
    return texts;
}

// Whether the byte order mark of UTF-16 ends just before `at`: as its bytes, or as the batch
// reads them on Windows, each a character of the system's code page.
bool afterUtf16Mark(const std::string& text, std::size_t at) {
    const auto endsWith = [&text, at](std::string_view mark) {
        return !mark.empty() && at >= mark.size() &&
               text.compare(at - mark.size(), mark.size(), mark) == 0;
    };
    return endsWith(kUtf16Mark) || endsWith(utf16MarkAsRead());
}

// Whether the name found at text[at, end) stands whole. In UTF-16 the character before it is
// the pair of bytes before it (the byte order mark is none); the one after is told by its first
// byte, as the report's own markup may follow a line of UTF-16 at once.
bool standsWhole(const std::string& text, std::size_t at, std::size_t end, bool utf16) {
    const bool wholeAfter = end >= text.size() || !isNameChar(text[end]);
    if (!utf16)
        return wholeAfter && (at == 0 || !isNameChar(text[at - 1]));
    const bool wholeBefore =
        at < 2 || (text[at - 1] == '\0' && !isNameChar(text[at - 2])) || afterUtf16Mark(text, at);
    return wholeBefore && wholeAfter;
}

// Whether the name found at `at` stands inside one of the kept texts.
bool insideKeptText(const std::string& text, std::size_t at) {
    for (const std::string& kept : keptTexts()) {
        for (std::size_t back = 0; back <= at && back < kept.size(); ++back) {
            if (text.compare(at - back, kept.size(), kept) == 0)
                return true;
        }
    }
    return false;
}

}  // namespace

NameMasker::NameMasker(const std::string& userName, const std::string& computerName,
                       bool userNameIgnoresCase) {
    addName(userName, userNameIgnoresCase, kUserPlaceholder);
    addName(computerName, true, kComputerPlaceholder);
    // A longer name first: the computer "al-pc" of the user "al" is replaced whole.
    std::stable_sort(names_.begin(), names_.end(),
                     [](const Name& a, const Name& b) { return a.text.size() > b.text.size(); });
}

void NameMasker::addName(const std::string& text, bool ignoresCase, const char* placeholder) {
    if (text.empty())
        return;
    names_.push_back(Name{text, ignoresCase, placeholder, false});
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        names_.push_back(Name{asUtf16(text), ignoresCase, asUtf16(placeholder), true});
    // The mail link's body writes each space of the report's path as "&nbsp;".
    if (text.find(' ') == std::string::npos)
        return;
    std::string spelled;
    for (char c : text)
        spelled += c == ' ' ? std::string("&nbsp;") : std::string(1, c);
    names_.push_back(Name{spelled, ignoresCase, placeholder, false});
}

void NameMasker::mask(std::string& text) const {
    for (const Name& name : names_) {
        const auto equal = [&name](char a, char b) {
            return name.ignoresCase ? lower(a) == lower(b) : a == b;
        };
        // The text is built anew only from the first name found on, piece by piece: replacing
        // in place would move a long text's tail once for every name in it.
        std::string masked;
        std::size_t copied = 0;
        for (auto from = text.cbegin();;) {
            const auto found =
                std::search(from, text.cend(), name.text.begin(), name.text.end(), equal);
            if (found == text.cend())
                break;
            const std::size_t at = static_cast<std::size_t>(found - text.cbegin());
            const std::size_t end = at + name.text.size();
            from = found + 1;
            if (!standsWhole(text, at, end, name.utf16) || insideKeptText(text, at))
                continue;
            masked.append(text, copied, at - copied);
            masked += name.placeholder;
            copied = end;
            from = text.cbegin() + static_cast<std::ptrdiff_t>(end);
        }
        if (copied == 0)
            continue;
        masked.append(text, copied);
        text.swap(masked);
    }
}
