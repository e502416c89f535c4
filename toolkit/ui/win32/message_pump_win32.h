#pragma once

// The user-interface thread's message handling, with the keyboard navigation of a dialog in
// the program's windows: Tab and Shift+Tab move through the controls in the order they were
// created, access keys press their buttons.

// Handles messages until the program posts WM_QUIT; answers its exit code.
int runMessageLoop();

// Handles the messages waiting now and returns. A WM_QUIT met on the way is posted again,
// so that the main loop still ends.
void pumpPendingMessages();

// Handles the input, sent and posted messages waiting now, and returns without timers and
// painting: WM_TIMER and WM_PAINT wait for the next pumpPendingMessages. A WM_QUIT met on the
// way is posted again.
void pumpInputMessages();
