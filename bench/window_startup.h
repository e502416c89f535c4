#pragma once

// cr-window-startup [--hidden] FOLDER: the window's start-up as the tool runs it, shown first
// so that it repaints during the folder walk (or never shown, with --hidden), with FOLDER as
// the only product folder. It prints the number of folders listed and ends the process once
// the filled list has been drawn, without closing the window, so that a benchmark can time the
// start-up from outside.
//
// Each backend's main installs its user interface and passes how pending drawing is done.
int runWindowStartup(int argc, char** argv, void (*drawPending)());
