#include "report/candidate_folders.h"

std::vector<std::string> fixedProductFolders() {
    return {"C:\\Program Files\\morva", "D:\\Program Files\\morva", "C:\\velldata", "D:\\velldata"};
}
