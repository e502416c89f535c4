#include "report/candidate_folders.h"

std::vector<std::string> fixedProductFolders() {
    return {"/opt/morva", "/usr/local/morva", "/var/lib/velldata", "/srv/velldata"};
}
