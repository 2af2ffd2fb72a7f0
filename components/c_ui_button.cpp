#include "components/c_ui_button.hpp"

#include "components/c_color_change.hpp"
#include "components/c_sprite.hpp"
#include "components/c_text.hpp"
#include "engine/rectangle.hpp"
#include "game/game.hpp"
#include "game/game_input.hpp"

namespace {

void update_f(void *record) {
    CUiButton *button = static_cast<CUiButton *>(record);
    const CSprite *sprite = ecs_get_as<CSprite>(button->entity, C_SPRITE);
    const CText *text = ecs_get_as<CText>(button->entity, C_TEXT);
    CColorChange *color_change = ecs_get_as<CColorChange>(button->entity, C_COLOR_CHANGE);
    if (button->disabled) return;

    vec4 rectangle = {};
    if (sprite) {
        c_sprite_rectangle_get(sprite, &rectangle);
    } else if (text) {
        c_text_rectangle_get(text, &rectangle);
    } else {
        return;
    }

    if (rectangle_has_point(rectangle, game_input_pointer())) {
        if (button->state != UI_BUTTON_STATE_HOVER) {
            if (color_change) {
                c_color_change_set(color_change, &button->hover_color, &button->color, 1, CHANGE_FORWARD_HOLD);
            }
            if (button->state == UI_BUTTON_STATE_IDLE) sound_play(&game.sounds[SOUND_HOVER], -1);
        }
        button->state = UI_BUTTON_STATE_HOVER;
        if (game_input_held(ACTION_CLICK)) {
            if (!button->selected) {
                sound_play(&game.sounds[SOUND_SELECT], -1);
                button->selected = true;
            }
            button->state = UI_BUTTON_STATE_PRESSED;
        }
        return;
    }

    if (button->state != UI_BUTTON_STATE_IDLE) {
        if (color_change) {
            c_color_change_set(color_change, &button->color, &button->hover_color, 1, CHANGE_FORWARD_HOLD);
        }
        button->selected = false;
    }
    button->state = UI_BUTTON_STATE_IDLE;
}

} // namespace

void c_ui_button_register() {
    ecs_register(C_UI_BUTTON, sizeof(CUiButton), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr, nullptr);
}

void c_ui_button_set(CUiButton *button, const vec4 *color, const vec4 *hover_color) {
    button->color = *color;
    button->hover_color = *hover_color;
}
