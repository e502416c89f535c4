#pragma once

#include <string>

// The files the tool keeps in its own folder (the application object's Path).

constexpr const char* kReportFileName = "morvasoftware_bug_report.htm";
constexpr const char* kProcessListFileName = "_tmpApps.txt";
constexpr const char* kStyleSheetFileName = "style.css";

// The tool's folder joined with `name`.
std::string toolFile(const std::string& name);

// The file table of the last folder examined, under the name it is written with.
std::string inventoryFileForWriting();
// The same file under the name the report reads it back with: in lower case where the file
// system ignores case, so that both names denote one file everywhere.
std::string inventoryFileForReading();
