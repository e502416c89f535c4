#include "report/file_lookup.h"

#include "toolkit/os/file_system.h"

bool isOrdinaryFileNamed(const std::string& fileName) {
    osfs::FileFacts facts;
    return osfs::lookUp(fileName, facts) && osfs::isOrdinaryFile(facts.attributes);
}

bool isEmbeddableFile(const osfs::HeldFolder& folder, const std::string& name) {
    osfs::FileFacts facts;
    return folder.lookUp(name, facts) && osfs::isOrdinaryFile(facts.attributes) &&
           !osfs::isCloudOnly(facts.attributes);
}
