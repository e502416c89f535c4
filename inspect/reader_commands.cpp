#include "inspect/reader_commands.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <thread>

#include "inspect/comparison_output.h"
#include "inspect/json_export.h"
#include "inspect/json_writer.h"
#include "inspect/output.h"
#include "inspect/problems.h"
#include "inspect/report_index.h"
#include "inspect/report_masking_copy.h"
#include "inspect/report_reader.h"
#include "report/secret_mask.h"
#include "toolkit/log.h"
#include "toolkit/os/code_page_decode.h"
#include "toolkit/ui/application.h"

namespace {

constexpr int kAgree = 0;
constexpr int kUnreadable = 2;

void printUsage(std::ostream& out) {
    const std::string name = programIdentity().EXEName;
    out << "Usage: " << name << " json [--code-page N] [-o FILE] REPORT\n"
        << "       " << name << " compare [--json] [--code-page N] [-o FILE] OLD NEW\n"
        << "       " << name << " mask [--mask-names] [--code-page N] -o FILE REPORT\n"
        << "       " << name << " --version | --help\n"
        << "\n"
        << "Reads reports that ConfigReport wrote, on Windows or on Linux.\n"
        << "\n"
        << "  json     writes the report's content as JSON (UTF-8): the tool and the\n"
        << "           report's time, the machine, its drives and processes, and every\n"
        << "           folder with its files and the text of its embedded files. An\n"
        << "           embedded text that holds markup a browser would run is flagged.\n"
        << "           Exit status: 0 when the report was read whole, 1 when parts of it\n"
        << "           could not be read (each told on standard error with its line), 2\n"
        << "           when nothing of it could be read.\n"
        << "\n"
        << "  compare  writes one HTML page of what changed from OLD to NEW: a summary by\n"
        << "           kind, then the machine facts, drives, processes and folders that\n"
        << "           differ, each folder's files added, removed or changed, and the lines\n"
        << "           that changed in each embedded file. --json writes the same as JSON.\n"
        << "           Exit status: 0 when the reports agree (the page says so in one\n"
        << "           line), 1 when they differ, 2 when one of them could not be read.\n"
        << "\n"
        << "  mask     writes a copy of the report with its secrets masked, as\n"
        << "           configreport-batch --mask writes it: in the text of each embedded\n"
        << "           file, the value of a key named for a password, passphrase, secret,\n"
        << "           token, api key, access key, private key, secret key, account key,\n"
        << "           encryption key, signing key, master key, shared key, subscription\n"
        << "           key, psk, salt, credential, creds or auth, the password of a URL's\n"
        << "           user:password@ and of Oracle's jdbc:oracle:thin:user/password@, the\n"
        << "           password options of mysql (-px), sqlcmd (-P x), PsExec and sshpass\n"
        << "           (-p x), a login command (docker login -p x), 7z (-px) and zip (-P x),\n"
        << "           a signed URL's signature, an Authorization header's credentials and\n"
        << "           the lines of a PEM private-key block read ********; a line under the\n"
        << "           mail box says so. A file in UTF-16 with its byte order mark is masked\n"
        << "           in UTF-16. --mask-names also replaces the user's and the computer's\n"
        << "           names that the report's facts give, wherever they stand, with [user]\n"
        << "           and [computer]. All else keeps its bytes; masking a masked report\n"
        << "           changes nothing. Standard error tells how many values were masked, by\n"
        << "           kind. Masking is a help, not a guarantee: a secret in any other form\n"
        << "           stays. Read the copy before it leaves. Exit status as for json.\n"
        << "\n"
        << "  -o FILE         write to FILE instead of standard output; never to a report\n"
        << "                  read (mask: required)\n"
        << "  --code-page N   read the report in Windows code page N (1251, for one); without\n"
        << "                  it a line is read as UTF-8 where it is valid UTF-8, else as\n"
        << "                  Windows-1252. A report in a double-byte code page (932, 936,\n"
        << "                  949, 950) is masked a whole character at a time only when N\n"
        << "                  names it\n"
        << "  --json          (compare) write JSON instead of HTML\n"
        << "  --mask-names    (mask) replace the user's and the computer's names too\n"
        << "  --version       print this program's name and version\n"
        << "  --help          show this text\n";
}

enum class Action { Run, Help, Version, Wrong };

struct Options {
    Action action = Action::Run;
    std::string command;
    std::vector<std::string> reports;
    std::string outputFile;
    TextDecoding decoding;
    bool json = false;
    bool maskNames = false;
};

// Fills `options`; Action::Wrong, after telling why on `err`, when the arguments are not
// understood. "--help" and "--version" stand for themselves wherever they come.
Action parseArguments(const std::vector<std::string>& arguments, Options& options,
                      std::ostream& err) {
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "--version")
            return argument == "--help" ? Action::Help : Action::Version;
    }
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "-o" && hasValue) {
            options.outputFile = arguments[++i];
        } else if (argument == "--code-page" && hasValue) {
            const std::string& number = arguments[++i];
            unsigned long codePage = 0;
            try {
                codePage = std::stoul(number);
            } catch (const std::exception&) {
            }
            // Code page 65001 is UTF-8, which every line is read as where it is valid.
            constexpr unsigned long kUtf8CodePage = 65001;
            if (codePage != kUtf8CodePage &&
                (codePage == 0 || codePage > 65535 ||
                 !os::codePageKnown(static_cast<unsigned>(codePage)))) {
                err << "Unknown code page: " << number << "\n";
                return Action::Wrong;
            }
            options.decoding.codePage =
                codePage == kUtf8CodePage ? 0 : static_cast<unsigned>(codePage);
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--mask-names") {
            options.maskNames = true;
        } else if (options.command.empty() &&
                   (argument == "json" || argument == "compare" || argument == "mask")) {
            options.command = argument;
        } else if (!options.command.empty() && (argument.empty() || argument[0] != '-')) {
            options.reports.push_back(argument);
        } else {
            err << "Unknown argument: " << argument << "\n\n";
            printUsage(err);
            return Action::Wrong;
        }
    }
    const std::size_t reports = options.command == "compare" ? 2 : 1;
    if (options.command.empty() || options.reports.size() != reports ||
        (options.json && options.command != "compare") ||
        (options.maskNames && options.command != "mask") ||
        (options.command == "mask" && options.outputFile.empty())) {
        printUsage(err);
        return Action::Wrong;
    }
    return Action::Run;
}

