// The three game states, their scenes and the resources each one loads.
#pragma once

#include <array>

#include "engine/types.hpp"

enum GameState : u32 {
    GAME_STATE_MENU = 0,
    GAME_STATE_PLAY = 1,
    GAME_STATE_RESULTS = 2,
    GAME_STATE_COUNT = 3,
};

struct StateData {
    const u32 *fonts;
    const u32 *musics;
    const u32 *shaders;
    const u32 *sounds;
    const u32 *textures;
    u32 font_count;
    u32 music_count;
    u32 shader_count;
    u32 sound_count;
    u32 texture_count;
};

extern const std::array<StateData, GAME_STATE_COUNT> STATE_DATA;

void game_state_data_init();
void game_state_data_free();
void game_state_init();
void game_state_free();
void game_state_update_f();
