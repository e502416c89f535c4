#include "bench/tree_generator.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "bench/pe_image.h"
#include "bench/seeded_random.h"
#include "bench/text_content.h"

namespace stdfs = std::filesystem;

namespace {

constexpr int kMaxDepth = 12;
constexpr int kConfigCap = 400;
constexpr int kLogAndDataCap = 200;

const char* const kFolderWords[] = {"bin",     "config",  "logs",      "data",    "modules",
                                    "plugins", "reports", "templates", "archive", "backup",
                                    "lang",    "help",    "drivers",   "scripts", "users"};
const char* const kConfigExtensions[] = {".ini", ".ini", ".INI", ".txt", ".txt", ".TXT",
                                         ".lis", ".pro", ".pth", ".ok",  ".add", ".range"};
const char* const kOtherExtensions[] = {".dll", ".png", ".bin", ".xml", ".cfg", ".htm", ".chm"};

enum class FileKind { Config, Log, Data, OldData, Program, Other };

struct Folder {
    std::string path;
    int depth = 0;
};

std::string numbered(const std::string& stem, int number) {
    std::string digits = std::to_string(number);
    if (digits.size() < 6)
        digits.insert(0, 6 - digits.size(), '0');
    return stem + "_" + digits;
}

std::vector<Folder> planFolders(const std::string& root, int count, SeededRandom& random) {
    std::vector<Folder> folders{{root, 0}};
    while (static_cast<int>(folders.size()) < count) {
        const Folder& parent = folders[random.next() % folders.size()];
        if (parent.depth >= kMaxDepth)
            continue;
        // A few folders are hidden: the walk enters them all the same.
        const std::string prefix = random.percent(1) ? "." : "";
        const std::string name =
            prefix + numbered(random.pick(kFolderWords), static_cast<int>(folders.size()));
        folders.push_back({parent.path + "/" + name, parent.depth + 1});
    }
    return folders;
}

FileKind pickKind(SeededRandom& random) {
    const int roll = static_cast<int>(random.between(0, 99));
    if (roll < 15)
        return FileKind::Config;
    if (roll < 23)
        return FileKind::Log;
    if (roll < 27)
        return FileKind::Data;
    if (roll < 29)
        return FileKind::OldData;
    if (roll < 35)
        return FileKind::Program;
    return FileKind::Other;
}

std::string fileName(FileKind kind, int number, int year, SeededRandom& random) {
    switch (kind) {
        case FileKind::Config:
            return numbered("settings", number) + random.pick(kConfigExtensions);
        case FileKind::Log:
            return numbered("trace", number) + (random.percent(80) ? ".log" : ".LOG");
        case FileKind::Data:
            return "D" + std::to_string(year) + "-05-22" + numbered("", number) + ".DAT";
        case FileKind::OldData:
            return "D" + std::to_string(year - 3) + "-05-22" + numbered("", number) + ".dat";
        case FileKind::Program:
            return numbered("tool", number) + ".exe";
        case FileKind::Other:
            break;
    }
    return numbered("resource", number) + random.pick(kOtherExtensions);
}

LineEnd pickLineEnd(SeededRandom& random, int crLfChance, int lfChance) {
    const int roll = static_cast<int>(random.between(0, 99));
    if (roll < crLfChance)
        return LineEnd::CrLf;
    if (roll < crLfChance + lfChance)
        return LineEnd::Lf;
    return LineEnd::None;
}

// A program with a version resource of random numbers, which `version` receives as text.
std::string programImage(SeededRandom& random, std::string& version) {
    const std::array<unsigned, 4> numbers = {static_cast<unsigned>(random.between(1, 12)),
                                             static_cast<unsigned>(random.between(0, 9)),
                                             static_cast<unsigned>(random.between(0, 99)),
                                             static_cast<unsigned>(random.between(0, 9999))};
    std::string text;
    for (unsigned part : numbers)
        text += (text.empty() ? "" : ".") + std::to_string(part);
    version = text;
    // Real programs carry code and data after their headers; the reader must not care.
    return programWithVersion(text,
                              {{"CompanyName", u"Morva Software"},
                               {"FileDescription", u"Morva tool"},
                               {"ProductName", u"Morva"}},
                              numbers) +
           binaryContent(random, random.logBetween(1024, 256 * 1024));
}

// Writes one ordinary-sized file of the given kind; answers its size. A program's version goes
// to `version`.
std::int64_t writeFile(std::ofstream& out, FileKind kind, SeededRandom& random,
                       std::string& version) {
    TextShape shape;
    switch (kind) {
        case FileKind::Config:
            shape = {TextKind::Config, random.logBetween(50, 2000), 0, pickLineEnd(random, 60, 40),
                     random.percent(90)};
            return writeText(out, random, shape);
        case FileKind::Log:
            shape = {TextKind::Log, random.logBetween(100, 5000), 0, pickLineEnd(random, 40, 40),
                     true};
            return writeText(out, random, shape);
        case FileKind::Data:
        case FileKind::OldData:
            shape = {TextKind::Data, random.logBetween(50, 2000), 0, LineEnd::CrLf, true};
            return writeText(out, random, shape);
        case FileKind::Program: {
            const std::string image = programImage(random, version);
            out << image;
            return static_cast<std::int64_t>(image.size());
        }
        case FileKind::Other:
            break;
    }
    if (random.percent(50)) {
        shape = {TextKind::Other, random.logBetween(5, 800), 0, LineEnd::Lf, true};
        return writeText(out, random, shape);
    }
    const std::string bytes = binaryContent(random, random.logBetween(256, 64 * 1024));
    out << bytes;
    return static_cast<std::int64_t>(bytes.size());
}

// The large files, in turn: a log with lines, a config file without any line end (the
// report's per-file text bound), and a binary file that is only listed.
std::int64_t writeLargeFile(std::ofstream& out, int which, std::int64_t bytes,
                            SeededRandom& random) {
    TextShape shape;
    switch (which % 3) {
        case 0:
            shape = {TextKind::Log, bytes, bytes, LineEnd::Lf, true};
            return writeText(out, random, shape);
        case 1:
            shape = {TextKind::Config, bytes, bytes, LineEnd::None, false};
            return writeText(out, random, shape);
        default:
            break;
    }
    shape = {TextKind::Other, bytes, bytes, LineEnd::CrLf, true};
    return writeText(out, random, shape);
}

int lineCapOf(FileKind kind) {
    switch (kind) {
        case FileKind::Config:
            return kConfigCap;
        case FileKind::Log:
        case FileKind::Data:
            return kLogAndDataCap;
        default:
            return 0;
    }
}

FileKind largeKind(int which) {
    const FileKind kinds[] = {FileKind::Log, FileKind::Config, FileKind::Other};
    return kinds[which % 3];
}

std::string largeName(int which) {
    const char* const stems[] = {"big_trace", "big_settings", "big_archive"};
    const char* const extensions[] = {".log", ".ini", ".bin"};
    return numbered(stems[which % 3], which) + extensions[which % 3];
}

}  // namespace

