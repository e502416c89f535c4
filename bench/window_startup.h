#pragma once

// cr-window-startup [--hidden] FOLDER: the window's start-up as the tool runs it, shown first
// so that it repaints during the folder walk (or never shown, with --hidden), with FOLDER as
// the only product folder. It ends once the filled list has been drawn, so that a benchmark
// can time it from outside, and prints the number of folders listed.
//
// Each backend's main installs its user interface and passes how pending drawing is done.
int runWindowStartup(int argc, char** argv, void (*drawPending)());
