#include "report/folder_section.h"

#include "report/control_lookup.h"
#include "report/file_classes.h"
#include "report/file_table.h"
#include "report/read_text_file.h"
#include "report/report_masking.h"
#include "report/report_text.h"
#include "report/tool_files.h"
#include "toolkit/date_time.h"
#include "toolkit/file_io.h"
#include "toolkit/format_value.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/os/file_system.h"
#include "toolkit/ui/controls.h"

namespace {

using namespace reporttext;

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
        const bool last = &section == &kSections[kSectionCount - 1];
        writer.appendLine(kSectionLinkStart + (section.anchor + key) + ">" + section.heading +
                          kSectionLinkEnd + (last ? kBreak : ""));
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
        writer.appendLine(kEmbeddedHeadingStart + fileName + kEmbeddedHeadingEnd);
        writer.appendLine(std::string(kEmbeddedTableStart) + section.cellColour + ">");
        embedFile(file, fileName, section.maxLines, writer);
        writer.appendLine(kEmbeddedTableEnd);
    }
}

}  // namespace

std::string folderAnchorKey(int itemNumber) {
    return kFolderKeyPrefix + FormatValue(itemNumber, kFolderKeyPattern);
}

void writeFolderSection(Window& mainWindow, int itemNumber, const std::string& folder,
                        cFileIO& writer) {
    const std::string key = folderAnchorKey(itemNumber);
    writer.appendLine(kRule);
    writer.appendLine(kFolderHeadingStart + key + kFolderHeadingMiddle + folder +
                      kFolderHeadingEnd);
    writeLinks(key, writer);

    // The block's files are all in this one folder: each is looked up and opened relative to
    // it rather than by its full path, and the table's look-up of a file serves its open too.
    osfs::HeldFolder held(folder);
    WriteFileTable(folder, mainWindow, held);
    embedInventory(writer);
    writer.appendLine(kBreak);

    ListBox& lstFiles = controlNamed<ListBox>(mainWindow, "lstFiles");
    for (const Section& section : kSections) {
        writer.appendLine(std::string(kBackToTop) + kFolderHeadingStart + section.anchor + key +
                          ">");
        writer.appendLine(kSectionHeadingStart + std::string(section.heading) + kSectionHeadingEnd);
        writeFileBlocks(lstFiles, held, section, writer);
        // The data section is the block's last; the next folder's rule follows it directly.
        if (section.fileClass != FileClass::Data) {
            writer.appendLine(kBackToTop);
            writer.appendLine(kBreak);
        }
    }
}
