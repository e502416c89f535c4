#include "report/folder_section.h"

#include <iterator>

#include "report/control_lookup.h"
#include "report/file_classes.h"
#include "report/file_table.h"
#include "report/read_text_file.h"
#include "report/report_masking.h"
#include "report/tool_files.h"
#include "toolkit/date_time.h"
#include "toolkit/file_io.h"
#include "toolkit/format_value.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/os/file_system.h"
#include "toolkit/ui/controls.h"

namespace {

// How each kind of file is shown: its anchor prefix, heading, cell colour and line cap (0 is
// the default cap). Log and data files grow without end, so they get the shorter cap.
struct Section {
    FileClass fileClass;
    const char* anchor;
    const char* heading;
    const char* cellColour;
    int maxLines;
};

constexpr Section kSections[] = {
    {FileClass::Config, "ini", "Contents of Config Files", "#FFFFCC", 0},
    {FileClass::Log, "log", "Contents of Log Files", "#F4F4F4", 200},
    {FileClass::Data, "dat", "Contents of Data Files", "#E2E4E7", 200},
};

// The text of the file being embedded, kept from one file and one folder to the next so that
// its memory is reused (see ReadTextFileInto).
std::string& embeddedText() {
    static std::string text;
    return text;
}

// Writes the text of `file`, open or not, as one line of the report, its secrets masked when
// the report masks them.
void embedFile(osfs::File& file, const std::string& fileName, int maxLines, cFileIO& writer) {
    std::string& text = embeddedText();
    ReadTextFileInto(text, file, fileName, true, true, maxLines, embeddedTextMasker());
    writer.appendLine(text);
}

// Writes the inventory file's text, as it is, as one line of the report.
void embedInventory(cFileIO& writer) {
    std::string& text = embeddedText();
    int maxLines = 0;
    ReadTextFileInto(text, inventoryFileForReading(), true, false, maxLines);
    writer.appendLine(text);
}

void writeLinks(const std::string& key, cFileIO& writer) {
    for (const Section& section : kSections) {
        const bool last = &section == &kSections[std::size(kSections) - 1];
        writer.appendLine(std::string("<a href=#") + section.anchor + key + ">" + section.heading +
                          "</a><BR>" + (last ? "<BR>" : ""));
    }
}

// The file's text is embedded only while it still names an ordinary file of the section's
// kind whose data is on this machine (a file kept only in the cloud is listed, but opening it
// would start a download); the year of a data file's name is compared with the clock at that
// moment. The kind comes from the name alone, so it is checked first: each file is then asked
// for on disk in its own section only, not in all three. An ordinary file that cannot be
// opened still gets its block, with no text.
void writeFileBlocks(ListBox& lstFiles, const osfs::HeldFolder& folder, const Section& section,
                     cFileIO& writer) {
    for (int index = 0; index < lstFiles.ListCount(); ++index) {
        const std::string fileName = lstFiles.List(index);
        if (classifyFile(fileName, nowLocal().year) != section.fileClass)
            continue;
        osfs::File file;
        if (file.openOrdinary(folder, GetFileNameFromPath(fileName)) ==
            osfs::OrdinaryOpen::NotOrdinary)
            continue;
        writer.appendLine("<H3>" + fileName + "</H3>");
        writer.appendLine(
            std::string("<TABLE width=100% border=2 valign=top align=center><tr><td bgcolor=") +
            section.cellColour + ">");
        embedFile(file, fileName, section.maxLines, writer);
        writer.appendLine("</td></tr></TABLE>");
    }
}

}  // namespace

std::string folderAnchorKey(int itemNumber) {
    return "files" + FormatValue(itemNumber, "000");
}

void writeFolderSection(Window& mainWindow, int itemNumber, const std::string& folder,
                        cFileIO& writer) {
    const std::string key = folderAnchorKey(itemNumber);
    writer.appendLine("<HR>");
    writer.appendLine("<a name=" + key + "><H1>" + folder + "</H1>");
    writeLinks(key, writer);

    // The block's files are all in this one folder: each is looked up and opened relative to
    // it rather than by its full path, and the table's look-up of a file serves its open too.
    osfs::HeldFolder held(folder);
    WriteFileTable(folder, mainWindow, held);
    embedInventory(writer);
    writer.appendLine("<BR>");

    ListBox& lstFiles = controlNamed<ListBox>(mainWindow, "lstFiles");
    for (const Section& section : kSections) {
        writer.appendLine(std::string("<a href=#top>back to Top</a><a name=") + section.anchor +
                          key + ">");
        writer.appendLine(std::string("<H2>") + section.heading + "</H2>");
        writeFileBlocks(lstFiles, held, section, writer);
        // The data section is the block's last; the next folder's rule follows it directly.
        if (section.fileClass != FileClass::Data) {
            writer.appendLine("<a href=#top>back to Top</a>");
            writer.appendLine("<BR>");
        }
    }
}
