#include "game/s_menu.hpp"

#include <array>
#include <cstring>

#include "components/c_color_change.hpp"
#include "components/c_text.hpp"
#include "components/c_ui_button.hpp"
#include "ecs/entity.hpp"
#include "entities/e_logo.hpp"
#include "entities/e_text.hpp"
#include "entities/e_ui_button.hpp"
#include "game/game.hpp"
#include "game/game_input.hpp"

namespace {

constexpr std::array<vec4, 6> C_COLOR_VALUES = {{
    {0.3f, 1.0f, 0.3f, 1.0f},
    {0.2f, 0.5f, 0.8f, 1.0f},
    {1.0f, 0.2f, 0.2f, 1.0f},
    {1.0f, 1.0f, 0.3f, 1.0f},
    {1.0f, 0.2f, 0.9f, 1.0f},
    {0.2f, 1.0f, 0.9f, 1.0f},
}};
constexpr vec4 COLOR_OPAQUE = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr vec4 COLOR_TRANSPARENT = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr vec3 MENU_START_POSITION = {640.0f, 650.0f, 0.0f};
constexpr vec3 MENU_CREDITS_POSITION = {20.0f, 700.0f, 0.0f};
constexpr i32 MENU_REVEAL_TICKS = 60;

// Exactly 80 characters, two of them line breaks.
constexpr char MENU_CREDITS[] = "Gyrel+ - spin, match, survive\n"
                                "Code, art and sound made in-house\n"
                                "Thanks, players!";
static_assert(sizeof MENU_CREDITS - 1 == 80);

void text_alpha_hide(EntityId entity) {
    if (CText *text = ecs_get_as<CText>(entity, C_TEXT)) text->color.a = 0.0f;
}

void fade_in_start(EntityId entity) {
    if (CColorChange *change = ecs_get_as<CColorChange>(entity, C_COLOR_CHANGE)) {
        c_color_change_set(change, &COLOR_TRANSPARENT, &C_COLOR_VALUES[0], MENU_REVEAL_TICKS, CHANGE_FORWARD_HOLD);
    }
}

} // namespace

void menu_init(MenuScene *menu) {
    *menu = {};
    menu->logo = entity_add();
    menu->start_button = entity_add();
    menu->credits = entity_add();

    logo_init(menu->logo);
    ui_button_init(menu->start_button, ORIGIN_CENTER, game.fonts[FONT_LARGE], "Start", 5, &C_COLOR_VALUES[0],
                   &COLOR_OPAQUE, &MENU_START_POSITION);
    text_init(menu->credits, ORIGIN_BOTTOM_LEFT, game.fonts[FONT_SMALL], MENU_CREDITS,
              static_cast<i32>(std::strlen(MENU_CREDITS)), -1, &C_COLOR_VALUES[0], &MENU_CREDITS_POSITION);

    text_alpha_hide(menu->start_button);
    text_alpha_hide(menu->credits);
    if (CUiButton *button = ecs_get_as<CUiButton>(menu->start_button, C_UI_BUTTON)) button->disabled = true;
}

void menu_update_f(MenuScene *menu) {
    if (!menu->shown) {
        const CColorChange *logo_fade = ecs_get_as<CColorChange>(menu->logo, C_COLOR_CHANGE);
        if ((logo_fade && logo_fade->done) || menu->logo_done) {
            menu->logo_done = true;
            fade_in_start(menu->start_button);
            fade_in_start(menu->credits);
            if (CUiButton *button = ecs_get_as<CUiButton>(menu->start_button, C_UI_BUTTON)) button->disabled = false;
            menu->shown = true;
        }
    }
    const CUiButton *button = ecs_get_as<CUiButton>(menu->start_button, C_UI_BUTTON);
    if (button && button->selected) menu->done = true;
    if (game_input_press(ACTION_CONFIRM)) {
        menu->done = true;
    }
}

void menu_free(MenuScene *menu) {
    entity_delete(menu->start_button);
    entity_delete(menu->logo);
    entity_delete(menu->credits);
}
