// Start-up and shut-down of SDL and its image, font and mixer companions.
#pragma once

// Starts SDL, SDL_image, SDL_ttf and SDL_mixer and asks for a 3.3 core GL context;
// prints one line per library and ends the process with status 1 if one fails.
void sdl_init();
void sdl_quit();
