#pragma once

class Window;

// Gives `window` the main window's design: client area 7350 x 5820 twips, white, captioned
// "Configuration Report", with its controls created in tab order at their design places.
void buildMainWindow(Window& window);
