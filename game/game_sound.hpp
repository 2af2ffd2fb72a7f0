// The sound-effect table.
#pragma once

#include <array>

#include "engine/types.hpp"

enum : u32 {
    SOUND_COLLIDE = 0,
    SOUND_HURT = 1,
    SOUND_LEVEL = 2,
    SOUND_WARNING = 3,
    SOUND_HOVER = 4,
    SOUND_SELECT = 5,
    SOUND_COUNT = 6,
};

inline constexpr std::array<const char *, SOUND_COUNT> SOUND_PATHS = {
    "res/sfx/collide.ogg", "res/sfx/hurt.ogg",  "res/sfx/level.ogg",
    "res/sfx/warning.ogg", "res/sfx/hover.ogg", "res/sfx/select.ogg",
};

void game_sound_init(u32 index);
void game_sound_free(u32 index);
