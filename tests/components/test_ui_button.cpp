// The UI button on a real text with the game's font and sounds, driven by mouse records.
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstring>

#include "components/c_color_change.hpp"
#include "components/c_scale.hpp"
#include "components/c_text.hpp"
#include "components/c_ui_button.hpp"
#include "ecs/entity.hpp"
#include "entities/e_ui_button.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr vec4 GREEN = {0.3f, 1.0f, 0.3f, 1.0f};
constexpr vec4 WHITE = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr vec3 POSITION = {640.0f, 650.0f, 0.0f};

// One tick of the components with the pointer at position and the left button as given.
void tick(vec2 position, bool left) {
    std::memcpy(game.mouse.previous, game.mouse.current, sizeof game.mouse.current);
    game.mouse.current[MOUSE_BUTTON_LEFT] = left;
    game.mouse.position = position;
    ecs_update_f();
}

EntityId button_build() {
    test_game_reset();
    test_resources_load();
    EntityId entity = entity_add();
    ui_button_init(entity, ORIGIN_CENTER, game.fonts[FONT_LARGE], "Start", 5, &GREEN, &WHITE, &POSITION);
    return entity;
}

CUiButton *button_of(EntityId entity) { return ecs_get_as<CUiButton>(entity, C_UI_BUTTON); }
vec4 color_of(EntityId entity) { return ecs_get_as<CText>(entity, C_TEXT)->color; }

bool same(vec4 a, vec4 b) { return std::memcmp(&a, &b, sizeof a) == 0; }

vec4 rectangle_of(EntityId entity) {
    vec4 rectangle = {};
    c_text_rectangle_get(ecs_get_as<CText>(entity, C_TEXT), &rectangle);
    return rectangle;
}

// Sound channels started by the previous tick, counted after silencing everything before it.
i32 sounds_after(vec2 position, bool left) {
    Mix_HaltChannel(-1);
    tick(position, left);
    return Mix_Playing(-1);
}

} // namespace

TEST(UiButton, BuilderGivesAnIdleTextInItsColour) {
    EntityId entity = button_build();
    EXPECT_TRUE(same(color_of(entity), GREEN));
    EXPECT_TRUE(ecs_get_as<CColorChange>(entity, C_COLOR_CHANGE)->done);
    EXPECT_NE(ecs_get(entity, C_SCALE), nullptr);
    const CUiButton *button = button_of(entity);
    EXPECT_TRUE(same(button->color, GREEN));
    EXPECT_TRUE(same(button->hover_color, WHITE));
    EXPECT_FALSE(button->disabled);
    EXPECT_FALSE(button->selected);
    EXPECT_EQ(button->state, UI_BUTTON_STATE_IDLE);
}

TEST(UiButton, HoverEdgesColoursAndSounds) {
    EntityId entity = button_build();
    const vec4 r = rectangle_of(entity);
    ASSERT_LT(r.x, r.z);
    ASSERT_LT(r.y, r.w);

    EXPECT_EQ(sounds_after({r.z + 0.5f, r.w}, false), 0);
    EXPECT_EQ(button_of(entity)->state, UI_BUTTON_STATE_IDLE);

    // Entering exactly on a corner counts, plays the hover sound, and the next tick is white.
    EXPECT_EQ(sounds_after({r.z, r.w}, false), 1);
    EXPECT_EQ(button_of(entity)->state, UI_BUTTON_STATE_HOVER);
    EXPECT_EQ(sounds_after({r.x, r.y}, false), 0) << "moving within the button is silent";
    EXPECT_TRUE(same(color_of(entity), WHITE));

    // Leaving is silent and gives back exactly the normal colour.
    EXPECT_EQ(sounds_after({r.x - 0.5f, r.y}, false), 0);
    EXPECT_EQ(button_of(entity)->state, UI_BUTTON_STATE_IDLE);
    tick({r.x - 0.5f, r.y}, false);
    EXPECT_TRUE(same(color_of(entity), GREEN));

    // Re-entering plays the hover sound again.
    EXPECT_EQ(sounds_after({r.x, r.w}, false), 1);
}

TEST(UiButton, HoldSelectsOnceAndReleaseKeepsTheSelection) {
    EntityId entity = button_build();
    const vec4 r = rectangle_of(entity);
    const vec2 inside = {(r.x + r.z) / 2.0f, (r.y + r.w) / 2.0f};

    EXPECT_EQ(sounds_after(inside, false), 1);
    // Down in one tick only is not held yet.
    EXPECT_EQ(sounds_after(inside, true), 0);
    EXPECT_FALSE(button_of(entity)->selected);
    EXPECT_EQ(sounds_after(inside, true), 1) << "the select sound";
    EXPECT_TRUE(button_of(entity)->selected);
    EXPECT_EQ(button_of(entity)->state, UI_BUTTON_STATE_PRESSED);
    for (i32 i = 0; i < 5; i++) {
        EXPECT_EQ(sounds_after(inside, true), 0);
        EXPECT_EQ(button_of(entity)->state, UI_BUTTON_STATE_PRESSED);
        EXPECT_TRUE(same(color_of(entity), WHITE));
    }

    EXPECT_EQ(sounds_after(inside, false), 0);
    EXPECT_EQ(button_of(entity)->state, UI_BUTTON_STATE_HOVER);
    EXPECT_TRUE(button_of(entity)->selected);

    tick({r.z + 10.0f, inside.y}, false);
    EXPECT_FALSE(button_of(entity)->selected);
    EXPECT_EQ(button_of(entity)->state, UI_BUTTON_STATE_IDLE);

    // Coming onto the button with the left button already held selects it at once.
    tick({r.z + 10.0f, inside.y}, true);
    tick({r.z + 10.0f, inside.y}, true);
    EXPECT_FALSE(button_of(entity)->selected);
    EXPECT_EQ(sounds_after(inside, true), 2) << "hover and select together";
    EXPECT_TRUE(button_of(entity)->selected);
}

TEST(UiButton, DisabledIgnoresTheMouseAndKeepsItsState) {
    EntityId entity = button_build();
    const vec4 r = rectangle_of(entity);
    const vec2 inside = {(r.x + r.z) / 2.0f, (r.y + r.w) / 2.0f};
    button_of(entity)->disabled = true;
    for (i32 i = 0; i < 4; i++) EXPECT_EQ(sounds_after(inside, true), 0);
    EXPECT_FALSE(button_of(entity)->selected);
    EXPECT_EQ(button_of(entity)->state, UI_BUTTON_STATE_IDLE);
    EXPECT_TRUE(same(color_of(entity), GREEN));

    // Disabled while hovered: the state and colour stay until it is enabled again.
    button_of(entity)->disabled = false;
    tick(inside, false);
    tick(inside, false);
    button_of(entity)->disabled = true;
    tick({0.0f, 0.0f}, false);
    tick({0.0f, 0.0f}, false);
    EXPECT_EQ(button_of(entity)->state, UI_BUTTON_STATE_HOVER);
    EXPECT_TRUE(same(color_of(entity), WHITE));
    button_of(entity)->disabled = false;
    tick({0.0f, 0.0f}, false);
    EXPECT_EQ(button_of(entity)->state, UI_BUTTON_STATE_IDLE);
}
