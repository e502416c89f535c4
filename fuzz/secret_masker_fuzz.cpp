#include <algorithm>
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_targets.h"
#include "report/ascii_text.h"
#include "report/secret_mask.h"
#include "report/utf16_mark.h"

namespace {

// Whether `masked` is `text` with some of its parts replaced by kMaskedValue (in UTF-16 in a
// text that opens with UTF-16's byte order mark), and nothing else changed: the piece before
// the first mask begins `text`, the piece after the last ends it, and each piece between two
// masks stands in `text` in order.
bool onlyValuesReplaced(std::string_view text, std::string_view masked) {
    static const std::string kMaskedUtf16 = asUtf16(kMaskedValue);
    const std::string_view mask = text.substr(0, kUtf16Mark.size()) == kUtf16Mark
                                      ? std::string_view(kMaskedUtf16)
                                      : kMaskedValue;
    std::size_t next = masked.find(mask);
    if (next == std::string_view::npos)
        return text == masked;
    if (text.substr(0, next) != masked.substr(0, next))
        return false;
    std::size_t at = next;
    for (masked.remove_prefix(next + mask.size()); (next = masked.find(mask)) != masked.npos;
         masked.remove_prefix(next + mask.size())) {
        at = text.find(masked.substr(0, next), at);
        if (at == text.npos)
            return false;
        at += next;
    }
    return text.size() >= at + masked.size() && text.substr(text.size() - masked.size()) == masked;
}

}  // namespace

void fuzzSecretMasker(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    // The first byte picks the text's code page: UTF-8 (or any single-byte one), or Shift JIS.
    std::bitset<256> leads;
    if (in.byte() % 2 == 1) {
        for (unsigned byte = 0x81; byte <= 0xFC; ++byte)
            leads.set(byte, byte <= 0x9F || byte >= 0xE0);
    }
    const std::string text = in.rest();
    SecretMasker masker(leads);
    std::string masked = text;
    masker.maskLine(masked);
    fuzzCheck(onlyValuesReplaced(text, masked), "masking replaces values and nothing else");
    // Masked again it changes no more than values either. That it changes nothing holds for the
    // forms the masker knows, not for every text: in "<password a=">b">x</password>" the first
    // masking takes the element's content to begin at the first ">", the second at the next.
    SecretMasker again(leads);
    std::string twice = masked;
    again.maskLine(twice);
    fuzzCheck(onlyValuesReplaced(masked, twice), "masking a masked text replaces values only");

    // The batch masks the lines of an embedded file all at once, as the report holds them (each
    // followed by "<BR>" and CR LF): the same as masking them one at a time.
    SecretMasker oneAtATime(leads);
    SecretMasker allAtOnce(leads);
    std::string byLine;
    std::string atOnce;
    std::vector<TextLine> lines;
    for (std::size_t begin = 0; begin <= text.size();) {
        const std::size_t end = std::min(text.find("\r\n", begin), text.size());
        const std::string_view line(text.data() + begin, end - begin);
        const std::size_t before = byLine.size();
        byLine += line;
        oneAtATime.maskLine(byLine, before);
        byLine += "<BR>\r\n";
        lines.push_back(TextLine{atOnce.size(), atOnce.size() + line.size()});
        atOnce += line;
        atOnce += "<BR>\r\n";
        begin = end + 2;
    }
    allAtOnce.maskLines(atOnce, lines);
    fuzzCheck(atOnce == byLine &&
                  describeMaskCounts(allAtOnce.counts()) == describeMaskCounts(oneAtATime.counts()),
              "masking lines all at once masks them as one at a time");
}
