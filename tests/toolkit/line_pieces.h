#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/temp_folder.h"
#include "toolkit/line_reader.h"
#include "toolkit/os/code_page.h"

using Piece = std::pair<std::string, bool>;  // the text read, and whether the line was cut
using Pieces = std::vector<Piece>;

// The pieces the line reader hands out for a file of `bytes` in `codePage`, up to a piece that
// keeps nothing because the next character is longer than the cap: the reader stays there.
// Reads through one buffer kept from file to file, as the report does: it holds the last
// file's bytes and more room than was read, none of which may show in the next file.
inline Pieces readAll(const std::string& bytes, std::size_t maxBytes = 1 << 30,
                      os::CodePage codePage = os::systemCodePage()) {
    static std::string buffer;
    TempFolder folder;
    osfs::File file;
    EXPECT_TRUE(file.open(folder.write("lines.txt", bytes), osfs::OpenMode::Read));
    LineReader reader(file, buffer, codePage);
    Pieces pieces;
    while (!reader.atEnd()) {
        Piece piece;
        EXPECT_TRUE(reader.readLine(piece.first, maxBytes, &piece.second));
        pieces.push_back(piece);
        if (piece.second && piece.first.empty())
            break;
    }
    return pieces;
}
