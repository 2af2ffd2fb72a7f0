// The shader table and the source text of every program, read once at start-up.
#pragma once

#include "engine/types.hpp"

enum : u32 {
    SHADER_TEXTURE_QUAD = 0,
    SHADER_COUNT = 1,
};

inline constexpr const char *SHADER_TEXTURE_QUAD_VERTEX_PATH = "res/shader/textureQuad.vs";
inline constexpr const char *SHADER_TEXTURE_QUAD_FRAGMENT_PATH = "res/shader/textureQuad.fs";

// Each program owns 4096 bytes: the vertex source in the first half, the fragment source in the second.
constexpr u32 SHADER_DATA_SIZE = 4096;
constexpr u32 SHADER_DATA_STAGE_SIZE = 2048;
extern char shaderData[SHADER_COUNT * SHADER_DATA_SIZE];

void game_shader_data_init();
void game_shader_init(u32 index);
void game_shader_free(u32 index);
