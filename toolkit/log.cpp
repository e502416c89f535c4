#include "toolkit/log.h"

#include "toolkit/date_time.h"
#include "toolkit/file_io.h"
#include "toolkit/file_numbers.h"
#include "toolkit/format_value.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/os/system_names.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/controls.h"

namespace {

// Calls with a level above this are not written. Nothing changes it.
constexpr int kLogThreshold = 0;
// The fallback lines of pimlog and logArray go out under this number, without asking the
// file-number table; when it is in use, the fallback line is lost.
constexpr int kFallbackFileNumber = 8;
constexpr std::size_t kSeparatorLength = 54;

std::string inProgramFolder(const std::string& name) {
    return App().Path + os::kPathSeparator + name;
}

std::string defaultLogFile() {
    return inProgramFolder(App().EXEName + ".log");
}

// A short date and a long time as an English (United States) setting writes them:
// 5/22/2005 2:05:09 PM.
std::string regionalDateTime(const DateTime& when) {
    const int hour = when.hour % 12 == 0 ? 12 : when.hour % 12;
    return std::to_string(when.month) + "/" + std::to_string(when.day) + "/" +
           std::to_string(when.year) + " " + std::to_string(hour) + ":" +
           FormatValue(when.minute, "00") + ":" + FormatValue(when.second, "00") +
           (when.hour < 12 ? " AM" : " PM");
}

bool appendRecord(int number, const std::string& fileName, const std::string& record) {
    FileNumberTable& numbers = gFileNumbers();
    std::string ignored;
    if (!numbers.open(number, fileName, osfs::OpenMode::Append, ignored))
        return false;
    const bool written = numbers.get(number)->file.writeText(record + "\r\n");
    return numbers.close(number) && written;
}

// The last resort of pimlog and logArray when their own file cannot be written. `failedNumber`
// is the number that failed; it is closed after the fallback line.
void writeFallback(const std::string& what, const std::string& text, int failedNumber) {
    appendRecord(kFallbackFileNumber, inProgramFolder("error.log"),
                 what + regionalDateTime(nowLocal()) + " - text = " + text);
    gFileNumbers().close(failedNumber);
}

// Clears the flag again however the scope is left.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

}  // namespace

void cLog::init(std::string& logFile, std::string& errorFile, std::string& TempFile, bool runSilent,
                int LogLevel) {
    if (logFile.empty())
        logFile = defaultLogFile();
    if (errorFile.empty())
        errorFile = inProgramFolder("error.log");
    if (TempFile.empty())
        TempFile = inProgramFolder("temp.log");
    logFile_ = logFile;
    errorFile_ = errorFile;
    tempFile_ = TempFile;
    runSilent_ = runSilent;
    level_ = LogLevel;
    knownUserName();
    knownComputerName();
    if (!runSilent_)
        log("Started Program", 1);
    log(std::string(kSeparatorLength, '-'));
    mirror_ = true;
}

void cLog::init() {
    std::string logFile;
    std::string errorFile;
    std::string tempFile;
    init(logFile, errorFile, tempFile);
}

void cLog::log(const std::string& details, int LogLevel, bool /*toListbox*/, bool /*toError*/,
               bool /*toTemp*/) {
    // A log file that cannot be written makes the text file object log its failure; that call
    // arrives here while the first is still writing and is dropped, so the failure neither
    // recurses nor hangs. The text file object still shows the user its message box.
    if (LogLevel > kLogThreshold || writing_)
        return;
    FlagGuard writing(writing_);
    const std::string line = FormatValue(nowLocal(), "yyyy-mm-dd, hh:mm:ss") + ", " +
                             computerName_ + ", " + userName_ + ", " + details;
    cFileIO file;
    file.init(logFile_);
    file.appendLine(line);
    if (mirror_ && listBox_ != nullptr)
        listBox_->AddItem(line);
}

void cLog::pimlog(std::string& fname, const std::string& msg, int entryType, int LogLevel,
                  const std::string& userName) {
    if (LogLevel > kLogThreshold)
        return;
    if (fname.empty())
        fname = defaultLogFile();
    const DateTime now = nowLocal();
    const std::string stamp = FormatValue(now, "yyyymmdd") + "," + FormatValue(now, "hh:mm:ss");
    std::string record;
    switch (entryType) {
        case 1:
            record = stamp + "," + knownUserName() + "," + knownComputerName() + "," + msg;
            break;
        case 2:
            record = stamp + "," + msg;
            break;
        case 77:
            record = stamp + "," + userName + "," + msg;
            break;
        default:
            record = msg;
            break;
    }
    const int number = gFileNumbers().FreeFile();
    if (!appendRecord(number, fname, record))
        writeFallback("PIM LOGGING ERROR ", msg, number);
}

void cLog::logArray(const std::vector<std::string>& arr) {
    const int number = gFileNumbers().FreeFile();
    const DateTime now = nowLocal();
    std::string line = FormatValue(now, "yyyymmdd") + "," + FormatValue(now, "hhmm") + "," +
                       knownUserName() + "," + knownComputerName() + ", ARRAY=";
    for (std::size_t i = 0; i < arr.size(); ++i) {
        if (!arr[i].empty())
            line += signedDecimal(static_cast<std::int64_t>(i)) + "-" + arr[i];
    }
    if (!appendRecord(number, logFile_, line)) {
        writeFallback("ARRAY LOGGING ERROR ", "error logging array", number);
    }
}

std::string versionText(const AppObject& app) {
    return "v" + std::to_string(app.Major) + "." + std::to_string(app.Minor) + "   (build " +
           std::to_string(app.Revision) + ")";
}

std::string cLog::getAppVersionString() const {
    return versionText(App());
}

std::string cLog::getAppVersionNum() const {
    const AppObject& app = App();
    return std::to_string(app.Major) + "." + std::to_string(app.Minor) + "." +
           std::to_string(app.Revision);
}

int cLog::CheckFileAvailability(const std::string& fname) {
    FileNumberTable& numbers = gFileNumbers();
    const int number = numbers.FreeFile();
    std::string ignored;
    if (!numbers.open(number, fname, osfs::OpenMode::Append, ignored)) {
        // Every open file is closed here, whoever holds it.
        numbers.closeAll();
        return 0;
    }
    numbers.close(number);
    return -1;
}

const std::string& cLog::knownUserName() {
    if (userName_.empty())
        userName_ = os::userName();
    return userName_;
}

const std::string& cLog::knownComputerName() {
    if (computerName_.empty())
        computerName_ = os::computerName();
    return computerName_;
}
