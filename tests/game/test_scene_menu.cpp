// The menu and results scenes with the real builders, font and sounds, driven by input records.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "components/c_color_change.hpp"
#include "components/c_move.hpp"
#include "components/c_sprite.hpp"
#include "components/c_text.hpp"
#include "components/c_ui_button.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr vec4 GREEN = {0.3f, 1.0f, 0.3f, 1.0f};
constexpr vec4 WHITE = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr vec2 START_AT = {640.0f, 650.0f};
constexpr vec2 AWAY = {100.0f, 100.0f};

// One fixed step as the main loop runs it, with the test's pointer, left button and space bar.
void step(vec2 pointer = AWAY, bool left = false, bool space = false) {
    std::memcpy(game.keyboard.previous, game.keyboard.current, sizeof game.keyboard.current);
    game.keyboard.current[SDL_SCANCODE_SPACE] = space;
    std::memcpy(game.mouse.previous, game.mouse.current, sizeof game.mouse.current);
    game.mouse.current[MOUSE_BUTTON_LEFT] = left;
    game.mouse.position = pointer;
    game_state_update_f();
    if (!game.paused) ecs_update_f();
}

void scene_start(GameState state, u32 score = 0) {
    test_game_reset();
    // Enter the state as the game does, with its own resource set: changes of state free
    // and load slots without checking them, so slots loaded beforehand would leak.
    test_resources_free();
    game.state = state;
    game.results.score = score;
    test_stdout_begin();
    game_state_data_init();
    test_stdout_end();
    game_state_init();
}

vec4 text_color(EntityId entity) { return ecs_get_as<CText>(entity, C_TEXT)->color; }

std::string text_of(EntityId entity) {
    const CText *text = ecs_get_as<CText>(entity, C_TEXT);
    return std::string(text->string, static_cast<size_t>(text->length));
}

void expect_color_near(vec4 actual, vec4 expected, const char *what) {
    EXPECT_NEAR(actual.r, expected.r, 1e-5f) << what;
    EXPECT_NEAR(actual.g, expected.g, 1e-5f) << what;
    EXPECT_NEAR(actual.b, expected.b, 1e-5f) << what;
    EXPECT_NEAR(actual.a, expected.a, 1e-5f) << what;
}

} // namespace

TEST(SceneMenu, IntroThenRevealOneStepAfterTheLogoFade) {
    scene_start(GAME_STATE_MENU);
    const MenuScene menu = game.menu;
    EXPECT_EQ(menu.start_button, menu.logo + 1);
    EXPECT_EQ(menu.credits, menu.logo + 2);
    EXPECT_EQ(text_of(menu.credits).size(), 80u);
    EXPECT_EQ(text_color(menu.start_button).a, 0.0f);
    EXPECT_EQ(text_color(menu.credits).a, 0.0f);
    EXPECT_EQ(ecs_get_as<CSprite>(menu.logo, C_SPRITE)->color.a, 0.0f);
    EXPECT_TRUE(ecs_get_as<CUiButton>(menu.start_button, C_UI_BUTTON)->disabled);

    // Holding the left button where "Start" will be does nothing during the intro.
    for (i32 i = 1; i <= 60; i++) step(START_AT, true);
    EXPECT_FALSE(game.menu.shown);
    EXPECT_FALSE(game.menu.done);
    EXPECT_FALSE(ecs_get_as<CUiButton>(menu.start_button, C_UI_BUTTON)->selected);
    EXPECT_EQ(text_color(menu.start_button).a, 0.0f);
    const CSprite *logo = ecs_get_as<CSprite>(menu.logo, C_SPRITE);
    EXPECT_NEAR(logo->color.a, 59.0f / 60.0f, 1e-5f);
    EXPECT_NEAR(logo->position.y, 301.0f, 1e-3f);
    EXPECT_TRUE(ecs_get_as<CColorChange>(menu.logo, C_COLOR_CHANGE)->done);

    step();
    EXPECT_TRUE(game.menu.shown);
    EXPECT_FALSE(ecs_get_as<CUiButton>(menu.start_button, C_UI_BUTTON)->disabled);
    for (i32 i = 2; i <= 60; i++) step();
    const vec4 almost = GREEN * (59.0f / 60.0f);
    expect_color_near(text_color(menu.start_button), almost, "start button");
    expect_color_near(text_color(menu.credits), almost, "credits");
    step();
    expect_color_near(text_color(menu.credits), almost, "the fade holds");
    EXPECT_EQ(game.state, GAME_STATE_MENU);
    game_state_free();
}

