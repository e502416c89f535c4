#include "toolkit/file_io.h"

#include <cctype>
#include <optional>

#include "toolkit/date_time.h"
#include "toolkit/file_numbers.h"
#include "toolkit/format_value.h"
#include "toolkit/log.h"
#include "toolkit/os/file_handle.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/program_state.h"
#include "toolkit/tell_and_go_on.h"
#include "toolkit/ui/ui.h"

namespace {

// A longer line is handed out in pieces of this size, so that a huge file without line ends is
// never read into memory at once.
constexpr std::size_t kLongestLineRead = 16 * 1024 * 1024;
constexpr int kAbortExitCode = 1;

std::optional<osfs::OpenMode> modeNamed(const std::string& mode) {
    std::string upper = mode;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "APPEND")
        return osfs::OpenMode::Append;
    if (upper == "OUTPUT")
        return osfs::OpenMode::Write;
    if (upper == "INPUT")
        return osfs::OpenMode::Read;
    return std::nullopt;
}

std::string notOpenDescription() {
    return osfs::detail::describe(osfs::detail::Failure::BadFileName);
}

bool writeLine(int number, const std::string& text, std::string& error) {
    OpenTextFile* open = gFileNumbers().get(number);
    if (open == nullptr) {
        error = notOpenDescription();
        return false;
    }
    // The text, in the code page, and its line end go in one after the other.
    if (open->file.writeText(text) && open->file.write("\r\n", 2))
        return true;
    error = open->file.errorDescription();
    return false;
}

// Hands the lines waiting in the buffer of the file under `number` to the disk; true when no
// file is open there.
bool flushLines(int number, std::string& error) {
    OpenTextFile* open = gFileNumbers().get(number);
    if (open == nullptr || open->file.flush())
        return true;
    error = open->file.errorDescription();
    return false;
}

std::string failureText(const std::string& what, const std::string& fileName,
                        const std::string& error) {
    return what + fileName + "\r\n" + "Err = " + error;
}

bool isBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// Every ordinary file a directory search for `pathPattern` finds, with its folder.
std::vector<std::string> ordinaryFilesMatching(const std::string& pathPattern) {
    std::vector<std::string> found;
    if (pathPattern.empty())
        return found;
    const std::string folder = pathPattern.substr(0, pathPattern.rfind(os::kPathSeparator) + 1);
    osfs::DirectorySearch search(pathPattern);
    osfs::FileFacts entry;
    while (search.next(entry)) {
        if (osfs::isOrdinaryFile(entry.attributes))
            found.push_back(folder + entry.name);
    }
    return found;
}

}  // namespace

void cFileIO::init(const std::string& FileName) {
    fileName_ = FileName;
    failureTold_ = false;
}

bool cFileIO::Exists() {
    return !ordinaryFilesMatching(fileName_).empty();
}

void cFileIO::openFile(const std::string& mode, bool ignoreError) {
    std::string error;
    openReporting(mode, ignoreError, error);
}

bool cFileIO::openReporting(const std::string& mode, bool ignoreError, std::string& error) {
    fileNumber_ = gFileNumbers().FreeFile();
    const std::optional<osfs::OpenMode> openMode = modeNamed(mode);
    if (!openMode) {
        // Nothing is opened, so the flags stay as they were.
        MsgBox("Invalid method of opening file");
        error = notOpenDescription();
        return false;
    }
    if (!gFileNumbers().open(fileNumber_, fileName_, *openMode, error)) {
        if (!ignoreError) {
            gLog().log(
                failureText("cFileIO - An error occurred opening the file ", fileName_, error));
        }
        return false;
    }
    open_ = true;
    moreData_ = true;
    failureTold_ = false;
    return true;
}

void cFileIO::printLine(const std::string& txt, bool silent) {
    std::string error;
    if (flushBeforeSilent("printing to", silent) && !writeLine(fileNumber_, txt, error))
        tellWriteFailure("printing to", error, silent);
}

void cFileIO::appendLine(const std::string& txt, bool silent) {
    appendLines(&txt, 1, silent);
}

void cFileIO::dumpArray(const std::vector<std::string>& arr, bool silent,
                        const std::string& prePendLine) {
    std::vector<std::string> lines;
    for (std::size_t i = 1; i < arr.size(); ++i) {
        if (!isBlank(arr[i]))
            lines.push_back(prePendLine + arr[i]);
    }
    appendLines(lines.data(), lines.size(), silent);
}

