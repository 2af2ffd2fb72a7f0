// One OpenGL 2D texture uploaded from an SDL surface or an image file.
#pragma once

#include <SDL2/SDL.h>

#include "engine/types.hpp"

struct Texture {
    u32 id;
    i32 width;
    i32 height;
    bool generated;
};

bool texture_surface_init(Texture *texture, SDL_Surface *surface);
bool texture_init(Texture *texture, const char *path);
void texture_bind(const Texture *texture);
void texture_free(Texture *texture);