TEST(SceneMenu, SpaceDuringTheIntroStartsPlay) {
    scene_start(GAME_STATE_MENU);
    for (i32 i = 0; i < 10; i++) step();
    test_stdout_begin();
    step(AWAY, false, true);
    test_stdout_end();
    EXPECT_EQ(game.state, GAME_STATE_PLAY);
    EXPECT_FALSE(game.menu.shown);
    game_state_free();
}

TEST(SceneMenu, HoverDuringTheFadeThenSelectStartsPlayOnTheNextStep) {
    scene_start(GAME_STATE_MENU);
    for (i32 i = 0; i < 61; i++) step();
    ASSERT_TRUE(game.menu.shown);
    for (i32 i = 0; i < 10; i++) step();
    const EntityId button = game.menu.start_button;
    const EntityId credits = game.menu.credits;

    Mix_HaltChannel(-1);
    step(START_AT);
    EXPECT_EQ(Mix_Playing(-1), 1) << "the hover sound";
    step(START_AT);
    const vec4 hovered = text_color(button);
    EXPECT_EQ(std::memcmp(&hovered, &WHITE, sizeof WHITE), 0);
    step();
    step();
    const vec4 left = text_color(button);
    EXPECT_EQ(std::memcmp(&left, &GREEN, sizeof GREEN), 0) << "full green after leaving";
    EXPECT_LT(text_color(credits).a, 0.9f) << "the credits keep fading";

    step(START_AT, true);
    Mix_HaltChannel(-1);
    step(START_AT, true);
    EXPECT_EQ(Mix_Playing(-1), 1) << "the select sound";
    EXPECT_TRUE(ecs_get_as<CUiButton>(button, C_UI_BUTTON)->selected);
    EXPECT_EQ(game.state, GAME_STATE_MENU);
    test_stdout_begin();
    step(START_AT, true);
    test_stdout_end();
    EXPECT_EQ(game.state, GAME_STATE_PLAY);
    game_state_free();
}

TEST(SceneResults, ScoreTextForTheSmallestAndLargestScores) {
    scene_start(GAME_STATE_RESULTS, 0);
    EXPECT_EQ(text_of(game.results.score_text), "Your Score: 0");
    EXPECT_EQ(text_of(game.results.score_text).size(), 13u);
    EXPECT_EQ(text_of(game.results.menu_button), "Menu");
    EXPECT_EQ(game.results.menu_button, game.results.score_text + 1);
    game_state_free();

    scene_start(GAME_STATE_RESULTS, 4294967295u);
    EXPECT_EQ(text_of(game.results.score_text), "Your Score: 4294967295");
    EXPECT_EQ(text_of(game.results.score_text).size(), 22u);
    EXPECT_EQ(game.results.score, 4294967295u);
    game_state_free();
}

TEST(SceneResults, ButtonHeldAtTheStartSelectsAndSpaceReturnsAtOnce) {
    scene_start(GAME_STATE_RESULTS, 5);
    game.mouse.current[MOUSE_BUTTON_LEFT] = true;
    Mix_HaltChannel(-1);
    step({640.0f, 600.0f}, true);
    EXPECT_EQ(Mix_Playing(-1), 2) << "hover and select";
    EXPECT_EQ(game.state, GAME_STATE_RESULTS);
    test_stdout_begin();
    step({640.0f, 600.0f}, true);
    test_stdout_end();
    EXPECT_EQ(game.state, GAME_STATE_MENU);
    game_state_free();

    scene_start(GAME_STATE_RESULTS, 5);
    test_stdout_begin();
    step(AWAY, false, true);
    test_stdout_end();
    EXPECT_EQ(game.state, GAME_STATE_MENU);
    game_state_free();
}
