#pragma once

#include <string>

// Tell and go on: shows `text` in a message box with an OK button and the tool's title, and
// writes the same text to the application log. The caller then returns as if nothing happened.
void tellAndGoOn(const std::string& text);
