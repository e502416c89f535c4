#include <iconv.h>

#include <cerrno>
#include <map>
#include <memory>
#include <string>

#include "toolkit/os/code_page_decode.h"

namespace os {

namespace {

constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

struct Converter {
    iconv_t handle = kNoConverter;
    ~Converter() {
        if (handle != kNoConverter)
            iconv_close(handle);
    }
};

// iconv names Windows code pages "CP1251"; a few it knows only as "WINDOWS-1251". Each
// converter is opened once per thread and kept for the thread's run: a converter holds the state
// of the conversion under way, so two threads that read reports at once must not share one.
iconv_t converterFor(unsigned codePage) {
    thread_local std::map<unsigned, std::unique_ptr<Converter>> converters;
    std::unique_ptr<Converter>& converter = converters[codePage];
    if (!converter) {
        converter = std::make_unique<Converter>();
        const std::string number = std::to_string(codePage);
        for (const std::string& name : {"CP" + number, "WINDOWS-" + number}) {
            converter->handle = iconv_open("UTF-8", name.c_str());
            if (converter->handle != kNoConverter)
                break;
        }
    }
    return converter->handle;
}

}  // namespace

bool codePageKnown(unsigned codePage) {
    return converterFor(codePage) != kNoConverter;
}

bool appendFromCodePage(unsigned codePage, std::string_view bytes, std::string& utf8) {
    const iconv_t converter = converterFor(codePage);
    if (converter == kNoConverter)
        return false;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        // A character takes at most four bytes in UTF-8, and every byte of input gives at most
        // one character in the single- and double-byte code pages.
        const std::size_t start = utf8.size();
        utf8.resize(start + inLeft * 4 + 4);
        char* out = utf8.data() + start;
        std::size_t outLeft = inLeft * 4 + 4;
        const std::size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
        utf8.resize(utf8.size() - outLeft);
        if (converted == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A byte the code page does not define, or a character cut off at the end.
            utf8 += kReplacementCharacter;
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return true;
}

}  // namespace os
