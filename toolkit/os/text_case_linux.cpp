#include <locale.h>
#include <wctype.h>

#include <climits>
#include <cwchar>

#include "toolkit/os/text_case.h"

namespace os {

namespace {

// The C.UTF-8 locale's case mapping, which covers all of Unicode whatever the user's own
// locale is; where the system lacks it, the C locale's, which changes only ASCII letters and
// keeps every other byte. Null only when even that could not be had (out of memory).
locale_t caseLocale() {
    static const locale_t locale = [] {
        const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
        return utf8 != nullptr ? utf8 : newlocale(LC_CTYPE_MASK, "C", nullptr);
    }();
    return locale;
}

}  // namespace

std::string upperCase(const std::string& text) {
    const locale_t locale = caseLocale();
    if (locale == nullptr)
        return text;
    const locale_t previous = uselocale(locale);
    std::string upper;
    std::mbstate_t in{}, out{};
    char encoded[MB_LEN_MAX];
    for (std::size_t at = 0; at < text.size();) {
        wchar_t c{};
        const std::size_t used = std::mbrtowc(&c, text.data() + at, text.size() - at, &in);
        if (used == 0 || used > text.size() - at) {
            // A zero character, or a byte that is not UTF-8: kept as it is.
            upper += text[at++];
            in = std::mbstate_t{};
            continue;
        }
        const std::size_t written = std::wcrtomb(encoded, towupper_l(c, locale), &out);
        if (written == static_cast<std::size_t>(-1))
            upper.append(text, at, used);
        else
            upper.append(encoded, written);
        at += used;
    }
    uselocale(previous);
    return upper;
}

}  // namespace os
