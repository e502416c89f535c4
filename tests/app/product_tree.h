#pragma once

#include <string>
#include <vector>

#include "bench/pe_image.h"
#include "tests/support/hidden_file.h"
#include "tests/support/temp_folder.h"

// `count` lines "text 1" to "text count", each ended by CR LF.
inline std::string numberedLines(int count, const std::string& text) {
    std::string all;
    for (int line = 1; line <= count; ++line)
        all += text + " " + std::to_string(line) + "\r\n";
    return all;
}

// A product installation under `temp`: "install/morva" with a chain of nested folders, each
// holding at most one subfolder and one visible file, so that the report does not depend on
// the order in which a folder's entries are listed. Between them: a config file, a program with
// a version resource and one without, a hidden file, a log of 250 lines, a data file of this
// year (2005) without line ends and one that only looks like one, a file named like the
// tool's own list, a config file of 450 lines, non-ASCII names and an empty folder. Beside it
// "install/vell" holds a config file named without extension, and "install/skipped" one
// that a report leaves out when the user clears its folder. Answers the product folders to
// examine: morva, a missing "install/missing", vell and skipped.
inline std::vector<std::string> buildProductTree(const TempFolder& temp) {
    std::string folder = "install/morva";
    auto next = [&folder](const std::string& name) { return folder += "/" + name; };
    temp.write(folder + "/setup.ini", "[Setup]\r\nPath=C:\\Morva\r\nName=<Morva & Co>\r\n");
    temp.write(next("bin") + "/tool.exe", programWithVersion("3.2.1.0"));
    hideFile(temp.write(folder + "/.secret.ini", "password=none\r\n"));
    temp.write(next("logs") + "/app.log", numberedLines(250, "2005-05-22 14:05:09 event"));
    temp.write(next("data") + "/D2005-05-22.DAT", "1;2;3;4;5;6;7;8;9");
    temp.write(next("\u00DCnic\u00F8de") + "/notes-\u00E9.txt", "Gr\u00FC\u00DFe\r\n");
    temp.write(next("old") + "/d2005x.dat", "not this year's data\r\n");
    temp.write(next("own") + "/_tmpApps.txt", "a list of the tool's own\r\n");
    temp.write(next("setup") + "/Setup.Exe", "no version resource");
    temp.write(next("big") + "/big.txt", numberedLines(450, "setting"));
    temp.makeFolder(next("empty"));
    temp.write("install/vell/CHANGE", "changed\r\n");
    temp.write("install/skipped/ignored.ini", "not in the report\r\n");
    return {temp.file("install/morva"), temp.file("install/missing"), temp.file("install/vell"),
            temp.file("install/skipped")};
}
