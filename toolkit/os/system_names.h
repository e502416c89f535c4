#pragma once

#include <string>

// Plain platform answers the toolkit needs; the empty text when the platform cannot say.
namespace os {

// The logged-on (effective) user's name.
std::string userName();
// The computer's name (Linux: the host name).
std::string computerName();
// The full name of the running executable (Windows: the module's own file name; Linux:
// /proc/self/exe).
std::string executablePath();

}  // namespace os
