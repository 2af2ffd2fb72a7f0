// Every palette colour also carries its own emblem: the shapes stay apart at the sizes the
// game draws them, and a matcher that sees no colour pairs each attacker with its follower.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "components/c_physics.hpp"
#include "components/c_sprite.hpp"
#include "ecs/entity.hpp"
#include "entities/e_enemy.hpp"
#include "entities/e_follower.hpp"
#include "entities/e_warning.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr i32 COLORS = 6;
constexpr f32 DEGREE = 3.14159265f / 180.0f;

enum Kind : u32 { KIND_FOLLOWER, KIND_ENEMY, KIND_WARNING, KIND_COUNT };
constexpr std::array<f32, KIND_COUNT> DRAWN_SIZE = {30.0f, 25.0f, 32.0f};
constexpr std::array<const char *, KIND_COUNT> KIND_NAME = {"follower", "attacker", "warning"};

// What the eye gets: the back buffer's sRGB values, 0..1, rows from the top.
struct Picture {
    i32 x0;
    i32 y0;
    i32 width;
    i32 height;
    std::vector<f32> rgb;
};

Picture picture_read(i32 x0, i32 y0, i32 width, i32 height) {
    std::vector<u8> rgba(static_cast<size_t>(width * height * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x0, static_cast<i32>(game.window.size.y) - y0 - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
    Picture picture = {x0, y0, width, height, std::vector<f32>(static_cast<size_t>(width * height * 3))};
    for (i32 y = 0; y < height; y++) {
        for (i32 x = 0; x < width; x++) {
            const u8 *p = &rgba[static_cast<size_t>(((height - 1 - y) * width + x) * 4)];
            for (i32 c = 0; c < 3; c++) picture.rgb[static_cast<size_t>((y * width + x) * 3 + c)] = p[c] / 255.0f;
        }
    }
    return picture;
}

// ---- how colour-blind eyes see the picture ------------------------------------------------

enum Vision : u32 { PROTANOPIA, DEUTERANOPIA, TRITANOPIA, GREYSCALE, VISION_COUNT };
constexpr std::array<const char *, VISION_COUNT> VISION_NAME = {"protanopia", "deuteranopia", "tritanopia",
                                                                "greyscale"};

// Machado, Oliveira and Fernandes (2009), severity 1, on linear RGB.
constexpr std::array<std::array<f32, 9>, 3> MACHADO = {{
    {0.152286f, 1.052583f, -0.204868f, 0.114503f, 0.786281f, 0.099216f, -0.003882f, -0.048116f, 1.051998f},
    {0.367322f, 0.860646f, -0.227968f, 0.280085f, 0.672501f, 0.047413f, -0.011820f, 0.042940f, 0.968881f},
    {1.255528f, -0.076749f, -0.178779f, -0.078411f, 0.930809f, 0.147602f, 0.004733f, 0.691367f, 0.303900f},
}};

f32 srgb_linear(f32 c) { return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f); }

// Encoding through a fine table: a whole frame per kind of sight, and under the sanitizers.
constexpr i32 ENCODE_STEPS = 4096;

f32 srgb_encoded(f32 c) {
    static const std::vector<f32> table = [] {
        std::vector<f32> t(ENCODE_STEPS + 1);
        for (i32 i = 0; i <= ENCODE_STEPS; i++) {
            f32 l = static_cast<f32>(i) / ENCODE_STEPS;
            t[static_cast<size_t>(i)] = l <= 0.0031308f ? 12.92f * l : 1.055f * std::pow(l, 1.0f / 2.4f) - 0.055f;
        }
        return t;
    }();
    c = std::clamp(c, 0.0f, 1.0f);
    return table[static_cast<size_t>(std::lround(c * ENCODE_STEPS))];
}

Picture vision_apply(const Picture &picture, Vision vision) {
    // The picture holds bytes over 255, so decoding is a table of 256.
    static const std::vector<f32> decode = [] {
        std::vector<f32> t(256);
        for (i32 i = 0; i < 256; i++) t[static_cast<size_t>(i)] = srgb_linear(static_cast<f32>(i) / 255.0f);
        return t;
    }();
    auto linear = [](f32 c) { return decode[static_cast<size_t>(std::lround(c * 255.0f))]; };
    Picture seen = picture;
    for (size_t i = 0; i < picture.rgb.size(); i += 3) {
        f32 r = linear(picture.rgb[i]);
        f32 g = linear(picture.rgb[i + 1]);
        f32 b = linear(picture.rgb[i + 2]);
        if (vision == GREYSCALE) {
            f32 y = srgb_encoded(0.2126f * r + 0.7152f * g + 0.0722f * b);
            seen.rgb[i] = seen.rgb[i + 1] = seen.rgb[i + 2] = y;
            continue;
        }
        const std::array<f32, 9> &m = MACHADO[vision];
        seen.rgb[i] = srgb_encoded(m[0] * r + m[1] * g + m[2] * b);
        seen.rgb[i + 1] = srgb_encoded(m[3] * r + m[4] * g + m[5] * b);
        seen.rgb[i + 2] = srgb_encoded(m[6] * r + m[7] * g + m[8] * b);
    }
    return seen;
}

// ---- a matcher blind to colour: brightness only ---------------------------------------------

f32 brightness(const Picture &p, i32 x, i32 y) {
    x = std::clamp(x, 0, p.width - 1);
    y = std::clamp(y, 0, p.height - 1);
    const f32 *c = &p.rgb[static_cast<size_t>((y * p.width + x) * 3)];
    return 0.2126f * c[0] + 0.7152f * c[1] + 0.0722f * c[2];
}

// Bilinear brightness at window coordinates (pixel centres at +0.5).
f32 brightness_at(const Picture &p, f32 wx, f32 wy) {
    f32 fx = wx - static_cast<f32>(p.x0) - 0.5f;
    f32 fy = wy - static_cast<f32>(p.y0) - 0.5f;
    i32 x = static_cast<i32>(std::floor(fx));
    i32 y = static_cast<i32>(std::floor(fy));
    f32 tx = fx - static_cast<f32>(x);
    f32 ty = fy - static_cast<f32>(y);
    f32 top = brightness(p, x, y) * (1.0f - tx) + brightness(p, x + 1, y) * tx;
    f32 bottom = brightness(p, x, y + 1) * (1.0f - tx) + brightness(p, x + 1, y + 1) * tx;
    return top * (1.0f - ty) + bottom * ty;
}

constexpr i32 GRID = 24;       // samples across the middle of a sprite
constexpr f32 GRID_SPAN = 0.7f; // of the sprite's half-width
constexpr f32 INK_R = 0.66f;    // the disc, in half-widths, where a mark can sit inside the body
constexpr f32 MATCH_MARGIN = 0.05f;

using Mask = std::vector<u8>;

// The brightest the sprite's body gets, inside its rim.
f32 body_level(const Picture &p, vec2 centre, f32 half) {
    f32 level = 0.0f;
    for (f32 dy = -half; dy <= half; dy += 1.0f) {
        for (f32 dx = -half; dx <= half; dx += 1.0f) {
            if (dx * dx + dy * dy >= 0.81f * half * half) continue;
            level = std::max(level, brightness_at(p, centre.x + dx, centre.y + dy));
        }
    }
    return level;
}

// The dark marks inside a sprite's body, in the sprite's own frame turned by angle: a grid
// over its middle, normalised to its size, each sample darker than half the body's brightness.
Mask ink_mask(const Picture &p, vec2 centre, f32 half, f32 level, f32 angle) {
    f32 c = std::cos(angle);
    f32 s = std::sin(angle);
    Mask mask(GRID * GRID, 0);
    for (i32 j = 0; j < GRID; j++) {
        for (i32 i = 0; i < GRID; i++) {
            f32 u = ((static_cast<f32>(i) + 0.5f) / GRID * 2.0f - 1.0f) * GRID_SPAN;
            f32 v = ((static_cast<f32>(j) + 0.5f) / GRID * 2.0f - 1.0f) * GRID_SPAN;
            if (u * u + v * v > INK_R * INK_R) continue;
            f32 x = centre.x + (c * u - s * v) * half;
            f32 y = centre.y + (s * u + c * v) * half;
            mask[static_cast<size_t>(j * GRID + i)] = brightness_at(p, x, y) < 0.5f * level;
        }
    }
    return mask;
}

f32 overlap(const Mask &a, const Mask &b) {
    i32 both = 0;
    i32 either = 0;
    for (size_t i = 0; i < a.size(); i++) {
        both += a[i] && b[i];
        either += a[i] || b[i];
    }
    return either ? static_cast<f32>(both) / static_cast<f32>(either) : 1.0f;
}

struct Placed {
    vec2 centre;
    f32 half;
    i32 color;
};

// For each attacker, the index of the follower whose marks fit its own best over every turn,
// or -1 when no follower fits clearly better than the next.
std::vector<i32> attackers_match(const Picture &p, const std::vector<Placed> &followers,
                                 const std::vector<Placed> &attackers) {
    std::vector<Mask> follower_masks;
    for (const Placed &f : followers) {
        follower_masks.push_back(ink_mask(p, f.centre, f.half, body_level(p, f.centre, f.half), 0.0f));
    }
    std::vector<i32> matches;
    for (const Placed &a : attackers) {
        std::vector<f32> best(followers.size(), 0.0f);
        f32 level = body_level(p, a.centre, a.half);
        for (i32 degrees = 0; degrees < 360; degrees += 4) {
            Mask mask = ink_mask(p, a.centre, a.half, level, static_cast<f32>(degrees) * DEGREE);
            for (size_t f = 0; f < followers.size(); f++) best[f] = std::max(best[f], overlap(mask, follower_masks[f]));
        }
        std::vector<f32> sorted = best;
        std::sort(sorted.begin(), sorted.end(), std::greater<f32>());
        size_t top = static_cast<size_t>(std::max_element(best.begin(), best.end()) - best.begin());
        matches.push_back(sorted[0] - sorted[1] >= MATCH_MARGIN ? followers[top].color : -1);
    }
    return matches;
}

// ---- the scene ------------------------------------------------------------------------------

// The six followers in a row above the six attackers, in another order and each turned its
// own way, built by the game's builders and drawn by its renderer as in play.
struct Scene {
    std::vector<Placed> followers;
    std::vector<Placed> attackers;
};

Scene scene_draw() {
    test_game_reset();
    constexpr std::array<i32, COLORS> ATTACKER_ORDER = {3, 0, 5, 1, 4, 2};
    Scene scene;
    EntityId first = 0;
    for (i32 i = 0; i < COLORS; i++) {
        EntityId follower = entity_add();
        if (i == 0) first = follower;
        follower_init(follower, i);
        vec3 position = {160.0f + 190.0f * static_cast<f32>(i), 200.0f, 0.0f};
        ecs_get_as<CPhysics>(follower, C_PHYSICS)->position = position;
        ecs_get_as<CSprite>(follower, C_SPRITE)->position = position;
        scene.followers.push_back({{position.x, position.y}, 15.0f, i});
    }
    for (i32 k = 0; k < COLORS; k++) {
        i32 color = ATTACKER_ORDER[static_cast<size_t>(k)];
        vec3 position = {160.0f + 190.0f * static_cast<f32>(k), 480.0f, 0.0f};
        EntityId attacker = entity_add();
        enemy_init(attacker, first, color, position, 0.0f);
        ecs_get_as<CSprite>(attacker, C_SPRITE)->rotation = 0.4f + 0.9f * static_cast<f32>(k);
        scene.attackers.push_back({{position.x, position.y}, 12.5f, color});
    }
    test_frame_draw();
    return scene;
}

// How many attackers each kind of sight pairs with the follower of their own colour.
std::array<i32, VISION_COUNT> scene_matches(std::string *report) {
    Scene scene = scene_draw();
    // The band of the field that holds the two rows.
    Picture picture = picture_read(100, 170, 1120, 340);
    std::array<i32, VISION_COUNT> right = {};
    for (u32 v = 0; v < VISION_COUNT; v++) {
        std::vector<i32> matches = attackers_match(vision_apply(picture, static_cast<Vision>(v)), scene.followers,
                                                   scene.attackers);
        *report += std::string(VISION_NAME[v]) + ":";
        for (size_t k = 0; k < matches.size(); k++) {
            right[v] += matches[k] == scene.attackers[k].color;
            *report += " " + std::to_string(scene.attackers[k].color) + "->" + std::to_string(matches[k]);
        }
        *report += "\n";
    }
    return right;
}

class Emblems : public ::testing::Test {
  protected:
    void SetUp() override {
        test_game_reset();
        test_resources_load();
    }
};

TEST_F(Emblems, AMatcherBlindToColourPairsEveryAttackerWithItsFollower) {
    std::string report;
    std::array<i32, VISION_COUNT> right = scene_matches(&report);
    for (u32 v = 0; v < VISION_COUNT; v++) EXPECT_EQ(right[v], COLORS) << VISION_NAME[v] << "\n" << report;

    // The same matcher on art that told the colours apart by hue alone: the pairs fall apart,
    // so the test above measures the emblems and not something else in the picture.
    Texture shipped_follower = game.textures[TEXTURE_FOLLOWER];
    Texture shipped_enemy = game.textures[TEXTURE_ENEMY];
    Texture plain_follower = {};
    Texture plain_enemy = {};
    ASSERT_TRUE(texture_init(&plain_follower, "tests/entities/colour_only/follower.png"));
    ASSERT_TRUE(texture_init(&plain_enemy, "tests/entities/colour_only/enemy.png"));
    game.textures[TEXTURE_FOLLOWER] = plain_follower;
    game.textures[TEXTURE_ENEMY] = plain_enemy;
    std::string plain_report;
    std::array<i32, VISION_COUNT> plain_right = scene_matches(&plain_report);
    game.textures[TEXTURE_FOLLOWER] = shipped_follower;
    game.textures[TEXTURE_ENEMY] = shipped_enemy;
    texture_free(&plain_follower);
    texture_free(&plain_enemy);
    for (u32 v = 0; v < VISION_COUNT; v++) EXPECT_LT(plain_right[v], COLORS) << VISION_NAME[v] << "\n" << plain_report;
}

// ---- the shapes at the sizes they are drawn -------------------------------------------------

// A pixel mask of one sprite's emblem, on the pixel grid around its centre: the dark marks on
// a follower's or attacker's body, the lit mark inside a warning's ring.
struct PixelMask {
    std::vector<u8> bits;
    i32 count;
};

PixelMask pixel_mask(const Picture &p, vec2 centre, f32 half, bool dark) {
    i32 reach = static_cast<i32>(std::ceil(half));
    PixelMask mask = {{}, 0};
    for (i32 dy = -reach; dy < reach; dy++) {
        for (i32 dx = -reach; dx < reach; dx++) {
            f32 px = static_cast<f32>(dx) + 0.5f;
            f32 py = static_cast<f32>(dy) + 0.5f;
            bool inside = px * px + py * py < (INK_R + 0.04f) * (INK_R + 0.04f) * half * half;
            f32 b = brightness(p, static_cast<i32>(centre.x) + dx - p.x0, static_cast<i32>(centre.y) + dy - p.y0);
            bool ink = inside && (dark ? b < 0.5f : b > 0.5f);
            mask.bits.push_back(ink);
            mask.count += ink;
        }
    }
    return mask;
}

f32 mask_difference(const PixelMask &a, const PixelMask &b) {
    i32 differ = 0;
    i32 either = 0;
    for (size_t i = 0; i < a.bits.size(); i++) {
        differ += a.bits[i] != b.bits[i];
        either += a.bits[i] || b.bits[i];
    }
    return either ? static_cast<f32>(differ) / static_cast<f32>(either) : 0.0f;
}

// One follower, attacker or warning of a colour built by its builder, then drawn in white
// so only its shape shows.
CSprite *white_sprite_add(Kind kind, i32 color, vec3 position) {
    EntityId e = entity_add();
    if (kind == KIND_FOLLOWER) follower_init(e, color);
    if (kind == KIND_ENEMY) enemy_init(e, e, color, position, 0.0f);
    if (kind == KIND_WARNING) warning_init(e, position, color);
    CSprite *sprite = ecs_get_as<CSprite>(e, C_SPRITE);
    sprite->position = position;
    sprite->color = {1.0f, 1.0f, 1.0f, 1.0f};
    return sprite;
}

// Draws the six emblems of one kind in white, in a row, at scale and each turned by angle,
// and returns their masks.
std::array<PixelMask, COLORS> row_masks(Kind kind, f32 scale, f32 angle) {
    test_game_reset();
    constexpr f32 X0 = 100.0f;
    constexpr f32 STEP = 60.0f;
    constexpr f32 Y = 100.0f;
    for (i32 i = 0; i < COLORS; i++) {
        CSprite *sprite = white_sprite_add(kind, i, {X0 + STEP * static_cast<f32>(i), Y, 0.0f});
        sprite->scale = scale;
        sprite->rotation = angle;
    }
    test_frame_draw();
    Picture p = picture_read(static_cast<i32>(X0 - STEP / 2), static_cast<i32>(Y - STEP / 2),
                             static_cast<i32>(STEP * COLORS), static_cast<i32>(STEP));
    std::array<PixelMask, COLORS> masks;
    f32 half = DRAWN_SIZE[kind] * scale * 0.5f;
    for (i32 i = 0; i < COLORS; i++) {
        masks[static_cast<size_t>(i)] = pixel_mask(p, {X0 + STEP * static_cast<f32>(i), Y}, half, kind != KIND_WARNING);
    }
    return masks;
}

TEST_F(Emblems, ShapesDifferByAFifthAtDrawnAndHalfSizesAndAttackersAtEveryTurn) {
    for (f32 scale : {1.0f, 0.5f}) {
        for (u32 k = 0; k < KIND_COUNT; k++) {
            Kind kind = static_cast<Kind>(k);
            std::array<PixelMask, COLORS> still = row_masks(kind, scale, 0.0f);
            for (i32 a = 0; a < COLORS; a++) {
                EXPECT_GE(still[static_cast<size_t>(a)].count, scale == 1.0f ? 12 : 4)
                    << KIND_NAME[k] << " emblem " << a << " at scale " << scale << " is barely drawn";
            }
            // Followers and warnings never turn; attackers spin, so every emblem is held
            // against every other at each whole degree between them.
            i32 turns = kind == KIND_ENEMY ? 360 : 1;
            f32 worst = 1.0f;
            std::string worst_at;
            for (i32 degrees = 0; degrees < turns; degrees++) {
                std::array<PixelMask, COLORS> turned =
                    degrees ? row_masks(kind, scale, static_cast<f32>(degrees) * DEGREE) : still;
                for (i32 a = 0; a < COLORS; a++) {
                    for (i32 b = 0; b < COLORS; b++) {
                        if (a == b) continue;
                        f32 d = mask_difference(turned[static_cast<size_t>(a)], still[static_cast<size_t>(b)]);
                        if (d < worst) {
                            worst = d;
                            worst_at = std::to_string(a) + " turned " + std::to_string(degrees) + " against " +
                                       std::to_string(b);
                        }
                    }
                }
            }
            EXPECT_GE(worst, 0.2f) << KIND_NAME[k] << " at scale " << scale << ": " << worst_at;
        }
    }
}

// Cells sit side by side in one texture; drawn magnified with linear filtering, a cell's
// outermost pixels sample the texels just beyond it, which must be a clear gutter.
TEST_F(Emblems, EnlargedCellsShowNothingOfTheirNeighbours) {
    constexpr i32 SIZE = 256;
    for (u32 k = 0; k < KIND_COUNT; k++) {
        for (i32 i = 0; i < COLORS; i++) {
            test_game_reset();
            CSprite *sprite = white_sprite_add(static_cast<Kind>(k), i, {200.0f, 200.0f, 0.0f});
            sprite->size = {static_cast<f32>(SIZE), static_cast<f32>(SIZE)};
            test_frame_draw();
            Picture p = picture_read(200 - SIZE / 2, 200 - SIZE / 2, SIZE, SIZE);
            f32 edge = 0.0f;
            f32 inner = 0.0f;
            for (i32 t = 0; t < SIZE; t++) {
                for (i32 d = 0; d < 2; d++) {
                    edge = std::max({edge, brightness(p, t, d), brightness(p, t, SIZE - 1 - d), brightness(p, d, t),
                                     brightness(p, SIZE - 1 - d, t)});
                }
                inner = std::max(inner, brightness(p, t, SIZE / 2));
            }
            EXPECT_EQ(edge, 0.0f) << KIND_NAME[k] << " cell " << i;
            EXPECT_GT(inner, 0.9f) << KIND_NAME[k] << " cell " << i << " is not drawn";
        }
    }
}

} // namespace
