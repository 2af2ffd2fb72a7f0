#include "game/game_texture.hpp"

#include <cstdio>

#include "game/game.hpp"

void game_texture_init(u32 index) {
    bool loaded = texture_init(&game.textures[index], TEXTURE_PATHS[index]);
    std::printf(loaded ? "LOADED: %s\n" : "FAILED: %s\n", TEXTURE_PATHS[index]);
}

void game_texture_free(u32 index) {
    texture_free(&game.textures[index]);
    std::printf("FREED: %s\n", TEXTURE_PATHS[index]);
}
