#pragma once

#include <string>

class Window;
class cFileIO;

// The anchor of the folder at 1-based position `itemNumber` of the folder list: "files" and
// the number in at least three digits ("files007"); the list of folders links to it.
std::string folderAnchorKey(int itemNumber);

// Writes the block of one examined folder to the open report: a heading with links to its
// three sections, its file table, then the text of its config, log and data files. `itemNumber`
// is the folder's 1-based position in the folder list and names its anchors ("files007").
void writeFolderSection(Window& mainWindow, int itemNumber, const std::string& folder,
                        cFileIO& writer);
