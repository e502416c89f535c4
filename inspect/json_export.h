#pragma once

#include <string>

#include "inspect/listed_folders.h"
#include "inspect/report_records.h"

class JsonWriter;
class Problems;

// The name of the export's format and the version of its schema
// (inspect/configreport-report.schema.json). Within one schema version the format only gains
// members; it never loses or changes one.
constexpr const char* kReportFormat = "configreport-report";
constexpr int kReportSchemaVersion = 1;

// The names the export gives the kinds of embedded files, by section, and the kinds of active
// markup, by ActiveMarkup bit.
const char* embeddedKindName(int section);
const char* activeMarkupName(unsigned bit);

// The file name within its folder: the full name after the folder's path and its separator.
std::string nameInFolder(const std::string& path, const std::string& folder);

// Writes a report's records as the export's JSON while they come: the tool and the report's
// time, the machine, the drives, the processes and every listed folder in the list's order,
// each ticked one with its files and embedded files; last whether the report was read whole
// and its problems, from `problems`.
class JsonExport : public ReportSink {
public:
    JsonExport(JsonWriter& json, const Problems& problems);

    void page(const PageRecord& page) override { page_ = page; }
    void listedFolder(const ListedFolder& folder) override { listed_.add(folder); }
    void machine(const MachineRecord& machine) override;
    void drive(const DriveRecord& drive) override;
    void process(std::string_view path) override;
    void processesEnd(const ListEnd& end) override { processesEnd_ = end; }
    void folder(const FolderRecord& folder) override;
    void fileRow(const FileRowRecord& row) override;
    void fileTableEnd(const ListEnd& end) override;
    void embeddedStart(const EmbeddedStart& start) override;
    void embeddedLine(std::string_view text) override;
    void embeddedLines(std::string_view run) override;
    void embeddedEnd(const EmbeddedEnd& end) override;
    void folderEnd() override;
    void end(bool whole) override;

private:
    // The parts of the export, in their order; each is written once its records begin.
    enum class Part { None, Top, Drives, Processes, Folders, Files, Embedded };
    void advanceTo(Part part);
    void writeTop();
    void writeMachine();
    // A folder's object, open for more members.
    void beginFolder(const ListedFolder& folder);
    void writeListed(const ListedFolder& folder);
    void closeFolderParts();

    JsonWriter& json_;
    const Problems& problems_;
    Part part_ = Part::None;
    PageRecord page_;
    MachineRecord machine_;
    ListEnd processesEnd_;
    ListedFolders listed_;
    std::string folderPath_;
    bool folderOpen_ = false;
    bool filesCut_ = false;
};
