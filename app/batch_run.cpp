#include "app/batch_run.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>

#include "app/frm_report_configuration.h"
#include "report/report_masking.h"
#include "report/tool_files.h"
#include "toolkit/log.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

constexpr const char* kClosingLine = "</BODY></HTML>\r\n";

void printUsage(std::ostream& out) {
    out << "Usage: " << App().EXEName << " [--mask] [--mask-names] [--open] [--version] [--help]\n"
        << "\n"
        << "Writes the configuration report as if \"Create Report\" had been pressed at once,\n"
        << "with every product folder found left ticked: " << kReportFileName << "\n"
        << "beside this program, with the log file and style.css. No window is shown; each\n"
        << "message the tool would show is written to standard error as its title, \": \" and\n"
        << "its text, and answered with its default button.\n"
        << "\n"
        << "Prints the report's full name on standard output. Exit status: 0 when the report\n"
        << "was written to its end, 1 when it was not, 2 for an unknown argument.\n"
        << "\n"
        << "  --mask        mask the secrets in the embedded configuration, log and data\n"
        << "                files, and write on standard error how many, by kind\n"
        << "  --mask-names  --mask, and replace the user's and the computer's names wherever\n"
        << "                they stand (report, lists, log) with [user] and [computer]\n"
        << "  --open        open the finished report with the program associated with HTML\n"
        << "                files\n"
        << "  --version     print this program's name and version\n"
        << "  --help        show this text\n"
        << "\n"
        << "Masking replaces with ******** the value of a key whose name ends in password,\n"
        << "passwd, pwd, pw, pass, passphrase, secret, token, api key, access key, private\n"
        << "key, secret key, account key, encryption key, signing key, master key, shared\n"
        << "key, subscription key, psk, salt, credential, creds or auth (key=value,\n"
        << "key: value, quoted, XML attributes and elements, JSON, connection strings,\n"
        << "--option value, /option:value, a name and a value alone on their line:\n"
        << "requirepass x, and a name on one line and its value on the next:\n"
        << "name: DB_PASSWORD above value: x), the password of a URL's user:password@\n"
        << "and of Oracle's jdbc:oracle:thin:user/password@, the password options of\n"
        << "mysql (-px), sqlcmd (-P x), PsExec and sshpass (-p x), a login command\n"
        << "(docker login -p x), 7z (-px) and zip (-P x), a signed URL's signature, an\n"
        << "Authorization header's credentials and the lines of a PEM private-key block;\n"
        << "the report says so under its mail box. A file in UTF-16 with its byte order\n"
        << "mark is masked in UTF-16. Masking is a help, not a guarantee: a secret in any\n"
        << "other form stays. Read the report before it leaves.\n";
}

// Message texts break lines with CR LF; a terminal wants LF alone.
std::string withUnixLineBreaks(const std::string& text) {
    std::string converted;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            converted += text[i];
    }
    return converted;
}

}  // namespace

bool isCompleteReport(const std::string& fileName) {
    const std::string ending = kClosingLine;
    // Only the last bytes are read: the report can be hundreds of megabytes, and reading all of
    // it again just to find its end was a large share of the run. Only an ordinary file is
    // opened: opening a pipe could wait forever, and a link in the report's place is not the
    // report the tool wrote.
    const std::filesystem::path path = std::filesystem::u8path(fileName);
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error)))
        return false;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file.tellg();
    if (!file || size < static_cast<std::streamoff>(ending.size()))
        return false;
    std::string tail(ending.size(), '\0');
    file.seekg(size - static_cast<std::streamoff>(ending.size()));
    file.read(&tail[0], static_cast<std::streamsize>(tail.size()));
    return file.gcount() == static_cast<std::streamsize>(tail.size()) && tail == ending;
}

int runBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    bool opensReport = false;
    bool masks = false;
    bool masksNames = false;
    for (const std::string& argument : arguments) {
        if (argument == "--help") {
            printUsage(out);
            return 0;
        }
        if (argument == "--version") {
            // The same version text as the window's caption, for support to ask after.
            out << App().EXEName << " " << gLog().getAppVersionString() << "\n";
            return 0;
        }
        if (argument == "--open") {
            opensReport = true;
        } else if (argument == "--mask" || argument == "--mask-names") {
            masks = true;
            masksNames = masksNames || argument == "--mask-names";
        } else {
            err << "Unknown argument: " << argument << "\n\n";
            printUsage(err);
            return 2;
        }
    }

    HeadlessUi& headless = installHeadlessUi();
    headless.onMessageBox = [&err](const MessageBoxRequest& box) {
        err << box.title << ": " << withUnixLineBreaks(box.text) << "\n";
    };
    // Masking starts before the log's first line, which holds the names too.
    std::optional<ReportMasking> masking;
    if (masks)
        masking.emplace(masksNames);
    frmReportConfiguration form;
    form.setOpensReport(opensReport);
    form.Form_Load();
    form.cmdGather_Click();
    out << gReportPath << "\n";
    if (masking)
        err << describeMaskCounts(masking->secrets().counts()) << "\n";
    return isCompleteReport(gReportPath) ? 0 : 1;
}
