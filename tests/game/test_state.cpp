// A whole cycle menu -> play -> results -> menu -> play through the state machine, in process.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "components/c_text.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr vec2 CENTER = {640.0f, 360.0f};

const char *const MENU_TO_PLAY = "FREED: Shader #0\n"
                                 "FREED: res/gfx/logo.png\n"
                                 "FREED: res/sfx/hover.ogg\n"
                                 "FREED: res/sfx/select.ogg\n"
                                 "FREED: res/font/upheaval.ttf\n"
                                 "FREED: res/font/upheaval.ttf\n"
                                 "LOADED: Shader #0\n"
                                 "LOADED: res/gfx/player.png\n"
                                 "LOADED: res/gfx/follower.png\n"
                                 "LOADED: res/gfx/enemy.png\n"
                                 "LOADED: res/gfx/particle.png\n"
                                 "LOADED: res/gfx/warning.png\n"
                                 "LOADED: res/sfx/collide.ogg\n"
                                 "LOADED: res/sfx/level.ogg\n"
                                 "LOADED: res/sfx/hurt.ogg\n"
                                 "LOADED: res/sfx/warning.ogg\n"
                                 "LOADED: res/mus/ethnica.ogg\n"
                                 "LOADED: res/font/upheaval.ttf\n"
                                 "LOADED: res/font/upheaval.ttf\n";

const char *const PLAY_TO_RESULTS = "FREED: Shader #0\n"
                                    "FREED: res/gfx/player.png\n"
                                    "FREED: res/gfx/follower.png\n"
                                    "FREED: res/gfx/enemy.png\n"
                                    "FREED: res/gfx/particle.png\n"
                                    "FREED: res/gfx/warning.png\n"
                                    "FREED: res/sfx/collide.ogg\n"
                                    "FREED: res/sfx/level.ogg\n"
                                    "FREED: res/sfx/hurt.ogg\n"
                                    "FREED: res/sfx/warning.ogg\n"
                                    "FREED: res/mus/ethnica.ogg\n"
                                    "FREED: res/font/upheaval.ttf\n"
                                    "FREED: res/font/upheaval.ttf\n"
                                    "LOADED: Shader #0\n"
                                    "LOADED: res/sfx/hover.ogg\n"
                                    "LOADED: res/sfx/select.ogg\n"
                                    "LOADED: res/font/upheaval.ttf\n";

const char *const RESULTS_TO_MENU = "FREED: Shader #0\n"
                                    "FREED: res/sfx/hover.ogg\n"
                                    "FREED: res/sfx/select.ogg\n"
                                    "FREED: res/font/upheaval.ttf\n"
                                    "LOADED: Shader #0\n"
                                    "LOADED: res/gfx/logo.png\n"
                                    "LOADED: res/sfx/hover.ogg\n"
                                    "LOADED: res/sfx/select.ogg\n"
                                    "LOADED: res/font/upheaval.ttf\n"
                                    "LOADED: res/font/upheaval.ttf\n";

void step(bool space) {
    std::memcpy(game.keyboard.previous, game.keyboard.current, sizeof game.keyboard.current);
    game.keyboard.current[SDL_SCANCODE_SPACE] = space;
    std::memcpy(game.mouse.previous, game.mouse.current, sizeof game.mouse.current);
    game.mouse.position = CENTER;
    game_state_update_f();
    if (!game.paused) ecs_update_f();
}

// The resource lines only: shader compilation adds lines of its own with varying numbers.
std::string resource_lines(const std::string &output) {
    std::istringstream in(output);
    std::string line;
    std::string kept;
    while (std::getline(in, line)) {
        if (line.rfind("FREED: ", 0) == 0 || line.rfind("LOADED: ", 0) == 0 || line.rfind("FAILED: ", 0) == 0) {
            kept += line + "\n";
        }
    }
    return kept;
}

// Every record of every kind belongs to an entity made at or after first_id.
void expect_only_new_records(EntityId first_id, const char *change) {
    u32 total = 0;
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
        const Vector &records = game.ecs.registers[kind].records;
        for (i32 i = 0; i < records.count; i++) {
            const EntityId owner = *static_cast<const EntityId *>(ecs_from_index_get(i, kind));
            EXPECT_GE(owner, first_id) << change << ", kind " << kind;
            EXPECT_LT(owner, game.ecs.entity_count) << change << ", kind " << kind;
        }
        total += static_cast<u32>(records.count);
    }
    EXPECT_GT(total, 0u) << change;
}

// One step with a fresh press of space that must change the state; returns the resource lines.
std::string change_by_space(GameState expected, const char *change) {
    step(false);
    const EntityId first_id = game.ecs.entity_count;
    test_stdout_begin();
    step(true);
    const std::string lines = resource_lines(test_stdout_end());
    EXPECT_EQ(game.state, expected) << change;
    expect_only_new_records(first_id, change);
    return lines;
}

std::string text_of(EntityId entity) {
    const CText *text = ecs_get_as<CText>(entity, C_TEXT);
    return text ? std::string(text->string, static_cast<size_t>(text->length)) : std::string("<none>");
}

} // namespace

TEST(GameState, FullCycleResourceLinesRecordsIdsAndScore) {
    test_game_reset();
    test_resources_free();
    game.state = GAME_STATE_MENU;
    test_stdout_begin();
    game_state_data_init();
    const std::string menu_loads = resource_lines(test_stdout_end());
    EXPECT_EQ(menu_loads, std::string(RESULTS_TO_MENU).substr(std::strlen("FREED: Shader #0\n"
                                                                          "FREED: res/sfx/hover.ogg\n"
                                                                          "FREED: res/sfx/select.ogg\n"
                                                                          "FREED: res/font/upheaval.ttf\n")));
    game_state_init();
    EXPECT_EQ(game.menu.logo, 0u);

    EXPECT_EQ(change_by_space(GAME_STATE_PLAY, "menu to play"), MENU_TO_PLAY);
    EXPECT_EQ(game.play.player, 3u) << "ids keep counting from the menu's";

    // Space stays held through the whole game and the change: it must not skip the results.
    const EntityId results_first = [] {
        EntityId first = 0;
        test_stdout_begin();
        for (i32 i = 0; i < 20000 && game.state == GAME_STATE_PLAY; i++) {
            first = game.ecs.entity_count;
            step(true);
        }
        return first;
    }();
    const std::string play_output = resource_lines(test_stdout_end());
    ASSERT_EQ(game.state, GAME_STATE_RESULTS);
    EXPECT_EQ(play_output, PLAY_TO_RESULTS);
    expect_only_new_records(results_first, "play to results");
    EXPECT_EQ(game.results.score, game.play.score);
    EXPECT_EQ(text_of(game.results.score_text), "Your Score: " + std::to_string(game.play.score));
    EXPECT_FALSE(music_is_playing());
    for (i32 i = 0; i < 10; i++) step(true);
    EXPECT_EQ(game.state, GAME_STATE_RESULTS);

    EXPECT_EQ(change_by_space(GAME_STATE_MENU, "results to menu"), RESULTS_TO_MENU);
    EXPECT_FALSE(game.menu.shown);
    EXPECT_FALSE(game.menu.done);
    EXPECT_EQ(change_by_space(GAME_STATE_PLAY, "menu to play again"), MENU_TO_PLAY);
    EXPECT_EQ(game.play.score, 0u);
    EXPECT_EQ(game.play.level, 1u);
    EXPECT_FALSE(game.play.done);

    test_stdout_begin();
    game_state_free();
    game_state_data_free();
    test_stdout_end();
}
