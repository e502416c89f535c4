#pragma once

#include <string>
#include <vector>

class ListBox;
struct AppObject;

// The version as the window's caption shows it: "v1.0   (build 3)".
std::string versionText(const AppObject& app);

// The application log: one time-stamped line per event, tagged with the computer's and the
// user's name, appended to the log file in the program's folder. Only calls whose level is 0
// or less are written (the threshold is fixed at 0).
class cLog {
public:
    // Empty names take their defaults in the program's folder; the defaults are handed back.
    void init(std::string& logFile, std::string& errorFile, std::string& TempFile,
              bool runSilent = false, int LogLevel = 0);
    void init();  // every name empty, as the main window calls it

    void log(const std::string& details, int LogLevel = 0, bool toListbox = false,
             bool toError = false, bool toTemp = false);
    // Accepted and without effect.
    void logError(const std::string& /*details*/, int /*LogLevel*/ = 0) {}
    void Clear(bool /*clearLog*/ = false, bool /*clearError*/ = false, bool /*clearTemp*/ = false) {
    }
    void pimlog(std::string& fname, const std::string& msg, int entryType, int LogLevel = 0,
                const std::string& userName = "");
    void logArray(const std::vector<std::string>& arr);
    std::string getAppVersionString() const;
    std::string getAppVersionNum() const;
    // -1 when the file can be opened for appending, 0 when it cannot.
    int CheckFileAvailability(const std::string& fname);

    ListBox* listBox() const { return listBox_; }
    void setlistBox(ListBox* lst) { listBox_ = lst; }
    int LogLevel() const { return level_; }
    void setLogLevel(int level) { level_ = level; }
    const std::string& TempFile() const { return tempFile_; }
    void setTempFile(const std::string& v) { tempFile_ = v; }
    const std::string& errorFile() const { return errorFile_; }
    void setErrorFile(const std::string& v) { errorFile_ = v; }
    const std::string& logFile() const { return logFile_; }
    void setLogFile(const std::string& v) { logFile_ = v; }
    bool runSilent() const { return runSilent_; }
    void setRunSilent(bool v) { runSilent_ = v; }

private:
    // The names as last fetched from the system; fetched again only while empty.
    const std::string& knownUserName();
    const std::string& knownComputerName();

    bool runSilent_ = false;
    std::string logFile_;
    std::string errorFile_;
    std::string tempFile_;
    int level_ = 0;
    ListBox* listBox_ = nullptr;
    bool mirror_ = false;
    std::string userName_;
    std::string computerName_;
    bool writing_ = false;  // guards against a log write that fails and logs again
};
