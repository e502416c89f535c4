#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/line_pieces.h"

namespace {

// A character whose bytes a 64 KiB read splits comes out whole, in the double-byte code pages
// and in UTF-8, whatever code page the system has: the first read here ends after the lead
// byte. The second byte of "表" in Shift JIS (932) is the backslash, so a lead byte turned on its
// own leaves a stray "\" behind; in the others the second byte pairs with the next character's
// first and garbles the text up to the next ASCII byte.
TEST(LineReaderWin32Test, ACharacterAcrossTwoReadsComesOutWhole) {
    const std::string ascii(64 * 1024 - 1, 'a');
    const std::string japanese = "\u8868\u793A";  // "表示"
    const struct {
        os::CodePage codePage;
        std::string bytes;
        std::string text;
    } cases[] = {
        {932, "\x95\x5C\x8E\xA6", japanese},
        {936, "\xB1\xED\xCA\xBE", japanese},        // the same two characters in Chinese
        {949, "\xC7\xA5\xBD\xC3", "\uD45C\uC2DC"},  // Korean "표시"
        {950, "\xAA\xED\xA5\xDC", japanese},
        {65001, japanese, japanese},
    };
    for (const auto& c : cases) {
        const std::string file = ascii + c.bytes + " ok";
        EXPECT_EQ(readAll(file, 1 << 30, c.codePage), (Pieces{{ascii + c.text + " ok", false}}))
            << c.codePage;
        // A cap at the end of the first read cuts before the character.
        EXPECT_EQ(readAll(file, ascii.size() + 1, c.codePage),
                  (Pieces{{ascii, true}, {c.text + " ok", false}}))
            << c.codePage;
    }
}

}  // namespace
