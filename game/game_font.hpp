// The font table: which file and point size belongs to which font slot.
#pragma once

#include <array>

#include "engine/types.hpp"

enum : u32 {
    FONT_SMALL = 0,
    FONT_LARGE = 1,
    FONT_COUNT = 2,
};

inline constexpr std::array<const char *, FONT_COUNT> FONT_PATHS = {
    "res/font/upheaval.ttf",
    "res/font/upheaval.ttf",
};
inline constexpr std::array<i32, FONT_COUNT> FONT_SIZES = {24, 48};

void game_font_init(u32 index);
void game_font_free(u32 index);
