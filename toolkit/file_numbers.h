#pragma once

#include <map>
#include <memory>
#include <string>

#include "toolkit/line_reader.h"
#include "toolkit/os/file_system.h"

// A text file open under a number of the file-number table.
struct OpenTextFile {
    osfs::File file;
    LineReader reader{file};
};

// The program-wide table of open text files, each named by a small positive number. The next
// free number is the lowest number from 1 upward that is not in use.
class FileNumberTable {
public:
    int FreeFile() const;
    // Opens `path` under `number`; false with the failure's description in `error`.
    bool open(int number, const std::string& path, osfs::OpenMode mode, std::string& error);
    // The file open under `number`, or null.
    OpenTextFile* get(int number);
    // Closes `number` if it is open; false when the close (its last write) failed.
    bool close(int number);
    void closeAll();

private:
    std::map<int, std::unique_ptr<OpenTextFile>> files_;
};
