#include "report/file_classes.h"

#include <algorithm>
#include <array>

#include "toolkit/format_value.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/text_affixes.h"

namespace {

constexpr std::array<const char*, 8> kConfigEndings = {"TXT", "INI", "LIS", "PRO",
                                                       "PTH", ".OK", "ADD", "NGE"};

}  // namespace

std::string lastThreeUpper(const std::string& text) {
    std::string tail = text.size() > 3 ? text.substr(text.size() - 3) : text;
    for (char& c : tail) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return tail;
}

bool isProgramFile(const std::string& fullName) {
    return lastThreeUpper(fullName) == "EXE";
}

FileClass classifyFile(const std::string& fullName, int currentYear) {
    const std::string tail = lastThreeUpper(fullName);
    const std::string name = GetFileNameFromPath(fullName);
    const bool configEnding =
        std::find(kConfigEndings.begin(), kConfigEndings.end(), tail) != kConfigEndings.end();
    if (configEnding && !startsWith(name, "_tmp"))
        return FileClass::Config;
    if (tail == "LOG")
        return FileClass::Log;
    if (tail == "DAT" && startsWith(name, "D" + FormatValue(currentYear, "0000")))
        return FileClass::Data;
    return FileClass::Other;
}
