#include "inspect/json_export.h"

#include "inspect/json_writer.h"
#include "inspect/problems.h"
#include "inspect/report_values.h"

namespace {

const char* const kMemoryNames[kMemoryFigureCount] = {
    "loadPercent",         "totalPhysicalKB", "availablePhysicalKB", "totalPageFileKB",
    "availablePageFileKB", "totalVirtualKB",  "availableVirtualKB"};

template <typename T>
void optionalNumber(JsonWriter& json, const std::optional<T>& value) {
    if (value)
        json.number(*value);
    else
        json.null();
}

void optionalString(JsonWriter& json, const std::optional<std::string>& value) {
    if (value)
        json.string(*value);
    else
        json.null();
}

void textOrNull(JsonWriter& json, const std::string& value, bool known) {
    optionalString(json, known ? std::optional<std::string>(value) : std::nullopt);
}

}  // namespace

const char* embeddedKindName(int section) {
    static const char* const kinds[] = {"configuration", "log", "data"};
    return section >= 0 && section < 3 ? kinds[section] : "configuration";
}

const char* activeMarkupName(unsigned bit) {
    switch (bit) {
        case kScriptElement:
            return "script-element";
        case kEventHandler:
            return "event-handler";
        case kFrameOrObject:
            return "frame-or-object";
        default:
            return "javascript-link";
    }
}

std::string nameInFolder(const std::string& path, const std::string& folder) {
    if (!folder.empty() && path.size() > folder.size() + 1 &&
        path.compare(0, folder.size(), folder) == 0 &&
        (path[folder.size()] == '\\' || path[folder.size()] == '/'))
        return path.substr(folder.size() + 1);
    return path;
}

JsonExport::JsonExport(JsonWriter& json, const Problems& problems)
    : json_(json), problems_(problems) {}

void JsonExport::advanceTo(Part part) {
    while (part_ < part) {
        switch (part_) {
            case Part::None:
                writeTop();
                json_.key("drives");
                json_.beginArray();
                part_ = Part::Drives;
                continue;
            case Part::Drives:
                json_.endArray();
                json_.key("processes");
                json_.beginArray();
                break;
            case Part::Processes:
                json_.endArray();
                json_.key("processesCut");
                json_.boolean(processesEnd_.cut);
                json_.key("folders");
                json_.beginArray();
                break;
            case Part::Folders:
                json_.key("files");
                json_.beginArray();
                break;
            case Part::Files:
                json_.endArray();
                json_.key("filesCut");
                json_.boolean(filesCut_);
                json_.key("embedded");
                json_.beginArray();
                break;
            default:
                return;
        }
        part_ = static_cast<Part>(static_cast<int>(part_) + 1);
    }
}

void JsonExport::writeTop() {
    json_.beginObject();
    json_.key("format");
    json_.string(kReportFormat);
    json_.key("schemaVersion");
    json_.number(kReportSchemaVersion);
    json_.key("toolProgram");
    textOrNull(json_, page_.program, !page_.version.empty() || !page_.program.empty());
    json_.key("toolVersion");
    textOrNull(json_, page_.version, !page_.version.empty() || !page_.program.empty());
    json_.key("toolFolder");
    textOrNull(json_, page_.toolFolder, !page_.toolFolder.empty());
    json_.key("reportPath");
    textOrNull(json_, page_.reportPath, !page_.reportPath.empty());
    json_.key("created");
    textOrNull(json_, machine_.created ? isoDateTime(*machine_.created) : std::string(),
               machine_.created.has_value());
    writeMachine();
}

void JsonExport::writeMachine() {
    json_.key("machine");
    json_.beginObject();
    json_.key("user");
    optionalString(json_, machine_.user);
    json_.key("computer");
    optionalString(json_, machine_.computer);
    json_.key("windowsFolder");
    optionalString(json_, machine_.windowsFolder);
    json_.key("osFamily");
    optionalNumber(json_, machine_.family);
    json_.key("memory");
    if (machine_.memoryRead) {
        json_.beginObject();
        for (int figure = 0; figure < kMemoryFigureCount; ++figure) {
            json_.key(kMemoryNames[figure]);
            optionalNumber(json_, machine_.memory[figure]);
        }
        json_.endObject();
    } else {
        json_.null();
    }
    json_.endObject();
}

