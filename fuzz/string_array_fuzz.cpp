#include <string>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_targets.h"
#include "toolkit/string_array.h"

void fuzzStringArray(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t flags = in.byte();
    const bool includeBlanks = (flags & 0x80) != 0;
    const std::string delim = in.bytes(flags & 0x07);
    const std::string text = in.rest();

    clsArray list;
    list.init();
    list.CreateByParsingText(text, delim, includeBlanks);
    const int appended = list.Count();
    fuzzCheck(appended >= 0 && appended <= 99, "at most 99 fields are appended");
    fuzzCheck(!includeBlanks || appended == 99, "with blanks exactly 99 fields are appended");
    for (int i = 1; i <= appended; ++i) {
        const std::string item = list.Item(i);
        const bool trimmed = item.empty() || (item.front() != ' ' && item.back() != ' ');
        fuzzCheck(trimmed, "every appended field is trimmed of spaces");
        fuzzCheck(item.size() <= text.size(), "no field is longer than the text");
    }
    list.CreateByParsingText(text, delim, includeBlanks);
    fuzzCheck(list.Count() == 2 * appended, "a second parse appends the same number again");
}
