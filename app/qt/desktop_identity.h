#pragma once

// Tells the desktop whose windows these are: the program's icon on every window, and the name
// of its desktop entry (configreport.desktop), by which Wayland compositors find the entry's
// name and icon for the window. Called once the QApplication exists.
void identifyToDesktop();
