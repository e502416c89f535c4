#pragma once

#include <string>

namespace os {

// The UTF-8 text in upper case by the system's own case mapping, accented and other non-ASCII
// letters included ("été" gives "ÉTÉ"). Bytes that are not UTF-8 stay as they are.
std::string upperCase(const std::string& text);

}  // namespace os
