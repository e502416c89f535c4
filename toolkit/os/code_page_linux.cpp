#include "toolkit/os/code_page.h"

namespace os {

namespace {

constexpr CodePage kUtf8 = 65001;

}  // namespace

CodePage systemCodePage() {
    return kUtf8;
}

CharacterBytes characterBytesOf(CodePage) {
    CharacterBytes utf8;
    utf8.utf8 = true;
    return utf8;
}

void appendInCodePage(std::string& out, std::string_view utf8) {
    out.append(utf8);
}

std::size_t fromCodePageInPlace(std::string&, std::size_t count, CodePage) {
    return count;
}

}  // namespace os
