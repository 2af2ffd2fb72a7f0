#include "game/game_shader.hpp"

#include <cstdio>
#include <cstring>

#include "engine/io.hpp"
#include "game/game.hpp"

char shaderData[SHADER_COUNT * SHADER_DATA_SIZE];

namespace {

// Reads one stage's source; one byte of its half is kept back so the text is always
// terminated, whatever the file's length. The half is cleared first: a file that is
// missing or shorter than what was read before must not leave an older text's tail.
void stage_read(const char *path, char *destination) {
    std::memset(destination, 0, SHADER_DATA_STAGE_SIZE);
    bool loaded = file_read(path, destination, SHADER_DATA_STAGE_SIZE - 1);
    std::printf(loaded ? "LOADED: %s\n" : "FAILED: %s\n", path);
}

} // namespace

void game_shader_data_init() {
    stage_read(SHADER_TEXTURE_QUAD_VERTEX_PATH, shaderData);
    stage_read(SHADER_TEXTURE_QUAD_FRAGMENT_PATH, shaderData + SHADER_DATA_STAGE_SIZE);
}

void game_shader_init(u32 index) {
    const char *vertex = shaderData + index * SHADER_DATA_SIZE;
    const char *fragment = vertex + SHADER_DATA_STAGE_SIZE;
    bool loaded = shader_init(&game.shaders[index], vertex, fragment);
    std::printf(loaded ? "LOADED: Shader #%i\n" : "FAILED: Shader #%i\n", static_cast<int>(index));
}

void game_shader_free(u32 index) {
    shader_free(&game.shaders[index]);
    std::printf("FREED: Shader #%i\n", static_cast<int>(index));
}
