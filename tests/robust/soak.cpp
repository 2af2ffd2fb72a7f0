// Twenty whole games in a row with wandering input: after every return to the menu the
// records, the GL names and the heap are back where the first return left them.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime's allocator interface (g++ ships the library, not the header).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "components/c_health.hpp"
#include "components/c_player_death.hpp"
#include "tests/robust/robust_drive.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr i32 SOAK_GAMES = 20;
// Games whose least heap reading stands for the start and for the end of the run.
constexpr i32 SOAK_HEAP_WINDOW = 4;
constexpr i32 SOAK_PLAY_STEPS_MAX = 4000;
// Names are looked for up to here; a game holds a few dozen at most.
constexpr GLuint SOAK_NAME_SCAN = 4096;
// The software GL driver keeps a block of a megabyte or more now and then (scene bins, compiled
// variants), so single readings jump; the least reading of a few games at the start and at the
// end is compared instead. Small blocks owned by records dropped without release are caught
// by the leak checker of the sanitizer build; a resource kept per game (a font, a decoded sound,
// a texture: a hundred kilobytes and more) climbs past this over the games.
constexpr i64 SOAK_HEAP_TOLERANCE = 1536 * 1024;

i64 heap_in_use() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<i64>(__sanitizer_get_current_allocated_bytes());
#elif defined(_WIN32)
    // The C runtime's heap, block by block: the bytes of the blocks in use.
    i64 used = 0;
    _HEAPINFO entry = {};
    int status;
    while ((status = _heapwalk(&entry)) == _HEAPOK) {
        if (entry._useflag == _USEDENTRY) used += static_cast<i64>(entry._size);
    }
    EXPECT_EQ(status, _HEAPEND) << "the heap could not be walked to its end";
    return used;
#else
    return static_cast<i64>(mallinfo2().uordblks);
#endif
}

// GL drivers free some memory only once the frames that used it are finished, and the
// mixer's thread allocates now and then; take the least of a few readings between frames.
i64 heap_settled() {
    i64 least = heap_in_use();
    for (i32 i = 0; i < 3; i++) {
        test_frame_draw();
        SDL_Delay(2);
        least = std::min(least, heap_in_use());
    }
    return least;
}

struct GlNames {
    u32 textures;
    u32 buffers;
    u32 vertex_arrays;
    u32 programs;
    GLuint texture_probe;
    GLuint buffer_probe;
};

GlNames gl_names_count() {
    GlNames names = {};
    // Names are handed out upwards and not reused at once, so scan up to the next free one.
    GLuint probe = 0;
    glGenTextures(1, &probe);
    glDeleteTextures(1, &probe);
    const GLuint scan = std::max(probe + 64, SOAK_NAME_SCAN);
    for (GLuint name = 1; name < scan; name++) {
        if (glIsTexture(name)) names.textures++;
        if (glIsBuffer(name)) names.buffers++;
        if (glIsVertexArray(name)) names.vertex_arrays++;
        if (glIsProgram(name)) names.programs++;
    }
    // The next free names: they climb when names are made and never given back.
    glGenTextures(1, &names.texture_probe);
    glDeleteTextures(1, &names.texture_probe);
    glGenBuffers(1, &names.buffer_probe);
    glDeleteBuffers(1, &names.buffer_probe);
    return names;
}

// Seeded wandering input: the pointer drifts and jumps, the circle turns either way, and
// now and then the game is paused for a while or the music switched.
struct Wanderer {
    std::mt19937 random;
    RobustInput input;
    i32 turn_steps;
    i32 pause_steps;
    bool pause_held;
};

void wander(Wanderer *w, bool paused) {
    std::uniform_real_distribution<f32> jitter(-12.0f, 12.0f);
    RobustInput &input = w->input;
    input.pause = false;
    input.music = false;
    input.space = false;
    input.mouse_left = false;
    if (w->random() % 90 == 0) {
        input.mouse = {static_cast<f32>(w->random() % 1280), static_cast<f32>(w->random() % 720)};
    } else {
        input.mouse.x = std::clamp(input.mouse.x + jitter(w->random), 0.0f, 1279.0f);
        input.mouse.y = std::clamp(input.mouse.y + jitter(w->random), 0.0f, 719.0f);
    }
    if (w->turn_steps-- <= 0) {
        const u32 turn = static_cast<u32>(w->random() % 3);
        input.left = turn == 1;
        input.right = turn == 2;
        w->turn_steps = static_cast<i32>(w->random() % 120);
    }
    if (paused) {
        // A key held down is pressed only once: let go between presses.
        if (w->pause_steps-- <= 0) input.pause = !w->pause_held;
    } else if (!w->pause_held && w->random() % 400 == 0) {
        input.pause = true;
        w->pause_steps = static_cast<i32>(w->random() % 60);
    }
    if (w->random() % 250 == 0) input.music = true;
    w->pause_held = input.pause;
}

