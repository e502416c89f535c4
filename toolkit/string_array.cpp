#include "toolkit/string_array.h"

#include <new>
#include <stdexcept>

#include "toolkit/file_io.h"
#include "toolkit/format_value.h"
#include "toolkit/log.h"
#include "toolkit/os/text_case.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/ui.h"

namespace {

constexpr int kLastField = 99;

std::string trimSpaces(const std::string& text) {
    const std::string::size_type first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Splits `text` at `delim` into fields 1..kLastField: each runs from one character after a
// delimiter's first character to the next delimiter, so a delimiter of several characters leaves
// its tail in the field. The text before the first delimiter is never used and stays out.
std::vector<std::string> splitFields(const std::string& text, const std::string& delim) {
    std::vector<std::string> fields(kLastField + 1);
    if (delim.empty())
        return fields;
    std::string::size_type p1 = text.find(delim);
    if (p1 == std::string::npos)
        return fields;
    std::string::size_type p2 = text.find(delim, p1 + 1);
    for (int index = 1; p2 != std::string::npos; ++index) {
        if (index > kLastField) {
            gLog().logError("CreateByParsingText: more than 99 fields");
            break;
        }
        fields[static_cast<size_t>(index)] = text.substr(p1 + 1, p2 - p1 - 1);
        p1 = p2;
        p2 = text.find(delim, p1 + 1);
    }
    return fields;
}

// The words shown for a failure: a file too large to hold in memory says so plainly.
std::string descriptionOf(const std::exception& failure) {
    if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr)
        return "Out of memory";
    return failure.what();
}

}  // namespace

void clsArray::init(int sze) {
    count_ = 0;
    storage_.assign(static_cast<size_t>(sze < 1 ? 1 : sze) + 1, std::string());
}

void clsArray::Add(const std::string& txt, int ndx) {
    if (ndx != 1)
        MsgBox("ndx isnt setup to add at specific point yet");
    if (count_ < 0)
        throw std::out_of_range("Subscript out of range");
    ++count_;
    storage_.resize(static_cast<size_t>(count_) + 1);
    storage_[static_cast<size_t>(count_)] = txt;
}

std::string clsArray::Item(int ndx) const {
    if (ndx < 0 || ndx >= static_cast<int>(storage_.size()))
        return std::string();
    return storage_[static_cast<size_t>(ndx)];
}

void clsArray::setItem(int ndx, const std::string& txt) {
    if (ndx < 0 || ndx >= static_cast<int>(storage_.size())) {
        throw std::out_of_range("Subscript out of range");
    }
    storage_[static_cast<size_t>(ndx)] = txt;
}

void clsArray::CreateByParsingText(const std::string& txt, const std::string& delim,
                                   bool includeBlanks) {
    const std::vector<std::string> fields = splitFields(txt + delim, delim);
    for (int index = 1; index <= kLastField; ++index) {
        const std::string& field = fields[static_cast<size_t>(index)];
        if (includeBlanks || !field.empty())
            Add(trimSpaces(field));
    }
}

int clsArray::LoadFromDisk(const std::string& fname, bool showMessage) {
    cFileIO file;
    try {
        file.init(fname);
        file.openFile("INPUT");
        int count = 0;
        while (file.moreData()) {
            Add(file.getLine());
            ++count;
        }
        file.closeFile();
        if (showMessage) {
            MsgBox("Read in " + FormatValue(count, "###,###,###") + " lines " + "\r\n" +
                   " from file " + fname);
        }
        return count;
    } catch (const std::exception& failure) {
        // Whatever ended the load, the file's number is given back.
        file.closeFile();
        MsgBox("Error loading file from disk to Array\r\n" + descriptionOf(failure));
        return 0;
    }
}

void clsArray::SaveToDisk(const std::string& fname) {
    cFileIO file;
    file.init(fname);
    file.openFile("OUTPUT");
    for (int index = 1; index <= count_; ++index)
        file.printLine(Item(index));
    file.closeFile();
}

int clsArray::GetIndexByText(const std::string& txt, int /*startIndex*/, bool caseSens) const {
    const std::string wanted = caseSens ? txt : os::upperCase(txt);
    for (int index = 1; index <= count_; ++index) {
        const std::string item = Item(index);
        if ((caseSens ? item : os::upperCase(item)) == wanted)
            return index;
    }
    return 0;
}