void JsonExport::machine(const MachineRecord& machine) {
    machine_ = machine;
    advanceTo(Part::Drives);
}

void JsonExport::drive(const DriveRecord& drive) {
    advanceTo(Part::Drives);
    json_.beginObject();
    json_.key("drive");
    json_.string(drive.drive);
    json_.key("freeMB");
    optionalNumber(json_, drive.freeMegabytes);
    json_.endObject();
}

void JsonExport::process(std::string_view path) {
    advanceTo(Part::Processes);
    json_.string(path);
}

void JsonExport::beginFolder(const ListedFolder& folder) {
    json_.beginObject();
    json_.key("number");
    json_.number(folder.number);
    json_.key("path");
    json_.string(folder.path);
    json_.key("ticked");
    json_.boolean(folder.ticked);
}

void JsonExport::writeListed(const ListedFolder& folder) {
    beginFolder(folder);
    json_.endObject();
}

void JsonExport::folder(const FolderRecord& folder) {
    advanceTo(Part::Folders);
    if (folderOpen_)
        folderEnd();
    listed_.takeUpTo(folder.number, [this](const ListedFolder& before) { writeListed(before); });
    folderOpen_ = true;
    folderPath_ = folder.path;
    filesCut_ = false;
    beginFolder(ListedFolder{folder.number, folder.path, true});
    advanceTo(Part::Files);
}

void JsonExport::fileRow(const FileRowRecord& row) {
    json_.beginObject();
    json_.key("name");
    json_.string(row.name);
    json_.key("size");
    optionalNumber(json_, row.size);
    json_.key("date");
    textOrNull(json_, row.lastWrite ? isoDateTime(*row.lastWrite) : std::string(),
               row.lastWrite.has_value());
    json_.key("program");
    json_.boolean(row.program);
    if (row.program) {
        json_.key("version");
        json_.string(row.version);
    }
    json_.endObject();
}

void JsonExport::fileTableEnd(const ListEnd& end) {
    filesCut_ = end.cut;
    advanceTo(Part::Embedded);
}

void JsonExport::embeddedStart(const EmbeddedStart& start) {
    advanceTo(Part::Embedded);
    json_.beginObject();
    json_.key("path");
    json_.string(start.path);
    json_.key("name");
    json_.string(nameInFolder(start.path, folderPath_));
    json_.key("kind");
    json_.string(embeddedKindName(start.section));
    json_.key("text");
    json_.beginString();
}

void JsonExport::embeddedLine(std::string_view text) {
    json_.stringLine(text);
}

void JsonExport::embeddedLines(std::string_view run) {
    json_.stringTextLines(run);
}

void JsonExport::embeddedEnd(const EmbeddedEnd& end) {
    json_.endString();
    json_.key("lines");
    json_.number(static_cast<std::int64_t>(end.lines));
    json_.key("cut");
    json_.boolean(end.cut);
    json_.key("cap");
    optionalNumber(json_, end.cut ? std::optional<int>(end.cap) : std::nullopt);
    json_.key("complete");
    json_.boolean(end.whole);
    json_.key("activeMarkup");
    json_.beginArray();
    for (unsigned bit : {kScriptElement, kEventHandler, kFrameOrObject, kScriptLink}) {
        if (end.activeMarkup & bit)
            json_.string(activeMarkupName(bit));
    }
    json_.endArray();
    json_.endObject();
}

void JsonExport::folderEnd() {
    if (!folderOpen_)
        return;
    advanceTo(Part::Embedded);
    json_.endArray();
    json_.endObject();
    folderOpen_ = false;
    part_ = Part::Folders;
}

void JsonExport::end(bool whole) {
    advanceTo(Part::Folders);
    folderEnd();
    listed_.takeRest([this](const ListedFolder& folder) { writeListed(folder); });
    json_.endArray();
    json_.key("complete");
    json_.boolean(whole && problems_.count() == 0);
    json_.key("problems");
    json_.beginArray();
    for (const Problem& problem : problems_.kept()) {
        json_.beginObject();
        json_.key("line");
        json_.number(static_cast<std::int64_t>(problem.line));
        json_.key("text");
        json_.string(problem.text);
        json_.endObject();
    }
    json_.endArray();
    json_.key("problemCount");
    json_.number(static_cast<std::int64_t>(problems_.count()));
    json_.endObject();
    json_.newline();
    json_.flush();
}
