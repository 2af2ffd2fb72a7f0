// Resource tables, their console lines, the per-state resource sets and the quad drawer.
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/surface.hpp"
#include "game/game.hpp"
#include "game/shader_texture_quad.hpp"
#include "tests/support/test_env.hpp"

namespace {

std::vector<std::string> lines_with(const std::string &text, const std::vector<std::string> &prefixes) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        for (const std::string &prefix : prefixes) {
            if (line.rfind(prefix, 0) == 0) {
                lines.push_back(line);
                break;
            }
        }
    }
    return lines;
}

std::vector<std::string> resource_lines(const std::string &text) {
    return lines_with(text, {"LOADED: ", "FAILED: ", "FREED: "});
}

std::string file_text(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// A copy of res/ in a fresh directory, to remove or replace files in.
struct ResCopy {
    std::string dir;
    std::string home;
};

ResCopy res_copy() {
    ResCopy copy;
    copy.dir = test_temp_dir("gyrel_res");
    EXPECT_FALSE(copy.dir.empty());
    copy.home = std::filesystem::current_path().generic_string();
    std::error_code error;
    std::filesystem::copy(copy.home + "/res", copy.dir + "/res", std::filesystem::copy_options::recursive, error);
    EXPECT_FALSE(error) << error.message();
    return copy;
}

void res_copy_remove(const ResCopy &copy) {
    std::error_code error;
    std::filesystem::current_path(copy.home, error);
    EXPECT_FALSE(error) << error.message();
    EXPECT_GT(std::filesystem::remove_all(copy.dir, error), 0u);
    EXPECT_FALSE(error) << error.message();
}

// Every slot empty, so that loads and frees print from a known state.
void slots_empty() {
    test_resources_free();
    std::memset(game.shaders, 0, sizeof game.shaders);
    std::memset(game.textures, 0, sizeof game.textures);
    std::memset(game.sounds, 0, sizeof game.sounds);
    std::memset(game.musics, 0, sizeof game.musics);
    std::memset(game.fonts, 0, sizeof game.fonts);
}

Texture texture_make(i32 width, i32 height, u32 (*pixel)(i32 x, i32 y)) {
    SDL_Surface *surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    for (i32 y = 0; y < height; y++) {
        for (i32 x = 0; x < width; x++) {
            u32 rgba = pixel(x, y);
            u8 *p = static_cast<u8 *>(surface->pixels) + y * surface->pitch + x * 4;
            p[0] = u8(rgba >> 24);
            p[1] = u8(rgba >> 16);
            p[2] = u8(rgba >> 8);
            p[3] = u8(rgba);
        }
    }
    Texture texture = {};
    texture_surface_init(&texture, surface);
    SDL_FreeSurface(surface);
    return texture;
}

void expect_pixel_near(u32 actual, u32 expected, const char *what) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        int a = int((actual >> shift) & 0xFF);
        int e = int((expected >> shift) & 0xFF);
        EXPECT_LE(std::abs(a - e), 2) << what << std::hex << ": got 0x" << actual << ", want 0x" << expected;
    }
}

void frame_clear(vec4 colour) {
    renderer_clear_color_set(&game.renderer, &colour);
    test_frame_draw();
}

} // namespace

TEST(Resources, LoadAndFreeLinesForEveryKind) {
    test_game_reset();
    slots_empty();

    test_stdout_begin();
    game_texture_free(TEXTURE_LOGO);
    game_sound_free(SOUND_HURT);
    game_music_free(MUSIC_ETHNICA);
    game_font_free(FONT_SMALL);
    game_shader_free(SHADER_TEXTURE_QUAD);
    EXPECT_EQ(test_stdout_end(), "FREED: res/gfx/logo.png\nFREED: res/sfx/hurt.ogg\nFREED: res/mus/ethnica.ogg\n"
                                 "FREED: res/font/upheaval.ttf\nFREED: Shader #0\n")
        << "slots that never loaded still report";

    test_stdout_begin();
    game_font_init(FONT_LARGE);
    game_texture_init(TEXTURE_PLAYER);
    game_sound_init(SOUND_WARNING);
    game_music_init(MUSIC_ETHNICA);
    EXPECT_EQ(test_stdout_end(), "LOADED: res/font/upheaval.ttf\nLOADED: res/gfx/player.png\n"
                                 "LOADED: res/sfx/warning.ogg\nLOADED: res/mus/ethnica.ogg\n");
    EXPECT_TRUE(game.fonts[FONT_LARGE].loaded);
    EXPECT_EQ(game.fonts[FONT_LARGE].size, 48);
    EXPECT_FALSE(game.fonts[FONT_SMALL].loaded);
    EXPECT_EQ(game.textures[TEXTURE_PLAYER].width, 256);
    EXPECT_EQ(game.textures[TEXTURE_PLAYER].height, 64);
    EXPECT_TRUE(game.sounds[SOUND_WARNING].loaded);
    EXPECT_TRUE(game.musics[MUSIC_ETHNICA].loaded);

    test_stdout_begin();
    game_shader_init(SHADER_TEXTURE_QUAD);
    std::vector<std::string> lines = lines_with(test_stdout_end(), {"COMPILE", "LOADED", "FAILED"});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("COMPILE SUCCESS: Shader #", 0), 0u);
    EXPECT_EQ(lines[1].rfind("COMPILE SUCCESS: Shader #", 0), 0u);
    EXPECT_EQ(lines[2], "LOADED: Shader #0");
    EXPECT_TRUE(game.shaders[SHADER_TEXTURE_QUAD].loaded);
    test_resources_load();
}

