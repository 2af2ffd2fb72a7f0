// Textures, atlases, fonts, glyphs, sounds and music on the real libraries.
#include <GL/glew.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/atlas.hpp"
#include "engine/font.hpp"
#include "engine/glyph.hpp"
#include "engine/music.hpp"
#include "engine/sound.hpp"
#include "engine/surface.hpp"
#include "engine/texture.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr const char *FONT_FILE = "res/font/upheaval.ttf";

std::string temp_dir() {
    return test_temp_dir("gyrel_png");
}

// Images in layouts other than RGBA bytes. The Windows build's image library writes PNG as
// RGBA only and expands palettes when it reads one, so there BMP carries the other layouts.
#ifdef _WIN32
constexpr const char *OTHER_LAYOUT_EXTENSION = ".bmp";
int other_layout_save(SDL_Surface *surface, const std::string &path) { return SDL_SaveBMP(surface, path.c_str()); }
#else
constexpr const char *OTHER_LAYOUT_EXTENSION = ".png";
int other_layout_save(SDL_Surface *surface, const std::string &path) { return IMG_SavePNG(surface, path.c_str()); }
#endif

// RGBA bytes of level 0 of the bound texture.
std::vector<u8> texture_pixels(const Texture &texture) {
    std::vector<u8> pixels(static_cast<size_t>(texture.width * texture.height * 4));
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

GLint texture_level_size(const Texture &texture, GLenum which) {
    GLint value = -1;
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &value);
    return value;
}

const u8 COLOURS[6][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {10, 20, 30}, {200, 100, 50}};

void expect_colours(const Texture &texture) {
    ASSERT_EQ(texture.width, 3);
    ASSERT_EQ(texture.height, 2);
    std::vector<u8> pixels = texture_pixels(texture);
    for (int i = 0; i < 6; i++) {
        EXPECT_EQ(pixels[i * 4 + 0], COLOURS[i][0]) << "pixel " << i;
        EXPECT_EQ(pixels[i * 4 + 1], COLOURS[i][1]) << "pixel " << i;
        EXPECT_EQ(pixels[i * 4 + 2], COLOURS[i][2]) << "pixel " << i;
        EXPECT_EQ(pixels[i * 4 + 3], 255) << "pixel " << i;
    }
}

} // namespace

TEST(Texture, NamesSizesAndFree) {
    Texture texture = {};
    EXPECT_FALSE(texture_surface_init(&texture, nullptr));
    EXPECT_TRUE(texture.generated);
    u32 first = texture.id;
    EXPECT_NE(first, 0u);

    SDL_Surface *surface = nullptr;
    surface_rgba_init(&surface, {3, 2});
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->format->BitsPerPixel, 32);
    EXPECT_EQ(static_cast<const u8 *>(surface->pixels)[0], 0);
    EXPECT_TRUE(texture_surface_init(&texture, surface));
    SDL_FreeSurface(surface);
    EXPECT_EQ(texture.id, first);
    EXPECT_EQ(texture.width, 3);
    EXPECT_EQ(texture.height, 2);
    EXPECT_EQ(texture_level_size(texture, GL_TEXTURE_WIDTH), 3);

    surface_rgba_init(&surface, {5, 1});
    EXPECT_TRUE(texture_surface_init(&texture, surface));
    SDL_FreeSurface(surface);
    EXPECT_EQ(texture.id, first);
    EXPECT_EQ(texture.width, 5);
    EXPECT_EQ(texture.height, 1);
    EXPECT_EQ(texture_level_size(texture, GL_TEXTURE_WIDTH), 5);
    GLint wrap = 0, filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(wrap, GL_REPEAT);
    EXPECT_EQ(filter, GL_LINEAR);

    texture_free(&texture);
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_EQ(texture.id, 0u);
    EXPECT_EQ(texture.width, 0);
    EXPECT_EQ(texture.height, 0);
    EXPECT_FALSE(texture.generated);
    surface_rgba_init(&surface, {2, 2});
    EXPECT_TRUE(texture_surface_init(&texture, surface));
    SDL_FreeSurface(surface);
    EXPECT_TRUE(texture.generated);
    EXPECT_TRUE(glIsTexture(texture.id));
    texture_free(&texture);

    Texture missing = {};
    EXPECT_FALSE(texture_init(&missing, "res/gfx/does_not_exist.png"));
    EXPECT_FALSE(missing.generated);
    EXPECT_EQ(missing.id, 0u);
}

