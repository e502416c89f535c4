#include "toolkit/os/code_page.h"

namespace os {

void appendInCodePage(std::string& out, std::string_view utf8) {
    out.append(utf8);
}

void appendFromCodePage(std::string& out, std::string_view bytes) {
    out.append(bytes);
}

std::size_t fromCodePageInPlace(std::string&, std::size_t count) {
    return count;
}

}  // namespace os
