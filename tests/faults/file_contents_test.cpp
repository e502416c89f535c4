// Files whose contents are not what a text reader expects: binary bytes. On Windows the text
// goes through the code page on its way in and out, and must come back byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "tests/faults/fault_fixture.h"

namespace {

using FileContents = FaultTest;

TEST_F(FileContents, BinaryBytesAreEmbeddedAsTheyAre) {
    std::string everyOtherByte;  // every byte but the line ends, NUL and 0xFF among them
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            everyOtherByte += static_cast<char>(byte);
    }
    folder.write("product/binary.ini", everyOtherByte);
    const std::string zeros(4096, '\0');
    folder.write("product/program.log", zeros + "\r\nlast line\r\n");

    expectReport(folder.file("product"), 1,
                 {everyOtherByte + "<BR>\r\n", zeros + "<BR>\r\nlast line<BR>\r\n"});
}

}  // namespace
