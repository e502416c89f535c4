#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "toolkit/os/code_page.h"
#include "toolkit/os/file_system.h"
#include "toolkit/whole_characters.h"

// Reads a text file in a code page piece by piece, each piece turned into UTF-8 at the front of
// a buffer. A piece holds whole characters only: a read that ends inside a character (the lead
// byte of a double-byte code page, the first bytes of a UTF-8 character) keeps that
// character's bytes for the front of the next piece, since a part of one turned on its own is
// lost. At the end of the file such bytes go as they are.
class TextPieceReader {
public:
    // Reads `file` from where it stands, just opened, into `buffer`, whose content is of no
    // account and which keeps its size between reads, so that its room is neither freed nor
    // zeroed again.
    TextPieceReader(osfs::File& file, std::string& buffer, os::CodePage codePage);
    TextPieceReader(const TextPieceReader&) = delete;
    TextPieceReader& operator=(const TextPieceReader&) = delete;

    // Reads the next piece into the front of the buffer and returns its length in UTF-8: 0 at
    // the end of the file, -1 when the read failed (it may succeed when tried again).
    long long next();

private:
    osfs::File& file_;
    std::string& buffer_;
    const os::CodePage codePage_;
    const os::CharacterBytes characterBytes_;
    // The bytes of the character that the last read ended inside.
    std::array<char, kLongestUnfinishedCharacter> carried_{};
    std::size_t carriedCount_ = 0;
    // The bytes still to read up to the size the file had when it was opened, when it had one
    // and the reader began at its start; once they are read the end is known without another
    // read. Negative when it is not known.
    long long unread_;
    bool eof_ = false;
};
