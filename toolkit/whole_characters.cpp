#include "toolkit/whole_characters.h"

#include <algorithm>

namespace {

bool isUtf8Continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the character that `lead` begins, by its leading one bits; 1 for a byte that
// begins none.
std::size_t utf8Length(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0 && lead < 0xF0)
        return 3;
    if (lead >= 0xC0 && lead < 0xE0)
        return 2;
    return 1;
}

// A character that the text ends inside begins in its last three bytes: the last byte there
// that is no continuation byte begins it, and it is unfinished when it calls for more bytes
// than stand from it to the end.
std::size_t wholeUtf8Bytes(std::string_view bytes) {
    const std::size_t size = bytes.size();
    for (std::size_t back = 1; back <= std::min(size, kLongestUnfinishedCharacter); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[size - back]);
        if (!isUtf8Continuation(byte))
            return utf8Length(byte) > back ? size - back : size;
    }
    return size;
}

// A byte that is no lead byte ends a character, alone or as the second byte of two. From the
// last such byte (or the start) on, every byte is a lead byte: they pair up, and an odd one
// out at the end is a character's first byte alone. So the walk back gives what a walk from the
// start would, and where the text ends in ASCII, as it mostly does, it takes one step.
std::size_t wholeDoubleByteBytes(std::string_view bytes, const std::bitset<256>& leadBytes) {
    std::size_t leads = 0;
    while (leads < bytes.size() &&
           leadBytes.test(static_cast<unsigned char>(bytes[bytes.size() - 1 - leads]))) {
        ++leads;
    }
    return bytes.size() - leads % 2;
}

}  // namespace

std::size_t wholeCharacterBytes(std::string_view bytes, const os::CharacterBytes& layout) {
    if (layout.utf8)
        return wholeUtf8Bytes(bytes);
    return layout.leadBytes.none() ? bytes.size() : wholeDoubleByteBytes(bytes, layout.leadBytes);
}

std::size_t wholeUtf8Prefix(std::string_view text, std::size_t room) {
    if (text.size() <= room)
        return text.size();
    // The piece ends between two characters where the byte after it begins one.
    std::size_t piece = room;
    while (piece > 0 && room - piece < kLongestUnfinishedCharacter &&
           isUtf8Continuation(static_cast<unsigned char>(text[piece]))) {
        --piece;
    }
    return piece;
}
