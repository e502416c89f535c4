#include "inspect/report_values.h"

#include <array>
#include <iterator>

#include "report/ascii_text.h"
#include "report/report_text.h"
#include "sysinfo/system_facts.h"
#include "toolkit/date_time.h"
#include "toolkit/format_value.h"
#include "toolkit/text_affixes.h"

using namespace reporttext;

namespace {

constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// The text between `start` and `end`, which the line must begin and end with.
bool between(std::string_view line, std::string_view start, std::string_view end,
             std::string_view& inner) {
    if (line.size() < start.size() + end.size() || !startsWith(line, start) || !endsWith(line, end))
        return false;
    inner = line.substr(start.size(), line.size() - start.size() - end.size());
    return true;
}

// A plain decimal of `digits` digits exactly.
bool fixedNumber(std::string_view text, std::size_t at, std::size_t digits, int& value) {
    if (at + digits > text.size())
        return false;
    value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (!isDigit(text[i]))
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

std::optional<std::int64_t> plainInteger(std::string_view text) {
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

int indexOf(const std::array<const char*, 12>& names, std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (name == names[i])
            return static_cast<int>(i);
    }
    return -1;
}

bool isValid(const DateTime& when) {
    if (when.month < 1 || when.month > 12 || when.day < 1 || when.hour > 23 || when.minute > 59 ||
        when.second > 59)
        return false;
    return when.day <= daysInMonth(when.year, when.month);
}

std::optional<DateTime> checked(const DateTime& when) {
    return isValid(when) ? std::optional<DateTime>(when) : std::nullopt;
}

}  // namespace

std::optional<std::int64_t> groupedNumber(std::string_view text) {
    std::int64_t value = 0;
    int digits = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == ',' && at > 0 && at + 1 < text.size())
            continue;
        if (!isDigit(text[at]) || ++digits > 18)
            return std::nullopt;
        value = value * 10 + (text[at] - '0');
    }
    return value;
}

std::optional<DateTime> createdDate(std::string_view text) {
    // "DDD, dd-MMM-yyyy hh:mm:ss AMPM": "Sun, 22-May-2005 02:05:09 PM", 28 characters.
    DateTime when;
    int hour = 0;
    if (text.size() != 28 || text.substr(3, 2) != ", " || text[7] != '-' || text[11] != '-' ||
        text[16] != ' ' || text[19] != ':' || text[22] != ':' || text[25] != ' ' ||
        !fixedNumber(text, 5, 2, when.day) || !fixedNumber(text, 12, 4, when.year) ||
        !fixedNumber(text, 17, 2, hour) || !fixedNumber(text, 20, 2, when.minute) ||
        !fixedNumber(text, 23, 2, when.second) || hour < 1 || hour > 12)
        return std::nullopt;
    const std::string_view half = text.substr(26);
    if (half != "AM" && half != "PM")
        return std::nullopt;
    when.month = indexOf(kMonths, text.substr(8, 3)) + 1;
    when.hour = hour % 12 + (half == "PM" ? 12 : 0);
    const std::optional<DateTime> date = checked(when);
    if (!date || text.substr(0, 3) != kDays[static_cast<std::size_t>(date->dayOfWeek())])
        return std::nullopt;
    return date;
}

std::optional<DateTime> rowDate(std::string_view text) {
    DateTime when;
    if (text.size() != 19 || text[4] != '/' || text[7] != '/' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':' || !fixedNumber(text, 0, 4, when.year) ||
        !fixedNumber(text, 5, 2, when.month) || !fixedNumber(text, 8, 2, when.day) ||
        !fixedNumber(text, 11, 2, when.hour) || !fixedNumber(text, 14, 2, when.minute) ||
        !fixedNumber(text, 17, 2, when.second))
        return std::nullopt;
    return checked(when);
}

std::string isoDateTime(const DateTime& when) {
    // Written by hand: an export writes one for every file of a report.
    char text[] = "0000-00-00T00:00:00";
    const auto put = [&text](std::size_t at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
    };
    put(0, when.year, 4);
    put(5, when.month, 2);
    put(8, when.day, 2);
    put(11, when.hour, 2);
    put(14, when.minute, 2);
    put(17, when.second, 2);
    return text;
}

bool readTitle(std::string_view line, std::string& toolFolder) {
    std::string_view inner;
    if (!between(line, std::string(kTitleStart) + kTitlePrefix, kTitleEnd, inner))
        return false;
    toolFolder = inner;
    return true;
}

bool readReportLink(std::string_view line, std::string& reportPath) {
    // The report's name stands twice: as the link and as its text.
    std::string_view inner;
    if (!between(line, kReportLinkStart, kReportLinkEnd, inner) || inner.size() % 2 == 0)
        return false;
    const std::size_t half = inner.size() / 2;
    if (inner[half] != '>' || inner.substr(0, half) != inner.substr(half + 1))
        return false;
    reportPath = inner.substr(0, half);
    return true;
}

bool readMailLink(std::string_view line, std::string& program, std::string& version) {
    const std::size_t subject = line.find(kMailSubject);
    if (!startsWith(line, kMailLinkStart) || subject == std::string_view::npos)
        return false;
    const std::size_t from = subject + std::string_view(kMailSubject).size();
    const std::size_t body = line.find(kMailBody, from);
    if (body == std::string_view::npos)
        return false;
    // The program's name may hold "_" itself; the version follows the last one.
    const std::string_view nameAndVersion = line.substr(from, body - from);
    const std::size_t separator = nameAndVersion.rfind('_');
    if (separator == std::string_view::npos)
        return false;
    program = nameAndVersion.substr(0, separator);
    version = nameAndVersion.substr(separator + 1);
    return true;
}