TEST(Resources, MissingFilesReportedAndSlotsLeftEmpty) {
    test_game_reset();
    slots_empty();
    ResCopy copy = res_copy();
    for (const char *file : {"sfx/hurt.ogg", "font/upheaval.ttf", "gfx/logo.png", "mus/ethnica.ogg", "shader/textureQuad.vs"}) {
        std::remove((copy.dir + "/res/" + file).c_str());
    }
    std::error_code moved;
    std::filesystem::current_path(copy.dir, moved);
    ASSERT_FALSE(moved) << moved.message();

    test_stdout_begin();
    game_shader_data_init();
    game_sound_init(SOUND_HURT);
    game_sound_init(SOUND_LEVEL);
    game_font_init(FONT_SMALL);
    game_texture_init(TEXTURE_LOGO);
    game_music_init(MUSIC_ETHNICA);
    game_shader_init(SHADER_TEXTURE_QUAD);
    std::string text = test_stdout_end();
    EXPECT_EQ(resource_lines(text),
              (std::vector<std::string>{"FAILED: res/shader/textureQuad.vs", "LOADED: res/shader/textureQuad.fs",
                                        "FAILED: res/sfx/hurt.ogg", "LOADED: res/sfx/level.ogg",
                                        "FAILED: res/font/upheaval.ttf", "FAILED: res/gfx/logo.png",
                                        "FAILED: res/mus/ethnica.ogg", "FAILED: Shader #0"}))
        << text;
    EXPECT_EQ(shaderData[0], 0) << "a missing source leaves an empty text";
    EXPECT_FALSE(game.sounds[SOUND_HURT].loaded);
    EXPECT_TRUE(game.sounds[SOUND_LEVEL].loaded);
    EXPECT_FALSE(game.fonts[FONT_SMALL].loaded);
    EXPECT_FALSE(game.textures[TEXTURE_LOGO].generated);
    EXPECT_FALSE(game.musics[MUSIC_ETHNICA].loaded);
    EXPECT_FALSE(game.shaders[SHADER_TEXTURE_QUAD].loaded);

    test_stdout_begin();
    game_sound_free(SOUND_HURT);
    game_sound_free(SOUND_LEVEL);
    game_font_free(FONT_SMALL);
    game_shader_free(SHADER_TEXTURE_QUAD);
    EXPECT_EQ(test_stdout_end(), "FREED: res/sfx/hurt.ogg\nFREED: res/sfx/level.ogg\n"
                                 "FREED: res/font/upheaval.ttf\nFREED: Shader #0\n");

    res_copy_remove(copy);
    test_stdout_begin();
    game_shader_data_init();
    test_stdout_end();
    test_resources_load();
    EXPECT_TRUE(game.shaders[SHADER_TEXTURE_QUAD].loaded);
}

