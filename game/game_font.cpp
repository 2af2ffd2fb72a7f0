#include "game/game_font.hpp"

#include <cstdio>

#include "game/game.hpp"

void game_font_init(u32 index) {
    bool loaded = font_init(&game.fonts[index], FONT_PATHS[index], FONT_SIZES[index]);
    std::printf(loaded ? "LOADED: %s\n" : "FAILED: %s\n", FONT_PATHS[index]);
}

void game_font_free(u32 index) {
    font_free(&game.fonts[index]);
    std::printf("FREED: %s\n", FONT_PATHS[index]);
}
