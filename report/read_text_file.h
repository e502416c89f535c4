#pragma once

#include <cstddef>
#include <string>

class SecretMasker;
namespace osfs {
class File;
}

// The line cap that a cap of 0 stands for.
constexpr int kDefaultMaxLines = 400;

// The most bytes of one file that go into the report. A log without line ends, or one huge
// line, would otherwise pass the line cap whole; beyond this the file is cut as at its cap.
constexpr std::size_t kMaxEmbeddedBytes = 1024 * 1024;

// The text of a file ready for the report. With `byLines`, each line (ended by the program's
// one line-end rule) followed by "<BR>" when `addBreaks` is set, then CR LF; after `maxLines`
// lines or kMaxEmbeddedBytes bytes the rest is dropped and the warning
// "WARNING - FILE NOT FULLY LOADED (maxLines = " + the cap stands last, with no line end.
// Without `byLines`, the file's bytes unchanged up to the byte bound. A cap of 0 means
// kDefaultMaxLines and is written back. A file that cannot be read gives the empty text and a
// log line "Cant load the file " + its name.
std::string ReadTextFile(const std::string& fileName, bool byLines, bool addBreaks, int& maxLines);

// The same into `text`, which is replaced. A report embeds thousands of files of up to a
// mebibyte each: one text kept from file to file keeps its memory, where a fresh string for
// each would be grown, copied and paged in again every time.
void ReadTextFileInto(std::string& text, const std::string& fileName, bool byLines, bool addBreaks,
                      int& maxLines);
// The same for `file`, opened by the caller, or not when it could not be opened; `fileName` is
// its full name. With a `masker`, lines read by lines have their secrets masked as they come;
// the caps count the lines as the file holds them, so a masked text ends where the plain one
// does.
void ReadTextFileInto(std::string& text, osfs::File& file, const std::string& fileName,
                      bool byLines, bool addBreaks, int& maxLines, SecretMasker* masker = nullptr);

// The same for a cap the caller does not need back.
inline std::string ReadTextFile(const std::string& fileName, bool byLines, bool addBreaks,
                                int&& maxLines) {
    return ReadTextFile(fileName, byLines, addBreaks, maxLines);
}