TEST(Resources, OverLongShaderSourceStaysTerminated) {
    test_game_reset();
    ResCopy copy = res_copy();
    std::string vertex = file_text(copy.dir + "/res/shader/textureQuad.vs");
    std::string fragment = file_text(copy.dir + "/res/shader/textureQuad.fs");
    ASSERT_FALSE(vertex.empty());
    std::string long_vertex = vertex + "//" + std::string(3000, 'x') + "\n";
    {
        std::ofstream out(copy.dir + "/res/shader/textureQuad.vs", std::ios::binary);
        out << long_vertex;
    }
    std::error_code moved;
    std::filesystem::current_path(copy.dir, moved);
    ASSERT_FALSE(moved) << moved.message();
    test_stdout_begin();
    game_shader_data_init();
    std::string text = test_stdout_end();
    EXPECT_EQ(resource_lines(text),
              (std::vector<std::string>{"LOADED: res/shader/textureQuad.vs", "LOADED: res/shader/textureQuad.fs"}));
    EXPECT_EQ(std::string(shaderData, 2047), long_vertex.substr(0, 2047));
    EXPECT_EQ(shaderData[2047], 0);
    EXPECT_EQ(std::string(shaderData + 2048), fragment);

    // Truncated inside the trailing comment, the program still builds.
    game_shader_free(SHADER_TEXTURE_QUAD);
    test_stdout_begin();
    game_shader_init(SHADER_TEXTURE_QUAD);
    EXPECT_NE(test_stdout_end().find("LOADED: Shader #0"), std::string::npos);

    // Reading the normal sources again leaves no tail of the long one.
    res_copy_remove(copy);
    test_stdout_begin();
    game_shader_data_init();
    game_shader_free(SHADER_TEXTURE_QUAD);
    game_shader_init(SHADER_TEXTURE_QUAD);
    text = test_stdout_end();
    EXPECT_EQ(std::string(shaderData), vertex);
    EXPECT_NE(text.find("LOADED: Shader #0"), std::string::npos) << text;
}

TEST(Resources, StateSetsLoadAndFreeInOrder) {
    test_game_reset();
    slots_empty();
    const std::vector<std::string> menu = {"Shader #0", "res/gfx/logo.png", "res/sfx/hover.ogg", "res/sfx/select.ogg",
                                           "res/font/upheaval.ttf", "res/font/upheaval.ttf"};
    const std::vector<std::string> play = {
        "Shader #0",           "res/gfx/player.png", "res/gfx/follower.png", "res/gfx/enemy.png",
        "res/gfx/particle.png", "res/gfx/warning.png", "res/sfx/collide.ogg", "res/sfx/level.ogg",
        "res/sfx/hurt.ogg",     "res/sfx/warning.ogg", "res/mus/ethnica.ogg", "res/font/upheaval.ttf",
        "res/font/upheaval.ttf"};
    const std::vector<std::string> results = {"Shader #0", "res/sfx/hover.ogg", "res/sfx/select.ogg",
                                              "res/font/upheaval.ttf"};
    const std::vector<std::string> *sets[] = {&menu, &play, &results};
    for (u32 state = 0; state < GAME_STATE_COUNT; state++) {
        game.state = static_cast<GameState>(state);
        test_stdout_begin();
        game_state_data_init();
        std::string text = test_stdout_end();
        std::vector<std::string> loaded;
        std::vector<std::string> freed;
        for (const std::string &name : *sets[state]) {
            loaded.push_back("LOADED: " + name);
            freed.push_back("FREED: " + name);
        }
        EXPECT_EQ(resource_lines(text), loaded) << "state " << state;
        if (state == GAME_STATE_MENU) {
            std::vector<std::string> first = lines_with(text, {"COMPILE", "LOADED"});
            ASSERT_GE(first.size(), 3u);
            EXPECT_EQ(first[0].rfind("COMPILE SUCCESS", 0), 0u);
            EXPECT_EQ(first[1].rfind("COMPILE SUCCESS", 0), 0u);
            EXPECT_EQ(first[2], "LOADED: Shader #0");
            EXPECT_TRUE(game.textures[TEXTURE_LOGO].generated);
            EXPECT_FALSE(game.textures[TEXTURE_PLAYER].generated);
            EXPECT_TRUE(game.fonts[FONT_SMALL].loaded && game.fonts[FONT_LARGE].loaded);
        }
        if (state == GAME_STATE_RESULTS) {
            EXPECT_FALSE(game.fonts[FONT_SMALL].loaded);
            EXPECT_TRUE(game.fonts[FONT_LARGE].loaded);
        }
        test_stdout_begin();
        game_state_data_free();
        EXPECT_EQ(resource_lines(test_stdout_end()), freed) << "state " << state;
        for (const Font &font : game.fonts) EXPECT_FALSE(font.loaded);
        for (const Sound &sound : game.sounds) EXPECT_FALSE(sound.loaded);
        for (const Texture &texture : game.textures) EXPECT_FALSE(texture.generated);
        EXPECT_FALSE(game.shaders[0].loaded);
        EXPECT_FALSE(game.musics[0].loaded);
    }
    game.state = GAME_STATE_MENU;
    test_resources_load();
}

