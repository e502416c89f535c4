#pragma once

#include <windows.h>

// Holds the drawing of a control that takes rows between yields: a list view told not to
// redraw (WM_SETREDRAW) adds a row without laying out, scrolling or painting the rows it
// already has. A due yield ends every hold and lets the controls paint once; a hold also
// ends by itself 50 ms after it began (a thread timer, run wherever all messages are
// handled), so that a control draws its last rows once they stop coming.
// https://learn.microsoft.com/en-us/windows/win32/gdi/wm-setredraw

// Holds the control's drawing, unless it is held already or its own style hides it: the end
// of a hold sets WS_VISIBLE again. A control in a hidden window is held too, since the list
// view lays out and scrolls its rows whether or not its window is shown.
void holdDrawing(HWND control);

// Whether the control's drawing is held. Windows clears a held control's WS_VISIBLE style, so
// this tells whether it is still shown.
bool drawingHeld(HWND control);

// Ends the control's hold, if it has one, and has all of it drawn again.
void endDrawingHold(HWND control);

// Ends every hold.
void endDrawingHolds();
