// The music slot and its one track.
#pragma once

#include "engine/types.hpp"

enum : u32 {
    MUSIC_ETHNICA = 0,
    MUSIC_COUNT = 1,
};

void game_music_init(u32 index);
void game_music_free(u32 index);
