#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The size of a synthetic product tree.
struct TreeShape {
    int folders = 0;  // the root included
    int files = 0;    // the large files included
    int largeFiles = 0;
    std::int64_t largeFileBytes = 0;
};

// The named sizes: "S" (100 folders, 2,000 files), "M" (1,000, 20,000), "L" (5,000, 100,000),
// each with three 100 MB files. False for any other name.
bool shapeByName(const std::string& name, TreeShape& shape);

// A file whose text the report embeds, with the section's line cap.
struct EmbeddedFile {
    std::string path;
    int lineCap = 0;
    std::int64_t size = 0;
};

// A file that the report's file table lists: every file but the hidden ones.
struct ListedFile {
    std::string path;
    std::int64_t size = 0;
    std::string version;  // a program's version; empty for other files
};

struct GeneratedTree {
    int folders = 0;
    int files = 0;
    std::int64_t bytes = 0;
    std::vector<EmbeddedFile> embedded;  // in generation order
    std::vector<ListedFile> listed;      // in generation order
};

// Writes a product tree under `root` (created; it must not hold anything yet). The folders,
// names and contents follow from `seed` alone; `year` is the year of the "D" + year data files
// that the report embeds. Names contain no spaces, so that lists of them can be read by
// line-based tools. Throws std::runtime_error when a file cannot be written.
GeneratedTree generateTree(const std::string& root, const TreeShape& shape, std::uint64_t seed,
                           int year);
