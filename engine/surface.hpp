// Blank 32-bit RGBA SDL surfaces to draw into before an upload.
#pragma once

#include <SDL2/SDL.h>

#include "engine/types.hpp"

void surface_rgba_init(SDL_Surface **surface, ivec2 size);
