#pragma once

#include <cstddef>

#include "report/file_classes.h"

// The report's fixed texts: every line or piece of a line that the report writes the same way
// each time. The report's writer builds its lines from them, and the report's reader
// (inspect/) recognises the lines by them, so that the two cannot drift apart. "+" in a
// comment joins texts directly.
namespace reporttext {

// The page's first and last lines.
constexpr const char* kTopAnchor = "<a name=top>";
constexpr const char* kPageEnd = "</BODY></HTML>";

// The page head (see page_frame.h): "<title>" + kTitlePrefix + the tool's folder + "</title>".
constexpr const char* kHeadStart = "<HTML><head>";
constexpr const char* kTitleStart = "<title>";
constexpr const char* kTitleEnd = "</title>";
constexpr const char* kHeadEnd = "</head>";
constexpr const char* kBodyStart = "<BODY>";
constexpr const char* kTitleHeadingStart = "<H2>";
constexpr const char* kTitleHeadingEnd = "</h2>";
constexpr const char* kTitlePrefix = "Report - ";

// The mail box under the head.
constexpr const char* kBreak = "<BR>";
constexpr const char* kMailBoxStart =
    "<table width=80% align=center bgcolor=lightsteelblue ><TR><TD><center>";
// kReportLinkStart + the report's full name + ">" + the same + kReportLinkEnd.
constexpr const char* kReportLinkStart =
    "If you are having problems with your application, you can email this report <a href=";
constexpr const char* kReportLinkEnd = "</a> ";
// kMailLinkStart + the mail link + "><B>" + the address + "</B></a> ".
constexpr const char* kMailLinkStart = " to <a href=";
constexpr const char* kMailLinkEnd = "</B></a> ";
constexpr const char* kMailBoxEnd =
    "    (or to send via the browser - go to the File Menu - Send - Page by Email)"
    "<BR></TD></TR></table></center>";
constexpr const char* kRule = "<HR>";
constexpr const char* kIndexFacts = "<a href=#sysinfo>Basic System Info</a><BR>";
constexpr const char* kIndexProcesses = "<a href=#proc>List of Running Processes</a><BR>";

// The support mail link: "mailto:" + address + kMailSubject + program + "_" + version +
// kMailBody + the body.
constexpr const char* kMailTo = "mailto:";
constexpr const char* kMailSubject = "?subject=";
constexpr const char* kMailBody = "&body=";

// Every "back to Top" link; most lines that begin a part add an anchor right after it.
constexpr const char* kBackToTop = "<a href=#top>back to Top</a>";
constexpr const char* kFactsAnchor = "<a name=sysinfo>";
constexpr const char* kProcessesAnchor = "<a name=proc>";
constexpr const char* kFoldersAnchor = "<a name=files>";

// The list of folders to examine: a ticked folder links to its block,
// kTickedFolderStart + key + ">" + path + kTickedFolderEnd; a cleared one is grey,
// kClearedFolderStart + path + kClearedFolderEnd.
constexpr const char* kFolderListHeading = "<H3>List of Folders to Examine</H3>";
constexpr const char* kTickedFolderStart = "<a href=#";
constexpr const char* kTickedFolderEnd = "</a><BR>";
constexpr const char* kClearedFolderStart = "<font color=#C0C0C0>";
constexpr const char* kClearedFolderEnd = "</font><BR>";

// The system facts; each label is followed by its value and kBreak, except the family's line.
constexpr const char* kFactsHeading = "<H1>Basic System Info</H1>";
constexpr const char* kCreatedLabel = " Report created on ";
constexpr const char* kCreatedPattern = "DDD, dd-MMM-yyyy hh:mm:ss AMPM";
constexpr const char* kUserLabel = "userName = ";
constexpr const char* kWindowsFolderLabel = "Windows Directory = ";
constexpr const char* kComputerLabel = "GetWinComputerName = ";
constexpr const char* kFamilyLabel = "version = ";
constexpr const char* kFamilyEnd = " (1=95/98, 2=NT based)";
constexpr const char* kMemoryHeading = "<H3>RAM Report</H3>";

// Free space: kDriveStart + drive + kDriveMiddle + megabytes with kFreeSpacePattern +
// kDriveEnd.
constexpr const char* kDrivesHeading = "<H2>List of Free Space on Hard Drives</h2>";
constexpr const char* kDriveStart = "Free Space on ";
constexpr const char* kDriveMiddle = " = ";
constexpr const char* kFreeSpacePattern = "###,###,###,### ";
constexpr const char* kDriveEnd = "MB<BR>";

constexpr const char* kProcessesHeading = "<H1>List of Running Processes</H1>";
constexpr const char* kFoldersHeading = "<H1>List of Morva Folders Found</H1>";

// A folder block starts with kRule, then kFolderHeadingStart + key + kFolderHeadingMiddle +
// path + kFolderHeadingEnd, where key is kFolderKeyPrefix + the folder's number in at least
// three digits.
constexpr const char* kFolderKeyPrefix = "files";
constexpr const char* kFolderKeyPattern = "000";
constexpr const char* kFolderHeadingStart = "<a name=";
constexpr const char* kFolderHeadingMiddle = "><H1>";
constexpr const char* kFolderHeadingEnd = "</H1>";

// The file table: rows of kRowStart + name + kCell + size + kCell + date + kCell + kRowEnd,
// a program's row kProgramRowStart + name + kCell + size + kCell + date + kCell +
// kVersionStart + version + kVersionEnd.
constexpr const char* kFileTableStart = "<TABLE border=2 valign=top align=center bgcolor=#CCFFFF>";
constexpr const char* kFileTableEnd = "</TABLE>";
constexpr const char* kRowStart = "<TR><TD>";
constexpr const char* kProgramRowStart = "<TR><TD><B> ";
constexpr const char* kCell = "</td><td>";
constexpr const char* kRowEnd = "</td></tr>";
constexpr const char* kVersionStart = "  VERSION ";
constexpr const char* kVersionEnd = " </td></tr>";

// One section of a folder block per kind of embedded file: its anchor (kSectionLinkStart +
// anchor + key + ">" + heading + "</a><BR>" in the block's links, kBackToTop +
// kFolderHeadingStart + anchor + key + ">" above the section), its heading, its cell colour
// and its line cap (0 asks for the default cap). Log and data files grow without end, so they
// get the shorter cap.
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
constexpr std::size_t kSectionCount = sizeof kSections / sizeof kSections[0];
constexpr const char* kSectionLinkStart = "<a href=#";
constexpr const char* kSectionLinkEnd = "</a><BR>";
constexpr const char* kSectionHeadingStart = "<H2>";
constexpr const char* kSectionHeadingEnd = "</H2>";

// An embedded file: kEmbeddedHeadingStart + its full name + kEmbeddedHeadingEnd, then
// kEmbeddedTableStart + the section's colour + ">", its text, and kEmbeddedTableEnd.
constexpr const char* kEmbeddedHeadingStart = "<H3>";
constexpr const char* kEmbeddedHeadingEnd = "</H3>";
constexpr const char* kEmbeddedTableStart =
    "<TABLE width=100% border=2 valign=top align=center><tr><td bgcolor=";
constexpr const char* kEmbeddedTableEnd = "</td></tr></TABLE>";

// What stands after the last line of a text cut at its cap, followed by the cap with
// kCutCapPattern, without a line end of its own.
constexpr const char* kCutWarning = "WARNING - FILE NOT FULLY LOADED (maxLines = ";
constexpr const char* kCutCapPattern = "###,###";

}  // namespace reporttext
