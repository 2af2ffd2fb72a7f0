// Pausing play: the one place that pauses and resumes the game and says so on the console.
// While paused the components stand still; the scene's own update, drawing and music go on.
#pragma once

// Pauses or resumes from outside the player's own toggle (the page was hidden, a tap on a
// paused game, a pulled pad, the window lost or minimised, time away), printing "???" as P does, but only when it changes something:
// the menu and results never pause, and setting the pause a game already has does nothing.
void game_pause_set(bool paused);
// The player's pause button: turns the pause over, whatever it was.
void game_pause_toggle();
