#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

// Where a command's output goes: a stream (standard output) or a file named by "-o".
class Output {
public:
    virtual ~Output() = default;
    // False once a write has failed; what failed is in error().
    virtual bool write(std::string_view bytes) = 0;
    // Makes sure that everything written has reached its place.
    virtual bool finish() = 0;
    const std::string& error() const { return error_; }

protected:
    std::string error_;
};

// Output to `stream`, byte for byte.
std::unique_ptr<Output> streamOutput(std::ostream& stream);
// Output to the file `fileName`, created or emptied; null, with the reason in `error`, when it
// cannot be opened.
std::unique_ptr<Output> fileOutput(const std::string& fileName, std::string& error);
// Takes back what an output file that must not be kept was given: the file the name stands for
// is removed, the file a link names is emptied (the link stays), and a device or a pipe is left
// alone: nothing stays in one, and removing it would take it from every program of the machine.
void discardOutputFile(const std::string& fileName);