void cFileIO::appendLines(const std::string* lines, std::size_t count, bool silent) {
    // A file this call opens is closed again, unless a write fails: then it stays open and the
    // next append writes to it without opening it again.
    const bool openedHere = !open_;
    std::string error;
    bool done = !openedHere || openReporting("APPEND", false, error);
    if (done && !flushBeforeSilent("appending to", silent))
        return;
    for (std::size_t i = 0; done && i < count; ++i)
        done = writeLine(fileNumber_, lines[i], error);
    if (done && openedHere)
        done = closeReporting(error);
    if (!done)
        tellWriteFailure("appending to", error, silent);
}

bool cFileIO::flushBeforeSilent(const char* what, bool silent) {
    std::string error;
    if (!silent || flushLines(fileNumber_, error))
        return true;
    tellWriteFailure(what, error, false);
    return false;
}

void cFileIO::tellWriteFailure(const char* what, const std::string& error, bool silent) {
    if (silent || failureTold_)
        return;
    failureTold_ = true;
    tellAndGoOn(failureText(std::string("An error occurred ") + what + " file ", fileName_, error));
}

std::string cFileIO::getLine() {
    for (;;) {
        std::string error;
        OpenTextFile* open = gFileNumbers().get(fileNumber_);
        if (open == nullptr) {
            error = notOpenDescription();
        } else if (open->reader.atEnd()) {
            moreData_ = false;
            return std::string();
        } else {
            std::string line;
            if (open->reader.readLine(line, kLongestLineRead))
                return line;
            error = open->file.errorDescription();
        }
        const MsgAnswer answer =
            MsgBox("An error occurred reading from the file " + fileName_ + "\r\n" +
                       "Err = " + error + "Click OK to resume",
                   MsgButtons::AbortRetryIgnore, MsgIcon::None, "Error reading from File");
        if (answer == MsgAnswer::Abort)
            EndProgram(kAbortExitCode);
        if (answer != MsgAnswer::Retry)
            return std::string();
    }
}

void cFileIO::closeFile() {
    std::string error;
    // The last buffered lines reach the disk here, so their loss is told as a failed append.
    if (open_ && !closeReporting(error))
        tellWriteFailure("appending to", error, false);
}

bool cFileIO::closeReporting(std::string& error) {
    open_ = false;
    if (gFileNumbers().close(fileNumber_))
        return true;
    error = osfs::lastErrorDescription();
    return false;
}

void cFileIO::Clear() {
    for (const std::string& file : ordinaryFilesMatching(fileName_))
        osfs::removeFile(file);
}

std::string cFileIO::LoadFileToString(const std::string& linefeedChar) {
    closeFile();
    openFile("INPUT");
    std::string result;
    while (moreData_)
        result += getLine() + linefeedChar;
    return result;
}

bool cFileIO::waitUntilFileCanBeOpened(int maxSecs) {
    // The deadline and the clock are compared as "hh:mm:ss" texts, so a deadline past
    // midnight times out at the first retry.
    const std::string deadline = FormatValue(nowLocal().plusSeconds(maxSecs), "hh:mm:ss");
    FileNumberTable& numbers = gFileNumbers();
    // Only a file this object holds open is closed: its old number may since have been given
    // to another object's file.
    if (open_)
        numbers.close(fileNumber_);
    int number = numbers.FreeFile();
    ui().setMousePointer(kPointerHourglass);
    std::int64_t attempts = 0;
    std::string ignored;
    while (!numbers.open(number, fileName_, osfs::OpenMode::Read, ignored)) {
        if (deadline < FormatValue(nowLocal(), "hh:mm:ss")) {
            gLog().log(
                "FAIL - waitUntilFileCanOpened Timed out waiting for file to be opened after " +
                    signedDecimal(attempts) + " attempts for file " + fileName_,
                1);
            ui().setMousePointer(kPointerDefault);
            return false;
        }
        number = numbers.FreeFile();
        ui().DoEvents();
        ++attempts;
    }
    gLog().log("SUCCESS - waitUntilFileCanOpened took " + signedDecimal(attempts) +
                   " attempts for " + fileName_,
               1);
    numbers.close(number);
    ui().setMousePointer(kPointerDefault);
    return true;
}
