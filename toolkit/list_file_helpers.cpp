#include "toolkit/list_file_helpers.h"

#include <stdexcept>
#include <utility>

#include "toolkit/format_value.h"
#include "toolkit/log.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/program_state.h"
#include "toolkit/readable_volume.h"
#include "toolkit/ui/controls.h"
#include "toolkit/ui/ui.h"

namespace {

void reportSaveFailure(const std::string& fileName, const std::string& description) {
    const int number = FileErrorNumber(description);
    MsgBox("An Error occurred in SaveListboxToFile: " + std::to_string(number) + " = " +
           description + " while saving '" + fileName + "'");
    // The log writes the number with a space before it where a minus sign would stand; the file
    // error numbers are all positive.
    gLog().log("ErrorSaveListboxToFile:  " + std::to_string(number) + " = " + description, 0);
}

bool endsWithSeparator(const std::string& path) {
    return !path.empty() && path.back() == os::kPathSeparator;
}

std::string dayText(const DateTime& value) {
    return FormatValue(value.dateOnly(), "yyyymmdd");
}

// The texts are compared character by character, as the day range is defined.
bool dayInRange(const DateTime& when, const DateTime& startDate, const DateTime& endDate) {
    const std::string day = dayText(when);
    return dayText(startDate) <= day && day <= dayText(endDate);
}

}  // namespace

int FileErrorNumber(const std::string& description) {
    static const std::pair<const char*, int> kNumbers[] = {
        {"Bad file name or number", 52}, {"File not found", 53},     {"File already open", 55},
        {"File already exists", 58},     {"Device I/O error", 57},   {"Disk full", 61},
        {"Too many files", 67},          {"Device unavailable", 68}, {"Permission denied", 70},
        {"Path not found", 76},
    };
    for (const auto& [words, number] : kNumbers) {
        if (description == words)
            return number;
    }
    return 75;
}

void SetAllChecked(ListView& listView, int flag) {
    ListItemCollection& items = listView.ListItems();
    for (int index = 1; index <= items.Count(); ++index) {
        try {
            items.Item(index).setChecked(flag == 1);
        } catch (const std::exception&) {
            // One item that cannot be changed leaves the others to be done.
        }
    }
}

void SaveListboxToFile(ListBox& listBox, const std::string& fileName, int& count) {
    count = 0;
    if (fileName.empty()) {
        gLog().log("Cant save listbox because a filename wasnt specified", 3);
        return;
    }
    osfs::File file;
    if (!file.open(fileName, osfs::OpenMode::Write)) {
        reportSaveFailure(fileName, file.errorDescription());
        return;
    }
    for (int index = 0; index < listBox.ListCount(); ++index) {
        if (!file.writeText(listBox.List(index) + "\r\n")) {
            reportSaveFailure(fileName, file.errorDescription());
            file.close();
            return;
        }
        ++count;
    }
    if (!file.close())
        reportSaveFailure(fileName, file.errorDescription());
}

std::string CutAtNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

std::string GetFileNameFromPath(const std::string& path) {
    const std::string::size_type last = path.rfind(os::kPathSeparator);
    if (last == std::string::npos)
        return std::string();
    return path.substr(last + 1);
}

std::string GetPathFromFileName(const std::string& path) {
    const std::string::size_type last = path.rfind(os::kPathSeparator);
    if (last == std::string::npos)
        return std::string();
    return path.substr(0, last + 1);
}

std::string CombinePath(const std::string& folder, const std::string& name) {
    if (endsWithSeparator(folder))
        return folder + name;
    return folder + os::kPathSeparator + name;
}

std::int64_t GetFileLength(const std::string& fileName) {
    osfs::FileFacts facts;
    if (!osfs::lookUp(fileName, facts) || (facts.attributes & osfs::kAttrDirectory))
        return -1;
    return facts.size;
}

void ListFiles(const std::string& folder, const DateTime& startDate, const DateTime& endDate,
               const std::string& pattern, ListBox& listBox,
               std::vector<osfs::FileFacts>* listedFacts) {
    const std::string base = endsWithSeparator(folder) ? folder : folder + os::kPathSeparator;
    osfs::DirectorySearch search(base + pattern);
    osfs::FileFacts entry;
    bool foundAny = false;
    while (search.next(entry)) {
        foundAny = true;
        if (entry.attributes & osfs::kAttrDirectory)
            continue;
        // The listing already holds the file's date: asking for it again would double the
        // file-system calls of every inventory.
        if (dayInRange(entry.lastWrite, startDate, endDate)) {
            listBox.AddItem(CombinePath(base, entry.name));
            if (listedFacts != nullptr)
                listedFacts->push_back(entry);
        }
    }
    if (!foundAny)
        requireReadableVolume(base);
}

bool FileDateInRange(const std::string& fileName, const DateTime& startDate,
                     const DateTime& endDate) {
    osfs::FileFacts facts;
    return osfs::lookUp(fileName, facts) && dayInRange(facts.lastWrite, startDate, endDate);
}

std::string GetFileInfoString(const std::string& fileName, const std::string& separator) {
    osfs::FileFacts facts;
    if (!osfs::lookUp(fileName, facts))
        throw std::runtime_error(osfs::lastErrorDescription());
    return GetFileInfoString(fileName, facts, separator);
}

std::string GetFileInfoString(const std::string& fileName, const osfs::FileFacts& facts,
                              const std::string& separator) {
    // The length comes from the same look-up as the date, as GetFileLength would give it.
    const std::int64_t length = (facts.attributes & osfs::kAttrDirectory) ? -1 : facts.size;
    return GetFileNameFromPath(fileName) + separator + std::to_string(length) + separator +
           FormatValue(facts.lastWrite, "yyyy/mm/dd hh:mm:ss") + separator;
}
