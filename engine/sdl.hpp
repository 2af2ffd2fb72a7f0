// Start-up and shut-down of SDL and its image, font and mixer companions.
#pragma once

// Starts SDL, SDL_image, SDL_ttf and SDL_mixer and asks for a 3.3 core GL context;
// prints one line per library and ends the process with status 1 if one fails.
void sdl_init();
void sdl_quit();

// Prints a start-up error line (format with one %s for detail) and ends the process with
// status 1. On Windows, where a double-clicked game has no console, the line also shows
// in a message box.
[[noreturn]] void sdl_start_fail(const char *format, const char *detail);
