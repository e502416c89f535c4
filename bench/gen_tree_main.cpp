// cr-gen-tree: writes a synthetic product tree for the benchmarks, the same for the same seed.
#include <cstdint>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/tree_generator.h"

namespace {

const char kUsage[] =
    "usage: cr-gen-tree --size S|M|L [--seed N] [--year YYYY] [--large-mb N]\n"
    "                   [--manifest FILE] [--listed FILE] OUT_FOLDER\n"
    "Writes a product tree of config, log, data, program and other files under OUT_FOLDER\n"
    "(which must be new or empty). The tree follows from the seed (default 1). --year is the\n"
    "year of the data files the report embeds (default: this year). --large-mb sets the size\n"
    "of the three large files (default 100). --manifest writes one line per file whose text\n"
    "the report embeds: line cap, size in bytes and path, separated by tabs. --listed writes one\n"
    "line per file the report's file tables list: size, program version (or nothing) and\n"
    "path, separated by tabs.\n";

struct Options {
    std::string size;
    std::uint64_t seed = 1;
    int year = 0;
    long long largeMb = -1;
    std::string manifest;
    std::string listed;
    std::string out;
};

int currentYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--size" && hasValue) {
            options.size = argv[++i];
        } else if (arg == "--seed" && hasValue) {
            options.seed = std::stoull(argv[++i]);
        } else if (arg == "--year" && hasValue) {
            options.year = std::stoi(argv[++i]);
        } else if (arg == "--large-mb" && hasValue) {
            options.largeMb = std::stoll(argv[++i]);
        } else if (arg == "--manifest" && hasValue) {
            options.manifest = argv[++i];
        } else if (arg == "--listed" && hasValue) {
            options.listed = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && options.out.empty()) {
            options.out = arg;
        } else {
            return false;
        }
    }
    return !options.size.empty() && !options.out.empty();
}

// Writes one line per item, its fields separated by tabs.
template <typename Item, typename Fields>
void writeList(const std::string& name, const std::vector<Item>& items, Fields fields) {
    std::ofstream out(name, std::ios::binary);
    for (const Item& item : items)
        fields(out, item);
    if (!out.flush())
        throw std::runtime_error("cannot write " + name);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    TreeShape shape;
    try {
        if (!parse(argc, argv, options) || !shapeByName(options.size, shape)) {
            std::cerr << kUsage;
            return 2;
        }
        if (options.largeMb >= 0)
            shape.largeFileBytes = options.largeMb * 1024 * 1024;
        const int year = options.year > 0 ? options.year : currentYear();
        const GeneratedTree tree = generateTree(options.out, shape, options.seed, year);
        if (!options.manifest.empty())
            writeList(options.manifest, tree.embedded,
                      [](std::ostream& out, const EmbeddedFile& f) {
                          out << f.lineCap << '\t' << f.size << '\t' << f.path << '\n';
                      });
        if (!options.listed.empty())
            writeList(options.listed, tree.listed, [](std::ostream& out, const ListedFile& f) {
                out << f.size << '\t' << f.version << '\t' << f.path << '\n';
            });
        std::cout << "folders " << tree.folders << ", files " << tree.files << ", bytes "
                  << tree.bytes << ", embedded " << tree.embedded.size() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "cr-gen-tree: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
