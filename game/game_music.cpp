#include "game/game_music.hpp"

#include <cstdio>

#include "game/game.hpp"

void game_music_init(u32 index) {
    bool loaded = music_init(&game.musics[index], "res/mus/ethnica.ogg");
    std::printf(loaded ? "LOADED: %s\n" : "FAILED: %s\n", "res/mus/ethnica.ogg");
}

void game_music_free(u32 index) {
    music_free(&game.musics[index]);
    std::printf("FREED: %s\n", "res/mus/ethnica.ogg");
}
