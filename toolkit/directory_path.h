#pragma once

#include <string>

#include "toolkit/date_time.h"

class clsArray;

// One folder of the file system: its full name, whether it exists, its creation with every
// missing parent, its date, and the names of its files and subfolders.
class clsPath {
public:
    // Accepted, without effect.
    bool deleteAllFiles(const std::string& /*fileSpec*/ = "") { return false; }
    void createSubDir(const std::string& /*subdir*/ = "") {}

    // The folder's name, with a trailing separator on request. Shows a message box and answers
    // the empty text while no folder has been named.
    std::string getFullName(bool addTrailingSlash = false) const;
    // The folder `nme` inside `par`, created when asked for and missing.
    void init(const std::string& par, const std::string& nme, bool createIfNotThere = false);
    // The folder `pth`, trimmed of spaces and of one trailing separator; the cleaned name is
    // handed back in `pth`. Created when asked for and missing.
    void initFull(std::string& pth, bool createIfNotThere = false);
    // The text up to and including the last separator; empty when there is none.
    std::string ExtractParent(const std::string& pth) const;
    // Creates the folder and every missing parent below its first component; false when one
    // of them could not be created.
    bool MakePathAux(const std::string& strDirName);
    // Throws std::runtime_error when the folder's drive cannot be read.
    bool Exists() const;

    // The folder's last-change date, also kept in the object. Throws std::runtime_error when
    // the folder cannot be found.
    DateTime DateCreated();
    int numfiles() const { return numFiles_; }
    int numSubFolders() const { return numSubFolders_; }

    // Fills `arr` with the full names of the ordinary files matching `fileSpec` (every one when
    // empty) and answers their number.
    int GetListOFiles(clsArray& arr, const std::string& fileSpec = "");
    // Fills `arr` with one item per entry of the folder that is not hidden or a system entry:
    // the subfolder's bare name, or the empty text for a file. Answers the number of items.
    int GetListOfSubDirectories(clsArray& arr);

private:
    std::string path_;
    short numSubFolders_ = 0;
    short numFiles_ = 0;
    DateTime date_;
    std::string creationError_;  // why the last failed MakePathAux could not create a level
};