TEST(QuadDraw, TintedCellUprightAndBlended) {
    test_game_reset();
    test_resources_load();
    // Top half white, bottom half opaque black.
    Texture halves = texture_make(8, 8, [](i32, i32 y) -> u32 { return y < 4 ? 0xFFFFFFFFu : 0x000000FFu; });
    // Two cells side by side: red, then green.
    Texture cells = texture_make(16, 8, [](i32 x, i32) -> u32 { return x < 8 ? 0xFF0000FFu : 0x00FF00FFu; });

    frame_clear({0.0f, 0.0f, 1.0f, 1.0f});
    Atlas atlas;
    atlas_init(&atlas, halves, 8, 8, 1, 1);
    mat4 model = glm::translate(mat4(1.0f), vec3(100.0f, 50.0f, 0.0f));
    shader_texture_quad_draw(&atlas, SHADER_TEXTURE_QUAD, model, {40.0f, 30.0f}, {0.2f, 0.6f, 1.0f, 1.0f});
    expect_pixel_near(test_pixel_get(110, 57), 0x3399FFFFu, "tinted top row");
    expect_pixel_near(test_pixel_get(110, 72), 0x000000FFu, "black bottom row");
    expect_pixel_near(test_pixel_get(99, 60), 0x0000FFFFu, "left of the quad");
    expect_pixel_near(test_pixel_get(140, 60), 0x0000FFFFu, "right of the quad");
    expect_pixel_near(test_pixel_get(110, 80), 0x0000FFFFu, "below the quad");
    EXPECT_EQ(game.renderer.shader, &game.shaders[SHADER_TEXTURE_QUAD]);
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(static_cast<u32>(program), game.shaders[SHADER_TEXTURE_QUAD].id);

    // The vertex array keeps both attributes and the index buffer the draw described.
    vao_bind(&game.renderer.vao);
    GLint value = 0;
    glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &value);
    EXPECT_EQ(value, 20);
    void *offset = nullptr;
    glGetVertexAttribPointerv(1, GL_VERTEX_ATTRIB_ARRAY_POINTER, &offset);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(offset), 12u);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &value);
    EXPECT_EQ(static_cast<u32>(value), game.renderer.ebo.id);
    glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &value);
    EXPECT_EQ(value, 24);
    vbo_bind(&game.renderer.vbo);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &value);
    EXPECT_EQ(value, 80);
    vao_unbind();

    frame_clear({0.0f, 0.0f, 1.0f, 1.0f});
    shader_texture_quad_draw(&atlas, SHADER_TEXTURE_QUAD, model, {40.0f, 30.0f}, {1.0f, 0.0f, 0.0f, 0.0f});
    expect_pixel_near(test_pixel_get(110, 57), 0x0000FFFFu, "alpha 0 draws nothing");
    shader_texture_quad_draw(&atlas, SHADER_TEXTURE_QUAD, model, {40.0f, 30.0f}, {1.0f, 0.0f, 0.0f, 0.5f});
    // The window's visual may have no alpha channel, so only the colour is compared here.
    expect_pixel_near(test_pixel_get(110, 57) | 0xFFu, 0x800080FFu, "half alpha blends");

    frame_clear({0.0f, 0.0f, 0.0f, 1.0f});
    atlas_init(&atlas, cells, 8, 8, 1, 2);
    atlas.frame = 1;
    shader_texture_quad_draw(&atlas, SHADER_TEXTURE_QUAD, model, {40.0f, 30.0f}, {1.0f, 1.0f, 1.0f, 1.0f});
    expect_pixel_near(test_pixel_get(120, 65), 0x00FF00FFu, "second cell");
    atlas.frame = 0;
    shader_texture_quad_draw(&atlas, SHADER_TEXTURE_QUAD, model, {40.0f, 30.0f}, {1.0f, 1.0f, 1.0f, 1.0f});
    expect_pixel_near(test_pixel_get(120, 65), 0xFF0000FFu, "first cell");

    texture_free(&halves);
    texture_free(&cells);
    vec4 clear = {0.0f, 0.0f, 0.0f, 0.0f};
    renderer_clear_color_set(&game.renderer, &clear);
}