bool readListedFolder(std::string_view line, int number, ListedFolder& folder) {
    std::string_view inner;
    folder.number = number;
    if (between(line, kClearedFolderStart, kClearedFolderEnd, inner)) {
        folder.ticked = false;
        folder.path = inner;
        return true;
    }
    const std::string key = std::string(kFolderKeyPrefix) + FormatValue(number, kFolderKeyPattern);
    if (!between(line, kTickedFolderStart + key + ">", kTickedFolderEnd, inner))
        return false;
    folder.ticked = true;
    folder.path = inner;
    return true;
}

bool readFact(std::string_view line, const char* label, std::string& value) {
    std::string_view inner;
    if (!between(line, label, kBreak, inner))
        return false;
    value = inner;
    return true;
}

bool readFamily(std::string_view line, int& family) {
    std::string_view inner;
    const std::optional<std::int64_t> value =
        between(line, kFamilyLabel, kFamilyEnd, inner) ? plainInteger(inner) : std::nullopt;
    if (!value || *value < -2147483647 || *value > 2147483647)
        return false;
    family = static_cast<int>(*value);
    return true;
}

bool readMemory(std::string_view line, MachineRecord& machine) {
    machine.memoryRead = true;
    bool whole = true;
    for (int figure = 0; figure < kMemoryFigureCount; ++figure) {
        const std::size_t end = line.find(kBreak);
        if (end == std::string_view::npos)
            return false;
        const std::string_view item = line.substr(0, end);
        line.remove_prefix(end + std::string_view(kBreak).size());
        const std::string_view label = figure == 0 ? "" : kMemoryLabels[figure - 1];
        const std::string_view unit = figure == 0 ? kMemoryLoadUnit : kKilobyteUnit;
        std::string_view number;
        machine.memory[figure] =
            between(item, label, unit, number) ? groupedNumber(number) : std::nullopt;
        whole = whole && machine.memory[figure].has_value();
    }
    return whole && line.empty();
}

bool readDrive(std::string_view line, DriveRecord& drive) {
    // The free space's pattern ends with a space, and prints nothing for 0: "C: = 1,234 " or
    // "C: =  ". The drive's name comes before the last " = ".
    std::string_view inner;
    if (!between(line, kDriveStart, kDriveEnd, inner) || !endsWith(inner, " "))
        return false;
    inner.remove_suffix(1);
    std::size_t figure = inner.size();
    while (figure > 0 && (isDigit(inner[figure - 1]) || inner[figure - 1] == ','))
        --figure;
    if (!endsWith(inner.substr(0, figure), kDriveMiddle))
        return false;
    drive.drive = inner.substr(0, figure - std::string_view(kDriveMiddle).size());
    drive.freeMegabytes = groupedNumber(inner.substr(figure));
    return drive.freeMegabytes.has_value();
}

bool readFolderHeading(std::string_view line, FolderRecord& folder) {
    std::string_view inner;
    if (!between(line, std::string(kFolderHeadingStart) + kFolderKeyPrefix, kFolderHeadingEnd,
                 inner))
        return false;
    const std::size_t middle = inner.find(kFolderHeadingMiddle);
    const std::optional<std::int64_t> number =
        middle == std::string_view::npos ? std::nullopt : plainInteger(inner.substr(0, middle));
    if (!number || *number <= 0 || *number > 1000000000)
        return false;
    folder.number = static_cast<int>(*number);
    folder.path = inner.substr(middle + std::string_view(kFolderHeadingMiddle).size());
    return true;
}

bool readFileRow(std::string_view line, FileRowRecord& row) {
    // A name may hold anything, kCell too; the cells after it do not: a size, a date and the
    // fourth cell, which is empty or holds a program's version.
    row.program = startsWith(line, kProgramRowStart) && endsWith(line, kVersionEnd);
    const std::string_view start = row.program ? kProgramRowStart : kRowStart;
    if (!startsWith(line, start))
        return false;
    const std::string_view rest = line.substr(start.size());
    const std::string_view cell = kCell;
    for (std::size_t at = rest.find(cell); at != std::string_view::npos;
         at = rest.find(cell, at + 1)) {
        const std::string_view afterName = rest.substr(at + cell.size());
        const std::size_t sizeEnd = afterName.find(cell);
        if (sizeEnd == std::string_view::npos)
            return false;
        const std::optional<std::int64_t> size = plainInteger(afterName.substr(0, sizeEnd));
        const std::string_view afterSize = afterName.substr(sizeEnd + cell.size());
        const std::size_t dateEnd = afterSize.find(cell);
        if (!size || dateEnd == std::string_view::npos)
            continue;
        const std::string_view date = afterSize.substr(0, dateEnd);
        const std::string_view last = afterSize.substr(dateEnd + cell.size());
        std::string_view version;
        const bool ends =
            row.program ? between(last, kVersionStart, kVersionEnd, version) : last == kRowEnd;
        if (!ends || date.find('<') != std::string_view::npos)
            continue;
        row.name = rest.substr(0, at);
        row.size = size;
        row.lastWrite = rowDate(date);
        row.version = version;
        return true;
    }
    return false;
}

bool readEmbeddedHeading(std::string_view line, std::string& path) {
    std::string_view inner;
    if (!between(line, kEmbeddedHeadingStart, kEmbeddedHeadingEnd, inner))
        return false;
    path = inner;
    return true;
}