TEST(Texture, OtherPixelFormatsUploadTheirOwnColours) {
    std::string dir = temp_dir();
    ASSERT_FALSE(dir.empty());

    SDL_Surface *rgb = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_NE(rgb, nullptr);
    for (int i = 0; i < 6; i++) {
        u8 *p = static_cast<u8 *>(rgb->pixels) + (i / 3) * rgb->pitch + (i % 3) * 3;
        p[0] = COLOURS[i][0];
        p[1] = COLOURS[i][1];
        p[2] = COLOURS[i][2];
    }
    std::string rgb_path = dir + "/rgb" + OTHER_LAYOUT_EXTENSION;
    ASSERT_EQ(other_layout_save(rgb, rgb_path), 0) << IMG_GetError();
    SDL_FreeSurface(rgb);

    SDL_Surface *indexed = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 8, SDL_PIXELFORMAT_INDEX8);
    ASSERT_NE(indexed, nullptr);
    SDL_Color palette[6];
    for (int i = 0; i < 6; i++) palette[i] = {COLOURS[5 - i][0], COLOURS[5 - i][1], COLOURS[5 - i][2], 255};
    SDL_SetPaletteColors(indexed->format->palette, palette, 0, 6);
    for (int i = 0; i < 6; i++) static_cast<u8 *>(indexed->pixels)[(i / 3) * indexed->pitch + i % 3] = u8(5 - i);
    std::string indexed_path = dir + "/indexed" + OTHER_LAYOUT_EXTENSION;
    ASSERT_EQ(other_layout_save(indexed, indexed_path), 0) << IMG_GetError();
    SDL_FreeSurface(indexed);

    // The files really decode to layouts other than tightly packed RGBA bytes.
    SDL_Surface *check = IMG_Load(rgb_path.c_str());
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->format->BytesPerPixel, 3);
    SDL_FreeSurface(check);
    check = IMG_Load(indexed_path.c_str());
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->format->BytesPerPixel, 1);
    SDL_FreeSurface(check);

    Texture texture = {};
    ASSERT_TRUE(texture_init(&texture, rgb_path.c_str()));
    expect_colours(texture);
    texture_free(&texture);
    ASSERT_TRUE(texture_init(&texture, indexed_path.c_str()));
    expect_colours(texture);
    texture_free(&texture);

    // A 32-bit surface in red-in-the-low-byte order with padded rows.
    SDL_Surface *padded = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(padded, nullptr);
    for (int i = 0; i < 6; i++) {
        u32 *p = reinterpret_cast<u32 *>(static_cast<u8 *>(padded->pixels) + (i / 3) * padded->pitch) + i % 3;
        *p = SDL_MapRGBA(padded->format, COLOURS[i][0], COLOURS[i][1], COLOURS[i][2], 255);
    }
    ASSERT_TRUE(texture_surface_init(&texture, padded));
    SDL_FreeSurface(padded);
    expect_colours(texture);
    texture_free(&texture);

    std::remove(rgb_path.c_str());
    std::remove(indexed_path.c_str());
    std::filesystem::remove(dir);
}

TEST(Atlas, CellCoordinates) {
    Texture texture = {};
    texture.width = 256;
    texture.height = 64;
    Atlas atlas;
    atlas_init(&atlas, texture, 64, 64, 1, 4);
    atlas.frame = 99;
    atlas_init(&atlas, texture, 64, 64, 1, 4);
    EXPECT_EQ(atlas.frame, 0);
    vec2 lo, hi;
    atlas_uv_get(&atlas, &lo, &hi);
    EXPECT_EQ(lo, vec2(0.0f, 0.0f));
    EXPECT_EQ(hi, vec2(0.25f, 1.0f));
    atlas.frame = 3;
    atlas_uv_get(&atlas, &lo, &hi);
    EXPECT_EQ(lo, vec2(0.75f, 0.0f));
    EXPECT_EQ(hi, vec2(1.0f, 1.0f));
    atlas.frame = 4;
    atlas_uv_get(&atlas, &lo, &hi);
    EXPECT_EQ(lo, vec2(1.0f, 0.0f));
    EXPECT_EQ(hi, vec2(1.25f, 1.0f));

    texture.width = 128;
    texture.height = 128;
    atlas_init(&atlas, texture, 64, 64, 2, 2);
    atlas.frame = 1;
    atlas_uv_get(&atlas, &lo, &hi);
    EXPECT_EQ(lo, vec2(0.0f, 0.5f));
    EXPECT_EQ(hi, vec2(0.5f, 1.0f));
    atlas.frame = 2;
    atlas_uv_get(&atlas, &lo, &hi);
    EXPECT_EQ(lo, vec2(0.5f, 0.0f));
    EXPECT_EQ(hi, vec2(1.0f, 0.5f));

    texture.width = 40;
    texture.height = 30;
    atlas_init(&atlas, texture, 40, 30, 1, 1);
    atlas_uv_get(&atlas, &lo, &hi);
    EXPECT_EQ(lo, vec2(0.0f, 0.0f));
    EXPECT_EQ(hi, vec2(1.0f, 1.0f));

    // No rows (a zeroed atlas) or an empty texture: an empty range, not a division by zero.
    for (Atlas empty : {Atlas{}, Atlas{texture, 40, 30, 0, 1, 3}, Atlas{Texture{}, 40, 30, 1, 1, 0}}) {
        lo = hi = vec2(-1.0f);
        atlas_uv_get(&empty, &lo, &hi);
        EXPECT_EQ(lo, vec2(0.0f, 0.0f));
        EXPECT_EQ(hi, vec2(0.0f, 0.0f));
    }
}

