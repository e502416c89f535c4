#pragma once

#include <string>

class Window;
namespace osfs {
class HeldFolder;
struct FileFacts;
}  // namespace osfs

// Lists the files directly in `folder` into the window's "lstFiles" and writes their HTML
// table (name, size, date, and the version of each program file) to the inventory file in the
// tool's folder. A file that cannot be described is left out of the table. Throws when the
// folder's drive cannot be read at all, before the inventory file is touched. `held` holds the
// same folder, for the look-up of each file.
void WriteFileTable(const std::string& folder, Window& mainWindow, osfs::HeldFolder& held);

// The version text of a program file's row: its FileVersion, or the empty text. `facts` are
// the file's, just looked up.
std::string GetExeVersion(const std::string& fileName, const osfs::FileFacts& facts);
