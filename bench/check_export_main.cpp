// cr-check-export: checks a report's JSON export against what the tree generator wrote.
//   cr-check-export MANIFEST LISTED EXPORT
// MANIFEST and LISTED are cr-gen-tree's --manifest and --listed. Every listed file must have its
// row with its size (and a program its version), every file of the manifest must be embedded
// with its section's cap and the text the report embeds of it, and nothing else may be. The
// export is read as it streams by, so that one of hundreds of megabytes needs little memory.
#include <nlohmann/json.hpp>

#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "bench/embedded_text.h"

namespace {

using json = nlohmann::json;

struct Listed {
    std::int64_t size = 0;
    std::string version;
    bool seen = false;
};

struct Embedded {
    int cap = 0;
    bool seen = false;
};

// Reads the export's folders, rows and embedded files as they stream by and checks each.
class ExportCheck : public nlohmann::json_sax<json> {
public:
    ExportCheck(std::map<std::string, Listed>& listed, std::map<std::string, Embedded>& embedded)
        : listed_(listed), embedded_(embedded) {}

    int problems = 0;

    void complain(const std::string& what) {
        if (++problems <= 20)
            std::cerr << "cr-check-export: " << what << "\n";
    }

    bool null() override { return value(json(nullptr)); }
    bool boolean(bool v) override { return value(json(v)); }
    bool number_integer(number_integer_t v) override { return value(json(v)); }
    bool number_unsigned(number_unsigned_t v) override { return value(json(v)); }
    bool number_float(number_float_t v, const string_t&) override { return value(json(v)); }
    bool string(string_t& v) override { return value(json(std::move(v))); }
    bool binary(binary_t&) override { return true; }
    bool key(string_t& name) override {
        path_.back() = name;
        return true;
    }
    bool start_object(std::size_t) override { return open(); }
    bool start_array(std::size_t) override { return open(); }
    bool end_array() override {
        path_.pop_back();
        return true;
    }
    bool end_object() override {
        if (at({"folders", "", "files", ""}))
            checkRow();
        else if (at({"folders", "", "embedded", ""}))
            checkEmbedded();
        path_.pop_back();
        return true;
    }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& error) override {
        complain("the export is no JSON at byte " + std::to_string(position) + ": " + error.what());
        return false;
    }

private:
    bool open() {
        path_.emplace_back();
        return true;
    }
    // Whether the value being read is a member of an object at `where`: keys of objects, ""
    // for the elements of arrays.
    bool at(const std::vector<std::string>& where) const {
        return path_.size() == where.size() + 1 &&
               std::equal(where.begin(), where.end(), path_.begin());
    }
    bool value(json v) {
        if (at({"folders", ""}) && path_.back() == "path")
            folder_ = v.get<std::string>();
        else if (at({"folders", "", "files", ""}) || at({"folders", "", "embedded", ""}))
            item_[path_.back()] = std::move(v);
        return true;
    }
    void checkRow() {
        const std::string path = folder_ + "/" + item_["name"].get<std::string>();
        const auto file = listed_.find(path);
        if (file == listed_.end() || file->second.seen)
            complain("a row the tree has no file for, or one more: " + path);
        else if (item_["size"] != file->second.size ||
                 item_.value("version", std::string()) != file->second.version)
            complain("the row of " + path + " is not the file's: " + item_.dump());
        else
            file->second.seen = true;
        item_ = json::object();
    }
    void checkEmbedded() {
        const std::string path = item_["path"];
        const auto file = embedded_.find(path);
        const int cap = item_["kind"] == "configuration" ? 400 : 200;
        bool cut = false;
        if (file == embedded_.end() || file->second.seen || file->second.cap != cap)
            complain("embedded, but not as the manifest says: " + path);
        else if (item_["text"] != embeddedTextOf(path, cap, cut) || item_["cut"] != cut)
            complain("the embedded text of " + path + " is not the file's");
        else
            file->second.seen = true;
        item_ = json::object();
    }

    std::map<std::string, Listed>& listed_;
    std::map<std::string, Embedded>& embedded_;
    std::vector<std::string> path_;
    std::string folder_;
    json item_ = json::object();
};

// The tab-separated lines of `name`: three fields each, the last the path.
template <typename Take>
bool readList(const std::string& name, Take take) {
    std::ifstream in(name, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t first = line.find('\t');
        const std::size_t second = line.find('\t', first + 1);
        take(line.substr(0, first), line.substr(first + 1, second - first - 1),
             line.substr(second + 1));
    }
    return static_cast<bool>(in.eof());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: cr-check-export MANIFEST LISTED EXPORT\n";
        return 2;
    }
    std::map<std::string, Embedded> embedded;
    std::map<std::string, Listed> listed;
    const bool read =
        readList(argv[1], [&](const std::string& cap, const std::string&,
                              const std::string& path) { embedded[path].cap = std::stoi(cap); }) &&
        readList(argv[2],
                 [&](const std::string& size, const std::string& version, const std::string& path) {
                     listed[path] = {std::stoll(size), version};
                 });
    std::ifstream exported(argv[3], std::ios::binary);
    if (!read || !exported) {
        std::cerr << "cr-check-export: cannot read the manifests or the export\n";
        return 2;
    }
    ExportCheck check(listed, embedded);
    json::sax_parse(exported, &check);
    for (const auto& [path, file] : listed) {
        if (!file.seen)
            check.complain("no row for " + path);
    }
    for (const auto& [path, file] : embedded) {
        if (!file.seen)
            check.complain("not embedded: " + path);
    }
    std::cout << listed.size() << " rows and " << embedded.size() << " embedded files checked, "
              << check.problems << " problems\n";
    return check.problems == 0 ? 0 : 1;
}
