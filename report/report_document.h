#pragma once

class Window;

// Writes the whole report to gReportPath from scratch: page head, mail box, index, the folders
// to examine, system facts, free space per drive, running processes, and the block of every
// ticked folder. Reads "lvFolders", "lstDrives" and "lstFiles" of the main window and the
// process list file. A failure ends the writing and goes to the caller; what was written until
// then stays in the file.
void writeReport(Window& mainWindow);
