#include "entities/e_ui_button.hpp"

#include "components/c_ui_button.hpp"
#include "entities/e_text.hpp"

void ui_button_init(EntityId entity, Origin origin, Font font, const char *string, i32 length, const vec4 *color,
                    const vec4 *hover_color, const vec3 *position) {
    CUiButton *button = ecs_add_as<CUiButton>(entity, C_UI_BUTTON);
    text_init(entity, origin, font, string, length, -1, color, position);
    c_ui_button_set(button, color, hover_color);
}