TEST(Font, OpenFreeAndMetrics) {
    Font missing = {};
    EXPECT_FALSE(font_init(&missing, "res/font/missing.ttf", 24));
    EXPECT_FALSE(missing.loaded);
    EXPECT_EQ(missing.font, nullptr);
    font_free(&missing);
    EXPECT_FALSE(missing.loaded);

    Font font = {};
    ASSERT_TRUE(font_init(&font, FONT_FILE, 48));
    EXPECT_TRUE(font.loaded);
    EXPECT_EQ(font.size, 48);
    EXPECT_EQ(font_height_get(&font), TTF_FontHeight(font.font));
    EXPECT_EQ(font_line_skip_get(&font), TTF_FontLineSkip(font.font));
    Font small = {};
    ASSERT_TRUE(font_init(&small, FONT_FILE, 24));
    EXPECT_LT(font_height_get(&small), font_height_get(&font));

    GlyphMetrics metrics;
    glyph_metrics_get(&metrics, &font, 'A');
    int min_x, max_x, min_y, max_y, advance;
    ASSERT_EQ(TTF_GlyphMetrics(font.font, 'A', &min_x, &max_x, &min_y, &max_y, &advance), 0);
    EXPECT_EQ(metrics.min_x, min_x);
    EXPECT_EQ(metrics.max_x, max_x);
    EXPECT_EQ(metrics.min_y, min_y);
    EXPECT_EQ(metrics.max_y, max_y);
    EXPECT_EQ(metrics.advance, advance);
    EXPECT_GT(metrics.max_y, metrics.min_y);
    EXPECT_EQ(glyph_width_get(&font, 'A'), max_x - min_x);
    EXPECT_EQ(glyph_kerning_get(&font, 'A', 'V'), TTF_GetFontKerningSizeGlyphs(font.font, 'A', 'V'));

    font_free(&small);
    font_free(&font);
    EXPECT_FALSE(font.loaded);
    font_free(&font); // closing twice would crash in the library
}

TEST(Glyph, TexturesAndHighBytes) {
    Font font = {};
    ASSERT_TRUE(font_init(&font, FONT_FILE, 48));
    GlyphMetrics a;
    glyph_metrics_get(&a, &font, 'A');

    Texture texture = {};
    EXPECT_TRUE(glyph_texture_init(&texture, &font, 'A'));
    EXPECT_EQ(texture.width, a.max_x - a.min_x);
    EXPECT_EQ(texture.height, font_height_get(&font));
    EXPECT_EQ(texture_level_size(texture, GL_TEXTURE_HEIGHT), font_height_get(&font));
    std::vector<u8> pixels = texture_pixels(texture);
    int covered = 0;
    bool white = true;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        if (pixels[i + 3] > 0) covered++;
        if (pixels[i] != pixels[i + 3] || pixels[i + 1] != pixels[i + 3] || pixels[i + 2] != pixels[i + 3]) white = false;
    }
    EXPECT_GT(covered, 50);
    EXPECT_TRUE(white) << "every channel carries the coverage";
    texture_free(&texture);

    EXPECT_TRUE(glyph_texture_init(&texture, &font, ' '));
    EXPECT_EQ(texture.width, 0);
    EXPECT_EQ(texture.height, font_height_get(&font));
    texture_free(&texture);

    // A byte of 0x80 or more reaches the library sign-extended (0xFFE9 for 0xE9), not as Latin-1.
    int min_x, max_x, min_y, max_y, advance;
    ASSERT_EQ(TTF_GlyphMetrics(font.font, 0xFFE9, &min_x, &max_x, &min_y, &max_y, &advance), 0);
    GlyphMetrics high;
    glyph_metrics_get(&high, &font, static_cast<char>(0xE9));
    EXPECT_EQ(high.min_x, min_x);
    EXPECT_EQ(high.max_x, max_x);
    EXPECT_EQ(high.advance, advance);
    int latin_max_x = 0, latin_advance = 0;
    if (TTF_GlyphIsProvided(font.font, 0xE9) && !TTF_GlyphIsProvided(font.font, 0xFFE9)) {
        TTF_GlyphMetrics(font.font, 0xE9, &min_x, &latin_max_x, &min_y, &max_y, &latin_advance);
        EXPECT_TRUE(high.max_x != latin_max_x || high.advance != latin_advance);
    }
    EXPECT_TRUE(glyph_texture_init(&texture, &font, static_cast<char>(0xE9)));
    EXPECT_EQ(texture.width, high.max_x - high.min_x);
    texture_free(&texture);
    font_free(&font);

    // A font that never opened is refused before SDL_ttf sees it.
    Font closed = {};
    GlyphMetrics none = {1, 2, 3, 4, 5};
    glyph_metrics_get(&none, &closed, 'A');
    EXPECT_EQ(none.min_x, 0);
    EXPECT_EQ(none.max_x, 0);
    EXPECT_EQ(none.advance, 0);
    EXPECT_EQ(glyph_kerning_get(&closed, 'A', 'V'), 0);
    EXPECT_EQ(font_height_get(&closed), 0);
    EXPECT_EQ(font_line_skip_get(&closed), 0);
    EXPECT_TRUE(glyph_texture_init(&texture, &closed, 'A'));
    EXPECT_EQ(texture.width, 0);
    texture_free(&texture);
}

