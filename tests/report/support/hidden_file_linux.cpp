#include "tests/report/support/hidden_file.h"

void hideFile(const std::string& /*path*/) {}
