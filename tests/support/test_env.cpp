#include "tests/support/test_env.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>
#include <unistd.h>

#include "engine/sdl.hpp"
#include "game/game.hpp"

namespace {

Window test_window;
Renderer test_renderer;

class GameEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
#ifdef _WIN32
        std::setvbuf(stdout, nullptr, _IONBF, 0);
#else
        std::setvbuf(stdout, nullptr, _IOLBF, 0);
#endif
        sdl_init();
        vec2 size = WINDOW_SIZE;
        window_init(&test_window, "Gyrel+ tests", &size, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(test_window.handle, nullptr) << SDL_GetError();
        renderer_init(&test_renderer, &test_window, CAMERA_ORTHOGRAPHIC);
        test_game_reset();
        game_shader_data_init();
    }

    void TearDown() override {
        ecs_free();
        renderer_free(&test_renderer);
        window_free(&test_window);
        sdl_quit();
    }
};

int saved_stdout = -1;
FILE *capture = nullptr;

} // namespace

void test_game_reset() {
    // Every slot, registered or not: a test may have registered only some kinds itself.
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) ecs_unregister(kind);
    Sound sounds[SOUND_COUNT];
    Texture textures[TEXTURE_COUNT];
    Music musics[MUSIC_COUNT];
    Shader shaders[SHADER_COUNT];
    Font fonts[FONT_COUNT];
    std::memcpy(sounds, game.sounds, sizeof sounds);
    std::memcpy(textures, game.textures, sizeof textures);
    std::memcpy(musics, game.musics, sizeof musics);
    std::memcpy(shaders, game.shaders, sizeof shaders);
    std::memcpy(fonts, game.fonts, sizeof fonts);

    std::memset(&game, 0, sizeof game);
    game.window = test_window;
    game.renderer = test_renderer;
    game.renderer.window = &game.window;
    game.bounds = {0.0f, 0.0f, 1280.0f, 720.0f};
    std::memcpy(game.sounds, sounds, sizeof sounds);
    std::memcpy(game.textures, textures, sizeof textures);
    std::memcpy(game.musics, musics, sizeof musics);
    std::memcpy(game.shaders, shaders, sizeof shaders);
    std::memcpy(game.fonts, fonts, sizeof fonts);
    vec4 clear = {0.0f, 0.0f, 0.0f, 0.0f};
    renderer_clear_color_set(&game.renderer, &clear);
    ecs_init();
}

void test_resources_load() {
    test_stdout_begin();
    for (u32 i = 0; i < SHADER_COUNT; i++) {
        if (!game.shaders[i].loaded) game_shader_init(i);
    }
    for (u32 i = 0; i < TEXTURE_COUNT; i++) {
        if (!game.textures[i].generated) game_texture_init(i);
    }
    for (u32 i = 0; i < SOUND_COUNT; i++) {
        if (!game.sounds[i].loaded) game_sound_init(i);
    }
    for (u32 i = 0; i < MUSIC_COUNT; i++) {
        if (!game.musics[i].loaded) game_music_init(i);
    }
    for (u32 i = 0; i < FONT_COUNT; i++) {
        if (!game.fonts[i].loaded) game_font_init(i);
    }
    test_stdout_end();
}

void test_resources_free() {
    test_stdout_begin();
    for (u32 i = 0; i < SHADER_COUNT; i++) game_shader_free(i);
    for (u32 i = 0; i < TEXTURE_COUNT; i++) game_texture_free(i);
    for (u32 i = 0; i < SOUND_COUNT; i++) game_sound_free(i);
    for (u32 i = 0; i < MUSIC_COUNT; i++) game_music_free(i);
    for (u32 i = 0; i < FONT_COUNT; i++) game_font_free(i);
    test_stdout_end();
}

void test_stdout_begin() {
    std::fflush(stdout);
    capture = std::tmpfile();
    saved_stdout = dup(fileno(stdout));
    dup2(fileno(capture), fileno(stdout));
}

std::string test_stdout_end() {
    std::fflush(stdout);
    dup2(saved_stdout, fileno(stdout));
    close(saved_stdout);
    std::string text;
    std::rewind(capture);
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, capture)) > 0) text.append(buffer, n);
    std::fclose(capture);
    capture = nullptr;
    return text;
}

std::string test_temp_dir(const std::string &stem) {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) return "";
    std::random_device device;
    std::mt19937_64 random((static_cast<u64>(device()) << 32) ^ device());
    for (int attempt = 0; attempt < 100; attempt++) {
        std::filesystem::path path = base / (stem + "_" + std::to_string(random()));
        // create_directory reports false for a folder that already exists: never reuse one.
        if (std::filesystem::create_directory(path, error) && !error) return path.generic_string();
    }
    return "";
}

void test_ecs_steps(i32 n) {
    for (i32 i = 0; i < n; i++) ecs_update_f();
}

void test_frame_draw() {
    window_update(&game.window);
    renderer_update(&game.renderer);
    renderer_clear(&game.renderer);
    ecs_draw();
    glFinish();
}

u32 test_pixel_get(i32 x, i32 y) {
    u8 rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(x, static_cast<i32>(game.window.size.y) - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return (u32(rgba[0]) << 24) | (u32(rgba[1]) << 16) | (u32(rgba[2]) << 8) | u32(rgba[3]);
}

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new GameEnvironment);
    return RUN_ALL_TESTS();
}
