#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

// A report's export as configreport-inspect makes it, run in this process.
struct Export {
    int status = -1;
    std::string errors;   // what it told on standard error
    nlohmann::json json;  // discarded (is_discarded()) when the output was no JSON
};

// Runs "json OPTIONS... REPORT", and keeps what it wrote in the exports folder, named after the
// running test and `tag`, where the test inspect_schema checks it against the export's schema.
Export exportReport(const std::string& report, const std::string& tag,
                    const std::vector<std::string>& options = {});

// The options that read a report as the tool wrote it on this machine: in the system's code
// page on Windows (where a UTF-8 line would otherwise be read as UTF-8), none on Linux.
std::vector<std::string> writersCodePage();

// Checks that the export of a report made on this machine agrees with the disk it was made
// from: each ticked folder's ordinary files with their sizes, dates and program versions, and
// each embedded file's text as the report's embedding reads it.
void expectExportAgreesWithDisk(const nlohmann::json& exported);