// One whole game: the menu until Space or the button, play until the player falls (its health
// is kept at one point so the first hit ends it), and the results until Space or the button.
bool game_play(Wanderer *w, std::string *trace) {
    // The menu: wait a little, then leave by Space or by clicking the start button.
    const bool click = w->random() % 2 == 0;
    const i32 menu_wait = 60 + static_cast<i32>(w->random() % 60);
    for (i32 i = 0; game.state == GAME_STATE_MENU && i < 400; i++) {
        wander(w, false);
        w->input.pause = false;
        if (i >= menu_wait) {
            if (click) {
                w->input.mouse = {640.0f, 650.0f};
                w->input.mouse_left = i >= menu_wait + 2;
            } else {
                w->input.space = i % 2 == 0;
            }
        }
        robust_step(w->input);
        if (i % 16 == 0) test_frame_draw();
    }
    if (game.state != GAME_STATE_PLAY) {
        *trace += "menu not left; ";
        return false;
    }

    for (i32 i = 0; game.state == GAME_STATE_PLAY && i < SOAK_PLAY_STEPS_MAX; i++) {
        CHealth *health = ecs_get_as<CHealth>(game.play.player, C_HEALTH);
        if (health && health->value > 1) health->value = 1;
        wander(w, game.paused);
        // Mostly near the centre, where the attackers aim, so games stay short.
        if (i % 3 != 0) w->input.mouse = {640.0f + (w->input.mouse.x - 640.0f) * 0.2f, 360.0f + (w->input.mouse.y - 360.0f) * 0.2f};
        robust_step(w->input);
        if (i % 16 == 0) test_frame_draw();
        if (i == SOAK_PLAY_STEPS_MAX / 2 && health) health->value = 0;
        if (i % 100 == 0) {
            std::string problems = robust_records_check();
            if (!problems.empty()) {
                *trace += problems;
                return false;
            }
        }
    }
    if (game.state != GAME_STATE_RESULTS) {
        const CHealth *health = ecs_get_as<CHealth>(game.play.player, C_HEALTH);
        const CPlayerDeath *death = ecs_get_as<CPlayerDeath>(game.play.player, C_PLAYER_DEATH);
        *trace += "play did not end: paused " + std::to_string(game.paused) + " health " +
                  std::to_string(health ? health->value : -1) + " stage " + std::to_string(death ? death->stage : -1) +
                  "; ";
        return false;
    }
    game.paused = false;

    const bool results_click = w->random() % 2 == 0;
    for (i32 i = 0; game.state == GAME_STATE_RESULTS && i < 400; i++) {
        wander(w, false);
        w->input.pause = false;
        if (i >= 30) {
            if (results_click) {
                w->input.mouse = {640.0f, 600.0f};
                w->input.mouse_left = i >= 32;
            } else {
                w->input.space = i % 2 == 0;
            }
        }
        robust_step(w->input);
        if (i % 16 == 0) test_frame_draw();
    }
    if (game.state != GAME_STATE_MENU) {
        *trace += "results not left; ";
        return false;
    }
    return true;
}

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        test_game_reset();
        test_resources_free();
        std::srand(20261207);
    }

    void TearDown() override {
        test_stdout_begin();
        robust_game_end();
        test_stdout_end();
        test_game_reset();
    }
};

TEST_F(Soak, TwentyGamesLeaveNothingBehind) {
    test_stdout_begin();
    robust_game_begin();
    test_stdout_end();
    const std::string menu_counts = robust_kind_counts();

    Wanderer w = {};
    w.random.seed(7);
    w.input.mouse = {640.0f, 360.0f};

    GlNames first_names = {};
    std::vector<i64> heaps;
    for (i32 played = 0; played < SOAK_GAMES; played++) {
        std::string trace;
        test_stdout_begin();
        const bool whole = game_play(&w, &trace);
        test_stdout_end();
        ASSERT_TRUE(whole) << "game " << played << ": " << trace << robust_kind_counts();

        // Back on the menu, in the step that built it: only the menu's records are left.
        EXPECT_EQ(robust_kind_counts(), menu_counts) << "after game " << played;
        EXPECT_EQ(robust_records_check(), "") << "after game " << played;
        EXPECT_FALSE(game.paused);

        const GlNames names = gl_names_count();
        const i64 heap = heap_settled();
        heaps.push_back(heap);
        // The first game warms every cache; compare from the second on.
        if (played == 1) {
            first_names = names;
        } else if (played > 1) {
            EXPECT_EQ(names.textures, first_names.textures) << "after game " << played;
            EXPECT_EQ(names.buffers, first_names.buffers) << "after game " << played;
            EXPECT_EQ(names.vertex_arrays, first_names.vertex_arrays) << "after game " << played;
            EXPECT_EQ(names.programs, first_names.programs) << "after game " << played;
        }
    }
    ASSERT_EQ(heaps.size(), static_cast<size_t>(SOAK_GAMES));
    const i64 start = *std::min_element(heaps.begin() + 1, heaps.begin() + 1 + SOAK_HEAP_WINDOW);
    const i64 end = *std::min_element(heaps.end() - SOAK_HEAP_WINDOW, heaps.end());
    EXPECT_LT(end - start, SOAK_HEAP_TOLERANCE) << "heap from " << start << " to " << end;
}

} // namespace
