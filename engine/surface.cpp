#include "engine/surface.hpp"

void surface_rgba_init(SDL_Surface **surface, ivec2 size) {
    *surface = SDL_CreateRGBSurface(0, size.x, size.y, 32, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF);
}