void tellProblems(const std::string& report, const Problems& problems, std::ostream& err) {
    for (const Problem& problem : problems.kept()) {
        err << report;
        if (problem.line > 0)
            err << ":" << problem.line;
        err << ": " << problem.text << "\n";
    }
    if (problems.count() > problems.kept().size())
        err << report << ": " << problems.count() - problems.kept().size()
            << " more problems not shown\n";
}

// Whether the two names name one file (the same file through another path or a link).
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::u8path(a), std::filesystem::u8path(b),
                                       error);
}

// The file that -o names, else standard output. `what` names the output in a message. A file
// that is one of the reports is refused: opening it would empty the report before it is read.
std::unique_ptr<Output> openOutput(const Options& options, const char* what, std::ostream& out,
                                   std::ostream& err) {
    if (options.outputFile.empty())
        return streamOutput(out);
    for (const std::string& report : options.reports) {
        if (sameFile(report, options.outputFile)) {
            err << what << " must go to another file than the report: " << options.outputFile
                << "\n";
            return nullptr;
        }
    }
    std::string error;
    std::unique_ptr<Output> output = fileOutput(options.outputFile, error);
    if (!output)
        err << "Cannot write " << error << "\n";
    return output;
}

int exportJson(const Options& options, std::ostream& out, std::ostream& err) {
    std::unique_ptr<Output> output = openOutput(options, "The export", out, err);
    if (!output)
        return kUnreadable;
    JsonWriter json(*output);
    Problems problems;
    JsonExport exporter(json, problems);
    const std::string& report = options.reports[0];
    const ReadOutcome outcome = readReport(report, options.decoding, exporter, problems);
    tellProblems(report, problems, err);
    if (!json.flush() || !output->finish()) {
        err << "Cannot write the export: " << output->error() << "\n";
        return kUnreadable;
    }
    if (!outcome.usable)
        return kUnreadable;
    return outcome.whole ? kAgree : 1;
}

