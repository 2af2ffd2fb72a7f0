// A desktop panel: a dock window that reserves the bottom rows of the X screen, as a taskbar
// does, so the window manager's work area (SDL's usable bounds) ends above them. openbox shows
// dock windows in a dock of its own wherever that sits; what counts here is the reservation.
#pragma once

// Opens the panel on the display in $DISPLAY; false if it cannot.
bool panel_open(int height);
void panel_close();
