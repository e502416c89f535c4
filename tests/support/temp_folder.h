#pragma once

#include <string>

#include "toolkit/date_time.h"

// A fresh folder for one test, removed with everything in it when the test ends. Paths are
// UTF-8 with the platform's separator; a relative name uses "/".
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's full path, without a trailing separator.
    const std::string& path() const { return path_; }
    std::string file(const std::string& relative) const;
    // Writes `bytes` to the file, creating the folders on its way; returns its full name.
    std::string write(const std::string& relative, const std::string& bytes) const;
    // Creates the folder and its parents; returns its full name.
    std::string makeFolder(const std::string& relative) const;
    // The file's whole content, byte for byte; empty when it cannot be read.
    std::string read(const std::string& relative) const;

private:
    std::string path_;
};

// Sets the file's last change to `when`, local time.
void setLastWrite(const std::string& path, const DateTime& when);