// A report read into an index, with what could not be read of it.
struct IndexedReport {
    ReportIndex index;
    Problems problems;
    bool usable = false;  // something of it could be read
};

void indexReport(const std::string& report, const TextDecoding& decoding, IndexedReport& read) {
    read.index.fileName = report;
    read.index.decoding = decoding;
    IndexBuilder builder(read.index);
    read.usable = readReport(report, decoding, builder, read.problems, false).usable;
}

int compare(const Options& options, std::ostream& out, std::ostream& err) {
    // The two reports are read at the same time, the second on a thread of its own, each without
    // a thread reading ahead: two threads keep both processors busy, where four made the
    // comparison a tenth slower by handing each piece to another processor's cache. What each
    // report could not read is told after, the first report's first.
    IndexedReport first, second;
    std::thread readingSecond([&] { indexReport(options.reports[1], options.decoding, second); });
    indexReport(options.reports[0], options.decoding, first);
    readingSecond.join();
    for (const auto* read : {&first, &second}) {
        tellProblems(read->index.fileName, read->problems, err);
        if (!read->usable)
            return kUnreadable;
    }
    const ReportIndex& before = first.index;
    const ReportIndex& after = second.index;
    const std::unique_ptr<Output> output = openOutput(options, "The comparison", out, err);
    if (!output)
        return kUnreadable;
    const Comparison comparison = compareReports(before, after);
    const ComparedReports reports{before, after, comparison};
    if (options.json)
        writeComparisonJson(reports, *output);
    else
        writeComparisonPage(reports, *output);
    if (!output->finish()) {
        err << "Cannot write the comparison: " << output->error() << "\n";
        return kUnreadable;
    }
    return comparison.agree() ? kAgree : 1;
}

int maskCopy(const Options& options, std::ostream& out, std::ostream& err) {
    const std::string& report = options.reports[0];
    std::unique_ptr<Output> output = openOutput(options, "The masked copy", out, err);
    if (!output)
        return kUnreadable;
    SecretMasker secrets(doubleByteLeads(options.decoding.codePage));
    Problems problems;
    const ReadOutcome outcome =
        maskReport(report, options.decoding, options.maskNames, secrets, *output, problems);
    tellProblems(report, problems, err);
    const bool written = output->finish() && output->error().empty();
    if (!written)
        err << "Cannot write the masked report: " << output->error() << "\n";
    if (!written || !outcome.usable) {
        // No part of a copy, and nothing of what is no report, that could pass for a masked
        // report.
        discardOutputFile(options.outputFile);
        return kUnreadable;
    }
    err << describeMaskCounts(secrets.counts()) << "\n";
    return outcome.whole ? kAgree : 1;
}

}  // namespace

int runReportReader(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err) {
    Options options;
    switch (parseArguments(arguments, options, err)) {
        case Action::Help:
            printUsage(out);
            return 0;
        case Action::Version: {
            const AppObject identity = programIdentity();
            out << identity.EXEName << " " << versionText(identity) << "\n";
            return 0;
        }
        case Action::Wrong:
            return kUnreadable;
        case Action::Run:
            break;
    }
    if (options.command == "mask")
        return maskCopy(options, out, err);
    return options.command == "compare" ? compare(options, out, err)
                                        : exportJson(options, out, err);
}
