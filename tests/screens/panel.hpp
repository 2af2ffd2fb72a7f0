// A desktop panel along the bottom of the X screen, as a taskbar: a dock window that reserves
// its height, so the window manager's work area (SDL's usable bounds) ends above it.
#pragma once

// Opens the panel on the display in $DISPLAY; false if it cannot.
bool panel_open(int height);
void panel_close();