bool shapeByName(const std::string& name, TreeShape& shape) {
    constexpr std::int64_t kLarge = 100ll * 1024 * 1024;
    if (name == "S") {
        shape = {100, 2000, 3, kLarge};
    } else if (name == "M") {
        shape = {1000, 20000, 3, kLarge};
    } else if (name == "L") {
        shape = {5000, 100000, 3, kLarge};
    } else {
        return false;
    }
    return true;
}

GeneratedTree generateTree(const std::string& root, const TreeShape& shape, std::uint64_t seed,
                           int year) {
    if (stdfs::exists(root) && !stdfs::is_empty(root)) {
        throw std::runtime_error("the folder is not empty: " + root);
    }
    SeededRandom plan(seed);
    const std::vector<Folder> folders = planFolders(root, shape.folders, plan);
    for (const Folder& folder : folders)
        stdfs::create_directories(folder.path);

    GeneratedTree tree;
    tree.folders = static_cast<int>(folders.size());
    for (int number = 0; number < shape.files; ++number) {
        const Folder& folder = folders[plan.next() % folders.size()];
        const bool large = number < shape.largeFiles;
        FileKind kind = large ? largeKind(number) : pickKind(plan);
        std::string name = large ? largeName(number) : fileName(kind, number, year, plan);
        // A few files are hidden, or named as the tool's own temporary files: the report lists
        // them but does not embed their text.
        const bool hidden = !large && plan.percent(1);
        const bool temporary = kind == FileKind::Config && !large && plan.percent(1);
        if (hidden)
            name.insert(0, ".");
        if (temporary)
            name.insert(0, "_tmp");

        const std::string path = folder.path + "/" + name;
        std::ofstream out(path, std::ios::binary);
        SeededRandom content(seed * 0x100000001B3ull + static_cast<std::uint64_t>(number));
        std::string version;
        const std::int64_t size = large ? writeLargeFile(out, number, shape.largeFileBytes, content)
                                        : writeFile(out, kind, content, version);
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + path);

        ++tree.files;
        tree.bytes += size;
        if (!hidden)
            tree.listed.push_back({path, size, version});
        if (lineCapOf(kind) > 0 && !hidden && !temporary) {
            tree.embedded.push_back({path, lineCapOf(kind), size});
        }
    }
    return tree;
}
