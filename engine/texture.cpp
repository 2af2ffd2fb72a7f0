#include "engine/texture.hpp"

#include <GL/glew.h>
#include <SDL2/SDL_image.h>

namespace {

bool surface_is_rgba_bytes(const SDL_Surface *surface) {
    return surface->format->format == SDL_PIXELFORMAT_RGBA32 && surface->pitch == surface->w * 4;
}

} // namespace

bool texture_surface_init(Texture *texture, SDL_Surface *surface) {
    if (!texture->generated) {
        glGenTextures(1, &texture->id);
        texture->generated = true;
    }
    if (!surface) return false;

    // The upload reads four bytes per pixel in red, green, blue, alpha memory order with
    // tightly packed rows; anything else (24-bit, paletted, padded rows) is converted first.
    // Blank glyph surfaces (red in the high byte) go as they are: their four bytes per
    // pixel are all equal to the glyph's coverage, so the byte order does not show.
    SDL_Surface *converted = nullptr;
    bool glyph_layout = surface->format->format == SDL_PIXELFORMAT_RGBA8888 && surface->pitch == surface->w * 4;
    if (!surface_is_rgba_bytes(surface) && !glyph_layout) {
        converted = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
        if (!converted) return false;
        if (converted->pitch != converted->w * 4) {
            SDL_FreeSurface(converted);
            return false;
        }
    }
    SDL_Surface *source = converted ? converted : surface;

    texture->width = source->w;
    texture->height = source->h;
    glBindTexture(GL_TEXTURE_2D, texture->id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, source->w, source->h, 0, GL_RGBA, GL_UNSIGNED_BYTE, source->pixels);
    // A blank glyph (a space) is a zero-size texture; WebGL refuses to build its mipmaps.
    if (source->w > 0 && source->h > 0) glGenerateMipmap(GL_TEXTURE_2D);

    if (converted) SDL_FreeSurface(converted);
    return true;
}

bool texture_init(Texture *texture, const char *path) {
    SDL_Surface *surface = IMG_Load(path);
    if (!surface) return false;
    texture_surface_init(texture, surface);
    SDL_FreeSurface(surface);
    return true;
}

void texture_bind(const Texture *texture) { glBindTexture(GL_TEXTURE_2D, texture->id); }

void texture_free(Texture *texture) {
    glDeleteTextures(1, &texture->id);
    *texture = {};
}