TEST(Audio, SoundsLoadPlayAndFree) {
    Sound missing = {};
    EXPECT_FALSE(sound_init(&missing, "res/sfx/missing.ogg"));
    EXPECT_FALSE(missing.loaded);
    sound_play(&missing, -1);
    sound_free(&missing);

    Sound sound = {};
    ASSERT_TRUE(sound_init(&sound, "res/sfx/collide.ogg")) << Mix_GetError();
    EXPECT_TRUE(sound.loaded);
    EXPECT_GT(sound.chunk->alen, 1000u) << "decoded into memory";
    Mix_HaltChannel(-1);
    int channels = Mix_AllocateChannels(-1);
    for (int i = 0; i < channels + 3; i++) sound_play(&sound, -1);
    EXPECT_EQ(Mix_Playing(-1), channels) << "overlapping copies until the channels run out";

    // Naming a busy channel does not cut its effect off: the new one takes a free channel.
    Mix_HaltChannel(-1);
    sound_play(&sound, -1);
    ASSERT_EQ(Mix_Playing(0), 1);
    sound_play(&sound, 0);
    sound_play(&sound, 3);
    EXPECT_EQ(Mix_Playing(-1), 3);
    sound_free(&sound);
    EXPECT_FALSE(sound.loaded);
    EXPECT_EQ(Mix_Playing(-1), 0) << "freeing the chunk halts its channels";
    sound_free(&sound);
}

TEST(Audio, MusicLoopsPausesAndResumes) {
    Music missing = {};
    EXPECT_FALSE(music_init(&missing, "res/mus/missing.ogg"));
    EXPECT_FALSE(missing.loaded);
    music_play(&missing, true);
    EXPECT_FALSE(music_is_playing());
    music_free(&missing);

    Music music = {};
    ASSERT_TRUE(music_init(&music, "res/mus/ethnica.ogg")) << Mix_GetError();
    music_play(&music, true);
    EXPECT_TRUE(music_is_playing());
    SDL_Delay(250);
    music_pause();
    EXPECT_EQ(Mix_PausedMusic(), 1);
    double paused_at = Mix_GetMusicPosition(music.music);
    EXPECT_GT(paused_at, 0.05);
    SDL_Delay(250);
    EXPECT_NEAR(Mix_GetMusicPosition(music.music), paused_at, 0.06);
    music_resume();
    EXPECT_EQ(Mix_PausedMusic(), 0);
    SDL_Delay(250);
    EXPECT_GT(Mix_GetMusicPosition(music.music), paused_at + 0.1);
    EXPECT_LT(Mix_GetMusicPosition(music.music), paused_at + 1.0) << "continues where it stopped";

    music_stop();
    EXPECT_FALSE(music_is_playing());
    music_play(&music, true);
    EXPECT_TRUE(music_is_playing());
    music_free(&music);
    EXPECT_FALSE(music.loaded);
    EXPECT_FALSE(music_is_playing()) << "freeing the playing track stops it";
    music_free(&music);
}
