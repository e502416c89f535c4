#include "report/page_frame.h"

#include "report/failure_styles.h"
#include "report/read_text_file.h"
#include "report/report_text.h"
#include "report/tool_files.h"
#include "toolkit/log.h"
#include "toolkit/os/file_system.h"
#include "toolkit/program_state.h"

namespace {

// True when the name finds an ordinary file: not a folder, not hidden, not a system file.
bool isOrdinaryFileNamed(const std::string& fileName) {
    osfs::FileFacts facts;
    return osfs::lookUp(fileName, facts) && osfs::isOrdinaryFile(facts.attributes);
}

// Runs of spaces and the odd "valign=top" inside a style rule are part of the block as the
// tool has always written it; browsers ignore what they do not understand.
constexpr const char* kDefaultStyleLines[] = {
    "<STYLE>",
    "BODY {  font-size:8pt; FONT-FAMILY:Verdana;  }",
    "NORMAL {    font-size:8pt; FONT-FAMILY:Verdana;  }",
    "A:link {        font-size:8pt; COLOR: blue;TEXT-DECORATION:none}",
    "A:visited { color: #003399; font-size:8pt;TEXT-DECORATION:none }",
    "A:hover {   color:#FF3300;TEXT-DECORATION:underline}",
    "TD {    font-size:8pt; valign=top; FONT-FAMILY:Verdana;  }",
    "H1 {    font-size:220%; FONT-WEIGHT:NORMAL; padding: 10px 0px 0px 0px; margin:0px; }",
    "H2 {    font-size:160%; FONT-WEIGHT:NORMAL; margin:0px 0px 0px 0px; padding:0px; }",
    "H3 {    font-size:120%; FONT-WEIGHT:BOLD; margin:0px 0px 0px 0px; padding:1px; "
    "letter-spacing:0.05em; }",
    "H4 {    font-size:140%; FONT-WEIGHT:NORMAL; margin:0px 0px 0px 0px; padding:1px; }",
    "H5 {    font-size:7pt; FONT-FAMILY:Arial; color:#00008B ; FONT-WEIGHT:NORMAL; margin:0px "
    "0px 0px 0px; padding: 0px 0px 0px 0px; }",
    "</STYLE>",
};

}  // namespace

std::string defaultStyleBlock() {
    std::string block;
    for (const char* line : kDefaultStyleLines) {
        block += line;
        block += "\r\n";
    }
    return block;
}

std::string GetHtmlHeader(const std::string& title) {
    using namespace reporttext;
    return std::string(kHeadStart) + "\r\n" + kTitleStart + title + kTitleEnd + "\r\n" +
           CreateStyleSheet() + kHeadEnd + "\r\n" + kBodyStart + "\r\n\r\n" + kTitleHeadingStart +
           title + kTitleHeadingEnd + "\r\n";
}

std::string CreateStyleSheet() {
    const std::string fileName = toolFile(kStyleSheetFileName);
    if (isOrdinaryFileNamed(fileName))
        return ReadTextFile(fileName, true, false, 0);
    const std::string block = defaultStyleBlock();
    gLog().log("Creating deafult style.css file, because none existed. = " + fileName, 0);
    SaveStringToFile(fileName, block);
    return block;
}

void SaveStringToFile(const std::string& fileName, const std::string& text) {
    osfs::File file;
    const bool saved =
        file.open(fileName, osfs::OpenMode::Write) && file.writeText(text + "\r\n") && file.close();
    if (!saved)
        tellAndGoOn("Cant Save the file " + fileName);
}
