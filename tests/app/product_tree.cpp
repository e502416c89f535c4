#include "tests/app/product_tree.h"

#include "bench/pe_image.h"
#include "tests/support/hidden_file.h"
#include "tests/support/temp_folder.h"

namespace {

std::string lines(int count, const std::string& text) {
    std::string all;
    for (int line = 1; line <= count; ++line)
        all += text + " " + std::to_string(line) + "\r\n";
    return all;
}

}  // namespace

std::vector<std::string> buildProductTree(const TempFolder& temp) {
    std::string folder = "install/morva";
    auto next = [&folder](const std::string& name) { return folder += "/" + name; };
    temp.write(folder + "/setup.ini", "[Setup]\r\nPath=C:\\Morva\r\nName=<Morva & Co>\r\n");
    temp.write(next("bin") + "/tool.exe", programWithVersion("3.2.1.0"));
    hideFile(temp.write(folder + "/.secret.ini", "password=none\r\n"));
    temp.write(next("logs") + "/app.log", lines(250, "2005-05-22 14:05:09 event"));
    temp.write(next("data") + "/D2005-05-22.DAT", "1;2;3;4;5;6;7;8;9");
    temp.write(next("\u00DCnic\u00F8de") + "/notes-\u00E9.txt", "Gr\u00FC\u00DFe\r\n");
    temp.write(next("old") + "/d2005x.dat", "not this year's data\r\n");
    temp.write(next("own") + "/_tmpApps.txt", "a list of the tool's own\r\n");
    temp.write(next("setup") + "/Setup.Exe", "no version resource");
    temp.write(next("big") + "/big.txt", lines(450, "setting"));
    temp.makeFolder(next("empty"));
    temp.write("install/vell/CHANGE", "changed\r\n");
    temp.write("install/skipped/ignored.ini", "not in the report\r\n");
    return {temp.file("install/morva"), temp.file("install/missing"), temp.file("install/vell"),
            temp.file("install/skipped")};
}
