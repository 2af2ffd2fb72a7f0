// The image table.
#pragma once

#include <array>

#include "engine/types.hpp"

enum : u32 {
    TEXTURE_PLAYER = 0,
    TEXTURE_FOLLOWER = 1,
    TEXTURE_ENEMY = 2,
    TEXTURE_PARTICLE = 3,
    TEXTURE_WARNING = 4,
    TEXTURE_LOGO = 5,
    TEXTURE_COUNT = 6,
};

inline constexpr std::array<const char *, TEXTURE_COUNT> TEXTURE_PATHS = {
    "res/gfx/player.png",   "res/gfx/follower.png", "res/gfx/enemy.png",
    "res/gfx/particle.png", "res/gfx/warning.png",  "res/gfx/logo.png",
};

void game_texture_init(u32 index);
void game_texture_free(u32 index);
