#include "engine/io.hpp"

#include <SDL2/SDL.h>

bool file_read(const char *path, void *buffer, size_t size) {
    if (!path || !buffer) return false;
    SDL_RWops *stream = SDL_RWFromFile(path, "r");
    if (!stream) return false;
    SDL_RWread(stream, buffer, size, 1);
    SDL_RWclose(stream);
    return true;
}

bool file_write(const char *path, const void *data, size_t size) {
    if (!path || !data) return false;
    SDL_RWops *stream = SDL_RWFromFile(path, "w");
    if (!stream) return false;
    SDL_RWwrite(stream, data, size, 1);
    SDL_RWclose(stream);
    return true;
}
