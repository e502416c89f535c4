#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A line-oriented text file bound to one file name. Lines are written with CR LF; lines are
// read by the program's one line-end rule (LineReader); the file's text is in the system's code
// page. Each operation handles its own failures: open failures go to the application log, read
// failures to a message box, and the caller always gets control back unless the user aborts
// after a read failure. Writes are buffered, so a full disk may show at any later write or only
// when the file is closed: the first write failure after each open, wherever it shows, is told
// to the user and logged, and the others of that open are not.
class cFileIO {
public:
    void init(const std::string& FileName);
    const std::string& fname() const { return fileName_; }
    void setFname(const std::string& name) { init(name); }
    bool moreData() const { return moreData_; }

    // True when a directory search for the file name finds an ordinary file.
    bool Exists();
    // mode "APPEND", "OUTPUT" or "INPUT", in any case.
    void openFile(const std::string& mode, bool ignoreError = false);
    void printLine(const std::string& txt, bool silent = false);
    void appendLine(const std::string& txt, bool silent = false);
    // Writes arr[1..] (never arr[0]), one line per item that is not blank once trimmed.
    void dumpArray(const std::vector<std::string>& arr, bool silent = false,
                   const std::string& prePendLine = "");
    std::string getLine();
    void closeFile();
    // Deletes the file (every match when the name holds wildcards); failures are ignored.
    void Clear();
    std::string LoadFileToString(const std::string& linefeedChar);
    bool waitUntilFileCanBeOpened(int maxSecs);

private:
    // openFile and closing, with the failure's description handed back.
    bool openReporting(const std::string& mode, bool ignoreError, std::string& error);
    bool closeReporting(std::string& error);
    // A silent write must not hide the loss of earlier lines that were not silent: the lines
    // waiting in the write buffer go to the disk before it, and their failure is told as any
    // other. False when they failed; the silent write is then skipped.
    bool flushBeforeSilent(const char* what, bool silent);
    // Tells the user of a failed write, "An error occurred <what> file ...", unless `silent` or
    // a failure of this open was told already.
    void tellWriteFailure(const char* what, const std::string& error, bool silent);
    // appendLine and dumpArray: one open, the writes and one close when the file was not open.
    // The lines are taken where they are: an embedded file's text can be a mebibyte.
    void appendLines(const std::string* lines, std::size_t count, bool silent);

    std::string fileName_;
    int fileNumber_ = 0;
    bool moreData_ = false;
    bool open_ = false;
    bool failureTold_ = false;
};
