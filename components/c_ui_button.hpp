// UI button: hover colour, sounds and a selected flag for a sprite or text under the mouse.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

enum UiButtonState : u32 {
    UI_BUTTON_STATE_IDLE = 0,
    UI_BUTTON_STATE_HOVER = 1,
    UI_BUTTON_STATE_PRESSED = 2,
};

struct CUiButton {
    EntityId entity;
    vec4 color;
    vec4 hover_color;
    bool disabled;
    bool selected;
    UiButtonState state;
};

static_assert(std::is_trivially_copyable_v<CUiButton>);

void c_ui_button_register();
void c_ui_button_set(CUiButton *button, const vec4 *color, const vec4 *hover_color);
