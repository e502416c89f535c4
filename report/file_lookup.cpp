#include "report/file_lookup.h"

#include "toolkit/os/file_system.h"

bool isOrdinaryFileNamed(const std::string& fileName) {
    osfs::FileFacts facts;
    return osfs::lookUp(fileName, facts) && osfs::isOrdinaryFile(facts.attributes);
}
