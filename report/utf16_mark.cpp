#include "report/utf16_mark.h"

#include "toolkit/os/code_page.h"

const std::string& utf16MarkAsRead() {
    static const std::string kMark = [] {
        const os::CodePage codePage = os::systemCodePage();
        const os::CharacterBytes characters = os::characterBytesOf(codePage);
        if (characters.utf8 || characters.leadBytes.any())
            return std::string();
        std::string mark(kUtf16Mark);
        mark.resize(os::fromCodePageInPlace(mark, mark.size(), codePage));
        return mark;
    }();
    return kMark;
}
