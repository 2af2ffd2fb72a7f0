#include "game/game_sound.hpp"

#include <cstdio>

#include "game/game.hpp"

void game_sound_init(u32 index) {
    bool loaded = sound_init(&game.sounds[index], SOUND_PATHS[index]);
    std::printf(loaded ? "LOADED: %s\n" : "FAILED: %s\n", SOUND_PATHS[index]);
}

void game_sound_free(u32 index) {
    sound_free(&game.sounds[index]);
    std::printf("FREED: %s\n", SOUND_PATHS[index]);
}
