#pragma once

#include <string>

// The style block that a new style.css receives: thirteen lines, each ended by CR LF.
std::string defaultStyleBlock();

// The head of a report page: the title, the style block inline, the opening of the body and a
// heading with the title. The title is placed as it is, without escaping.
std::string GetHtmlHeader(const std::string& title);

// The style block to embed: the text of style.css in the tool's folder when it exists (its
// first lines up to the usual cap); otherwise the default block, which is also saved there.
std::string CreateStyleSheet();

// Replaces the file's contents with `text` followed by CR LF; tells the user when it cannot.
void SaveStringToFile(const std::string& fileName, const std::string& text);
