#include "toolkit/program_state.h"

#include "toolkit/file_numbers.h"
#include "toolkit/log.h"

cLog& gLog() {
    static cLog log;
    return log;
}

FileNumberTable& gFileNumbers() {
    static FileNumberTable table;
    return table;
}

std::string gReportPath;
